#include "platform/win/MenuManager.h"

#include "platform/gdi/SystemColors.h"
#include "platform/win/MenuEvents.h"
#include "platform/win/MenuTracking.h"
#include "platform/win/Menus.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <unordered_map>

namespace platform::win {

namespace {

// Which bar shows which window's menu. One per process, like the window table,
// so that keyboard handling and GetMenuItemRect find a window's bar from its
// handle alone. GUI thread only.
std::unordered_map<HWND, MenuBarWidget*>& barTable() {
    static std::unordered_map<HWND, MenuBarWidget*> bars;
    return bars;
}

int barHeight() {
    return std::max(MenuMetrics::menuBarHeight, MenuMetrics::get().metrics().height() + 3);
}

} // namespace

MenuBarWidget::MenuBarWidget(HWND owner, QWidget* parent) : QWidget(parent), owner_(owner) {
    barTable()[owner] = this;
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    menuListener_ = addMenuChangedListener([this](HMENU menu) {
        if (menu == GetMenu(owner_))
            update();
    });
    barListener_ = addMenuBarListener([this](HWND hwnd) {
        if (hwnd == owner_) {
            updateGeometry();
            update();
        }
    });
}

MenuBarWidget::~MenuBarWidget() {
    removeMenuChangedListener(menuListener_);
    removeMenuBarListener(barListener_);
    auto& bars = barTable();
    const auto it = bars.find(owner_);
    if (it != bars.end() && it->second == this)
        bars.erase(it);
}

MenuBarWidget* MenuBarWidget::ofWindow(HWND owner) {
    const auto& bars = barTable();
    const auto it = bars.find(owner);
    return it == bars.end() ? nullptr : it->second;
}

HMENU MenuBarWidget::menu() const {
    return GetMenu(owner_);
}

const std::vector<MenuItemLayout>& MenuBarWidget::items() {
    relayout();
    return items_;
}

void MenuBarWidget::relayout() {
    // The bar is read afresh each time: a handful of items, their widths
    // cached by the metrics, and never out of date.
    const HMENU bar = menu();
    const int count = bar ? std::max(0, GetMenuItemCount(bar)) : 0;
    items_.resize(static_cast<std::size_t>(count));
    MenuMetrics& metrics = MenuMetrics::get();
    const int height = barHeight();
    int x = 0;
    for (int i = 0; i < count; ++i) {
        MenuItemLayout& item = items_[static_cast<std::size_t>(i)];
        readMenuItem(bar, i, item);
        const int width = metrics.textWidth(item.label, false) + 2 * metrics.averageCharWidth();
        item.rect = QRect(x, 0, width, height);
        x += width;
    }
}

int MenuBarWidget::itemAt(const QPoint& local) {
    const auto& all = items();
    for (std::size_t i = 0; i < all.size(); ++i)
        if (!all[i].separator() && all[i].rect.contains(local))
            return static_cast<int>(i);
    return -1;
}

QSize MenuBarWidget::sizeHint() const {
    int width = 0;
    const HMENU bar = menu();
    const int count = bar ? std::max(0, GetMenuItemCount(bar)) : 0;
    MenuMetrics& metrics = MenuMetrics::get();
    for (int i = 0; i < count; ++i) {
        MenuItemLayout item;
        readMenuItem(bar, i, item);
        width += metrics.textWidth(item.label, false) + 2 * metrics.averageCharWidth();
    }
    return QSize(width, barHeight());
}

QSize MenuBarWidget::minimumSizeHint() const {
    return QSize(0, barHeight());
}

void MenuBarWidget::paintEvent(QPaintEvent*) {
    relayout();
    QPainter painter(this);
    painter.fillRect(rect(), gdi::sysColor(gdi::syscolor::Menu));
    MenuSession* session = MenuSession::current();
    const int highlighted = session && session->bar() == this ? session->barItem() : hot_;
    const int average = MenuMetrics::get().averageCharWidth();
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const MenuItemLayout& item = items_[i];
        if (item.separator())
            continue;
        const bool lit = static_cast<int>(i) == highlighted;
        if (lit)
            painter.fillRect(item.rect, gdi::sysColor(gdi::syscolor::Highlight));
        const int ink = item.grayed() ? gdi::syscolor::GrayText
                        : lit         ? gdi::syscolor::HighlightText
                                      : gdi::syscolor::MenuText;
        drawItemLabel(painter, item, item.rect.adjusted(average, 0, -average, 0),
                      gdi::sysColor(ink), false);
    }
}

void MenuBarWidget::mouseMoveEvent(QMouseEvent* event) {
    const int item = itemAt(event->position().toPoint());
    if (item != hot_) {
        hot_ = item;
        update();
    }
}

void MenuBarWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const int item = itemAt(event->position().toPoint());
    if (item < 0)
        return;
    hot_ = -1;
    MenuSession::beginBar(this, item, true, false);
}

void MenuBarWidget::leaveEvent(QEvent*) {
    if (hot_ >= 0) {
        hot_ = -1;
        update();
    }
}

// ---------------------------------------------------------------------------

