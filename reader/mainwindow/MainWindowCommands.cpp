// The main window's commands: what its menus, tool bars, tree, list and tab
// strip do when the user chooses them, and the dialogs they open.
#include "platform/controls/ControlWidgets.h"
#include "platform/dialogs/CommonDialog.h"
#include "platform/forms/HostForm.h"
#include "platform/forms/MenuControl.h"
#include "platform/gdi/SystemColors.h"
#include "platform/runtime/MessageBox.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/web/WebBrowser.h"
#include "reader/app/AppState.h"
#include "reader/app/Lifecycle.h"
#include "reader/app/ProgramPaths.h"
#include "reader/catalogue/AddFeedDialog.h"
#include "reader/catalogue/AddFeedModel.h"
#include "reader/catalogue/FeedKinds.h"
#include "reader/catalogue/FeedList.h"
#include "reader/catalogue/FolderDialog.h"
#include "reader/catalogue/ImportExport.h"
#include "reader/catalogue/OpmlCommands.h"
#include "reader/mainwindow/ArticleOpening.h"
#include "reader/mainwindow/FeedOpening.h"
#include "reader/mainwindow/HistoryCommands.h"
#include "reader/mainwindow/MainMenus.h"
#include "reader/mainwindow/MainWindow.h"
#include "reader/mainwindow/Pictures.h"
#include "reader/mainwindow/SplitterBar.h"
#include "reader/mainwindow/Tabs.h"
#include "reader/mainwindow/WebSearch.h"
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>

