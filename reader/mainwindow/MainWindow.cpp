#include "reader/mainwindow/MainWindow.h"

#include "platform/controls/ControlWidgets.h"
#include "platform/dialogs/CommonDialog.h"
#include "platform/forms/HostForm.h"
#include "platform/forms/MenuControl.h"
#include "platform/gdi/SystemColors.h"
#include "platform/net/ResponsiveDownload.h"
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
#include "reader/mainwindow/ArticleOpening.h"
#include "reader/mainwindow/FeedOpening.h"
#include "reader/mainwindow/MainMenus.h"
#include "reader/mainwindow/Pictures.h"
#include "reader/mainwindow/SplitterBar.h"
#include "reader/mainwindow/Tabs.h"
#include "reader/mainwindow/WebSearch.h"
#include "reader/present/SkinManagerDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>

namespace quillet {

namespace {

void applyFont(QWidget* widget, const FontSetting& setting) {
    QFont font = widget->font();
    if (setting.hasName())
        font.setFamily(setting.name);
    if (setting.hasSize())
        font.setPointSizeF(setting.size);
    widget->setFont(font);
}

// Keeps a combo box widget and its model showing the same entries and text.
void bindCombo(QComboBox* box, platform::controls::ComboBoxModel& model) {
    box->addItems(model.entries());
    box->setToolTip(model.toolTip());
    if (box->isEditable()) {
        box->setEditText(model.text());
        QObject::connect(&model, &platform::controls::ComboBoxModel::textChanged, box,
                         [box](const QString& text) {
                             if (box->currentText() != text)
                                 box->setEditText(text);
                         });
        QObject::connect(box, &QComboBox::editTextChanged, &model,
                         [&model](const QString& text) { model.setText(text); });
    } else {
        QObject::connect(&model, &platform::controls::ComboBoxModel::textChanged, box,
                         [box](const QString& text) {
                             const int index = box->findText(text);
                             if (index >= 0)
                                 box->setCurrentIndex(index);
                         });
        QObject::connect(box, &QComboBox::activated, &model,
                         [&model](int index) { model.setListIndex(index); });
    }
    QObject::connect(&model, &platform::controls::ComboBoxModel::entriesChanged, box,
                     [box, &model] {
                         const QString text = model.text();
                         box->clear();
                         box->addItems(model.entries());
                         if (box->isEditable())
                             box->setEditText(text);
                     });
}

} // namespace

MainWindow::MainWindow(AppState& app) : app_(app), refresh_(app, model_, *this) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Quillet"));
    addMainWindowPictures(model_.Imlst);
    client_ = new QWidget(this);
    setCentralWidget(client_);
    buildStandardBar();
    buildSearchBar();
    buildPanes();
    buildSplitters();
    stb1_ = new platform::controls::StatusBarWidget(&model_.stb1, client_);
    stb1_->setSizeGripEnabled(false);
    connectCommands();
    fitControlsToFonts();
}

MainWindow::~MainWindow() {
    // The dialogs work on the models, which go before the window's children do.
    delete folderDialog_;
    delete skinManager_;
}

int MainWindow::pixels(int twips) const {
    const double dpi = logicalDpiY() > 0 ? logicalDpiY() : 96.0;
    return static_cast<int>(twips * dpi / 1440.0 + (twips >= 0 ? 0.5 : -0.5));
}

int MainWindow::twips(int pixels) const {
    const double dpi = logicalDpiY() > 0 ? logicalDpiY() : 96.0;
    return static_cast<int>(pixels * 1440.0 / dpi + (pixels >= 0 ? 0.5 : -0.5));
}

QRect MainWindow::pixelRect(const TwipsRect& rect) const {
    const int left = pixels(rect.left);
    const int top = pixels(rect.top);
    return QRect(left, top, std::max(0, pixels(rect.right()) - left),
                 std::max(0, pixels(rect.bottom()) - top));
}

