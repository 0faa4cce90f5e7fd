#pragma once
// The main window's controls as models, without widgets: what the start-up and
// shutdown procedures and the window's handlers work on.
#include "platform/controls/ComboBoxModel.h"
#include "platform/controls/ListViewModel.h"
#include "platform/controls/SimpleModels.h"
#include "platform/controls/TreeViewModel.h"
#include "reader/app/Settings.h"
#include <QHash>
#include <QString>

namespace quillet {

// The areas whose fonts the settings change.
enum class FontArea { Window, Tree, List, StatusBar };

// What the procedures ask of the window itself: its browsers and its layout.
// Browsers are numbered by their index in the family wbr1; the window creates
// and destroys them. The defaults let a view that has no browsers ignore them.
class MainWindowView {
public:
    virtual ~MainWindowView() = default;
    virtual void navigateBrowser(int browserIndex, const QString& address) = 0;
    virtual void bringBrowserToFront(int browserIndex) = 0;
    virtual void arrangeSplitters() = 0;

    // A CR LF separated header block that travels with the request.
    virtual void navigateBrowser(int browserIndex, const QString& address, const QString& headers) {
        (void)headers;
        navigateBrowser(browserIndex, address);
    }
    virtual void createBrowser(int browserIndex) { (void)browserIndex; }
    virtual void destroyBrowser(int browserIndex) { (void)browserIndex; }
    virtual void hideBrowser(int browserIndex) { (void)browserIndex; }
    virtual void browserGoHome(int browserIndex) { (void)browserIndex; }
    virtual void refreshBrowser(int browserIndex) { (void)browserIndex; }
    virtual void setBrowserOffline(int browserIndex, bool offline) {
        (void)browserIndex;
        (void)offline;
    }
    virtual QString browserLocation(int browserIndex) const {
        (void)browserIndex;
        return QString();
    }
    virtual void setCaption(const QString& caption) { (void)caption; }
    // The font an area shows now, and giving it another one.
    virtual FontSetting areaFont(FontArea area) const {
        (void)area;
        return {};
    }
    virtual void setAreaFont(FontArea area, const FontSetting& font) {
        (void)area;
        (void)font;
    }
    // Whether offline work is on, which new tabs take over.
    virtual bool isOffline() const { return false; }
};

// Enabled and checked state of the menu entries, by name ("mnuViewAutoRefresh_time(3)").
class MenuStates {
public:
    struct State {
        bool enabled = true;
        bool checked = false;
    };
    State state(const QString& name) const { return states_.value(name); }
    bool contains(const QString& name) const { return states_.contains(name); }
    void setEnabled(const QString& name, bool enabled) { states_[name].enabled = enabled; }
    void setChecked(const QString& name, bool checked) { states_[name].checked = checked; }

private:
    QHash<QString, State> states_;
};

struct MainWindowModel {
    MainWindowModel();

    platform::controls::ToolBarModel tlb1; // standard buttons
    platform::controls::ToolBarModel tlb2; // search bar
    platform::controls::ToolBarModel tlb3; // favourites
    platform::controls::TreeViewModel tvw1;
    platform::controls::ListViewModel lvw1;
    platform::controls::TabStripModel Tab1;
    platform::controls::StatusBarModel stb1;
    platform::controls::ComboBoxModel comURL;
    platform::controls::ComboBoxModel comEngine;
    platform::controls::FileListModel File1;
    platform::controls::ImageListModel Imlst;
    MenuStates menus;
    WindowLayout layout;
    QString txtSearch;
    // A word on the feed just opened (no article found, an encoding read
    // otherwise than named) that is shown again once its page has loaded, so
    // that the browser's own "done" does not hide it.
    QString noteAfterPage;
};

// The article list's column headers.
QStringList articleColumnHeaders();

} // namespace quillet
