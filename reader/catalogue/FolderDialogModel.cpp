#include "reader/catalogue/FolderDialogModel.h"

#include "platform/runtime/MessageBox.h"
#include "platform/runtime/RuntimeError.h"
#include "reader/app/AppState.h"
#include "reader/app/ProgramPaths.h"
#include "reader/catalogue/FeedKinds.h"
#include "reader/catalogue/FeedList.h"
#include "reader/catalogue/ImportExport.h"
#include "reader/catalogue/PatrolList.h"
#include "reader/fetch/ArticleSearch.h"
#include "reader/mainwindow/FeedOpening.h"
#include "reader/mainwindow/MainWindowModel.h"
#include "reader/mainwindow/Tabs.h"

#include <QUrl>

namespace quillet {

namespace {

constexpr std::uint32_t Blue = 0xFF0000; // COLORREF order: 0x00BBGGRR
constexpr std::uint32_t Red = 0x0000FF;

// The form's outer size holds its frame plus this much of borders and title.
constexpr int ExtraHeight = 400;
constexpr int ExtraWidthForWideModes = 150;
constexpr int NarrowFormWidth = 4770;
constexpr int PatrolFormWidth = 4800;

struct FrameSpec {
    const char* formCaption;
    const char* frameCaption;
    int width;
    int height;
};

// Frame sizes in twips; each fills the client area of its form.
constexpr FrameSpec Frames[FolderDialogModel::FrameCount] = {
    {"■フォルダ追加", "ルートフォルダ追加", 4680, 1500},
    {"■開く", "URLを開く", 4680, 1500},
    {"■バージョン情報", "バージョン情報", 4680, 2640},
    {"■サブフォルダ追加", "サブフォルダ追加", 4680, 2040},
    {"■ニュース巡回 設定", "ニュース巡回 設定", 4710, 4920},
    {"■検索", "検索", 4800, 3840},
    {"■ソース表示", "ソース", 7200, 5400},
};

// The article list column each search option searches: title, link, description.
constexpr int SearchColumns[] = {1, 4, 5};

} // namespace

QString folderDialogCaption(int mode) {
    if (mode < 0 || mode >= FolderDialogModel::FrameCount)
        return QString();
    return QString::fromUtf8(Frames[mode].formCaption);
}

FolderDialogModel::FolderDialogModel(AppState& app, MainWindowModel& window, MainWindowView& view)
    : Label2(QStringLiteral("Quillet")), Label3(QStringLiteral("ver. 0.50")),
      Label4(QStringLiteral("Quillet 開発チーム　フリーソフトウェア")),
      opSearch(QStringLiteral("対象"), {QStringLiteral("記事名で検索"), QStringLiteral("URLで検索"),
                                        QStringLiteral("記事内容で検索")}),
      app_(app), window_(window), view_(view) {
    for (int index = 0; index < FrameCount; ++index) {
        fframe[index].caption = QString::fromUtf8(Frames[index].frameCaption);
        fframe[index].width = Frames[index].width;
        fframe[index].height = Frames[index].height;
    }
    // The product has no web site of its own; the link leads to its help page.
    lbURL.setCaption(QUrl::fromLocalFile(app.file(paths::Help)).toString());
    for (int hours = 1; hours <= 12; ++hours)
        comCheckTime.addEntry(QString::number(hours));
    opSearch.setValue(0, true);

    tvw1.setCheckBoxes(true);
    QObject::connect(&tvw1, &platform::controls::TreeViewModel::nodeCheck, &tvw1,
                     [this](int node) { nodeCheck(node); });
    loadCatalogueCopy();
}

void FolderDialogModel::loadCatalogueCopy() {
    // While the start-up protection is on, the file holds the user's list that
    // did not load completely: it must not be replaced by the partial tree.
    bool fromFile = false;
    if (app_.catalogueComplete) {
        const QString path = app_.file(paths::FeedList);
        try {
            SaveFeedList(window_.tvw1, path);
            fromFile = LoadFeedList(tvw1, path) == 0;
        } catch (const platform::RuntimeError&) {
            // An unwritable file would give back an older list; copy the tree instead.
        }
    }
    if (!fromFile)
        replaceTree(tvw1, window_.tvw1);
}

void FolderDialogModel::ShowFrames(int index) {
    for (int frame = 0; frame < FrameCount; ++frame)
        fframe[frame].visible = frame == index;
}

void FolderDialogModel::m_SetWindow(int mode) {
    if (mode < 0 || mode >= FrameCount)
        return;
    mode_ = mode;
    ShowFrames(mode);
    Frame& frame = fframe[mode];
    frame.left = 0;
    frame.top = 0;
    caption = folderDialogCaption(mode);
    formHeight = frame.height + ExtraHeight;
    if (mode <= AddSubFolder)
        formWidth = NarrowFormWidth;
    else if (mode == NewsPatrol)
        formWidth = PatrolFormWidth;
    else
        formWidth = frame.width + ExtraWidthForWideModes;
    formLeftTop.reset();
    if (mode == AddRootFolder)
        formLeftTop = std::make_pair(static_cast<int>(window_.layout.left),
                                     static_cast<int>(window_.layout.top));
    if (mode == NewsPatrol)
        comCheckTime.setListIndex(0);
}

FolderDialogModel::Outcome FolderDialogModel::cmdAddNewFolder() {
    if (txtFolderName.isEmpty())
        return Outcome::Stay;
    if (AddFolderNode(window_.tvw1, QString(), txtFolderName) != 0) {
        reportFolderFailure(txtFolderName);
        return Outcome::Stay;
    }
    return Outcome::Unload;
}

FolderDialogModel::Outcome FolderDialogModel::cmdAddNewSubFolder() {
    if (txtSubFolderName.isEmpty())
        return Outcome::Stay;
    auto& tree = window_.tvw1;
    // Only the nodes there were before adding: a new sub-folder named like its
    // place must not be taken for another place. Feeds are no places: the feed
    // list has no record for a folder under a feed, so it would be lost.
    // Only root folders are places: the feed list holds two levels, so a folder
    // under a sub-folder would move up a level at the next start.
    const int existing = tree.count();
    bool failed = false;
    for (int node = 1; node <= existing; ++node) {
        if (tree.text(node) == txtPlace && isFolderImage(tree.image(node)) &&
            tree.key(node).startsWith(QLatin1String("root_")))
            failed = AddFolderNode(tree, tree.key(node), txtSubFolderName) != 0 || failed;
    }
    if (failed) {
        reportFolderFailure(txtSubFolderName);
        return Outcome::Stay;
    }
    return Outcome::Unload;
}

FolderDialogModel::Outcome FolderDialogModel::cmdOpen() {
    if (txtURL.isEmpty())
        return Outcome::Stay;
    // The address box's rule: an address without a scheme would show a blank page.
    navigateSelectedTabs(window_, view_, withHttpScheme(txtURL));
    return Outcome::Unload;
}

FolderDialogModel::Outcome FolderDialogModel::cmdSetCheckNews() {
    if (tvw1.count() == 0)
        return Outcome::Stay;
    const QString path = app_.file(paths::PatrolList);
    try {
        SavePatrolList(tvw1, path);
    } catch (const platform::RuntimeError& error) {
        // The patrol is not switched on with a list it cannot read; the dialog
        // stays so the user can try again.
        app_.messages->show(QStringLiteral("巡回するニュースのリストを保存できませんでした。\r\n") +
                                path + QStringLiteral("\r\n") + error.description(),
                            platform::MsgButtons::Ok, platform::MsgIcon::Critical,
                            folderDialogCaption(NewsPatrol));
        return Outcome::Stay;
    }
    app_.patrolOn = true;
    app_.patrolPeriod = comCheckTime.text().toInt();
    return Outcome::Unload;
}

FolderDialogModel::Outcome FolderDialogModel::cmdSearch() {
    const QString word = comSearch.text();
    if (word.isEmpty())
        return Outcome::Stay;
    const int chosen = opSearch.chosen();
    const int column = SearchColumns[chosen < 0 ? 0 : chosen];
    const std::int16_t found = SearchArticles(window_.lvw1, word, column, &app_.newsHistory);
    window_.stb1.setPanelText(1, QString::number(found) +
                                     QStringLiteral("個のニュースが見つかりました。"));
    // Words searched for stay in the list for the next search.
    if (!comSearch.entries().contains(word))
        comSearch.addEntry(word);
    return Outcome::Stay;
}

void FolderDialogModel::reportFolderFailure(const QString& name) {
    window_.stb1.setPanelText(1, QStringLiteral("フォルダ「") + name +
                                     QStringLiteral("」を追加できませんでした。"));
}

void FolderDialogModel::frameMouseMove() {
    lbURL.setForeColor(Blue);
}

void FolderDialogModel::linkMouseMove() {
    lbURL.setForeColor(Red);
}

void FolderDialogModel::linkClick() {
    try {
        OpenNewTab(app_, window_, view_, lbURL.caption(), QString(), view_.isOffline());
    } catch (const platform::RuntimeError&) {
        // Past 32,767 tabs no tab is added.
    }
}

void FolderDialogModel::nodeCheck(int node) {
    // Clicking a check box does not select its node, so the check follows
    // whether or not a node is selected: otherwise checking a folder right
    // after opening the dialog would leave its feeds out of the patrol.
    // A folder's check goes to everything inside it, its sub-folders' feeds too.
    const bool checked = tvw1.checked(node);
    QList<int> pending = tvw1.childrenOf(node);
    while (!pending.isEmpty()) {
        const int inner = pending.takeLast();
        tvw1.setChecked(inner, checked);
        pending << tvw1.childrenOf(inner);
    }
}

} // namespace quillet
