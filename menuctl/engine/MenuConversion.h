#pragma once
// The procedures behind the menu messages: the owner-draw conversion of a
// popup as it opens, the re-insertion of changed items, the title bar of a
// popup, menu characters, and the highlighted item's notification. Measuring
// and drawing requests are answered by MeasureMenuItem and DrawMenuItem.
#include "platform/win/Messages.h"
#include "platform/win/WinTypes.h"
#include <QString>
#include <cstdint>

namespace zephalt {

class OwnerDrawMenu;

void RegistPopup(OwnerDrawMenu& control, platform::win::HMENU hMenu, int position,
                 bool isSystemMenu);
void RefreshMenuItem(platform::win::HMENU hMenu, int position);
// The first title bar from index 1 whose MenuName is name; -1 if none.
int FindTitleBar(OwnerDrawMenu& control, const QString& name);
// MNC_EXECUTE in the high word and the position in the low word for the first
// item whose caption has "&" before the character; 0 (MNC_IGNORE) if none.
platform::win::LRESULT FindMenuChar(OwnerDrawMenu& control, int character, int flags,
                                    platform::win::HMENU hMenu);
void NotifySelected(OwnerDrawMenu& control, int item, int flags, platform::win::HMENU hMenu);

void MeasureMenuItem(OwnerDrawMenu& control, std::uintptr_t itemData,
                     platform::win::MEASUREITEMSTRUCT& record);
void DrawMenuItem(OwnerDrawMenu& control, platform::win::WPARAM wParam,
                  const platform::win::DRAWITEMSTRUCT& record);

} // namespace zephalt
