#include "reader/catalogue/OpmlCommands.h"

#include "platform/runtime/Conversions.h"
#include "platform/runtime/RuntimeError.h"
#include "reader/catalogue/Opml.h"
#include "reader/mainwindow/MainWindowModel.h"

#include <QDateTime>

namespace quillet {

namespace {

void report(MainWindowModel& window, const QString& text) {
    window.stb1.setPanelText(1, text + QLatin1Char('[') +
                                    platform::dateTimeText(QDateTime::currentDateTime()) +
                                    QLatin1Char(']'));
}

} // namespace

QString opmlPathFor(const QString& chosen) {
    return chosen.endsWith(QLatin1String(".opml"), Qt::CaseInsensitive) ||
                   chosen.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive)
               ? chosen
               : chosen + QStringLiteral(".opml");
}

void ExportOpmlCommand(MainWindowModel& window, const QString& chosen) {
    try {
        ExportOpml(window.tvw1, opmlPathFor(chosen));
        report(window, QStringLiteral("お気に入りをOPMLファイルに出力しました。"));
    } catch (const platform::RuntimeError&) {
        report(window, QStringLiteral("お気に入りをOPMLファイルに正常出力できませんでした。"));
    }
}

void ImportOpmlCommand(MainWindowModel& window, const QString& path) {
    OpmlOutline outline;
    QString reason;
    if (!ReadOpml(path, outline, &reason)) {
        report(window, QStringLiteral("OPMLファイルを読み込めませんでした（%1）。").arg(reason));
        return;
    }
    try {
        const OpmlImportCount count = ImportOpml(window.tvw1, outline);
        report(window,
               QStringLiteral("OPMLファイルから%1個のフォルダと%2個のニュースを追加しました。"
                              "登録済みの%3個のニュースは追加しませんでした。")
                   .arg(count.folders)
                   .arg(count.feeds)
                   .arg(count.skipped));
    } catch (const platform::RuntimeError&) {
        report(window, QStringLiteral("OPMLファイルのフォルダを追加できませんでした。"));
    }
}

} // namespace quillet