void MainWindow::buildStandardBar() {
    tlb1_ = new platform::controls::ToolBarWidget(&model_.tlb1, &model_.Imlst, client_);
    // Its Stop button cancels a feed download, while the rest of the window waits.
    tlb1_->setProperty(platform::net::kAllowedWhileDownloading, true);
    tlb1_->setObjectName(QStringLiteral("tlb1"));
    tlb1_->setMovable(false);
    comURL_ = new QComboBox(tlb1_);
    comURL_->setObjectName(QStringLiteral("comURL"));
    comURL_->setEditable(true);
    comURL_->setInsertPolicy(QComboBox::NoInsert);
    bindCombo(comURL_, model_.comURL);
    cmdGo_ = new QPushButton(QStringLiteral("移動"), tlb1_);
    cmdGo_->setObjectName(QStringLiteral("cmdGo"));
    cmdGo_->setToolTip(QStringLiteral("指定されたURLに移動します"));
    cmdGo_->setStyleSheet(QStringLiteral("padding: 0px"));
}

void MainWindow::buildSearchBar() {
    tlb2_ = new platform::controls::ToolBarWidget(&model_.tlb2, &model_.Imlst, client_);
    tlb2_->setObjectName(QStringLiteral("tlb2"));
    tlb2_->setMovable(false);
    auto* label = new QLabel(QStringLiteral("検索："), tlb2_);
    label->setGeometry(72, 6, 40, 16);
    txtSearch_ = new QLineEdit(tlb2_);
    txtSearch_->setObjectName(QStringLiteral("txtSearch"));
    txtSearch_->setToolTip(QStringLiteral("検索したい文字列を入力します"));
    connect(txtSearch_, &QLineEdit::textChanged, this,
            [this](const QString& text) { model_.txtSearch = text; });
    comEngine_ = new QComboBox(tlb2_);
    comEngine_->setObjectName(QStringLiteral("comEngine"));
    comEngine_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    bindCombo(comEngine_, model_.comEngine);
    cmdSearch_ = new QPushButton(QStringLiteral("検索"), tlb2_);
    cmdSearch_->setObjectName(QStringLiteral("cmdSearch"));
    cmdSearch_->setToolTip(QStringLiteral("指定されたサーチエンジンで検索します"));
}

void MainWindow::buildPanes() {
    fFrame_ = new QWidget(client_);
    fFrame_->setObjectName(QStringLiteral("fFrame"));
    tlb3_ = new platform::controls::ToolBarWidget(&model_.tlb3, &model_.Imlst, fFrame_);
    tlb3_->setObjectName(QStringLiteral("tlb3"));
    tlb3_->setMovable(false);
    tlb3_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    tvw1_ = new platform::controls::TreeViewWidget(&model_.tvw1, &model_.Imlst, fFrame_);
    tvw1_->setObjectName(QStringLiteral("tvw1"));
    const auto openFeed = [this] { OpenFeed(app_, model_, *this); };
    connect(tvw1_, &platform::controls::TreeViewWidget::nodeDoubleClicked, this, openFeed);
    connect(tvw1_, &platform::controls::TreeViewWidget::enterPressed, this, openFeed);

    lvw1_ = new platform::controls::ListViewWidget(&model_.lvw1, client_);
    lvw1_->setObjectName(QStringLiteral("lvw1"));

    tab1_ = new platform::controls::TabStripWidget(&model_.Tab1, client_);
    tab1_->setObjectName(QStringLiteral("Tab1"));
    tab1_->setShape(QTabBar::RoundedSouth);
    tab1_->setExpanding(false);
    browserStack_ = new QStackedWidget(client_);
    makeBrowser(1);
}

void MainWindow::buildSplitters() {
    const QColor activeBorder = platform::gdi::sysColor(platform::gdi::syscolor::ActiveBorder);
    const QColor dragging = platform::gdi::colorOfColorref(0xC00000);
    vSep_ = new SplitterBar(Qt::Vertical, client_);
    vSep_->setObjectName(QStringLiteral("vSep"));
    dvSep_ = new SplitterBar(Qt::Vertical, client_);
    dvSep_->setObjectName(QStringLiteral("dvSep"));
    hSep_ = new SplitterBar(Qt::Horizontal, client_);
    hSep_->setObjectName(QStringLiteral("hSep"));
    dhSep_ = new SplitterBar(Qt::Horizontal, client_);
    dhSep_->setObjectName(QStringLiteral("dhSep"));
    for (SplitterBar* bar : {vSep_, hSep_})
        bar->setColor(activeBorder);
    for (SplitterBar* bar : {dvSep_, dhSep_})
        bar->setColor(platform::gdi::sysColor(platform::gdi::syscolor::ButtonFace));

    connect(hSep_, &SplitterBar::pressed, this, [this, dragging](const QPoint& pos) {
        hSep_->setColor(dragging);
        layout_.hSepDown(twips(pos.y()));
        applyFormLayout();
    });
    connect(hSep_, &SplitterBar::dragged, this, [this](const QPoint& pos) {
        layout_.hSepMove(twips(pos.y()));
        applyFormLayout();
    });
    connect(hSep_, &SplitterBar::released, this, [this, activeBorder] {
        hSep_->setColor(activeBorder);
        layout_.hSepUp();
        applyFormLayout();
    });
    connect(vSep_, &SplitterBar::pressed, this, [this, dragging](const QPoint& pos) {
        vSep_->setColor(dragging);
        layout_.vSepDown(twips(pos.x()));
        applyFormLayout();
    });
    connect(vSep_, &SplitterBar::dragged, this, [this](const QPoint& pos) {
        layout_.vSepMove(twips(pos.x()));
        applyFormLayout();
    });
    connect(vSep_, &SplitterBar::released, this, [this, activeBorder] {
        vSep_->setColor(activeBorder);
        layout_.vSepUp();
        applyFormLayout();
    });
}

