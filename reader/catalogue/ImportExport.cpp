#include "reader/catalogue/ImportExport.h"

#include "platform/controls/TreeViewModel.h"
#include "platform/runtime/Conversions.h"
#include "platform/runtime/MessageBox.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/text/LineFile.h"
#include "reader/app/AppState.h"
#include "reader/app/ProgramPaths.h"
#include "reader/catalogue/FeedKinds.h"
#include "reader/catalogue/FeedList.h"
#include "reader/mainwindow/MainWindowModel.h"

#include <QDateTime>

namespace quillet {

namespace {

const QString CRLF = QStringLiteral("\r\n");

void showFileLoadError(AppState& app, const QString& path) {
    app.messages->show(QStringLiteral("次のファイルの読み込みでエラーが発生しました。") + CRLF +
                           QStringLiteral("エラーを起こしたファイル：") + path,
                       platform::MsgButtons::Ok, platform::MsgIcon::Critical,
                       QStringLiteral("Quillet"));
}

} // namespace

int ExportFeedListCsv(const platform::controls::TreeViewModel& tree, const QString& path) {
    try {
        QStringList lines;
        platform::Int16 number = 1;
        for (int node = 1; node <= tree.count(); ++node) {
            const QString kind = tree.image(node);
            if (kind != image::Rss && kind != image::Rdf && kind != image::Document)
                continue;
            ++number;
            lines << QString::number(number.value()) + QStringLiteral(",\"") + tree.text(node) +
                         QStringLiteral("\",\"") + tree.key(node) + QLatin1Char('"');
        }
        platform::text::writeLinesAtomic(path, lines);
        return 0;
    } catch (const platform::RuntimeError&) {
        return -1;
    }
}

QString csvPathFor(const QString& chosen) {
    return chosen.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive)
               ? chosen
               : chosen + QStringLiteral(".csv");
}

namespace {
void reportStamped(MainWindowModel& window, const QString& text) {
    window.stb1.setPanelText(1, text + QLatin1Char('[') +
                                    platform::dateTimeText(QDateTime::currentDateTime()) +
                                    QLatin1Char(']'));
}
} // namespace

void ExportCsvCommand(MainWindowModel& window, const QString& chosen) {
    const int result = ExportFeedListCsv(window.tvw1, csvPathFor(chosen));
    reportStamped(window, result == 0 ? QStringLiteral("お気に入りをCSVファイルに出力しました。")
                                      : QStringLiteral(
                                            "お気に入りをCSVファイルに正常出力できませんでした。"));
}

QString feedListPathFor(const QString& chosen) {
    return chosen.endsWith(QLatin1String(".brd"), Qt::CaseInsensitive)
               ? chosen
               : chosen + QStringLiteral(".brd");
}

void ExportFeedListCommand(MainWindowModel& window, const QString& chosen) {
    bool saved = true;
    try {
        SaveFeedList(window.tvw1, feedListPathFor(chosen));
    } catch (const platform::RuntimeError&) {
        saved = false;
    }
    reportStamped(window, saved
                              ? QStringLiteral("お気に入りをエクスポートしました。")
                              : QStringLiteral("お気に入りを正常にエクスポートできませんでした。"));
}

void replaceTree(platform::controls::TreeViewModel& target,
                 const platform::controls::TreeViewModel& source) {
    target.clear();
    for (int node : source.treeOrder()) {
        const int parent = source.parentOf(node);
        target.addNode(parent == 0 ? QString() : source.key(parent), source.key(node),
                       source.text(node), source.image(node), source.selectedImage(node));
    }
}

bool ImportFeedList(AppState& app, MainWindowModel& window, const QString& path) {
    const QString failed = QStringLiteral("お気に入りをインポートできませんでした。");
    platform::controls::TreeViewModel imported;
    if (LoadFeedList(imported, path) != 0) {
        reportStamped(window, failed);
        showFileLoadError(app, path);
        return false;
    }
    try {
        replaceTree(window.tvw1, imported);
    } catch (const platform::RuntimeError&) {
        reportStamped(window, failed);
        return false;
    }
    // The catalogue now is the imported list, read whole: the exit may save it.
    app.catalogueComplete = true;
    reportStamped(window, QStringLiteral("お気に入りをインポートしました。"));
    return true;
}

void ImportDefaultNews(AppState& app, MainWindowModel& window) {
    if (app.messages->show(QStringLiteral("現在のニュースを削除して標準設定に戻しますか？"),
                           platform::MsgButtons::YesNo, platform::MsgIcon::Information,
                           QStringLiteral("■ニュースのインポート")) != platform::MsgResult::Yes)
        return;
    window.tvw1.clear();
    window.File1.refresh();
    for (int i = 0; i < window.File1.count(); ++i) {
        const QString path = app.file(paths::InitialLists) + window.File1.name(i);
        if (LoadFeedList(window.tvw1, path) != 0)
            showFileLoadError(app, path);
    }
    // The user chose the shipped lists over whatever was loaded before: they
    // are the catalogue now, and the exit saves them.
    app.catalogueComplete = true;
}

} // namespace quillet
