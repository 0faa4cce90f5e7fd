#pragma once
// The steps of drawing one item, each on the item's (buffered) context: the
// check-column image, the caption lines or item picture with the shortcut,
// and separators in their ten styles.
#include "menuctl/engine/ItemPlan.h"
#include "platform/gdi/GdiTypes.h"

namespace zephalt {

class OwnerDrawMenu;
class clsMenuItem;

void fillWith(platform::gdi::HDC dc, const platform::win::RECT& rect, OleColor colour);
void DrawItemImage(OwnerDrawMenu& control, platform::gdi::HDC dc, const ImageRecord& image);
void DrawItemText(OwnerDrawMenu& control, platform::gdi::HDC dc, const TextRecord& record,
                  const clsMenuItem& item);
void DrawSeparator(OwnerDrawMenu& control, platform::gdi::HDC dc, const platform::win::RECT& rect,
                   const clsMenuItem& item);

} // namespace zephalt
