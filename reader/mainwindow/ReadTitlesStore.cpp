#include "reader/mainwindow/ReadTitlesStore.h"

#include "platform/runtime/MessageBox.h"
#include "platform/text/LineFile.h"
#include "reader/app/AppState.h"
#include "reader/app/ProgramPaths.h"

namespace quillet {

void SaveReadTitles(AppState& app) {
    const QString path = app.file(paths::NewsHistory);
    if (app.newsHistoryComplete || !platform::text::fileExists(path)) {
        SaveNewsHistory(app.newsHistory, path);
        return;
    }
    if (app.newsHistory.isEmpty())
        return;
    const QString recovery = app.file(paths::NewsHistoryRecovery);
    if (!app.newsHistoryWarned && app.messages != nullptr) {
        app.newsHistoryWarned = true;
        app.messages->show(
            QStringLiteral("既読記事の一覧を最後まで読み込めなかったため、次のファイルは変更せずに"
                           "残します。\r\n") +
                path + QStringLiteral("\r\n\r\n今回読んだ記事は次のファイルに保存します。\r\n") +
                recovery,
            platform::MsgButtons::Ok, platform::MsgIcon::Exclamation,
            QStringLiteral("■既読記事の保存 -Quillet-"));
    }
    SaveNewsHistory(app.newsHistory, recovery);
}

} // namespace quillet
