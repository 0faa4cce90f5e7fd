// The built-in check-column images: caption buttons, check mark, check boxes,
// bullet and radio buttons, each drawn by the drawing layer at the image size,
// masked, and added with its grey copy as pairs 1 to 10.
#include "menuctl/engine/OwnerDrawMenu.h"
#include "menuctl/engine/PixelRules.h"
#include "menuctl/engine/SystemValues.h"
#include "platform/gdi/Gdi.h"

namespace zephalt {

using namespace platform::gdi;

namespace {

struct Glyph {
    UINT type;
    UINT state;
    bool caption; // drawn with its frame outside the image
    OleColor maskColour;
    int maskMode;
};

constexpr OleColor White = 0xFFFFFF;
constexpr Glyph Glyphs[] = {
    {DFC_CAPTION, DFCS_CAPTIONCLOSE, true, SystemColour(15), zxMM_LTPixel},
    {DFC_CAPTION, DFCS_CAPTIONMIN, true, SystemColour(15), zxMM_LTPixel},
    {DFC_CAPTION, DFCS_CAPTIONMAX, true, SystemColour(15), zxMM_LTPixel},
    {DFC_CAPTION, DFCS_CAPTIONRESTORE, true, SystemColour(15), zxMM_LTPixel},
    {DFC_MENU, 0x4001, false, White, zxMM_Value},
    {DFC_BUTTON, 0, false, White, zxMM_Value | zxMM_Round},
    {DFC_BUTTON, 0x400, false, White, zxMM_Value | zxMM_Round},
    {DFC_MENU, 0x4002, false, White, zxMM_Value},
    {DFC_BUTTON, 4, false, White, zxMM_Value | zxMM_Round},
    {DFC_BUTTON, 0x404, false, White, zxMM_Value | zxMM_Round},
};

IconPixels drawGlyph(const Glyph& glyph, int width, int height, int ex, int ey) {
    IconPixels pixels = IconPixels::blank(width, height);
    const HDC screen = GetDC(0);
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ previous = SelectObject(dc, bitmap);
    RECT rect = glyph.caption ? RECT{-ex, -ey, width + ex, height + ey} : RECT{0, 0, width, height};
    DrawFrameControl(dc, &rect, glyph.type, glyph.state);
    SelectObject(dc, previous);
    BITMAPINFO info;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biBitCount = 24;
    GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.colour.data(), &info,
              DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(0, screen);
    return maskByKey(pixels, glyph.maskMode, resolveColour(glyph.maskColour));
}

} // namespace

void OwnerDrawMenu::MakeStandardImages() {
    imageList_.Clear();
    for (const Glyph& glyph : Glyphs) {
        const IconPixels icon = drawGlyph(glyph, imageWidth_, imageHeight_, EdgeWidth, EdgeHeight);
        imageList_.AddIcon(icon);
        imageList_.AddIcon(MakeGrayIcon(icon));
    }
    StandardCheckIndex = 9;
    StandardRadioIndex = 15;
    StandardImageCount = imageList_.Count();
}

} // namespace zephalt
