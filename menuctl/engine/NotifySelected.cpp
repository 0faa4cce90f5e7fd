// The highlighted item's notification: the host learns the item's key.
#include "menuctl/engine/MenuConversion.h"
#include "menuctl/engine/OwnerDrawMenu.h"
#include "platform/forms/MenuControl.h"
#include "platform/win/Menus.h"

namespace zephalt {

using namespace platform::win;

void NotifySelected(OwnerDrawMenu& control, int item, int flags, HMENU hMenu) {
    if (hMenu == 0 || flags == -1) {
        return; // the menu closed
    }
    platform::forms::MenuControl* host = nullptr;
    if (flags & MF_POPUP) {
        const HMENU sub = GetSubMenu(hMenu, item);
        host = sub != 0 ? control.FindMenuControl(static_cast<std::int64_t>(sub), true) : nullptr;
    } else {
        host = control.FindMenuControl(item, false);
    }
    const QString key = host ? MakeItemKey(*host) : MakeItemKey(std::int64_t{item & 0xFFFF});
    if (control.ParentForm() != nullptr) {
        control.ParentForm()->raiseEvent(QStringLiteral("Selected"), {key});
    }
}

} // namespace zephalt
