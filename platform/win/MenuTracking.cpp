#include "platform/win/MenuTracking.h"

#include "platform/win/MenuEvents.h"
#include "platform/win/MenuManager.h"
#include "platform/win/MenuPopup.h"
#include "platform/win/Menus.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"

#include <QApplication>
#include <QEventLoop>
#include <QScreen>
#include <QTimer>

#include <climits>

namespace platform::win {

namespace {

constexpr WPARAM MSGF_MENU = 2;

// The session in progress. One per process: the platform tracks one menu at a
// time, and TrackPopupMenu while one is open fails.
std::unique_ptr<MenuSession>& currentSession() {
    static std::unique_ptr<MenuSession> session;
    return session;
}

// Pop-ups leave the screen and the window table at once, but the widget goes
// later: the event being delivered may be addressed to it.
void dismissPopup(MenuPopup* popup) {
    popup->hide();
    popup->releaseHandle();
    popup->deleteLater();
}

class SessionFilter : public QObject {
public:
    bool eventFilter(QObject* receiver, QEvent* event) override {
        bool handled = false;
        MenuSession::run(
            [&](MenuSession& session) { handled = session.filterEvent(receiver, event); });
        return handled;
    }
};

QRect workArea(QPoint at) {
    QScreen* screen = QGuiApplication::screenAt(at);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
}

QPoint keepInside(QPoint at, QSize size, const QRect& area) {
    at.setX(std::max(area.left(), std::min(at.x(), area.right() + 1 - size.width())));
    at.setY(std::max(area.top(), std::min(at.y(), area.bottom() + 1 - size.height())));
    return at;
}

QRect globalRect(const QWidget* widget, const QRect& local) {
    return QRect(widget->mapToGlobal(local.topLeft()), local.size());
}

} // namespace

MenuSession::MenuSession(HWND owner, UINT flags)
    : owner_(owner), flags_(flags), filter_(std::make_unique<SessionFilter>()),
      idleTimer_(std::make_unique<QTimer>()) {
    idleTimer_->setSingleShot(true);
    QObject::connect(idleTimer_.get(), &QTimer::timeout,
                     [] { MenuSession::run([](MenuSession& session) { session.idle(); }); });
}

MenuSession::~MenuSession() {
    if (qApp)
        qApp->removeEventFilter(filter_.get());
}

MenuSession* MenuSession::current() {
    return currentSession().get();
}

void MenuSession::run(const std::function<void(MenuSession&)>& step) {
    MenuSession* session = current();
    if (!session)
        return;
    ++session->busy_;
    step(*session);
    --session->busy_;
    if (session->busy_ == 0 && session->endRequested_ && current() == session)
        finishCurrent();
}

void MenuSession::finishCurrent() {
    // The session stops being current before its closing messages go out, so
    // an owner that reacts to them by opening another menu may do so.
    std::unique_ptr<MenuSession> session = std::move(currentSession());
    if (session)
        session->finish();
}

bool MenuSession::beginPopup(HMENU menu, UINT flags, QPoint at, HWND owner,
                             std::shared_ptr<MenuOutcome> outcome) {
    if (current() || !IsMenu(menu))
        return false;
    currentSession().reset(new MenuSession(owner, flags));
    current()->outcome_ = std::move(outcome);
    current()->system_ = systemMenuOwner(menu) != 0;
    run([&](MenuSession& session) {
        session.start(true, menu);
        if (session.endRequested_)
            return;
        // The window menu says so in the high word, as it does for its sub-menus.
        session.openPopup(menu, session.system_ ? MAKELPARAM(0, TRUE) : 0, [at, flags](QSize size) {
            QPoint place = at;
            if (flags & TPM_RIGHTALIGN)
                place.rx() -= size.width();
            else if (flags & TPM_CENTERALIGN)
                place.rx() -= size.width() / 2;
            if (flags & TPM_BOTTOMALIGN)
                place.ry() -= size.height();
            else if (flags & TPM_VCENTERALIGN)
                place.ry() -= size.height() / 2;
            return place;
        });
    });
    return true;
}

bool MenuSession::beginBar(MenuBarWidget* bar, int item, bool open, bool selectFirst) {
    if (current() || !bar || !IsMenu(bar->menu()))
        return false;
    currentSession().reset(new MenuSession(bar->owner(), 0));
    current()->bar_ = bar;
    current()->barMenu_ = bar->menu();
    run([&](MenuSession& session) {
        session.start(false, session.barMenu_);
        if (!session.endRequested_)
            session.highlightBar(item, open, selectFirst);
    });
    return true;
}

void MenuSession::start(bool popupSession, HMENU topMenu) {
    popupSession_ = popupSession;
    qApp->installEventFilter(filter_.get());
    if (!notifications())
        return;
    send(WM_ENTERMENULOOP, popupSession ? TRUE : FALSE, 0);
    if (!endRequested_)
        send(WM_INITMENU, topMenu, 0);
}

void MenuSession::finish() {
    idleTimer_->stop();
    closeLevelsFrom(0);
    if (barItem_ >= 0)
        setHilite(barMenu_, barItem_, false);
    barItem_ = -1;
    if (bar_)
        bar_->update();
    send(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    if (notifications())
        send(WM_EXITMENULOOP, popupSession_ ? TRUE : FALSE, 0);
    qApp->removeEventFilter(filter_.get());
    if (outcome_) {
        // TrackPopupMenu posts the command itself once its loop has ended.
        outcome_->done = true;
        outcome_->chosen = chosen_;
        outcome_->command = command_;
        if (outcome_->loop)
            outcome_->loop->quit();
    } else if (chosen_) {
        if (system_)
            PostMessage(owner_, WM_SYSCOMMAND, command_, 0);
        else
            PostMessage(owner_, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(command_), 0), 0);
    }
}

bool MenuSession::notifications() const {
    return (flags_ & TPM_NONOTIFY) == 0;
}

void MenuSession::send(UINT message, WPARAM wParam, LPARAM lParam) {
    SendMessage(owner_, message, wParam, lParam);
}

void MenuSession::setHilite(HMENU menu, int position, bool on) {
    MENUITEMINFOA info;
    info.fMask = MIIM_STATE;
    if (position < 0 || !GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info))
        return;
    const UINT state = on ? (info.fState | MFS_HILITE) : (info.fState & ~MFS_HILITE);
    if (state == info.fState)
        return;
    info.fState = state;
    SetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
}

