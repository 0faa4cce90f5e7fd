// Menu characters: a typed character chooses the first item of the open
// popup whose caption has "&" before that character.
#include "menuctl/engine/MenuConversion.h"
#include "menuctl/engine/OwnerDrawMenu.h"
#include "platform/win/Menus.h"

namespace zephalt {

using namespace platform::win;

LRESULT FindMenuChar(OwnerDrawMenu& control, int character, int /*flags*/, HMENU hMenu) {
    const QString wanted = QString(QChar(static_cast<char16_t>(character & 0xFFFF))).toUpper();
    const int count = GetMenuItemCount(hMenu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOA info;
        info.cbSize = MENUITEMINFO_OLD_SIZE;
        info.fMask = MIIM_DATA;
        if (!GetMenuItemInfoA(hMenu, static_cast<UINT>(i), TRUE, &info)) {
            continue;
        }
        const clsMenuItem* item = control.MenuItems().byItemData(info.dwItemData);
        if (item == nullptr) {
            continue; // not one of ours
        }
        const QString& caption = item->Caption();
        qsizetype at = caption.indexOf(u'&');
        while (at >= 0) {
            if (at + 1 < caption.size() && caption.mid(at + 1, 1).toUpper() == wanted) {
                return static_cast<LRESULT>(static_cast<DWORD>(i) | 0x20000u);
            }
            // "&&" is an ampersand, not a mnemonic of what follows it.
            at = caption.indexOf(u'&', at + 2);
        }
    }
    return MNC_IGNORE;
}

} // namespace zephalt