void MainWindow::applyFormLayout() {
    const FormLayout& l = layout_;
    tlb1_->setVisible(l.tlb1Visible);
    tlb1_->setGeometry(pixelRect(l.tlb1));
    comURL_->setGeometry(pixelRect(l.comURL));
    cmdGo_->setGeometry(pixelRect(l.cmdGo));
    tlb2_->setVisible(l.tlb2Visible);
    tlb2_->setGeometry(pixelRect(l.tlb2));
    txtSearch_->setGeometry(pixelRect(l.txtSearch));
    comEngine_->setGeometry(pixelRect(l.comEngine));
    cmdSearch_->setGeometry(pixelRect(l.cmdSearch));
    stb1_->setVisible(l.stb1Visible);
    stb1_->setGeometry(pixelRect(l.stb1));

    fFrame_->setGeometry(pixelRect(l.fFrame));
    tlb3_->setGeometry(pixelRect(l.tlb3));
    tvw1_->setGeometry(pixelRect(l.tvw1));
    lvw1_->setGeometry(pixelRect(l.lvw1));
    // The tab strip's tabs stand below its browsers.
    const QRect strip = pixelRect(l.Tab1);
    const QRect page = pixelRect(l.browser);
    tab1_->setGeometry(strip.left(), page.bottom() + 1, strip.width(),
                       std::max(0, strip.bottom() - page.bottom()));
    browserStack_->setGeometry(page);

    // The bar being dragged stays shown under the one that follows the mouse:
    // hiding it would end its hold on the mouse and stop the drag.
    vSep_->setGeometry(pixelRect(l.vSep));
    dvSep_->setGeometry(pixelRect(l.dvSep));
    dvSep_->setVisible(l.dvSepVisible);
    hSep_->setGeometry(pixelRect(l.hSep));
    dhSep_->setGeometry(pixelRect(l.dhSep));
    dhSep_->setVisible(l.dhSepVisible);
    if (l.dhSepVisible)
        dhSep_->raise();
    if (l.dvSepVisible)
        dvSep_->raise();

    // The window goes no smaller than the layout can place every control in.
    const TwipsRect least = l.minimumInnerSize();
    client_->setMinimumSize(pixels(least.width), pixels(least.height));
    const QSize menu = menuWidget() != nullptr ? menuWidget()->sizeHint() : QSize(0, 0);
    setMinimumSize(std::max(client_->minimumWidth(), menu.width()),
                   client_->minimumHeight() + menu.height());
}

void MainWindow::fitControlsToFonts() {
    // The status bar shows its panels' text whole, descenders included, and
    // the engine box its longest caption. Japanese text is drawn in a fallback
    // face taller than the bar's own, so a panel is measured holding some.
    QLabel sample(QStringLiteral("ダウンロード完了しました gjpqy_[0:00:00]"));
    sample.setFont(stb1_->font());
    for (QLabel* panel : stb1_->findChildren<QLabel*>())
        panel->setMinimumHeight(sample.sizeHint().height());
    const int statusHeight =
        std::max(stb1_->sizeHint().height(), stb1_->fontMetrics().height() + 6);
    layout_.setStatusHeight(twips(statusHeight));
    layout_.setEngineBoxWidth(twips(comEngine_->sizeHint().width()));
    applyFormLayout();
}