MenuPopup* MenuSession::popup(int level) const {
    if (level < 0 || level >= popupCount())
        return nullptr;
    return levels_[static_cast<std::size_t>(level)].popup.get();
}

MenuPopup* MenuSession::popupOfMenu(HMENU menu) const {
    for (const Level& level : levels_)
        if (level.menu == menu)
            return level.popup.get();
    return nullptr;
}

// ---------------------------------------------------------------------------
// Opening and closing pop-ups.

void MenuSession::openPopup(HMENU menu, LPARAM initParam,
                            const std::function<QPoint(QSize)>& place) {
    Level level;
    level.menu = menu;
    level.popup = std::unique_ptr<MenuPopup, void (*)(MenuPopup*)>(new MenuPopup(menu, owner_),
                                                                   &dismissPopup);
    MenuPopup* popup = level.popup.get();
    levels_.push_back(std::move(level));
    // The owner may still change the items here: they are read afterwards.
    if (notifications())
        send(WM_INITMENUPOPUP, menu, initParam);
    if (endRequested_ || !IsMenu(menu))
        return;
    popup->layout();
    if (endRequested_)
        return;
    const QPoint wanted = place(popup->size());
    popup->move(keepInside(wanted, popup->size(), workArea(wanted)));
    popup->show();
    popup->renderAll();
    if (notifications())
        idleTimer_->start(0);
}

