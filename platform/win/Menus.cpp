#include "platform/win/Menus.h"

#include "platform/text/Codepage.h"
#include "platform/win/MenuDataWindow.h"
#include "platform/win/MenuEvents.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"
#include "platform/win/WindowTableAnsi.h"

#include <algorithm>
#include <climits>
#include <map>
#include <optional>
#include <set>
#include <utility>
#include <vector>

// TrackPopupMenu, EndMenu and GetMenuItemRect belong to the menu manager, which
// owns the widgets that show menus.

namespace platform::win {

namespace {

constexpr UINT kPublicTypeBits = MFT_BITMAP | MFT_MENUBARBREAK | MFT_MENUBREAK | MFT_OWNERDRAW |
                                 MFT_RADIOCHECK | MFT_SEPARATOR | MFT_RIGHTORDER | MFT_RIGHTJUSTIFY;
constexpr UINT kStateBits = MFS_GRAYED | MFS_CHECKED | MFS_HILITE | MFS_DEFAULT;
constexpr UINT kBadPosition = 0xFFFFFFFF;
// Sub-menu links allowed in one chain from a top menu down.
constexpr int kMaxNesting = 25;
// Menu handles start far above window handles so that a window handle passed
// where a menu is expected is refused instead of naming some menu.
constexpr HMENU kFirstMenuHandle = 0x100001;

struct MenuItem {
    UINT type = 0; // public MFT_ bits only; the popup bit follows from subMenu
    UINT state = 0;
    UINT id = 0;
    HMENU subMenu = 0;
    HBITMAP checked = 0;
    HBITMAP unchecked = 0;
    ULONG_PTR data = 0;
    QString text;
    bool hasText = false; // an empty text is still a text: the item is no separator
    HBITMAP bitmap = 0;
};

struct Menu {
    bool popup = false;
    std::vector<MenuItem> items;
};

struct WindowMenus {
    HMENU bar = 0;
    HMENU system = 0;
};

template <class Listener> struct Listeners {
    std::map<int, Listener> entries;
    int next = 1;

    int add(Listener listener) {
        const int id = next++;
        entries.emplace(id, std::move(listener));
        return id;
    }
};

// The menu table. Like the window table it is one per process, shared by the
// program and every control library through this library, hence a
// function-local static. Only the GUI thread touches it.
struct MenuTable {
    std::map<HMENU, Menu> menus;
    std::map<HWND, WindowMenus> windows;
    HMENU next = kFirstMenuHandle;
    Listeners<MenuChangedListener> menuListeners;
    Listeners<MenuBarListener> barListeners;
};

MenuTable& table() {
    static MenuTable instance;
    return instance;
}

Menu* findMenu(HMENU menu) {
    auto& menus = table().menus;
    auto it = menus.find(menu);
    return it == menus.end() ? nullptr : &it->second;
}

// Calls every listener registered when the notice starts, skipping those that
// an earlier listener removed. Each call runs on a copy, so a listener may
// remove itself.
template <class Listener, class Arg> void notify(Listeners<Listener>& listeners, Arg arg) {
    std::vector<int> ids;
    ids.reserve(listeners.entries.size());
    for (const auto& entry : listeners.entries) {
        ids.push_back(entry.first);
    }
    for (int id : ids) {
        auto it = listeners.entries.find(id);
        if (it == listeners.entries.end()) {
            continue;
        }
        Listener call = it->second;
        if (call) {
            call(arg);
        }
    }
}

void notifyMenuChanged(HMENU menu) {
    notify(table().menuListeners, menu);
}

HMENU createMenu(bool popup) {
    MenuTable& menus = table();
    const HMENU handle = menus.next++;
    menus.menus[handle].popup = popup;
    return handle;
}

struct ItemRef {
    HMENU menu = 0;
    std::size_t index = 0;
};

MenuItem& itemAt(const ItemRef& ref) {
    return findMenu(ref.menu)->items[ref.index];
}

// Depth-first through sub-menus. A plain command item wins; an item that opens
// a sub-menu and carries the identifier is the answer only when no command item
// anywhere below has it.
std::optional<ItemRef> findCommand(HMENU menu, UINT id, int depth,
                                   std::optional<ItemRef>& popupMatch) {
    const Menu* data = findMenu(menu);
    if (!data || depth > kMaxNesting) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < data->items.size(); ++i) {
        const MenuItem& item = data->items[i];
        if (item.subMenu) {
            if (auto found = findCommand(item.subMenu, id, depth + 1, popupMatch)) {
                return found;
            }
            if (item.id == id && !popupMatch) {
                popupMatch = ItemRef{menu, i};
            }
        } else if (item.id == id) {
            return ItemRef{menu, i};
        }
    }
    return std::nullopt;
}

std::optional<ItemRef> locate(HMENU menu, UINT item, bool byPosition) {
    const Menu* data = findMenu(menu);
    if (!data) {
        return std::nullopt;
    }
    if (byPosition) {
        if (item >= data->items.size()) {
            return std::nullopt;
        }
        return ItemRef{menu, item};
    }
    std::optional<ItemRef> popupMatch;
    if (auto found = findCommand(menu, item, 0, popupMatch)) {
        return found;
    }
    return popupMatch;
}

// Whether target can be reached from `from` through sub-menu links (a menu
// reaches itself).
bool reaches(HMENU from, HMENU target, std::set<HMENU>& seen) {
    if (from == target) {
        return true;
    }
    if (!seen.insert(from).second) {
        return false;
    }
    const Menu* data = findMenu(from);
    if (!data) {
        return false;
    }
    return std::any_of(data->items.begin(), data->items.end(), [&](const MenuItem& item) {
        return item.subMenu && reaches(item.subMenu, target, seen);
    });
}

// Longest chain of sub-menu links below the menu. The table holds no loops, so
// the recursion ends; the bound only stops it early once the answer is known
// to be too deep.
int depthBelow(HMENU menu, int bound) {
    const Menu* data = findMenu(menu);
    if (!data || bound < 0) {
        return 0;
    }
    int deepest = 0;
    for (const MenuItem& item : data->items) {
        if (item.subMenu) {
            deepest = std::max(deepest, 1 + depthBelow(item.subMenu, bound - 1));
            if (deepest > bound) {
                break;
            }
        }
    }
    return deepest;
}

// Longest chain of sub-menu links from any menu down to this one. A menu can
// hang under several items, so every parent counts.
int depthAbove(HMENU menu, int bound) {
    if (bound < 0) {
        return 0;
    }
    int deepest = 0;
    for (const auto& [handle, data] : table().menus) {
        const bool isParent =
            std::any_of(data.items.begin(), data.items.end(),
                        [&](const MenuItem& item) { return item.subMenu == menu; });
        if (isParent) {
            deepest = std::max(deepest, 1 + depthAbove(handle, bound - 1));
            if (deepest > bound) {
                break;
            }
        }
    }
    return deepest;
}

// Whether an item of `parent` may open `subMenu`: it must be a menu, must not
// lead back to the parent, and the deepest chain through the new link must stay
// within the nesting limit, however the chain was built.
bool canAttach(HMENU parent, HMENU subMenu) {
    if (!findMenu(subMenu)) {
        return false;
    }
    std::set<HMENU> seen;
    if (reaches(subMenu, parent, seen)) {
        return false;
    }
    const int above = depthAbove(parent, kMaxNesting);
    const int below = depthBelow(subMenu, kMaxNesting);
    return above + 1 + below <= kMaxNesting;
}

bool hasNoContent(const MenuItem& item) {
    return !item.hasText && item.bitmap == 0 && !(item.type & MFT_OWNERDRAW);
}

// The predefined bitmap values (HBMMENU_CALLBACK and HBMMENU_SYSTEM to
// HBMMENU_POPUP_MINIMIZE) name drawings the menu makes itself, not bitmaps.
bool isMagicBitmap(HBITMAP bitmap) {
    return bitmap == static_cast<HBITMAP>(-1) || (bitmap >= 1 && bitmap <= 11);
}

// The fields of a MENUITEMINFOA after the old MIIM_TYPE form is turned into the
// newer flags, with the text already decoded.
struct ItemUpdate {
    UINT mask = 0;
    UINT type = 0;
    UINT state = 0;
    UINT id = 0;
    HMENU subMenu = 0;
    HBITMAP checked = 0;
    HBITMAP unchecked = 0;
    ULONG_PTR data = 0;
    QString text;
    bool hasText = false;
    HBITMAP bitmap = 0;
};

bool validRecord(const MENUITEMINFOA* info) {
    if (!info) {
        return false;
    }
    if (info->cbSize != sizeof(MENUITEMINFOA) && info->cbSize != MENUITEMINFO_OLD_SIZE) {
        return false;
    }
    if ((info->fMask & MIIM_TYPE) && (info->fMask & (MIIM_STRING | MIIM_FTYPE | MIIM_BITMAP))) {
        return false;
    }
    // A bitmap is given through MIIM_BITMAP; the type field cannot carry one.
    if ((info->fMask & MIIM_FTYPE) && (info->fType & MFT_BITMAP)) {
        return false;
    }
    return true;
}

bool hasBitmapField(const MENUITEMINFOA* info) {
    return info->cbSize == sizeof(MENUITEMINFOA);
}

ItemUpdate updateFrom(const MENUITEMINFOA* info) {
    ItemUpdate update;
    UINT mask = info->fMask;
    if (!hasBitmapField(info)) {
        mask &= ~MIIM_BITMAP; // the older record ends before hbmpItem
    }
    if (mask & MIIM_TYPE) {
        mask = (mask & ~MIIM_TYPE) | MIIM_FTYPE;
        if (info->fType & MFT_BITMAP) {
            mask |= MIIM_BITMAP;
            update.bitmap = LOWORD(reinterpret_cast<std::uintptr_t>(info->dwTypeData));
        } else if (!(info->fType & (MFT_OWNERDRAW | MFT_SEPARATOR))) {
            mask |= MIIM_STRING;
        }
    } else if (mask & MIIM_BITMAP) {
        update.bitmap = info->hbmpItem;
    }
    update.mask = mask;
    update.type = info->fType & kPublicTypeBits;
    update.state = info->fState & kStateBits;
    update.id = info->wID;
    update.subMenu = info->hSubMenu;
    update.checked = info->hbmpChecked;
    update.unchecked = info->hbmpUnchecked;
    update.data = info->dwItemData;
    if ((mask & MIIM_STRING) && info->dwTypeData) {
        update.text = text::decodeCp932(QByteArray(info->dwTypeData));
        update.hasText = !update.text.isEmpty();
    }
    return update;
}

// Checked before anything changes, so that a refused update leaves the item
// as it was.
bool updateAllowed(HMENU menu, const ItemUpdate& update) {
    return !(update.mask & MIIM_SUBMENU) || update.subMenu == 0 || canAttach(menu, update.subMenu);
}

void applyUpdate(MenuItem& item, const ItemUpdate& update) {
    if (update.mask & MIIM_FTYPE) {
        item.type = update.type;
    }
    if (update.mask & MIIM_STRING) {
        item.text = update.text;
        item.hasText = update.hasText;
    }
    if (update.mask & MIIM_BITMAP) {
        item.bitmap = update.bitmap;
    }
    if (update.mask & MIIM_STATE) {
        item.state = update.state;
    }
    if (update.mask & MIIM_ID) {
        item.id = update.id;
    }
    if (update.mask & MIIM_SUBMENU) {
        item.subMenu = update.subMenu;
    }
    if (update.mask & MIIM_CHECKMARKS) {
        item.checked = update.checked;
        item.unchecked = update.unchecked;
    }
    if (update.mask & MIIM_DATA) {
        item.data = update.data;
    }
    if (hasNoContent(item)) {
        item.type |= MFT_SEPARATOR;
    }
}

bool insertItem(HMENU menu, std::size_t index, const ItemUpdate& update) {
    Menu* data = findMenu(menu);
    if (!data || !updateAllowed(menu, update)) {
        return false;
    }
    index = std::min(index, data->items.size());
    auto it =
        data->items.insert(data->items.begin() + static_cast<std::ptrdiff_t>(index), MenuItem{});
    applyUpdate(*it, update);
    notifyMenuChanged(menu);
    return true;
}

void copyText(const MenuItem& item, MENUITEMINFOA* info) {
    const QByteArray bytes = text::encodeCp932(item.text);
    if (!info->dwTypeData || info->cch == 0) {
        info->cch = static_cast<UINT>(bytes.size());
        return;
    }
    const int size = static_cast<int>(std::min<UINT>(info->cch, INT_MAX));
    info->cch = static_cast<UINT>(copyCp932(bytes, info->dwTypeData, size));
}

HMENU createSystemMenu() {
    const HMENU menu = createMenu(true);
    struct Entry {
        const char* text;
        UINT command;
    };
    const Entry entries[] = {
        {"元のサイズに戻す(&R)", SC_RESTORE}, {"移動(&M)", SC_MOVE},
        {"サイズ変更(&S)", SC_SIZE},          {"最小化(&N)", SC_MINIMIZE},
        {"最大化(&X)", SC_MAXIMIZE},          {nullptr, 0},
        {"閉じる(&C)\tAlt+F4", SC_CLOSE},
    };
    Menu& data = *findMenu(menu);
    for (const Entry& entry : entries) {
        MenuItem item;
        if (entry.text) {
            item.text = QString::fromUtf8(entry.text);
            item.hasText = true;
            item.id = entry.command;
        } else {
            item.type = MFT_SEPARATOR;
            item.state = MF_GRAYED | MF_DISABLED;
        }
        data.items.push_back(item);
    }
    data.items.back().state = MFS_DEFAULT; // double-clicking the window icon closes
    return menu;
}

bool barInUseElsewhere(HMENU bar, HWND except) {
    const auto& windows = table().windows;
    return std::any_of(windows.begin(), windows.end(), [&](const auto& entry) {
        return entry.first != except && entry.second.bar == bar;
    });
}

} // namespace