void MainWindow::toggleBar(void (FormLayout::*toggle)()) {
    (layout_.*toggle)();
    applyFormLayout();
}

platform::web::WebBrowser* MainWindow::makeBrowser(int index) {
    auto* browser = new platform::web::WebBrowser(browserStack_);
    browser->setObjectName(QStringLiteral("wbr1(%1)").arg(index));
    browserStack_->addWidget(browser);
    browsers_[index] = browser;
    connect(browser, &platform::web::WebBrowser::StatusTextChange, this,
            [this](const QString& text) { model_.stb1.setPanelText(1, text); });
    connect(browser, &platform::web::WebBrowser::TitleChange, this,
            [this, index](const QString& title) {
                for (int position = 1; position <= model_.Tab1.count(); ++position) {
                    if (model_.Tab1.tag(position) == QString::number(index))
                        model_.Tab1.setCaption(position, title);
                }
            });
    // A completed page joins the address list and becomes its text when it is
    // the page the user sees; a background tab's page waits for its tab to be
    // chosen, which shows its address then.
    connect(browser, &platform::web::WebBrowser::DocumentComplete, this,
            [this, index](const QString& address) {
                if (!isCurrentBrowser(model_, index))
                    return;
                model_.comURL.addEntry(address);
                model_.comURL.setText(address);
                if (!model_.noteAfterPage.isEmpty()) {
                    model_.stb1.setPanelText(1, model_.noteAfterPage);
                    model_.noteAfterPage.clear();
                }
            });
    // A page asking for a new window gets a new tab at the end, not selected,
    // whose browser shows the page it asked for (sending the handed-over browser
    // home would replace that page, so it is not sent home).
    connect(browser, &platform::web::WebBrowser::NewWindow, this,
            [this](platform::web::WebBrowser** handOver) {
                try {
                    const int index = AddCountedTab(app_, model_);
                    platform::web::WebBrowser* opened = makeBrowser(index);
                    opened->setRegisterAsBrowser(true);
                    *handOver = opened;
                } catch (const platform::RuntimeError&) {
                    // Past 32,767 tabs the page gets no new window.
                }
            });
    browser->setHomePage(app_.file(paths::StartPage));
    // The article page is built from feed text; its scripts would run as a
    // local file of the program's own.
    browser->blockScriptsOn(app_.file(paths::Gateway));
    return browser;
}

platform::web::WebBrowser* MainWindow::browser(int index) const {
    const auto found = browsers_.find(index);
    return found == browsers_.end() ? nullptr : found->second;
}

void MainWindow::navigateBrowser(int browserIndex, const QString& address) {
    if (platform::web::WebBrowser* target = browser(browserIndex))
        target->Navigate(address);
}

void MainWindow::navigateBrowser(int browserIndex, const QString& address, const QString& headers) {
    if (platform::web::WebBrowser* target = browser(browserIndex))
        target->Navigate(address, headers);
}

void MainWindow::createBrowser(int browserIndex) {
    if (browser(browserIndex) == nullptr)
        makeBrowser(browserIndex);
}

void MainWindow::destroyBrowser(int browserIndex) {
    const auto found = browsers_.find(browserIndex);
    if (found == browsers_.end())
        return;
    std::unique_ptr<platform::web::WebBrowser> gone(found->second);
    browsers_.erase(found);
    browserStack_->removeWidget(gone.get());
}

void MainWindow::browserGoHome(int browserIndex) {
    if (platform::web::WebBrowser* target = browser(browserIndex))
        target->GoHome();
}

void MainWindow::refreshBrowser(int browserIndex) {
    if (platform::web::WebBrowser* target = browser(browserIndex))
        target->Refresh();
}

QWidget* MainWindow::fontWidget(FontArea area) const {
    switch (area) {
    case FontArea::Tree:
        return tvw1_;
    case FontArea::List:
        return lvw1_;
    case FontArea::StatusBar:
        return stb1_;
    case FontArea::Window:
        break;
    }
    return const_cast<MainWindow*>(this);
}

FontSetting MainWindow::areaFont(FontArea area) const {
    const QFont font = fontWidget(area)->font();
    return {font.family(), static_cast<float>(font.pointSizeF())};
}

void MainWindow::setAreaFont(FontArea area, const FontSetting& setting) {
    applyFont(fontWidget(area), setting);
}