namespace quillet {

platform::web::WebBrowser* MainWindow::currentBrowser() const {
    const int selected = model_.Tab1.selected();
    return selected > 0 ? browser(model_.Tab1.tag(selected).toInt()) : nullptr;
}

void MainWindow::browserCommand(const QString& key) {
    // Stop also stops a feed that is being downloaded.
    if (key == QLatin1String("KEY_STOP"))
        app_.downloadCancel = true;
    browserCommand(currentBrowser(), key);
}

void MainWindow::browserCommand(platform::web::WebBrowser* target, const QString& key) {
    if (target == nullptr)
        return;
    if (key == QLatin1String("KEY_BACK"))
        target->GoBack();
    else if (key == QLatin1String("KEY_FORWARD"))
        target->GoForward();
    else if (key == QLatin1String("KEY_STOP"))
        target->Stop();
    else if (key == QLatin1String("KEY_REFRESH"))
        target->Refresh();
    else if (key == QLatin1String("KEY_HOME"))
        target->GoHome();
}

void MainWindow::openTab(const QString& address, const QString& headers) {
    try {
        OpenNewTab(app_, model_, *this, address, headers, offlineChecked());
    } catch (const platform::RuntimeError&) {
        // Past 32,767 tabs no tab is added.
    }
}

QString MainWindow::selectedArticleField(int column) const {
    const int row = model_.lvw1.selectedRow();
    return row > 0 ? model_.lvw1.itemText(row, column) : QString();
}

void MainWindow::deleteSelectedNode() {
    const int selected = model_.tvw1.selectedIndex();
    if (selected == 0)
        return;
    if (app_.messages->show(model_.tvw1.text(selected) + QStringLiteral("を削除しますか？"),
                            platform::MsgButtons::YesNo, platform::MsgIcon::Information,
                            QStringLiteral("ニュース削除")) == platform::MsgResult::Yes)
        model_.tvw1.removeNode(selected);
}

void MainWindow::showTreePopup(const QPoint& globalPos) {
    const int selected = model_.tvw1.selectedIndex();
    if (model_.tvw1.count() == 0 || selected == 0)
        return;
    if (platform::forms::MenuControl* sub =
            form_->menuControl(QStringLiteral("mnuPoptvwAddSubFolder")))
        sub->setEnabled(model_.tvw1.key(selected).startsWith(QLatin1String("root_")));
    form_->popupMenu(QStringLiteral("mnuPoptvw"), globalPos);
}

QHash<QString, std::function<void(int)>> MainWindow::menuHandlers() {
    QHash<QString, std::function<void(int)>> handlers;
    const auto on = [&handlers](const char* name, std::function<void()> action) {
        handlers.insert(QString::fromLatin1(name), [action](int) { action(); });
    };
    on("mnuFileExit", [this] { close(); });
    on("mnuViewToolBarSearchBar", [this] {
        toggleBar(&FormLayout::toggleSearchBar);
        setMenuChecked(QStringLiteral("mnuViewToolBarSearchBar"), layout_.tlb2Visible);
    });
    on("mnuViewToolBarStanderd", [this] {
        toggleBar(&FormLayout::toggleStandardBar);
        setMenuChecked(QStringLiteral("mnuViewToolBarStanderd"), layout_.tlb1Visible);
    });
    on("mnuViewStatusBar", [this] {
        toggleBar(&FormLayout::toggleStatusBar);
        setMenuChecked(QStringLiteral("mnuViewStatusBar"), layout_.stb1Visible);
    });
    on("mnuViewOrientGoBack", [this] { browserCommand(QStringLiteral("KEY_BACK")); });
    on("mnuViewOrientGoForward", [this] { browserCommand(QStringLiteral("KEY_FORWARD")); });
    on("mnuViewOrientGoHome", [this] { browserCommand(QStringLiteral("KEY_HOME")); });
    on("mnuViewStop", [this] { browserCommand(QStringLiteral("KEY_STOP")); });
    on("mnuViewRefresh", [this] { browserCommand(QStringLiteral("KEY_REFRESH")); });
    on("mnuPoptvwGetNews", [this] { OpenFeed(app_, model_, *this); });
    const auto fileDialog = [this](const char* title, const char* filter) {
        platform::dialogs::CommonDialog dialog;
        dialog.DialogTitle = QString::fromUtf8(title);
        dialog.Filter = QString::fromUtf8(filter);
        dialog.InitDir = app_.programFolder;
        return dialog;
    };
    const char* feedListFilter = "お気に入りファイル(*.brd)|*.brd|すべてのファイル(*.*)|*.*";
    on("mnuFileExportCSV", [this, fileDialog] {
        platform::dialogs::CommonDialog dialog =
            fileDialog("CSVにエクスポート", "CSVファイル(*.csv)|*.csv|すべてのファイル(*.*)|*.*");
        if (dialog.ShowSave(this))
            ExportCsvCommand(model_, dialog.FileName);
    });
    on("mnuFileExportFavorite", [this, fileDialog, feedListFilter] {
        platform::dialogs::CommonDialog dialog =
            fileDialog("お気に入りエクスポート", feedListFilter);
        if (dialog.ShowSave(this))
            ExportFeedListCommand(model_, dialog.FileName);
    });
    on("mnuFileImportFavorite", [this, fileDialog, feedListFilter] {
        platform::dialogs::CommonDialog dialog = fileDialog("お気に入りインポート", feedListFilter);
        dialog.FileName = QStringLiteral("Newslist.brd");
        if (dialog.ShowOpen(this))
            ImportFeedList(app_, model_, dialog.FileName);
    });
    on("mnuFileImportDefaultNews", [this] { ImportDefaultNews(app_, model_); });
    const char* opmlFilter = "OPMLファイル(*.opml;*.xml)|*.opml;*.xml|すべてのファイル(*.*)|*.*";
    on("mnuFileImportOPML", [this, fileDialog, opmlFilter] {
        platform::dialogs::CommonDialog dialog = fileDialog("OPMLファイルのインポート", opmlFilter);
        if (dialog.ShowOpen(this))
            ImportOpmlCommand(model_, dialog.FileName);
    });
    on("mnuFileExportOPML", [this, fileDialog, opmlFilter] {
        platform::dialogs::CommonDialog dialog =
            fileDialog("OPMLファイルにエクスポート", opmlFilter);
        if (dialog.ShowSave(this))
            ExportOpmlCommand(model_, dialog.FileName);
    });
    on("mnuEditAddNews", [this] { showAddFeed([](AddFeedModel&) {}); });
    on("mnuPoptvwShowProperty", [this] {
        const int selected = model_.tvw1.selectedIndex();
        if (selected != 0)
            showAddFeed([selected](AddFeedModel& feed) { feed.prepareProperties(selected); });
    });
    on("mnuPoplvwAddFavorite", [this] {
        if (model_.lvw1.count() == 0 || model_.lvw1.selectedRow() == 0)
            return;
        const QString link = selectedArticleField(4);
        const QString title = selectedArticleField(1);
        showAddFeed([link, title](AddFeedModel& feed) {
            feed.txtURL = link;
            feed.txtName = title;
            const bool page =
                link.endsWith(QLatin1String(".html")) || link.endsWith(QLatin1String(".htm"));
            feed.comSelect.setListIndex(page ? 1 : 0);
        });
    });
    // Page commands run on the current browser without prompting where the
    // command allows it; a browser that cannot carry one out ignores it.
    const struct {
        const char* menu;
        int command;
    } pageCommands[] = {
        {"mnuEditCut", platform::web::command::Cut},
        {"mnuEditCopy", platform::web::command::Copy},
        {"mnuEditPaste", platform::web::command::Paste},
        {"mnuFileAllSelect", platform::web::command::SelectAll},
        {"mnuFilePrintThisPage", platform::web::command::Print},
        {"mnuFilePrintPreView", platform::web::command::PrintPreview},
        {"mnuFilePrintPageSetup", platform::web::command::PageSetup},
        {"mnuFileSaveAs", platform::web::command::SaveAs},
        {"mnuFileShowPropertyPage", platform::web::command::Properties},
    };
    for (const auto& page : pageCommands) {
        const int command = page.command;
        on(page.menu, [this, command] {
            if (platform::web::WebBrowser* target = currentBrowser())
                target->ExecWB(command, platform::web::option::DontPromptUser);
        });
    }
    on("mnuTabAddNewTab", [this] { openTab(QString(), QString()); });
    on("mnuTabDeleteSelectTab", [this] { CloseCurrentTab(app_, model_, *this); });
    on("mnuPopTabCloseTab", [this] { CloseCurrentTab(app_, model_, *this); });
    const struct {
        const char* menu;
        const char* key;
    } tabPageCommands[] = {{"mnuPopTabBack", "KEY_BACK"},
                           {"mnuPopTabForward", "KEY_FORWARD"},
                           {"mnuPopTabHOme", "KEY_HOME"},
                           {"mnuPopTabRefresh", "KEY_REFRESH"}};
    for (const auto& command : tabPageCommands) {
        const QString key = QString::fromLatin1(command.key);
        on(command.menu, [this, key] { browserCommand(browser(popupBrowser_), key); });
    }
    on("mnuPoplvwNavigate", [this] { OpenArticle(app_, model_, *this); });
    on("mnuPoplvwNavigateNewTab", [this] {
        if (model_.lvw1.count() > 0 && model_.lvw1.selectedRow() > 0)
            openTab(selectedArticleField(4), ExtraRequestHeaders());
    });
    on("mnuHelpShowHelp", [this] {
        openTab(QString(), QString());
        navigateBrowser(app_.LastBrowserIndex.value(), app_.file(paths::Help));
    });
    on("mnuFileOffline", [this] {
        platform::forms::MenuControl* offline =
            form_->menuControl(QStringLiteral("mnuFileOffline"));
        offline->setChecked(!offline->checked());
        for (int position = 1; position <= model_.Tab1.count(); ++position)
            setBrowserOffline(model_.Tab1.tag(position).toInt(), offline->checked());
    });
    on("mnuPoptvwDeleteSelectNews", [this] { deleteSelectedNode(); });
    on("mnuPoptvwCopyURL", [this] {
        const int selected = model_.tvw1.selectedIndex();
        if (selected == 0)
            return;
        QApplication::clipboard()->clear();
        QApplication::clipboard()->setText(model_.tvw1.key(selected));
    });
    const auto copyArticle = [this](bool title, bool link) {
        const QString text = articleClipboardText(model_, title, link);
        if (text.isEmpty() && model_.lvw1.selectedRow() == 0)
            return;
        QApplication::clipboard()->clear();
        QApplication::clipboard()->setText(text);
    };
    const auto folderMode = [&on, this](const char* name, int mode, bool modal) {
        on(name, [this, mode, modal] { showFolderDialog(mode, modal); });
    };
    folderMode("mnuEditAddFolder", FolderDialogModel::AddRootFolder, true);
    folderMode("mnuPoptvwAddRootFolder", FolderDialogModel::AddRootFolder, true);
    folderMode("mnuFileOpen", FolderDialogModel::OpenAddress, true);
    folderMode("mnhHelpShowVersion", FolderDialogModel::Version, true);
    folderMode("mnuToolAutoReload", FolderDialogModel::NewsPatrol, false);
    folderMode("mnuToolSearch", FolderDialogModel::Search, false);
    on("mnuEditAddSubFolder", [this] { showSubFolderDialog(); });
    on("mnuPoptvwAddSubFolder", [this] { showSubFolderDialog(); });
    on("mnuEditShowSource", [this] {
        platform::web::WebBrowser* shown = currentBrowser();
        const QString source = shown != nullptr ? shown->documentBodyHtml() : QString();
        showFolderDialog(FolderDialogModel::Source, false,
                         [source](FolderDialogModel& folder) { folder.txtSource = source; });
    });
    on("mnuEditDeleteLog", [this] { DeleteHistoryCommand(app_, HistoryFiles::Logs); });
    on("mnuEditDeleteNewsHistory",
       [this] { DeleteHistoryCommand(app_, HistoryFiles::NewsHistory); });
    on("mnuEditDeleteHistory", [this] { DeleteHistoryCommand(app_, HistoryFiles::History); });
    on("mnuViewAutoRefreshEnable", [this] {
        refresh_.switchClick();
        syncMenuStates();
    });
    handlers.insert(QStringLiteral("mnuViewAutoRefresh_time"), [this](int index) {
        refresh_.intervalClick(index);
        syncMenuStates();
    });
    on("mnuToolSkinManager", [this] { showSkinManager(); });
    on("mnuToolSetup", [this] { showSettings(); });
    on("mnuPoplvwCopyDes", [copyArticle] { copyArticle(true, false); });
    on("mnuPoplvwCopyURL", [copyArticle] { copyArticle(false, true); });
    on("mnuPoplvwCopyDesAndURL", [copyArticle] { copyArticle(true, true); });
    return handlers;
}

void MainWindow::showAddFeed(const std::function<void(AddFeedModel&)>& preset) {
    try {
        AddFeedDialog dialog(model_, this);
        preset(dialog.model());
        dialog.move(geometry().topLeft());
        dialog.exec();
        activateWindow();
    } catch (const platform::RuntimeError&) {
        // The dialog simply does not appear.
    }
}

void MainWindow::showFolderDialog(int mode, bool modal,
                                  const std::function<void(FolderDialogModel&)>& preset) {
    // A dialog closed by its command or its cancel button is unloaded; only
    // one still on screen is reused, without loading again.
    if (folderDialog_ != nullptr && !folderDialog_->isVisible())
        delete folderDialog_;
    if (folderDialog_ == nullptr)
        folderDialog_ = new FolderDialog(app_, model_, *this, this);
    FolderDialogModel& folder = folderDialog_->model();
    folder.m_SetWindow(mode);
    if (preset)
        preset(folder);
    folderDialog_->showModel();
    if (modal) {
        folderDialog_->hide(); // a shown dialog cannot turn modal
        folderDialog_->exec();
        delete folderDialog_;
        activateWindow(); // keys and menus belong to the main window again
    } else {
        folderDialog_->show();
        folderDialog_->raise();
        folderDialog_->activateWindow();
    }
}

void MainWindow::showSubFolderDialog() {
    auto& tree = model_.tvw1;
    for (int node = 1; node <= tree.count(); ++node) {
        // Sub-folders hold feeds only, as the tree's pop-up menu offers.
        if (tree.selectedIndex() == node && isFolderImage(tree.image(node)) &&
            tree.key(node).startsWith(QLatin1String("root_"))) {
            const QString place = tree.text(node);
            showFolderDialog(FolderDialogModel::AddSubFolder, true,
                             [place](FolderDialogModel& folder) { folder.txtPlace = place; });
            return;
        }
    }
    const int selected = tree.selectedIndex();
    if (selected != 0 && isFolderImage(tree.image(selected)))
        model_.stb1.setPanelText(
            1, QStringLiteral("サブフォルダはルートフォルダにだけ追加できます。"));
}

void MainWindow::connectCommands() {
    connect(tvw1_, &platform::controls::TreeViewWidget::textDropped, this,
            [this](const QString& text) {
                showAddFeed([text](AddFeedModel& feed) { feed.txtURL = text; });
            });
    connect(&model_.tlb3, &platform::controls::ToolBarModel::buttonClicked, this,
            [this](const QString& key) {
                const int selected = model_.tvw1.selectedIndex();
                if (key != QLatin1String("ADD") || model_.tvw1.count() == 0 || selected == 0 ||
                    !isFolderImage(model_.tvw1.image(selected)))
                    return;
                const int tab = model_.Tab1.selected();
                const QString caption = tab > 0 ? model_.Tab1.caption(tab) : QString();
                const QString address = browserLocation(currentBrowserIndex(model_));
                showAddFeed([caption, address](AddFeedModel& feed) {
                    feed.comSelect.setListIndex(1);
                    feed.txtURL = address;
                    feed.txtName = caption;
                });
            });
    // Every way of changing the tab runs the same switch.
    connect(tab1_, &platform::controls::TabStripWidget::tabClickedAt, this,
            [this](int) { SwitchTab(app_, model_, *this); });
    connect(tab1_, &platform::controls::TabStripWidget::currentChosen, this,
            [this](int) { SwitchTab(app_, model_, *this); });
    const struct {
        QKeySequence keys;
        int step;
    } tabKeys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1},
    };
    for (const auto& tabKey : tabKeys) {
        auto* shortcut = new QShortcut(tabKey.keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        const int step = tabKey.step;
        connect(shortcut, &QShortcut::activated, this,
                [this, step] { StepTab(app_, model_, *this, step); });
    }
    connect(tab1_, &platform::controls::TabStripWidget::middleReleased, this,
            [this] { CloseCurrentTab(app_, model_, *this); });
    connect(&model_.tlb2, &platform::controls::ToolBarModel::buttonClicked, this,
            [this](const QString& key) {
                if (key == QLatin1String("TAB_ADD"))
                    openTab(QString(), QString());
                else if (key == QLatin1String("TAB_DELETE"))
                    CloseCurrentTab(app_, model_, *this);
            });
    connect(cmdGo_, &QPushButton::clicked, this, [this] { GoToAddress(model_, *this); });
    connect(comURL_->lineEdit(), &QLineEdit::returnPressed, this,
            [this] { GoToAddress(model_, *this); });
    connect(cmdSearch_, &QPushButton::clicked, this, [this] { RunSearch(model_, *this); });
    connect(txtSearch_, &QLineEdit::returnPressed, this, [this] { RunSearch(model_, *this); });
    const auto openArticle = [this] { OpenArticle(app_, model_, *this); };
    connect(lvw1_, &platform::controls::ListViewWidget::rowDoubleClicked, this, openArticle);
    connect(lvw1_, &platform::controls::ListViewWidget::enterPressed, this, openArticle);
    connect(tvw1_, &platform::controls::TreeViewWidget::nodeClicked, this, [this](int node) {
        if (model_.tvw1.count() > 0 && model_.tvw1.selectedIndex() != 0 && node != 0)
            model_.stb1.setPanelText(1, nodeStatusText(model_, node));
    });
    connect(&model_.tlb1, &platform::controls::ToolBarModel::buttonClicked, this,
            [this](const QString& key) { browserCommand(key); });
    connect(tvw1_, &platform::controls::TreeViewWidget::contextMenuAt, this,
            [this](int, const QPoint& globalPos) { showTreePopup(globalPos); });
    connect(lvw1_, &platform::controls::ListViewWidget::contextMenuAt, this,
            [this](int, const QPoint& globalPos) {
                if (form_ != nullptr)
                    form_->popupMenu(QStringLiteral("mnuPoplvw"), globalPos);
            });
    connect(tab1_, &platform::controls::TabStripWidget::rightReleased, this,
            [this](const QPoint& globalPos) {
                if (form_ == nullptr)
                    return;
                // The pop-up's page commands act on the tab under the mouse.
                const int position = tab1_->tabAt(tab1_->mapFromGlobal(globalPos)) + 1;
                popupBrowser_ = position >= 1 && position <= model_.Tab1.count()
                                    ? model_.Tab1.tag(position).toInt()
                                    : currentBrowserIndex(model_);
                form_->popupMenu(QStringLiteral("mnuPopTab"), globalPos);
            });
}

} // namespace quillet
