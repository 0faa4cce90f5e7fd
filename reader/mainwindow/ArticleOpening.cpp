#include "reader/mainwindow/ArticleOpening.h"

#include "platform/gdi/SystemColors.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/text/Codepage.h"
#include "platform/text/LineFile.h"
#include "reader/app/AppState.h"
#include "reader/app/ProgramPaths.h"
#include "reader/mainwindow/FeedOpening.h"
#include "reader/mainwindow/MainWindowModel.h"
#include "reader/mainwindow/ReadTitlesStore.h"

namespace quillet {

namespace {
constexpr int TitleColumn = 1;
constexpr int SourceColumn = 2;
constexpr int LinkColumn = 4;
constexpr int LastColumn = 7;
} // namespace

QString historyRecord(const QString& title, const QString& source, const QDateTime& when,
                      const QString& link) {
    const QTime time = when.time();
    const bool midnight = time.hour() == 0 && time.minute() == 0 && time.second() == 0;
    const QString stamp = when.toString(midnight ? QStringLiteral("yyyy-MM-dd")
                                                 : QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return QLatin1Char('"') + title + QStringLiteral("\",\"") + source + QStringLiteral("\",#") +
           stamp + QStringLiteral("#,\"") + link + QLatin1Char('"');
}

QString articleClipboardText(const MainWindowModel& window, bool title, bool link) {
    const int row = window.lvw1.selectedRow();
    if (window.lvw1.count() == 0 || row == 0)
        return QString();
    QString text = title ? window.lvw1.itemText(row, TitleColumn) : QString();
    if (title && link)
        text += QLatin1Char(' ');
    if (link)
        text += window.lvw1.itemText(row, LinkColumn);
    return text;
}

QString nodeStatusText(const MainWindowModel& window, int node) {
    const QList<int> children = window.tvw1.childrenOf(node);
    if (!children.isEmpty())
        return QString::number(children.size()) +
               QStringLiteral("個のニュースサイトが登録されています。");
    return QChar(0x25A1) + window.tvw1.text(node) + QLatin1Char('[') + window.tvw1.key(node) +
           QLatin1Char(']');
}

void OpenArticle(AppState& app, MainWindowModel& window, MainWindowView& view) {
    platform::controls::ListViewModel& list = window.lvw1;
    const int row = list.selectedRow();
    if (list.count() == 0 || row == 0)
        return;
    // A command that touches files ends quietly when they cannot be written.
    try {
        if (list.cellBold(row, 0)) {
            list.setRowBold(row, false);
            list.setCellForeColor(row, 0,
                                  platform::gdi::sysColor(platform::gdi::syscolor::Background));
            for (int column = 1; column <= LastColumn; ++column)
                list.setCellForeColor(row, column,
                                      platform::gdi::sysColor(platform::gdi::syscolor::MenuText));
            ShowListedFeedUnreadCount(app, window);
        }
        const QString title = list.itemText(row, TitleColumn);
        const QString link = list.itemText(row, LinkColumn);
        navigateSelectedTabs(window, view, link);

        // Nothing reads the history back; a character code page 932 lacks is kept
        // as a character reference rather than lost.
        platform::text::appendFileBytes(app.file(paths::History),
                                        platform::text::encodeCp932WithReferences(
                                            historyRecord(title, list.itemText(row, SourceColumn),
                                                          QDateTime::currentDateTime(), link) +
                                            QStringLiteral("\r\n")));
        app.newsHistory.addIfNew(readingKey(title, link));
        SaveReadTitles(app);
    } catch (const platform::RuntimeError&) {
    }
}

} // namespace quillet
