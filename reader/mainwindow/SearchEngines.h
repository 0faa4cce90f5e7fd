#pragma once
// The fixed table of web search services of the search bar, and the preset
// addresses of the address box.
#include <QString>
#include <QStringList>
#include <vector>

namespace quillet {

struct SearchEngine {
    QString caption;
    QString addressBeforeText; // scheme, host, path and query up to the search text
    QString addressAfterText;  // what follows the search text
};

const std::vector<SearchEngine>& searchEngines();
QStringList presetAddresses();

} // namespace quillet