namespace {

// Watches the keys of one form: it sits on the application because keys go to
// whichever child has the focus, and acts only on events for that form.
class MenuKeyFilter : public QObject {
public:
    MenuKeyFilter(QWidget* form, HWND owner) : QObject(form), form_(form), owner_(owner) {
        qApp->installEventFilter(this);
    }

    bool eventFilter(QObject* receiver, QEvent* event) override {
        // The event's type is looked at before the receiver: every object of the
        // program passes here, the browser engine's internal ones too, and most
        // events concern none of this.
        const QEvent::Type type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::KeyPress &&
            type != QEvent::KeyRelease)
            return false;
        if (MenuSession::current() || !receiver->isWidgetType())
            return false;
        if (type == QEvent::MouseButtonPress) {
            altAlone_ = false;
            return false;
        }
        if (!isFirstReceiver(static_cast<QWidget*>(receiver)))
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (type == QEvent::KeyRelease) {
            if (key->key() == Qt::Key_Alt && altAlone_ && !key->isAutoRepeat()) {
                altAlone_ = false;
                return enterBar();
            }
            return false;
        }
        if (key->key() == Qt::Key_Alt) {
            if (!key->isAutoRepeat())
                altAlone_ = true;
            return false;
        }
        altAlone_ = false;
        const Qt::KeyboardModifiers modifiers =
            key->modifiers() &
            (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
        if (key->key() == Qt::Key_F10 && modifiers == Qt::NoModifier)
            return enterBar();
        if (modifiers != Qt::AltModifier)
            return false;
        if (key->key() == Qt::Key_Space)
            return openSystemMenu();
        return openByMnemonic(mnemonicOf(*key));
    }

private:
    // A key event travels from the focus widget up to its parents; it is
    // handled once, where it starts.
    bool isFirstReceiver(QWidget* widget) const {
        QWidget* focus = QApplication::focusWidget();
        // A window that gets keys without being the active one (a dialog just
        // closed and nothing activated the form again) hands them to its own
        // focus widget.
        if (!focus || !(focus == form_ || form_->isAncestorOf(focus)))
            focus = form_->window()->focusWidget();
        if (focus && (focus == form_ || form_->isAncestorOf(focus)))
            return widget == focus;
        return widget == form_ || widget == form_->window();
    }

    static QChar mnemonicOf(const QKeyEvent& key) {
        const int code = key.key();
        if ((code >= Qt::Key_A && code <= Qt::Key_Z) || (code >= Qt::Key_0 && code <= Qt::Key_9))
            return QChar(code);
        return key.text().isEmpty() ? QChar() : key.text().at(0).toUpper();
    }

    MenuBarWidget* bar() const {
        MenuBarWidget* bar = MenuBarWidget::ofWindow(owner_);
        return bar && !bar->items().empty() ? bar : nullptr;
    }

    bool enterBar() {
        MenuBarWidget* target = bar();
        return target && MenuSession::beginBar(target, 0, false, false);
    }

    bool openSystemMenu() {
        const HMENU menu = GetSystemMenu(owner_, FALSE);
        if (!menu)
            return false;
        return MenuSession::beginPopup(menu, 0, form_->window()->frameGeometry().topLeft(), owner_,
                                       nullptr);
    }

    // Opens (or carries out) the bar item; a command item needs the session
    // first so that it gets the usual messages.
    bool openBarItem(MenuBarWidget* target, int item) {
        const bool hasPopup = target->items()[static_cast<std::size_t>(item)].subMenu != 0;
        if (!MenuSession::beginBar(target, item, hasPopup, true))
            return false;
        if (!hasPopup)
            MenuTracker::pressKey(Qt::Key_Return);
        return true;
    }

    bool openByMnemonic(QChar character) {
        MenuBarWidget* target = bar();
        if (!target || character.isNull() || character.unicode() < 0x20)
            return false;
        const auto& items = target->items();
        for (std::size_t i = 0; i < items.size(); ++i)
            if (!items[i].ownerDrawn() && items[i].mnemonic == character)
                return openBarItem(target, static_cast<int>(i));
        // No item has it: the owner may still claim it; otherwise the key
        // goes on to the form, whose own shortcuts may want it.
        const LRESULT result = SendMessage(owner_, WM_MENUCHAR, MAKEWPARAM(character.unicode(), 0),
                                           static_cast<LPARAM>(target->menu()));
        const int position = LOWORD(static_cast<std::uintptr_t>(result));
        const int count = static_cast<int>(target->items().size());
        if (position >= count)
            return false;
        switch (HIWORD(static_cast<std::uintptr_t>(result))) {
        case MNC_EXECUTE:
            return openBarItem(target, position);
        case MNC_SELECT:
            return MenuSession::beginBar(target, position, false, false);
        default:
            return false;
        }
    }

    QWidget* form_;
    HWND owner_;
    bool altAlone_ = false;
};

} // namespace

void installMenuKeys(QWidget* form, HWND owner) {
    if (!form || !qApp)
        return;
    // Owned by the form; an event filter that is destroyed takes itself off
    // the application.
    new MenuKeyFilter(form, owner);
}

} // namespace platform::win
