// Measuring an item: the queued texts are applied, then the item's width and
// height come from its text (or picture), the check-column image size and the
// edges, plus the title bar's width for items of the first column.
#include "menuctl/engine/MeasureText.h"
#include "menuctl/engine/MenuConversion.h"
#include "menuctl/engine/OwnerDrawMenu.h"

namespace zephalt {

using namespace platform::win;

void MeasureMenuItem(OwnerDrawMenu& control, std::uintptr_t itemData, MEASUREITEMSTRUCT& record) {
    clsMenuItem* item = control.MenuItems().byItemData(itemData);
    if (item == nullptr) {
        return; // item data that names no item of ours: left as it is
    }
    const int ex = control.EdgeWidth;
    const int ey = control.EdgeHeight;
    int width = 0;
    int height = 0;
    if (item->Caption() != QStringLiteral("-")) {
        if (!item->CaptionQue().isEmpty()) {
            item->CaptionDsp = item->CaptionQue();
            item->setCaption(QString());
        }
        if (!item->ShortCutQue().isEmpty()) {
            item->ShortCutDsp = item->ShortCutQue();
            item->setShortCut(QString());
        }
        int w = 0;
        int h = 0;
        if (const auto& picture = item->ItemIcon(0)) {
            w = picture->width;
            h = picture->height;
        } else {
            platform::forms::FontObject font = control.Font();
            font.weight = item->Bold() ? 700 : font.weight;
            font.italic = item->Italic();
            font.underline = item->UnderLine();
            const QString text = item->ShortCutDsp.isEmpty()
                                     ? item->CaptionDsp
                                     : item->CaptionDsp + QStringLiteral("  ") + item->ShortCutDsp;
            const QSize size = MeasureText(font, text, &control.ansiTexts());
            w = size.width();
            h = size.height() + 2 * ey;
        }
        width = w + control.ImageWidth() + 8 + 3 * ex;
        height = std::max(h, control.ImageHeight() + 2 * ey);
    } else if (item->SeparatorStyle() <= zxSS_DashDotDot) {
        width = height = ey + 8;
    } else if (const auto& picture = item->ItemIcon(0)) {
        width = picture->width;
        height = picture->height;
    }
    const clsTitlebar* bar = control.TitleBars().ItemEx(item->TitleBarIndex);
    if (bar != nullptr && bar->BackStyle() != zxBG_Hide && item->TitleBarFlag) {
        width += bar->Width();
    }
    record.itemWidth = static_cast<UINT>(std::max(0, width));
    record.itemHeight = static_cast<UINT>(std::max(0, height));
}

} // namespace zephalt