HMENU CreateMenu() {
    return createMenu(false);
}

HMENU CreatePopupMenu() {
    return createMenu(true);
}

BOOL DestroyMenu(HMENU menu) {
    if (!findMenu(menu)) {
        return FALSE;
    }
    // The menu and everything below it, each once even when shared.
    std::vector<HMENU> doomed{menu};
    std::set<HMENU> seen{menu};
    for (std::size_t i = 0; i < doomed.size(); ++i) {
        for (const MenuItem& item : findMenu(doomed[i])->items) {
            if (item.subMenu && findMenu(item.subMenu) && seen.insert(item.subMenu).second) {
                doomed.push_back(item.subMenu);
            }
        }
    }
    MenuTable& menus = table();
    for (HMENU handle : doomed) {
        menus.menus.erase(handle);
    }
    // Items elsewhere that opened a destroyed menu lose it instead of keeping
    // a dead handle; the same goes for windows showing it.
    std::vector<HMENU> changedParents;
    for (auto& [handle, data] : menus.menus) {
        bool changed = false;
        for (MenuItem& item : data.items) {
            if (item.subMenu && seen.count(item.subMenu)) {
                item.subMenu = 0;
                changed = true;
            }
        }
        if (changed) {
            changedParents.push_back(handle);
        }
    }
    std::vector<HWND> changedBars;
    for (auto& [hwnd, windowMenus] : menus.windows) {
        if (seen.count(windowMenus.bar)) {
            windowMenus.bar = 0;
            changedBars.push_back(hwnd);
        }
        if (seen.count(windowMenus.system)) {
            windowMenus.system = 0;
        }
    }
    for (HMENU handle : doomed) {
        notifyMenuChanged(handle);
    }
    for (HMENU handle : changedParents) {
        notifyMenuChanged(handle);
    }
    for (HWND hwnd : changedBars) {
        notifyMenuBarChanged(hwnd);
    }
    return TRUE;
}