void MenuSession::openSubMenu(int level, int position, bool selectFirstItem) {
    MenuPopup* parent = popup(level);
    if (!parent || position < 0 || position >= static_cast<int>(parent->items().size()))
        return;
    const MenuItemLayout item = parent->items()[static_cast<std::size_t>(position)];
    if (!item.subMenu || item.grayed() || !IsMenu(item.subMenu))
        return;
    const int subLevel = level + 1;
    if (popupCount() > subLevel && popup(subLevel)->menu() == item.subMenu) {
        if (selectFirstItem && popup(subLevel)->highlighted() < 0)
            selectFirst(subLevel, false);
        return;
    }
    closeLevelsFrom(static_cast<std::size_t>(subLevel));
    const QRect anchor = globalRect(parent, item.rect);
    openPopup(item.subMenu, MAKELPARAM(static_cast<WORD>(position), system_ ? 1 : 0),
              [anchor](QSize size) {
                  // Beside the parent item, its first item level with it; on
                  // the other side or higher up where the screen ends.
                  const QRect area = workArea(anchor.center());
                  QPoint at(anchor.right() + 1 - 1, anchor.top() - MenuMetrics::frame);
                  if (at.x() + size.width() > area.right() + 1)
                      at.setX(anchor.left() - size.width());
                  if (at.y() + size.height() > area.bottom() + 1)
                      at.setY(anchor.bottom() + 1 + MenuMetrics::frame - size.height());
                  return at;
              });
    if (selectFirstItem && !endRequested_ && popupCount() == subLevel + 1)
        selectFirst(subLevel, false);
}

void MenuSession::openBarPopup(int item, bool selectFirstItem) {
    if (!bar_)
        return;
    const auto& items = bar_->items();
    if (item < 0 || item >= static_cast<int>(items.size()))
        return;
    const MenuItemLayout barItem = items[static_cast<std::size_t>(item)];
    if (!barItem.subMenu || barItem.grayed() || !IsMenu(barItem.subMenu))
        return;
    const QRect anchor = globalRect(bar_, barItem.rect);
    openPopup(barItem.subMenu, MAKELPARAM(static_cast<WORD>(item), 0), [anchor](QSize size) {
        const QRect area = workArea(anchor.center());
        QPoint at(anchor.left(), anchor.bottom() + 1);
        if (at.y() + size.height() > area.bottom() + 1)
            at.setY(anchor.top() - size.height());
        return at;
    });
    if (selectFirstItem && !endRequested_ && popupCount() == 1)
        selectFirst(0, false);
    if (bar_)
        bar_->update();
}

void MenuSession::closeLevelsFrom(std::size_t first) {
    while (levels_.size() > first) {
        Level level = std::move(levels_.back());
        levels_.pop_back();
        const int highlighted = level.popup->highlighted();
        if (highlighted >= 0)
            setHilite(level.menu, highlighted, false);
        level.popup->hide();
        level.popup->releaseHandle();
        if (notifications())
            send(WM_UNINITMENUPOPUP, level.menu, system_ ? MAKELPARAM(0, MF_SYSMENU) : 0);
    }
}

void MenuSession::idle() {
    if (!levels_.empty())
        send(WM_ENTERIDLE, MSGF_MENU, static_cast<LPARAM>(levels_.back().popup->handle()));
}

// ---------------------------------------------------------------------------
// Highlighting and choosing.

void MenuSession::highlight(int level, int position, bool openSubMenu) {
    MenuPopup* target = popup(level);
    if (!target)
        return;
    const auto& items = target->items();
    if (position < 0 || position >= static_cast<int>(items.size()) ||
        items[static_cast<std::size_t>(position)].separator())
        position = -1;
    if (position == target->highlighted()) {
        if (openSubMenu && position >= 0)
            this->openSubMenu(level, position, false);
        return;
    }
    closeLevelsFrom(static_cast<std::size_t>(level) + 1);
    const HMENU menu = target->menu();
    setHilite(menu, target->highlighted(), false);
    setHilite(menu, position, true);
    target->setHighlighted(position);
    if (endRequested_)
        return;
    const WORD sysFlag = system_ ? MF_SYSMENU : 0;
    if (position >= 0) {
        const MenuItemLayout& item = items[static_cast<std::size_t>(position)];
        const WORD idOrPosition =
            item.subMenu ? static_cast<WORD>(position) : static_cast<WORD>(item.id);
        send(WM_MENUSELECT, MAKEWPARAM(idOrPosition, menuSelectFlags(item, true, false) | sysFlag),
             static_cast<LPARAM>(menu));
    } else if (level > 0) {
        // Off every item of a sub-menu: the parent item is the selection again.
        MenuPopup* parent = popup(level - 1);
        const int parentItem = parent->highlighted();
        if (parentItem >= 0) {
            const MenuItemLayout& item = parent->items()[static_cast<std::size_t>(parentItem)];
            send(WM_MENUSELECT,
                 MAKEWPARAM(static_cast<WORD>(parentItem),
                            menuSelectFlags(item, true, true) | sysFlag),
                 static_cast<LPARAM>(parent->menu()));
        }
    }
    if (openSubMenu && position >= 0 && !endRequested_)
        this->openSubMenu(level, position, false);
}

