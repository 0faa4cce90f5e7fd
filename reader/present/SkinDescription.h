#pragma once
// A skin's description file "maker.txt": lines that begin with a field's prefix
// set that field to the rest of the line; the last such line wins.
#include <QString>
#include <QStringList>

namespace quillet {

struct SkinDescription {
    QString name;
    QString creator;
    QString createDate;
    QString comment;
    QString homepage;
    QString email;
};

// Prefixes match exactly and case-sensitively at the first character; values
// are taken unchanged, "=" and spaces included.
SkinDescription parseSkinDescription(const QStringList& lines);

} // namespace quillet
