#include "reader/app/Lifecycle.h"

#include "platform/runtime/MessageBox.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/text/LineFile.h"
#include "reader/app/AppState.h"
#include "reader/app/ProgramPaths.h"
#include "reader/catalogue/FeedList.h"
#include "reader/mainwindow/MainWindowModel.h"
#include "reader/mainwindow/ReadTitlesStore.h"

namespace quillet {

namespace {

const QString CRLF = QStringLiteral("\r\n");
constexpr int AutoRefreshIntervals = 8;

void showFileLoadError(AppState& app, const QString& path) {
    app.messages->show(QStringLiteral("次のファイルの読み込みでエラーが発生しました。") + CRLF +
                           QStringLiteral("エラーを起こしたファイル：") + path,
                       platform::MsgButtons::Ok, platform::MsgIcon::Critical,
                       QStringLiteral("Quillet"));
}

void showSaveError(AppState& app, const QString& path, const platform::RuntimeError& error) {
    app.messages->show(QStringLiteral("次のファイルの保存でエラーが発生しました。") + CRLF +
                           QStringLiteral("エラーを起こしたファイル：") + path + CRLF +
                           QStringLiteral("エラー内容：") + error.description(),
                       platform::MsgButtons::Ok, platform::MsgIcon::Critical,
                       QStringLiteral("■終了処理失敗 -Quillet-"));
}

// Runs one shutdown step; a failure is shown naming the file, and closing goes on.
template <typename Step> void saveStep(AppState& app, const QString& path, Step step) {
    try {
        step();
    } catch (const platform::RuntimeError& error) {
        showSaveError(app, path, error);
    }
}

} // namespace

void InitMainWindow(AppState& app, MainWindowModel& window, MainWindowView& view) {
    window.comURL.setText(window.comURL.entry(1));

    app.LastBrowserIndex = 1;
    app.TabCounter = 1;
    app.CurrentTabIndex = 1;
    window.Tab1.setTag(1, QStringLiteral("1"));

    view.bringBrowserToFront(1);
    view.navigateBrowser(1, app.file(paths::StartPage));

    for (int i = 1; i <= AutoRefreshIntervals; ++i)
        window.menus.setEnabled(QStringLiteral("mnuViewAutoRefresh_time(%1)").arg(i), false);

    app.patrolPeriod = 0;
    app.patrolElapsed = 0;

    const QString settingsPath = app.file(paths::Settings);
    if (!platform::text::fileExists(settingsPath)) {
        app.messages->show(QStringLiteral("設定ファイルが存在しないため新規作成します。"),
                           platform::MsgButtons::Ok, platform::MsgIcon::Information,
                           QStringLiteral("■設定ファイル新規作成 -Quillet-"));
        WriteDefaultSettings(settingsPath);
    }
    const QList<ReplacedSetting> replaced =
        LoadSettings(settingsPath, app.programFolder, app.settings, window.layout, window.tvw1);
    // A value that cannot be read no longer stops every start: its default is
    // used and written back, and the user is told which keys it was.
    if (!replaced.isEmpty()) {
        WriteReplacedSettings(settingsPath, replaced);
        window.stb1.setPanelText(1, replacedSettingsText(replaced));
    }

    window.comEngine.setText(window.comEngine.entry(0));
    window.File1.setPath(app.file(paths::InitialLists));
}

void LoadCatalogue(AppState& app, MainWindowModel& window) {
    const QString userList = app.file(paths::FeedList);
    if (platform::text::fileExists(userList)) {
        if (LoadFeedList(window.tvw1, userList) != 0) {
            showFileLoadError(app, userList);
            // The partial tree must not replace the file at exit; what the user
            // adds to it is kept beside it instead, and the user is told where.
            app.messages->show(QStringLiteral("ニュースリストを最後まで読み込めなかったため、次のフ"
                                              "ァイルは変更せずに残します。\r\n") +
                                   userList +
                                   QStringLiteral("\r\n\r\n読み込めた部分と今回の追加・変更は、終了"
                                                  "時に次のファイルに保存します。\r\n") +
                                   app.file(paths::FeedListRecovery),
                               platform::MsgButtons::Ok, platform::MsgIcon::Exclamation,
                               QStringLiteral("■ニュースリストの保護 -Quillet-"));
            return;
        }
        app.catalogueComplete = true;
        return;
    }
    if (window.File1.count() > 0) {
        for (int i = 0; i < window.File1.count(); ++i) {
            const QString path = app.file(paths::InitialLists) + window.File1.name(i);
            if (LoadFeedList(window.tvw1, path) != 0)
                showFileLoadError(app, path);
        }
    } else {
        app.messages->show(QStringLiteral("ニュースデータが一件も存在しないため終了します。"),
                           platform::MsgButtons::Ok, platform::MsgIcon::Critical,
                           QStringLiteral("■ボードデータ処理エラー -Quillet-"));
    }
    app.catalogueComplete = true;
}

void RunMainWindowLoad(AppState& app, MainWindowModel& window, MainWindowView& view) {
    try {
        InitMainWindow(app, window, view);
        LoadCatalogue(app, window);
        view.arrangeSplitters();
        app.newsHistoryComplete = LoadNewsHistory(app.newsHistory, app.file(paths::NewsHistory));
    } catch (const platform::RuntimeError& error) {
        app.messages->show(QStringLiteral("初期化において次のエラーが起きました。") + CRLF + CRLF +
                               QStringLiteral("エラー番号：") + QString::number(error.number()) +
                               CRLF + QStringLiteral("エラー内容：") + error.description(),
                           platform::MsgButtons::Ok, platform::MsgIcon::Critical,
                           QStringLiteral("■初期化処理失敗 -Quillet-"));
    }
}

void QueryUnload(AppState& app, MainWindowModel& window) {
    const QString settingsPath = app.file(paths::Settings);
    if (!platform::text::fileExists(settingsPath))
        saveStep(app, settingsPath, [&] { WriteDefaultSettings(settingsPath); });
    SaveOnExit(app, window);
}

void SaveOnExit(AppState& app, MainWindowModel& window) {
    const GeneralSettings& general = app.settings.general;

    const QString history = app.file(paths::History);
    if (general.DeleteHistory == 1 && platform::text::fileExists(history) &&
        general.SaveHistory == 0)
        saveStep(app, history, [&] { platform::text::deleteFile(history); });

    if (general.DeleteLog == 1) {
        const QString logFolder = app.file(paths::LogFolder);
        for (const QString& name : platform::text::listFiles(logFolder, QStringLiteral("*.xml"))) {
            const QString path = logFolder + name;
            saveStep(app, path, [&] { platform::text::deleteFile(path); });
        }
    }

    if (general.WriteINI == 1)
        SaveSettings(app.file(paths::Settings), app.settings, window.layout, window.tvw1,
                     *app.messages);

    if (general.SaveFavorite == 1) {
        // A list that did not load completely stays; the tree goes beside it.
        const QString feedList =
            app.file(app.catalogueComplete ? paths::FeedList : paths::FeedListRecovery);
        saveStep(app, feedList, [&] { SaveFeedList(window.tvw1, feedList); });
    }

    const QString newsHistory = app.newsHistoryComplete ? app.file(paths::NewsHistory)
                                                        : app.file(paths::NewsHistoryRecovery);
    saveStep(app, newsHistory, [&] { SaveReadTitles(app); });
}

} // namespace quillet