void MenuSession::selectFirst(int level, bool last) {
    MenuPopup* target = popup(level);
    if (!target)
        return;
    const auto& items = target->items();
    const int count = static_cast<int>(items.size());
    for (int i = 0; i < count; ++i) {
        const int position = last ? count - 1 - i : i;
        if (!items[static_cast<std::size_t>(position)].separator()) {
            highlight(level, position, false);
            return;
        }
    }
}

void MenuSession::moveBy(int level, int step) {
    MenuPopup* target = popup(level);
    if (!target || target->items().empty())
        return;
    const auto& items = target->items();
    const int count = static_cast<int>(items.size());
    const int base = target->highlighted() >= 0 ? target->highlighted() : (step > 0 ? -1 : count);
    for (int i = 1; i <= count; ++i) {
        const int position = ((base + step * i) % count + count) % count;
        if (!items[static_cast<std::size_t>(position)].separator()) {
            highlight(level, position, false);
            return;
        }
    }
}

void MenuSession::choose(int level, int position) {
    MenuPopup* target = popup(level);
    if (!target || position < 0 || position >= static_cast<int>(target->items().size()))
        return;
    const MenuItemLayout item = target->items()[static_cast<std::size_t>(position)];
    if (item.separator())
        return;
    highlight(level, position, false);
    if (endRequested_)
        return;
    if (item.subMenu) {
        openSubMenu(level, position, true);
        return;
    }
    // A disabled item can be highlighted, but choosing it does nothing.
    if (item.grayed())
        return;
    chosen_ = true;
    command_ = item.id;
    requestEnd();
}

void MenuSession::highlightBar(int item, bool open, bool selectFirstItem) {
    if (!bar_)
        return;
    const int count = static_cast<int>(bar_->items().size());
    if (item < 0 || item >= count)
        return;
    if (item == barItem_) {
        if (open && levels_.empty())
            openBarPopup(item, selectFirstItem);
        return;
    }
    closeLevelsFrom(0);
    setHilite(barMenu_, barItem_, false);
    barItem_ = item;
    setHilite(barMenu_, item, true);
    if (!bar_)
        return;
    bar_->update();
    const MenuItemLayout barItem = bar_->items()[static_cast<std::size_t>(item)];
    const WORD idOrPosition =
        barItem.subMenu ? static_cast<WORD>(item) : static_cast<WORD>(barItem.id);
    send(WM_MENUSELECT, MAKEWPARAM(idOrPosition, menuSelectFlags(barItem, true, false)),
         static_cast<LPARAM>(barMenu_));
    if (open && !endRequested_)
        openBarPopup(item, selectFirstItem);
}

void MenuSession::chooseBarItem(int item) {
    if (!bar_)
        return;
    const auto& items = bar_->items();
    if (item < 0 || item >= static_cast<int>(items.size()))
        return;
    const MenuItemLayout barItem = items[static_cast<std::size_t>(item)];
    highlightBar(item, false, false);
    if (barItem.subMenu) {
        highlightBar(item, true, true);
        return;
    }
    if (barItem.grayed() || barItem.separator())
        return;
    chosen_ = true;
    command_ = barItem.id;
    requestEnd();
}

void MenuSession::requestEnd() {
    endRequested_ = true;
}