BOOL IsMenu(HMENU menu) {
    return findMenu(menu) ? TRUE : FALSE;
}

int GetMenuItemCount(HMENU menu) {
    const Menu* data = findMenu(menu);
    return data ? static_cast<int>(data->items.size()) : -1;
}

HMENU GetSubMenu(HMENU menu, int position) {
    if (position < 0) {
        return 0;
    }
    const auto ref = locate(menu, static_cast<UINT>(position), true);
    return ref ? itemAt(*ref).subMenu : 0;
}

UINT GetMenuItemID(HMENU menu, int position) {
    if (position < 0) {
        return kBadPosition;
    }
    const auto ref = locate(menu, static_cast<UINT>(position), true);
    if (!ref || itemAt(*ref).subMenu) {
        return kBadPosition;
    }
    return itemAt(*ref).id;
}

BOOL GetMenuItemInfoA(HMENU menu, UINT item, BOOL byPosition, MENUITEMINFOA* info) {
    if (!validRecord(info)) {
        return FALSE;
    }
    const auto ref = locate(menu, item, byPosition != FALSE);
    if (!ref) {
        return FALSE;
    }
    const MenuItem& data = itemAt(*ref);
    const UINT mask = info->fMask;
    if (mask & MIIM_TYPE) {
        const bool realBitmap = data.bitmap != 0 && !isMagicBitmap(data.bitmap);
        info->fType = data.type | (realBitmap ? MFT_BITMAP : 0);
        if (hasBitmapField(info)) {
            info->hbmpItem = data.bitmap;
        }
        // An item that is no string item still reports the length of a text it
        // holds, so a caller can ask for the text with a buffer of that size.
        const auto textLength = static_cast<UINT>(text::encodeCp932(data.text).size());
        if (info->fType & MFT_BITMAP) {
            info->dwTypeData = reinterpret_cast<char*>(data.bitmap);
            info->cch = textLength;
        } else if (info->fType & (MFT_OWNERDRAW | MFT_SEPARATOR)) {
            info->dwTypeData = nullptr;
            info->cch = textLength;
        } else {
            copyText(data, info);
        }
    }
    if (mask & MIIM_FTYPE) {
        info->fType = data.type;
    }
    if (mask & MIIM_STRING) {
        copyText(data, info);
    }
    if ((mask & MIIM_BITMAP) && hasBitmapField(info)) {
        info->hbmpItem = data.bitmap;
    }
    if (mask & MIIM_STATE) {
        info->fState = data.state;
    }
    if (mask & MIIM_ID) {
        info->wID = data.id;
    }
    info->hSubMenu = (mask & MIIM_SUBMENU) ? data.subMenu : 0;
    if (mask & MIIM_CHECKMARKS) {
        info->hbmpChecked = data.checked;
        info->hbmpUnchecked = data.unchecked;
    }
    if (mask & MIIM_DATA) {
        info->dwItemData = data.data;
    }
    return TRUE;
}

