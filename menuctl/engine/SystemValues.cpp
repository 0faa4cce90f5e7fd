#include "menuctl/engine/SystemValues.h"
#include "menuctl/engine/LogFont.h"
#include "platform/gdi/Gdi.h"

using namespace platform::gdi;

namespace zephalt {

namespace {

constexpr int GradientActiveCaption = 27;

NONCLIENTMETRICSA nonClientMetrics() {
    NONCLIENTMETRICSA metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return metrics;
}

int screenPixelsPerInch() {
    const HDC screen = GetDC(0);
    const int perInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(0, screen);
    return perInch;
}

} // namespace

int systemEdgeWidth() {
    return GetSystemMetrics(SM_CXEDGE);
}

int systemEdgeHeight() {
    return GetSystemMetrics(SM_CYEDGE);
}

int systemCaptionHeight() {
    return nonClientMetrics().iCaptionHeight;
}

platform::forms::FontObject systemMenuFont() {
    return fontFromLogFont(nonClientMetrics().lfMenuFont, screenPixelsPerInch());
}

platform::forms::FontObject systemCaptionFont() {
    return fontFromLogFont(nonClientMetrics().lfCaptionFont, screenPixelsPerInch());
}

std::uint32_t gradientCaptionColour() {
    return GetSysColor(GradientActiveCaption);
}

bool translateColour(OleColor colour, std::uint32_t* colorref) {
    COLORREF value = 0;
    const bool ok = OleTranslateColor(colour, 0, &value) == S_OK;
    if (colorref) {
        *colorref = ok ? value : 0;
    }
    return ok;
}

std::uint32_t resolveColour(OleColor colour) {
    std::uint32_t value = 0;
    translateColour(colour, &value);
    return value;
}

} // namespace zephalt
