#include "reader/mainwindow/HistoryCommands.h"

#include "platform/runtime/MessageBox.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/text/LineFile.h"
#include "reader/app/AppState.h"
#include "reader/app/ProgramPaths.h"

namespace quillet {

namespace {

struct CommandTexts {
    const char* question;
    const char* title;
    const char* deleted;
    const char* missing;
};

CommandTexts textsOf(HistoryFiles which) {
    switch (which) {
    case HistoryFiles::History:
        return {"現在保持している履歴を削除しますか?", "履歴削除ダイアログ",
                "履歴ファイルを削除しました", "履歴ファイルが存在しません。"};
    case HistoryFiles::NewsHistory:
        return {"ニュース履歴を削除しますか?", "ニュース履歴削除ダイアログ",
                "ニュース履歴を削除しました", "ニュース履歴が存在しません。"};
    case HistoryFiles::Logs:
        break;
    }
    return {"現在保持している全てのログを削除しますか?", "ログ削除ダイアログ", "ログを削除しました",
            "ログが存在しません。"};
}

QStringList filesOf(const AppState& app, HistoryFiles which) {
    if (which == HistoryFiles::Logs) {
        const QString folder = app.file(paths::LogFolder);
        QStringList found;
        for (const QString& name : platform::text::listFiles(folder, QStringLiteral("*.xml")))
            found << folder + name;
        return found;
    }
    const QString path =
        app.file(which == HistoryFiles::History ? paths::History : paths::NewsHistory);
    return platform::text::fileExists(path) ? QStringList{path} : QStringList{};
}

} // namespace

void DeleteHistoryCommand(AppState& app, HistoryFiles which) {
    const CommandTexts texts = textsOf(which);
    const QString title = QStringLiteral("Quillet");
    if (app.messages->show(QString::fromUtf8(texts.question), platform::MsgButtons::YesNo,
                           platform::MsgIcon::Information,
                           QString::fromUtf8(texts.title)) != platform::MsgResult::Yes)
        return;
    const QStringList files = filesOf(app, which);
    if (files.isEmpty()) {
        app.messages->show(QString::fromUtf8(texts.missing), platform::MsgButtons::Ok,
                           platform::MsgIcon::Exclamation, title);
        return;
    }
    QStringList failed;
    for (const QString& path : files) {
        try {
            platform::text::deleteFile(path);
        } catch (const platform::RuntimeError& error) {
            failed << path + QStringLiteral("：") + error.description();
        }
    }
    // Saying "deleted" while files stay would be a failure reported as success.
    if (!failed.isEmpty()) {
        app.messages->show(QStringLiteral("次のファイルを削除できませんでした。\r\n") +
                               failed.join(QStringLiteral("\r\n")),
                           platform::MsgButtons::Ok, platform::MsgIcon::Critical, title);
        return;
    }
    app.messages->show(QString::fromUtf8(texts.deleted), platform::MsgButtons::Ok,
                       platform::MsgIcon::Information, title);
}

} // namespace quillet