BOOL SetMenuItemInfoA(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFOA* info) {
    if (!validRecord(info)) {
        return FALSE;
    }
    const auto ref = locate(menu, item, byPosition != FALSE);
    if (!ref) {
        return FALSE;
    }
    const ItemUpdate update = updateFrom(info);
    if (!updateAllowed(ref->menu, update)) {
        return FALSE;
    }
    applyUpdate(itemAt(*ref), update);
    notifyMenuChanged(ref->menu);
    return TRUE;
}

BOOL InsertMenuItemA(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFOA* info) {
    if (!validRecord(info)) {
        return FALSE;
    }
    const Menu* data = findMenu(menu);
    if (!data) {
        return FALSE;
    }
    ItemRef where{menu, data->items.size()};
    if (byPosition) {
        where.index = std::min<std::size_t>(item, data->items.size());
    } else {
        // Before the item with that identifier, in whichever menu holds it; a
        // missing identifier is an error rather than a silent append.
        const auto ref = locate(menu, item, false);
        if (!ref) {
            return FALSE;
        }
        where = *ref;
    }
    return insertItem(where.menu, where.index, updateFrom(info)) ? TRUE : FALSE;
}

BOOL AppendMenuA(HMENU menu, UINT flags, ULONG_PTR idOrSubMenu, const QString& text) {
    // The string argument cannot carry a bitmap handle; bitmap items are made
    // with InsertMenuItemA.
    if (!findMenu(menu) || (flags & MF_BITMAP)) {
        return FALSE;
    }
    ItemUpdate update;
    update.mask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
    update.type = flags & kPublicTypeBits;
    // MF_DEFAULT is no flag of this call: the default item is set by its own call.
    update.state = flags & kStateBits & ~MFS_DEFAULT;
    update.id = static_cast<UINT>(idOrSubMenu);
    if (flags & MF_POPUP) {
        if (idOrSubMenu == 0) {
            return FALSE;
        }
        update.mask |= MIIM_SUBMENU;
        update.subMenu = idOrSubMenu;
    }
    // A null text makes a separator; an empty one a string item with no text.
    if (!(flags & MF_SEPARATOR) && !text.isNull()) {
        update.text = text;
        update.hasText = true;
    }
    if ((flags & MF_SEPARATOR) || text.isNull()) {
        update.type |= MFT_SEPARATOR;
        update.state |= MF_GRAYED | MF_DISABLED;
    }
    return insertItem(menu, findMenu(menu)->items.size(), update) ? TRUE : FALSE;
}

