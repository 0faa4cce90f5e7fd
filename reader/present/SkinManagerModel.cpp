#include "reader/present/SkinManagerModel.h"

#include "platform/runtime/Conversions.h"
#include "platform/runtime/MessageBox.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/text/LineFile.h"
#include "reader/app/AppState.h"
#include "reader/app/ProgramPaths.h"
#include "reader/present/NewsPage.h"
#include "reader/present/SkinDescription.h"

#include <QDateTime>
#include <QDir>

namespace quillet {

namespace {

const QString DetailPlaceholder = QStringLiteral("**********************");

} // namespace

SkinManagerModel::SkinManagerModel(AppState& app, platform::controls::StatusBarModel& mainStatus)
    : app_(app), mainStatus_(mainStatus) {
    lvw1.setColumnHeaders({QStringLiteral("名前"), QStringLiteral("制作者"),
                           QStringLiteral("制作日"), QStringLiteral("コメント"),
                           QStringLiteral("ホームページ"), QStringLiteral("E-mail"),
                           QStringLiteral("フォルダパス")});
    lbStatus.fill(DetailPlaceholder);
    txtSkin[0] = app.settings.SkinName;
    txtSkin[1] = app.settings.SkinFolder;
    listSkins();
}

void SkinManagerModel::listSkins() {
    const QString skinRoot = app_.file("data/skin/");
    // Sorted by folder name, so the list keeps one order from run to run.
    const QStringList folders =
        QDir(skinRoot).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& name : folders) {
        const QString folder = skinRoot + name + QLatin1Char('/');
        const QString maker = folder + QStringLiteral("maker.txt");
        if (!platform::text::fileExists(maker))
            continue;
        SkinDescription skin;
        try {
            skin = parseSkinDescription(platform::text::readLines(maker));
        } catch (const platform::RuntimeError&) {
            continue; // an unreadable description is as good as none
        }
        lvw1.addRow({skin.name, skin.creator, skin.createDate, skin.comment, skin.homepage,
                     skin.email, folder},
                    false);
    }
}

QString SkinManagerModel::preview() {
    const int row = lvw1.selectedRow();
    if (lvw1.count() == 0 || row == 0)
        return QString();
    const QString folder = lvw1.itemText(row, Folder);
    const QString page = app_.file(paths::SkinPreview);
    // The skin rows stand in for articles: the creator is the title, the home
    // page the link and the e-mail address the description.
    const std::int32_t written =
        CreateNewsPage(folder + QStringLiteral("header.html"), folder + QStringLiteral("body.html"),
                       folder + QStringLiteral("footer.html"), page, lvw1, app_.CurrentFeedName);
    for (int column = Name; column <= Email; ++column)
        lbStatus[static_cast<std::size_t>(column)] = lvw1.itemText(row, column);
    return written == 0 ? page : QString();
}

QString SkinManagerModel::changedText() const {
    return QLatin1Char('[') + app_.settings.SkinName + QStringLiteral("]に変更しました。") +
           QLatin1Char('[') + platform::dateTimeText(QDateTime::currentDateTime()) +
           QLatin1Char(']');
}

SkinManagerModel::Outcome SkinManagerModel::cmdSet() {
    if (lvw1.count() == 0)
        return Outcome::Stay;
    for (int row = 1; row <= lvw1.count(); ++row) {
        const QString folder = lvw1.itemText(row, Folder);
        if (lvw1.selectedRow() != row || folder == txtSkin[1])
            continue;
        const QString name = lvw1.itemText(row, Name);
        const QString question =
            QStringLiteral("現在のスキンから以下のスキンに変更しますか?\r\n\r\n"
                           "スキン名：") +
            name + QStringLiteral("\r\nスキンフォルダ：") + folder;
        if (app_.messages->show(question, platform::MsgButtons::YesNo,
                                platform::MsgIcon::Information,
                                QStringLiteral("■スキン変更確認")) != platform::MsgResult::Yes)
            continue;
        app_.settings.SkinName = name;
        app_.settings.SkinFolder = folder;
        txtSkin[0] = name;
        txtSkin[1] = folder;
        stb1.setPanelText(1, changedText());
    }
    mainStatus_.setPanelText(1, changedText());
    return Outcome::Close;
}

} // namespace quillet
