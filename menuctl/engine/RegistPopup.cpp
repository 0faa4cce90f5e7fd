// The owner-draw conversion of a popup as it opens: every native item gets
// its item object, owner-drawn type and item data; pending column breaks and
// radio types are applied; changed items are re-inserted so that they are
// measured again; the popup gets its title bar.
#include "menuctl/engine/MenuConversion.h"
#include "menuctl/engine/OwnerDrawMenu.h"
#include "platform/forms/MenuControl.h"
#include "platform/text/Codepage.h"
#include "platform/win/Menus.h"
#include <vector>

namespace zephalt {

using namespace platform::win;

namespace {

constexpr UINT AllFields = 0x3F; // state, id, submenu, checkmarks, type, data

bool isCaptionCommand(UINT id) {
    return id == SC_MINIMIZE || id == SC_MAXIMIZE || id == SC_CLOSE || id == SC_RESTORE;
}

// Takes the caption and shortcut texts of a native item that is not yet
// owner-drawn.
void takeDisplayTexts(clsMenuItem& item, const MENUITEMINFOA& info) {
    if (info.fType & MFT_SEPARATOR) {
        item.CaptionDsp = QStringLiteral("-");
        item.ShortCutDsp.clear();
        return;
    }
    if (info.fType & MFT_BITMAP) {
        // A bitmap item shows its picture only; the picture itself becomes
        // the item picture once bitmaps can be read (drawing layer).
        item.CaptionDsp.clear();
        item.ShortCutDsp.clear();
        return;
    }
    const QByteArray raw(info.dwTypeData ? info.dwTypeData : "");
    const QString text = platform::text::decodeCp932(raw);
    const qsizetype tab = text.indexOf(u'\t');
    item.CaptionDsp = tab < 0 ? text : text.left(tab);
    item.ShortCutDsp = tab < 0 ? QString() : text.mid(tab + 1);
}

} // namespace

void RegistPopup(OwnerDrawMenu& control, HMENU hMenu, int /*position*/, bool isSystemMenu) {
    clsMenuItems& items = control.MenuItems();
    clsTitlebars& bars = control.TitleBars();
    int titleBar = -1;
    QString popupName;
    std::vector<int> pending;
    bool firstColumn = true;
    const int count = GetMenuItemCount(hMenu);
    bool stopped = false;
    for (int i = 0; i < count && !stopped; ++i) {
        char text[256] = {};
        MENUITEMINFOA info;
        info.cbSize = MENUITEMINFO_OLD_SIZE;
        info.fMask = AllFields;
        info.dwTypeData = text;
        info.cch = 255;
        if (!GetMenuItemInfoA(hMenu, static_cast<UINT>(i), TRUE, &info)) {
            continue;
        }
        if (isCaptionCommand(info.wID)) {
            if (!isSystemMenu || !control.SystemMenu) {
                stopped = true; // the window menu is left as it is
                break;
            }
            info.fType &= ~MFT_BITMAP;
        }
        clsMenuItem* item = nullptr;
        if (info.fType & MFT_OWNERDRAW) {
            item = items.byItemData(info.dwItemData);
            if (item == nullptr) {
                continue; // owner-drawn by someone else: not ours to touch
            }
        } else {
            platform::forms::MenuControl* host =
                info.hSubMenu != 0
                    ? control.FindMenuControl(static_cast<std::int64_t>(info.hSubMenu), true)
                    : control.FindMenuControl(info.wID, false);
            item =
                host ? &items.Item(ItemName(static_cast<const platform::forms::MenuControl*>(host)))
                     : &items.Item(ItemName(static_cast<std::int64_t>(info.wID)));
            if (items.NewIndex != -1) {
                item->setBold(control.Font().bold());
                item->setItalic(control.Font().italic);
                item->setUnderLine(control.Font().underline);
            }
            takeDisplayTexts(*item, info);
            info.fType |= MFT_OWNERDRAW;
            info.dwItemData = static_cast<ULONG_PTR>(items.ListIndex + 1);
        }
        const int index = items.ListIndex;
        if (item->BreakMode != 0) {
            info.fType &= ~(MFT_MENUBARBREAK | MFT_MENUBREAK);
            if (item->BreakMode == zxBS_Break) {
                info.fType |= MFT_MENUBREAK;
            } else if (item->BreakMode == zxBS_BarBreak) {
                info.fType |= MFT_MENUBARBREAK;
            }
            item->BreakMode = 0;
        }
        if (item->RadioFlag) {
            info.fType |= MFT_RADIOCHECK;
            item->RadioFlag = false;
        }
        info.fMask = AllFields;
        SetMenuItemInfoA(hMenu, static_cast<UINT>(i), TRUE, &info);
        if (item->Changed) {
            RefreshMenuItem(hMenu, i);
            item->Changed = false;
        }
        if (item->TitleBarIndex == -1) {
            if (titleBar == -1) {
                const int found = FindTitleBar(control, item->ItemName);
                if (found == -1) {
                    pending.push_back(index);
                    if (popupName.isEmpty()) {
                        popupName = item->ItemName;
                    }
                } else {
                    item->TitleBarIndex = titleBar = found;
                    popupName = item->ItemName;
                }
            } else {
                item->TitleBarIndex = titleBar;
            }
        } else if (titleBar == -1) {
            titleBar = item->TitleBarIndex;
        }
        if (info.fType & (MFT_MENUBARBREAK | MFT_MENUBREAK)) {
            firstColumn = false;
        }
        item->TitleBarFlag = firstColumn;
    }
    if (stopped) {
        return;
    }
    if (titleBar == -1) {
        if (pending.empty()) {
            return; // a popup with no items needs no title bar
        }
        bars.Item(popupName);
        titleBar = bars.ListIndex;
    }
    for (int index : pending) {
        items.ItemEx(index)->TitleBarIndex = titleBar;
    }
    if (clsTitlebar* bar = bars.ItemEx(titleBar)) {
        bar->MenuHandle = hMenu;
        bar->Draw = true;
    }
}

void RefreshMenuItem(HMENU hMenu, int position) {
    MENUITEMINFOA info;
    info.cbSize = MENUITEMINFO_OLD_SIZE;
    info.fMask = AllFields;
    if (!GetMenuItemInfoA(hMenu, static_cast<UINT>(position), TRUE, &info)) {
        return;
    }
    RemoveMenu(hMenu, static_cast<UINT>(position), MF_BYPOSITION);
    InsertMenuItemA(hMenu, static_cast<UINT>(position), TRUE, &info);
}

int FindTitleBar(OwnerDrawMenu& control, const QString& name) {
    clsTitlebars& bars = control.TitleBars();
    for (int i = 1; i < bars.Count(); ++i) {
        if (bars.ItemEx(i)->MenuName == name) {
            return i;
        }
    }
    return -1;
}

} // namespace zephalt