BOOL RemoveMenu(HMENU menu, UINT item, UINT flags) {
    const auto ref = locate(menu, item, (flags & MF_BYPOSITION) != 0);
    if (!ref) {
        return FALSE;
    }
    auto& items = findMenu(ref->menu)->items;
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(ref->index));
    notifyMenuChanged(ref->menu);
    return TRUE;
}

BOOL SetMenu(HWND hwnd, HMENU menu) {
    if (!IsWindow(hwnd) || (menu != 0 && !findMenu(menu))) {
        return FALSE;
    }
    table().windows[hwnd].bar = menu;
    notifyMenuBarChanged(hwnd);
    return TRUE;
}

HMENU GetMenu(HWND hwnd) {
    const auto& windows = table().windows;
    auto it = windows.find(hwnd);
    return it == windows.end() ? 0 : it->second.bar;
}

BOOL DrawMenuBar(HWND hwnd) {
    if (!IsWindow(hwnd)) {
        return FALSE;
    }
    notifyMenuBarChanged(hwnd);
    return TRUE;
}

HMENU GetSystemMenu(HWND hwnd, BOOL revert) {
    if (!IsWindow(hwnd)) {
        return 0;
    }
    const HMENU current = table().windows[hwnd].system;
    if (revert) {
        // The changed copy goes; the next request builds the standard one.
        if (current) {
            DestroyMenu(current);
        }
        table().windows[hwnd].system = 0;
        return 0;
    }
    if (current && findMenu(current)) {
        return current;
    }
    const HMENU fresh = createSystemMenu();
    table().windows[hwnd].system = fresh;
    return fresh;
}

