#include "platform/win/MenuTracking.h"

// The tracking session's keyboard and mouse handling.
#include "platform/win/MenuEvents.h"
#include "platform/win/MenuManager.h"
#include "platform/win/MenuPopup.h"
#include "platform/win/Menus.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace platform::win {

namespace {

bool isExecuteKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
}

// Positions of the items whose mnemonic is the character, in order.
std::vector<int> mnemonicMatches(const std::vector<MenuItemLayout>& items, QChar character) {
    std::vector<int> matches;
    const QChar wanted = character.toUpper();
    for (std::size_t i = 0; i < items.size(); ++i) {
        // Owner-drawn items show no text of ours, so their keys are the
        // owner's to answer through WM_MENUCHAR.
        if (!items[i].ownerDrawn() && !items[i].separator() && items[i].mnemonic == wanted)
            matches.push_back(static_cast<int>(i));
    }
    return matches;
}

// The match after the current position, wrapping around.
int nextMatch(const std::vector<int>& matches, int current) {
    for (int match : matches)
        if (match > current)
            return match;
    return matches.front();
}

} // namespace

// ---------------------------------------------------------------------------
// Keyboard.

void MenuSession::pressKey(int key, const QString& text) {
    if (levels_.empty())
        barKey(key, text);
    else
        popupKey(key, text);
}

void MenuSession::barKey(int key, const QString& text) {
    const int count = bar_ ? static_cast<int>(bar_->items().size()) : 0;
    if (count == 0) {
        requestEnd();
        return;
    }
    const int current = std::max(0, barItem_);
    switch (key) {
    case Qt::Key_Left:
        highlightBar((current + count - 1) % count, false, false);
        return;
    case Qt::Key_Right:
        highlightBar((current + 1) % count, false, false);
        return;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (bar_->items()[static_cast<std::size_t>(current)].subMenu)
            highlightBar(current, true, true);
        else if (isExecuteKey(key))
            chooseBarItem(current);
        return;
    case Qt::Key_Escape:
    case Qt::Key_F10:
    case Qt::Key_Alt:
        requestEnd();
        return;
    default:
        break;
    }
    if (text.isEmpty() || text.at(0).unicode() < 0x20)
        return;
    const std::vector<int> matches = mnemonicMatches(bar_->items(), text.at(0));
    if (matches.empty()) {
        menuChar(-1, text.at(0));
    } else if (matches.size() == 1) {
        chooseBarItem(matches.front());
    } else {
        highlightBar(nextMatch(matches, barItem_), false, false);
    }
}

void MenuSession::popupKey(int key, const QString& text) {
    const int level = popupCount() - 1;
    MenuPopup* target = popup(level);
    const int current = target->highlighted();
    const int column = current >= 0 ? target->items()[static_cast<std::size_t>(current)].column : 0;
    const int barCount = bar_ ? static_cast<int>(bar_->items().size()) : 0;
    switch (key) {
    case Qt::Key_Up:
        moveBy(level, -1);
        return;
    case Qt::Key_Down:
        moveBy(level, 1);
        return;
    case Qt::Key_Home:
        selectFirst(level, false);
        return;
    case Qt::Key_End:
        selectFirst(level, true);
        return;
    case Qt::Key_Left:
        if (current >= 0 && column > 0)
            highlight(level, target->firstItemOfColumn(column - 1), false);
        else if (level > 0)
            closeLevelsFrom(static_cast<std::size_t>(level));
        else if (barCount > 0)
            highlightBar((barItem_ + barCount - 1) % barCount, true, true);
        return;
    case Qt::Key_Right:
        if (current >= 0 && column + 1 < target->columnCount())
            highlight(level, target->firstItemOfColumn(column + 1), false);
        else if (current >= 0 && target->items()[static_cast<std::size_t>(current)].subMenu &&
                 !target->items()[static_cast<std::size_t>(current)].grayed())
            openSubMenu(level, current, true);
        else if (barCount > 0)
            highlightBar((barItem_ + 1) % barCount, true, true);
        return;
    case Qt::Key_Escape:
        if (level > 0 || bar_) {
            // One level: a sub-menu goes back to its parent, a bar's pop-up
            // back to the bar with its item still highlighted.
            closeLevelsFrom(static_cast<std::size_t>(level));
            if (bar_)
                bar_->update();
        } else {
            requestEnd();
        }
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (current >= 0)
            choose(level, current);
        return;
    case Qt::Key_F10:
    case Qt::Key_Alt:
        requestEnd();
        return;
    default:
        break;
    }
    if (text.isEmpty() || text.at(0).unicode() < 0x20)
        return;
    const std::vector<int> matches = mnemonicMatches(target->items(), text.at(0));
    if (matches.empty())
        menuChar(level, text.at(0));
    else if (matches.size() == 1)
        choose(level, matches.front());
    else
        highlight(level, nextMatch(matches, current), false);
}