void MainWindow::setBrowserOffline(int browserIndex, bool offline) {
    if (platform::web::WebBrowser* target = browser(browserIndex))
        target->setOffline(offline);
}

QString MainWindow::browserLocation(int browserIndex) const {
    const platform::web::WebBrowser* target = browser(browserIndex);
    return target != nullptr ? target->LocationURL() : QString();
}

void MainWindow::setCaption(const QString& caption) {
    setWindowTitle(caption);
}

bool MainWindow::offlineChecked() const {
    const platform::forms::MenuControl* offline =
        form_ != nullptr ? form_->menuControl(QStringLiteral("mnuFileOffline")) : nullptr;
    return offline != nullptr && offline->checked();
}

void MainWindow::bringBrowserToFront(int browserIndex) {
    if (platform::web::WebBrowser* target = browser(browserIndex))
        browserStack_->setCurrentWidget(target);
}

void MainWindow::arrangeSplitters() {
    layout_.arrangeSplitters();
    applyFormLayout();
}

void MainWindow::loadForm() {
    platform::forms::FormDescription description = mainFormDescription(menuHandlers());
    description.formFile = mainFormFilePath();
    try {
        form_ = std::make_unique<platform::forms::HostForm>(this, description);
        form_->load();
    } catch (const platform::RuntimeError& error) {
        if (error.number() != platform::forms::CannotCreateObject)
            throw;
        // Without the menu control's library beside the program the menus
        // still work, drawn plain: better than a reader that cannot start.
        qWarning("%s", qPrintable(error.description()));
        description.formFile.clear();
        form_ = std::make_unique<platform::forms::HostForm>(this, description);
        form_->load();
    }
}

void MainWindow::load() {
    // The form engine gives the window its handle and its menus before the
    // window's own load handler runs.
    loadForm();
    RunMainWindowLoad(app_, model_, *this);
    syncMenuStates();
    applyLayout();
    refresh_.runPatrol = [this] { runPatrol(); };
    tim1_ = new QTimer(this);
    tim1_->setObjectName(QStringLiteral("tim1"));
    tim1_->setInterval(RefreshTimer::TickMs);
    connect(tim1_, &QTimer::timeout, this, [this] { refresh_.tick(); });
    tim1_->start();
}

void MainWindow::syncMenuStates() {
    for (platform::forms::MenuControl* menu : form_->menuControls()) {
        const QString name = menu->isArrayElement()
                                 ? QStringLiteral("%1(%2)").arg(menu->name()).arg(menu->index())
                                 : menu->name();
        if (!model_.menus.contains(name))
            continue;
        const MenuStates::State state = model_.menus.state(name);
        menu->setEnabled(state.enabled);
        menu->setChecked(state.checked);
    }
}

void MainWindow::setMenuChecked(const QString& name, bool checked) {
    if (form_ != nullptr) {
        if (platform::forms::MenuControl* menu = form_->menuControl(name))
            menu->setChecked(checked);
    }
}

void MainWindow::applyLayout() {
    const WindowLayout& layout = model_.layout;
    move(pixels(static_cast<int>(layout.left)), pixels(static_cast<int>(layout.top)));
    resize(pixels(static_cast<int>(layout.width)), pixels(static_cast<int>(layout.height)));
    applyFont(this, layout.windowFont);
    applyFont(tvw1_, layout.treeFont);
    applyFont(lvw1_, layout.listFont);
    fitControlsToFonts();
    arrangeSplitters();
}

void MainWindow::captureLayout() {
    if (isMinimized() || isMaximized())
        return; // the normal geometry is what comes back at the next start
    WindowLayout& layout = model_.layout;
    layout.left = static_cast<float>(twips(x()));
    layout.top = static_cast<float>(twips(y()));
    layout.width = static_cast<float>(twips(width()));
    layout.height = static_cast<float>(twips(height()));
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    if (isVisible())
        captureLayout();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // Any failure of the arithmetic leaves the rest as it was; nothing here throws.
    layout_.resize(twips(client_->width()), twips(client_->height()));
    applyFormLayout();
    if (isVisible())
        captureLayout();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!closed_) {
        closed_ = true;
        if (tim1_ != nullptr)
            tim1_->stop();
        QueryUnload(app_, model_);
        // Unloading the main window unloads every other window of the program.
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window != this && window->isVisible())
                window->close();
        }
        if (form_ != nullptr)
            form_->unload();
    }
    event->accept();
}

} // namespace quillet