QString menuItemText(HMENU menu, int position) {
    if (position < 0) {
        return QString();
    }
    const auto ref = locate(menu, static_cast<UINT>(position), true);
    return ref ? itemAt(*ref).text : QString();
}

int addMenuChangedListener(MenuChangedListener listener) {
    return table().menuListeners.add(std::move(listener));
}

void removeMenuChangedListener(int id) {
    table().menuListeners.entries.erase(id);
}

int addMenuBarListener(MenuBarListener listener) {
    return table().barListeners.add(std::move(listener));
}

void removeMenuBarListener(int id) {
    table().barListeners.entries.erase(id);
}

void notifyMenuBarChanged(HWND hwnd) {
    notify(table().barListeners, hwnd);
}

HWND systemMenuOwner(HMENU menu) {
    if (menu == 0) {
        return 0;
    }
    for (const auto& [hwnd, windowMenus] : table().windows) {
        if (windowMenus.system == menu) {
            return hwnd;
        }
    }
    return 0;
}

void releaseWindowMenus(HWND hwnd) {
    MenuTable& menus = table();
    auto it = menus.windows.find(hwnd);
    if (it == menus.windows.end()) {
        return;
    }
    const WindowMenus owned = it->second;
    menus.windows.erase(it);
    if (owned.system) {
        DestroyMenu(owned.system);
    }
    if (owned.bar && !barInUseElsewhere(owned.bar, hwnd)) {
        DestroyMenu(owned.bar);
    }
}

} // namespace platform::win
