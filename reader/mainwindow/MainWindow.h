#pragma once
// The main window Form1: tool bars, the feed tree with its favourites bar, the
// article list, the tabbed browsers and the status bar, shown over the models of
// MainWindowModel. The procedures that make it ready and save it on closing
// work on the models; this class only places widgets and forwards events.
#include "reader/mainwindow/MainWindowModel.h"
#include <QMainWindow>
#include <map>

class QComboBox;
class QLineEdit;
class QPushButton;
class QSplitter;
class QStackedWidget;

namespace platform::controls {
class TreeViewWidget;
class ListViewWidget;
} // namespace platform::controls
namespace platform::web {
class WebBrowser;
}

namespace quillet {

struct AppState;

class MainWindow : public QMainWindow, public MainWindowView {
    Q_OBJECT
public:
    explicit MainWindow(AppState& app);
    ~MainWindow() override;

    // The load handler: start-up procedures, then the settings' size, place and fonts.
    void load();

    MainWindowModel& model() { return model_; }
    platform::web::WebBrowser* browser(int index) const;

    void navigateBrowser(int browserIndex, const QString& address) override;
    void bringBrowserToFront(int browserIndex) override;
    void arrangeSplitters() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildStandardBar();
    void buildSearchBar();
    void buildPanes();
    platform::web::WebBrowser* createBrowser(int index);
    void applyLayout();
    void captureLayout();

    AppState& app_;
    MainWindowModel model_;
    QComboBox* comURL_ = nullptr;
    QPushButton* cmdGo_ = nullptr;
    QLineEdit* txtSearch_ = nullptr;
    QComboBox* comEngine_ = nullptr;
    QPushButton* cmdSearch_ = nullptr;
    platform::controls::TreeViewWidget* tvw1_ = nullptr;
    platform::controls::ListViewWidget* lvw1_ = nullptr;
    QSplitter* vSep_ = nullptr; // between the left pane and the right side
    QSplitter* hSep_ = nullptr; // between the article list and the tabs
    QStackedWidget* browserStack_ = nullptr;
    std::map<int, platform::web::WebBrowser*> browsers_; // owned by browserStack_
    bool closed_ = false;
};

} // namespace quillet