void MenuSession::menuChar(int level, QChar character) {
    const bool inBar = level < 0;
    const HMENU menu = inBar ? barMenu_ : popup(level)->menu();
    const WORD kind = inBar ? 0 : (system_ ? MF_SYSMENU : MF_POPUP);
    const LRESULT result = SendMessage(owner_, WM_MENUCHAR, MAKEWPARAM(character.unicode(), kind),
                                       static_cast<LPARAM>(menu));
    if (endRequested_)
        return;
    const int position = LOWORD(static_cast<std::uintptr_t>(result));
    switch (HIWORD(static_cast<std::uintptr_t>(result))) {
    case MNC_CLOSE:
        requestEnd();
        break;
    case MNC_EXECUTE:
        if (inBar)
            chooseBarItem(position);
        else
            choose(level, position);
        break;
    case MNC_SELECT:
        if (inBar)
            highlightBar(position, false, false);
        else
            highlight(level, position, false);
        break;
    default:
        QApplication::beep();
        break;
    }
}

// ---------------------------------------------------------------------------
// Mouse.

int MenuSession::levelAt(QPoint global) const {
    for (int level = popupCount() - 1; level >= 0; --level) {
        const MenuPopup* target = popup(level);
        if (target->isVisible() && target->geometry().contains(global))
            return level;
    }
    return -1;
}

void MenuSession::mouseMove(QPoint global) {
    const int level = levelAt(global);
    if (level >= 0) {
        MenuPopup* target = popup(level);
        const int position = target->itemAt(target->mapFromGlobal(global));
        // Off the items of a pop-up whose item has its sub-menu open, that
        // item stays highlighted.
        if (position < 0 && popupCount() > level + 1)
            return;
        highlight(level, position, true);
        return;
    }
    if (bar_) {
        const QPoint local = bar_->mapFromGlobal(global);
        if (bar_->rect().contains(local)) {
            const int item = bar_->itemAt(local);
            if (item >= 0 && item != barItem_)
                highlightBar(item, !levels_.empty(), false);
            return;
        }
    }
    const int deepest = popupCount() - 1;
    if (deepest >= 0)
        highlight(deepest, -1, false);
}

void MenuSession::mousePress(QPoint global) {
    const int level = levelAt(global);
    if (level >= 0) {
        MenuPopup* target = popup(level);
        const int position = target->itemAt(target->mapFromGlobal(global));
        if (position >= 0)
            highlight(level, position, true);
        return;
    }
    if (bar_) {
        const QPoint local = bar_->mapFromGlobal(global);
        const int item = bar_->rect().contains(local) ? bar_->itemAt(local) : -1;
        if (item >= 0) {
            // A second click on the open menu's bar item closes it.
            if (item == barItem_ && !levels_.empty())
                requestEnd();
            else if (item == barItem_)
                openBarPopup(item, false);
            else
                highlightBar(item, true, false);
            return;
        }
    }
    requestEnd(); // a click anywhere else
}

void MenuSession::mouseRelease(QPoint global) {
    const int level = levelAt(global);
    if (level >= 0) {
        MenuPopup* target = popup(level);
        const int position = target->itemAt(target->mapFromGlobal(global));
        if (position >= 0 && !target->items()[static_cast<std::size_t>(position)].subMenu)
            choose(level, position);
        return;
    }
    if (bar_) {
        const QPoint local = bar_->mapFromGlobal(global);
        const int item = bar_->rect().contains(local) ? bar_->itemAt(local) : -1;
        if (item >= 0 && item == barItem_ && !bar_->items()[static_cast<std::size_t>(item)].subMenu)
            chooseBarItem(item);
    }
}

bool MenuSession::filterEvent(QObject*, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        pressKey(key->key(), key->text());
        return true;
    }
    case QEvent::KeyRelease:
        return true;
    case QEvent::ShortcutOverride:
        // No shortcut of the form fires while its menu is open.
        event->accept();
        return true;
    case QEvent::MouseMove:
        mouseMove(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        mousePress(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        return true;
    case QEvent::MouseButtonRelease:
        mouseRelease(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        return true;
    case QEvent::Wheel:
        return true;
    case QEvent::ApplicationDeactivate:
        requestEnd();
        return false;
    default:
        return false;
    }
}

} // namespace platform::win
