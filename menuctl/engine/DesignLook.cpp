// The control's only appearance: at design time a small raised square on the
// form, which keeps its size whatever the designer asks.
#include "menuctl/engine/OwnerDrawMenu.h"
#include "platform/gdi/Edges.h"

namespace zephalt {

namespace {

constexpr int ExtentTwips = 600;

} // namespace

QSize OwnerDrawMenu::designExtent(QSize) {
    return {ExtentTwips, ExtentTwips};
}

void OwnerDrawMenu::paintDesign(platform::win::HDC dc, const platform::win::RECT& bounds) {
    platform::win::RECT client{0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top};
    platform::gdi::DrawEdge(dc, &client, platform::gdi::EDGE_RAISED, platform::gdi::BF_RECT);
}

} // namespace zephalt
