#pragma once
// One menu session at a time, as on the platform: from the first message
// (WM_ENTERMENULOOP) to the last (WM_EXITMENULOOP), whether it began with
// TrackPopupMenu, a click on the menu bar, the keyboard or the system menu.
// The session sees every key and mouse event of the application while it
// lasts, through an application-wide event filter, because pop-ups never take
// the focus.
#include "platform/win/WinTypes.h"

#include <QPoint>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QEvent;
class QEventLoop;
class QObject;
class QTimer;

namespace platform::win {

class MenuBarWidget;
class MenuPopup;

// What a session ended with, for TrackPopupMenu waiting on it.
struct MenuOutcome {
    bool done = false;
    bool chosen = false;
    UINT command = 0;
    QEventLoop* loop = nullptr;
};

class MenuSession {
public:
    ~MenuSession();

    static MenuSession* current();
    // Runs step on the current session, if any. A session that asked to end
    // during the step ends once the outermost step returns, so that no pop-up
    // goes away while code further up the stack is still using it.
    static void run(const std::function<void(MenuSession&)>& step);

    // A pop-up session (TrackPopupMenu, the system menu). Returns false when a
    // session is already open.
    static bool beginPopup(HMENU menu, UINT flags, QPoint at, HWND owner,
                           std::shared_ptr<MenuOutcome> outcome);
    // A menu bar session with the bar item highlighted; its pop-up opens when
    // open is set, with its first item selected when selectFirst is set.
    static bool beginBar(MenuBarWidget* bar, int item, bool open, bool selectFirst);

    MenuBarWidget* bar() const { return bar_; }
    int barItem() const { return barItem_; }
    int popupCount() const { return static_cast<int>(levels_.size()); }
    MenuPopup* popup(int level) const;
    MenuPopup* popupOfMenu(HMENU menu) const;

    void highlight(int level, int position, bool openSubMenu);
    void choose(int level, int position);
    void pressKey(int key, const QString& text);
    void requestEnd();

    bool filterEvent(QObject* receiver, QEvent* event);

private:
    struct Level {
        HMENU menu = 0;
        std::unique_ptr<MenuPopup, void (*)(MenuPopup*)> popup{nullptr, nullptr};
    };

    MenuSession(HWND owner, UINT flags);
    static void finishCurrent();
    void start(bool popupSession, HMENU topMenu);
    void finish();

    bool notifications() const;
    void send(UINT message, WPARAM wParam, LPARAM lParam);
    void setHilite(HMENU menu, int position, bool on);

    void openPopup(HMENU menu, LPARAM initParam, const std::function<QPoint(QSize)>& place);
    void openBarPopup(int item, bool selectFirst);
    void openSubMenu(int level, int position, bool selectFirst);
    void closeLevelsFrom(std::size_t first);
    void highlightBar(int item, bool open, bool selectFirst);
    void chooseBarItem(int item);
    void selectFirst(int level, bool last);
    void idle();

    void barKey(int key, const QString& text);
    void popupKey(int key, const QString& text);
    void menuChar(int level, QChar character);
    void moveBy(int level, int step);

    void mouseMove(QPoint global);
    void mousePress(QPoint global);
    void mouseRelease(QPoint global);
    int levelAt(QPoint global) const;

    HWND owner_;
    UINT flags_;
    bool popupSession_ = true;
    bool system_ = false; // tracking a window's system menu
    QPointer<MenuBarWidget> bar_;
    HMENU barMenu_ = 0;
    int barItem_ = -1;
    std::vector<Level> levels_;
    bool endRequested_ = false;
    bool chosen_ = false;
    UINT command_ = 0;
    int busy_ = 0;
    std::shared_ptr<MenuOutcome> outcome_;
    std::unique_ptr<QObject> filter_;
    std::unique_ptr<QTimer> idleTimer_;
};

} // namespace platform::win
