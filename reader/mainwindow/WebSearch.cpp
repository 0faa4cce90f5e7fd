#include "reader/mainwindow/WebSearch.h"

#include "platform/text/Codepage.h"
#include "reader/mainwindow/MainWindowModel.h"
#include "reader/mainwindow/SearchEngines.h"
#include "reader/mainwindow/Tabs.h"

namespace quillet {

namespace {

QString shiftJisQuery(const QString& text) {
    QString query;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.unicode() < 0x80 && c != QLatin1Char(' ')) {
            query += c;
            continue;
        }
        const qsizetype length = c.isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QByteArray bytes = c == QLatin1Char(' ')
                                     ? QByteArray(" ")
                                     : platform::text::encodeCp932(text.mid(i, length));
        for (char byte : bytes)
            query += QStringLiteral("%%1")
                         .arg(static_cast<unsigned char>(byte), 2, 16, QLatin1Char('0'))
                         .toUpper();
        i += length - 1;
    }
    return query;
}

} // namespace

QString searchAddress(int engineIndex, const QString& text) {
    const auto& engines = searchEngines();
    if (engineIndex < 0 || engineIndex >= static_cast<int>(engines.size()))
        return QString();
    const SearchEngine& engine = engines[static_cast<std::size_t>(engineIndex)];
    return engine.addressBeforeText + shiftJisQuery(text) + engine.addressAfterText;
}

void RunSearch(MainWindowModel& window, MainWindowView& view) {
    const int engine =
        static_cast<int>(window.comEngine.entries().indexOf(window.comEngine.text()));
    const QString address = searchAddress(engine, window.txtSearch);
    if (address.isEmpty())
        return;
    view.navigateBrowser(currentBrowserIndex(window), address, ExtraRequestHeaders());
}

} // namespace quillet
