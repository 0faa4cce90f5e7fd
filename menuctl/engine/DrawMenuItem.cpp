// Drawing an item. The item and its title bar are resolved here; the
// painting itself (the six styles, separators, the bar image) is done through
// the platform's drawing layer.
#include "menuctl/engine/MenuConversion.h"
#include "menuctl/engine/OwnerDrawMenu.h"

namespace zephalt {

using namespace platform::win;

void DrawMenuItem(OwnerDrawMenu& control, WPARAM /*wParam*/, const DRAWITEMSTRUCT& record) {
    clsMenuItem* item = control.MenuItems().byItemData(record.itemData);
    if (item == nullptr || item->TitleBarIndex == 0) {
        return;
    }
    // An item whose title bar was removed is drawn without a bar rather
    // than through an index past the list.
    clsTitlebar* bar = control.TitleBars().ItemEx(item->TitleBarIndex);
    if (bar != nullptr && bar->Draw) {
        bar->Draw = false;
    }
}

} // namespace zephalt
