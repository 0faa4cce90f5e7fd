#include "reader/mainwindow/MainWindow.h"

#include "platform/controls/ControlWidgets.h"
#include "platform/web/WebBrowser.h"
#include "reader/app/AppState.h"
#include "reader/app/Lifecycle.h"
#include "reader/mainwindow/FeedOpening.h"
#include "reader/mainwindow/Pictures.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace quillet {

namespace {

// The window's coordinates are kept in twips, 15 to a pixel on a 96 dpi screen.
constexpr float TwipsPerPixel = 15.0f;

int pixels(float twips) {
    return static_cast<int>(twips / TwipsPerPixel + 0.5f);
}
float twips(int pixels) {
    return static_cast<float>(pixels) * TwipsPerPixel;
}

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

MainWindow::MainWindow(AppState& app) : app_(app) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Quillet"));
    addMainWindowPictures(model_.Imlst);
    buildStandardBar();
    addToolBarBreak();
    buildSearchBar();
    buildPanes();
    setStatusBar(new platform::controls::StatusBarWidget(&model_.stb1, this));
}

MainWindow::~MainWindow() = default;

void MainWindow::buildStandardBar() {
    auto* tlb1 = new platform::controls::ToolBarWidget(&model_.tlb1, &model_.Imlst, this);
    tlb1->setObjectName(QStringLiteral("tlb1"));
    comURL_ = new QComboBox(tlb1);
    comURL_->setObjectName(QStringLiteral("comURL"));
    comURL_->setEditable(true);
    comURL_->setInsertPolicy(QComboBox::NoInsert);
    comURL_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    bindCombo(comURL_, model_.comURL);
    tlb1->addWidget(comURL_);
    cmdGo_ = new QPushButton(QStringLiteral("移動"), tlb1);
    cmdGo_->setObjectName(QStringLiteral("cmdGo"));
    cmdGo_->setToolTip(QStringLiteral("指定されたURLに移動します"));
    tlb1->addWidget(cmdGo_);
    addToolBar(Qt::TopToolBarArea, tlb1);
}

void MainWindow::buildSearchBar() {
    auto* tlb2 = new platform::controls::ToolBarWidget(&model_.tlb2, &model_.Imlst, this);
    tlb2->setObjectName(QStringLiteral("tlb2"));
    tlb2->addSeparator();
    tlb2->addWidget(new QLabel(QStringLiteral("検索："), tlb2));
    txtSearch_ = new QLineEdit(tlb2);
    txtSearch_->setObjectName(QStringLiteral("txtSearch"));
    txtSearch_->setToolTip(QStringLiteral("検索したい文字列を入力します"));
    txtSearch_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(txtSearch_, &QLineEdit::textChanged, this,
            [this](const QString& text) { model_.txtSearch = text; });
    tlb2->addWidget(txtSearch_);
    comEngine_ = new QComboBox(tlb2);
    comEngine_->setObjectName(QStringLiteral("comEngine"));
    bindCombo(comEngine_, model_.comEngine);
    tlb2->addWidget(comEngine_);
    cmdSearch_ = new QPushButton(QStringLiteral("検索"), tlb2);
    cmdSearch_->setObjectName(QStringLiteral("cmdSearch"));
    cmdSearch_->setToolTip(QStringLiteral("指定されたサーチエンジンで検索します"));
    tlb2->addWidget(cmdSearch_);
    addToolBar(Qt::TopToolBarArea, tlb2);
}

void MainWindow::buildPanes() {
    vSep_ = new QSplitter(Qt::Horizontal, this);
    vSep_->setObjectName(QStringLiteral("vSep"));

    auto* fFrame = new QWidget(vSep_);
    fFrame->setObjectName(QStringLiteral("fFrame"));
    auto* left = new QVBoxLayout(fFrame);
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(0);
    auto* tlb3 = new platform::controls::ToolBarWidget(&model_.tlb3, &model_.Imlst, fFrame);
    tlb3->setObjectName(QStringLiteral("tlb3"));
    tlb3->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    left->addWidget(tlb3);
    tvw1_ = new platform::controls::TreeViewWidget(&model_.tvw1, &model_.Imlst, fFrame);
    tvw1_->setObjectName(QStringLiteral("tvw1"));
    left->addWidget(tvw1_);
    const auto openFeed = [this] { OpenFeed(app_, model_, *this); };
    connect(tvw1_, &platform::controls::TreeViewWidget::nodeDoubleClicked, this, openFeed);
    connect(tvw1_, &platform::controls::TreeViewWidget::enterPressed, this, openFeed);

    hSep_ = new QSplitter(Qt::Vertical, vSep_);
    hSep_->setObjectName(QStringLiteral("hSep"));
    lvw1_ = new platform::controls::ListViewWidget(&model_.lvw1, hSep_);
    lvw1_->setObjectName(QStringLiteral("lvw1"));

    auto* tabArea = new QWidget(hSep_);
    auto* tabs = new QVBoxLayout(tabArea);
    tabs->setContentsMargins(0, 0, 0, 0);
    tabs->setSpacing(0);
    auto* tab1 = new platform::controls::TabStripWidget(&model_.Tab1, tabArea);
    tab1->setObjectName(QStringLiteral("Tab1"));
    tabs->addWidget(tab1);
    browserStack_ = new QStackedWidget(tabArea);
    tabs->addWidget(browserStack_, 1);
    createBrowser(1);

    setCentralWidget(vSep_);
}

platform::web::WebBrowser* MainWindow::createBrowser(int index) {
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

void MainWindow::bringBrowserToFront(int browserIndex) {
    if (platform::web::WebBrowser* target = browser(browserIndex))
        browserStack_->setCurrentWidget(target);
}

void MainWindow::arrangeSplitters() {
    // The left pane takes about a fifth of the width, the article list a third
    // of the right side's height.
    const int width = std::max(vSep_->width(), 600);
    vSep_->setSizes({width / 5, width - width / 5});
    const int height = std::max(hSep_->height(), 400);
    hSep_->setSizes({height / 3, height - height / 3});
}

void MainWindow::load() {
    RunMainWindowLoad(app_, model_, *this);
    applyLayout();
}

void MainWindow::applyLayout() {
    const WindowLayout& layout = model_.layout;
    move(pixels(layout.left), pixels(layout.top));
    resize(pixels(layout.width), pixels(layout.height));
    applyFont(this, layout.windowFont);
    applyFont(tvw1_, layout.treeFont);
    applyFont(lvw1_, layout.listFont);
    arrangeSplitters();
}

void MainWindow::captureLayout() {
    if (isMinimized() || isMaximized())
        return; // the normal geometry is what comes back at the next start
    WindowLayout& layout = model_.layout;
    layout.left = twips(x());
    layout.top = twips(y());
    layout.width = twips(width());
    layout.height = twips(height());
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    if (isVisible())
        captureLayout();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (isVisible())
        captureLayout();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!closed_) {
        closed_ = true;
        QueryUnload(app_, model_);
        // Unloading the main window unloads every other window of the program.
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window != this && window->isVisible())
                window->close();
        }
    }
    event->accept();
}

} // namespace quillet