// ---------------------------------------------------------------------------
// The platform's calls.

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
    if (!IsMenu(menu) || !IsWindow(owner))
        return FALSE;
    auto outcome = std::make_shared<MenuOutcome>();
    if (!MenuSession::beginPopup(menu, flags, QPoint(x, y), owner, outcome))
        return FALSE;
    if (!outcome->done) {
        QEventLoop loop;
        outcome->loop = &loop;
        loop.exec();
        outcome->loop = nullptr;
    }
    if (!outcome->chosen)
        return FALSE;
    if (flags & TPM_RETURNCMD)
        return static_cast<BOOL>(outcome->command);
    if (systemMenuOwner(menu))
        PostMessage(owner, WM_SYSCOMMAND, outcome->command, 0);
    else
        PostMessage(owner, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(outcome->command), 0), 0);
    return TRUE;
}

BOOL EndMenu() {
    MenuSession::run([](MenuSession& session) { session.requestEnd(); });
    return TRUE;
}

BOOL GetMenuItemRect(HWND hwnd, HMENU menu, UINT position, RECT* rect) {
    if (!rect || !IsMenu(menu) || position > static_cast<UINT>(INT_MAX))
        return FALSE;
    const int pos = static_cast<int>(position);
    if (pos >= GetMenuItemCount(menu))
        return FALSE;
    auto fill = [rect](const QRect& r) {
        *rect = RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
    };

    if (MenuBarWidget* bar = hwnd ? MenuBarWidget::ofWindow(hwnd) : nullptr) {
        if (bar->menu() == menu) {
            const auto& items = bar->items();
            if (pos >= static_cast<int>(items.size()))
                return FALSE;
            fill(globalRect(bar, items[static_cast<std::size_t>(pos)].rect));
            return TRUE;
        }
    }

    MenuSession* session = MenuSession::current();
    MenuPopup* open = session ? session->popupOfMenu(menu) : nullptr;
    QRect local;
    if (open && pos < static_cast<int>(open->items().size()))
        local = open->items()[static_cast<std::size_t>(pos)].rect;
    else if (!rememberedItemRect(menu, pos, &local))
        local = QRect(); // never shown: no size yet
    // The rectangle is relative to the pop-up's client area and is mapped
    // through the window asked about, the pop-up itself when none is given.
    const QWidget* through = nullptr;
    if (hwnd == 0 || (open && hwnd == open->handle()))
        through = open;
    else
        through = widgetOfWindow(hwnd);
    if (!through)
        return FALSE;
    fill(QRect(through->mapToGlobal(local.topLeft()), local.size()));
    return TRUE;
}

// ---------------------------------------------------------------------------

bool MenuTracker::isTracking() {
    return MenuSession::current() != nullptr;
}

int MenuTracker::popupCount() {
    MenuSession* session = MenuSession::current();
    return session ? session->popupCount() : 0;
}

MenuPopup* MenuTracker::popup(int level) {
    MenuSession* session = MenuSession::current();
    return session ? session->popup(level) : nullptr;
}

HMENU MenuTracker::popupMenu(int level) {
    MenuPopup* target = popup(level);
    return target ? target->menu() : 0;
}

int MenuTracker::highlighted(int level) {
    MenuPopup* target = popup(level);
    return target ? target->highlighted() : -1;
}

int MenuTracker::menuBarItem() {
    MenuSession* session = MenuSession::current();
    return session ? session->barItem() : -1;
}

void MenuTracker::highlight(int position) {
    MenuSession::run([position](MenuSession& session) {
        if (session.popupCount() > 0)
            session.highlight(session.popupCount() - 1, position, true);
    });
}

void MenuTracker::choose(int position) {
    MenuSession::run([position](MenuSession& session) {
        if (session.popupCount() > 0)
            session.choose(session.popupCount() - 1, position);
    });
}

void MenuTracker::pressKey(int key, const QString& text) {
    MenuSession::run([key, &text](MenuSession& session) { session.pressKey(key, text); });
}

void MenuTracker::close() {
    EndMenu();
}

} // namespace platform::win
