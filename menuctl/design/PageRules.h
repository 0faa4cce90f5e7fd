#pragma once
// What the control's property pages show for a stored value and what they
// store for what is chosen, apart from any widget: the size checks of the
// general page, mask modes, separator styles, side bar backgrounds, the
// position grid, break entries and where a menu goes back into a list.
#include <QString>
#include <optional>
#include <vector>

namespace zephalt::pages {

// The image sizes the general page accepts, or the first problem, in the
// order height text, height range, width text, width range.
struct ImageSizes {
    int height = 0;
    int width = 0;
};
struct GeneralCheck {
    std::optional<ImageSizes> sizes;
    QString problem; // empty when sizes is set
};
GeneralCheck checkImageSizes(const QString& heightText, const QString& widthText);

// Mask mode entries 0..5 ("指定値" .. "なし") and "周囲のみ" (the Round flag
// 64, which means nothing without a mask).
int maskModeFromPage(int entry, bool borderOnly);
struct MaskShown {
    int entry = 0;
    bool borderOnly = false;
};
MaskShown maskModeOnPage(int maskMode);

// Separator options 0..5 ("直線（標準）" .. "ピクチャ") and the position
// entries "敷き詰め", "引き伸ばし", "左寄せ", "中寄せ", "右寄せ".
int separatorStyleFromPage(int option, int positionEntry);
struct SeparatorShown {
    int option = 0;
    int positionEntry = 0;
};
SeparatorShown separatorStyleOnPage(int style);

// Background options "なし", "グラデーション", "単色", "ピクチャ" with the
// check boxes "横方向" and "虹色".
int backStyleFromPage(int option, bool horizontal, bool rainbow);
struct BackShown {
    int option = 0;
    bool horizontal = false;
    bool rainbow = false;
};
BackShown backStyleOnPage(int backStyle);

// Position options 0..8 (a 3 × 3 grid), 9 "敷き詰め", 10 "伸縮"; -1 for a
// fill style that no option shows.
int fillStyleFromPosition(int option);
int positionOfFillStyle(int fillStyle);

// Break list entries "分割なし", "分割", "バー分割" and the item's break mode.
int breakModeFromPage(int entry);
int breakEntryOnPage(int breakMode);

// Where an entry with this form position goes in a list kept in form order:
// before the first entry with a larger position.
int insertionRow(const std::vector<int>& positions, int position);

} // namespace zephalt::pages
