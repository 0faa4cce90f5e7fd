#pragma once
// The main window Form1: tool bars, the feed tree with its favourites bar, the
// article list, the tabbed browsers and the status bar, shown over the models of
// MainWindowModel. The procedures that make it ready and save it on closing
// work on the models; this class only places widgets and forwards events.
#include "reader/mainwindow/FormLayout.h"
#include "reader/mainwindow/MainWindowModel.h"
#include "reader/mainwindow/RefreshTimer.h"
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>

class QComboBox;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTimer;

namespace platform::controls {
class TreeViewWidget;
class ListViewWidget;
class TabStripWidget;
class ToolBarWidget;
class StatusBarWidget;
} // namespace platform::controls
namespace platform::web {
class WebBrowser;
}
namespace platform::forms {
class HostForm;
}

namespace quillet {

struct AppState;
class AddFeedModel;
class FolderDialog;
class FolderDialogModel;
class SkinManagerDialog;
class SplitterBar;

class MainWindow : public QMainWindow, public MainWindowView {
    Q_OBJECT
public:
    explicit MainWindow(AppState& app);
    ~MainWindow() override;

    // The load handler: start-up procedures, then the settings' size, place and fonts.
    void load();

    MainWindowModel& model() { return model_; }
    FormLayout& formLayout() { return layout_; }
    // Places every control where the layout says, at the screen's resolution.
    void applyFormLayout();
    void toggleBar(void (FormLayout::*toggle)());
    platform::web::WebBrowser* browser(int index) const;

    void navigateBrowser(int browserIndex, const QString& address) override;
    void navigateBrowser(int browserIndex, const QString& address, const QString& headers) override;
    void bringBrowserToFront(int browserIndex) override;
    void arrangeSplitters() override;
    void createBrowser(int browserIndex) override;
    void destroyBrowser(int browserIndex) override;
    void browserGoHome(int browserIndex) override;
    void setBrowserOffline(int browserIndex, bool offline) override;
    void refreshBrowser(int browserIndex) override;
    FontSetting areaFont(FontArea area) const override;
    void setAreaFont(FontArea area, const FontSetting& font) override;
    QString browserLocation(int browserIndex) const override;
    void setCaption(const QString& caption) override;
    bool isOffline() const override { return offlineChecked(); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The form engine's form with the stored control settings of Form1.
    void loadForm();
    void buildStandardBar();
    void buildSearchBar();
    void buildPanes();
    void buildSplitters();
    void connectCommands();
    QHash<QString, std::function<void(int)>> menuHandlers();
    void syncMenuStates();
    void setMenuChecked(const QString& name, bool checked);
    platform::web::WebBrowser* currentBrowser() const;
    void browserCommand(const QString& key);
    void browserCommand(platform::web::WebBrowser* target, const QString& key);
    void showTreePopup(const QPoint& globalPos);
    void deleteSelectedNode();
    QString selectedArticleField(int column) const;
    void openTab(const QString& address, const QString& headers);
    void showAddFeed(const std::function<void(AddFeedModel&)>& preset);
    // Opens the folder dialog in a mode; a modeless one still open is reused.
    void showFolderDialog(int mode, bool modal,
                          const std::function<void(FolderDialogModel&)>& preset = {});
    void showSubFolderDialog();
    void showSkinManager();
    void showSettings();
    void runPatrol();
    QWidget* fontWidget(FontArea area) const;
    int pixels(int twips) const;
    int twips(int pixels) const;
    QRect pixelRect(const TwipsRect& rect) const;
    platform::web::WebBrowser* makeBrowser(int index);
    bool offlineChecked() const;
    void applyLayout();
    void fitControlsToFonts();
    void captureLayout();

    AppState& app_;
    MainWindowModel model_;
    std::unique_ptr<platform::forms::HostForm> form_;
    QComboBox* comURL_ = nullptr;
    QPushButton* cmdGo_ = nullptr;
    QLineEdit* txtSearch_ = nullptr;
    QComboBox* comEngine_ = nullptr;
    QPushButton* cmdSearch_ = nullptr;
    platform::controls::TreeViewWidget* tvw1_ = nullptr;
    platform::controls::ListViewWidget* lvw1_ = nullptr;
    FormLayout layout_;
    QWidget* client_ = nullptr; // the form's client area; every control is placed in it
    platform::controls::ToolBarWidget* tlb1_ = nullptr;
    platform::controls::ToolBarWidget* tlb2_ = nullptr;
    platform::controls::ToolBarWidget* tlb3_ = nullptr;
    platform::controls::StatusBarWidget* stb1_ = nullptr;
    platform::controls::TabStripWidget* tab1_ = nullptr;
    QWidget* fFrame_ = nullptr;
    SplitterBar* vSep_ = nullptr;
    SplitterBar* dvSep_ = nullptr;
    SplitterBar* hSep_ = nullptr;
    SplitterBar* dhSep_ = nullptr;
    QStackedWidget* browserStack_ = nullptr;
    std::map<int, platform::web::WebBrowser*> browsers_; // owned by browserStack_
    QPointer<FolderDialog> folderDialog_;                // a child of the window while loaded
    QPointer<SkinManagerDialog> skinManager_;            // deletes itself when closed
    RefreshTimer refresh_;
    QTimer* tim1_ = nullptr;
    int popupBrowser_ = 0; // the browser of the tab the tab pop-up was opened on
    bool closed_ = false;
};

} // namespace quillet
