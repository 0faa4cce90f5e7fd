// Rendering a title bar into its off-screen picture: the background (picture,
// flat colour or gradient), then the caption (picture, text turned to run
// upwards, or vertical text), placed by the fill styles.
#include "menuctl/engine/BarDrawing.h"
#include "menuctl/engine/BarLayout.h"
#include "menuctl/engine/LogFont.h"
#include "menuctl/engine/MeasureText.h"
#include "menuctl/engine/SystemValues.h"
#include "menuctl/engine/clsTitlebar.h"
#include "platform/gdi/Gdi.h"
#include "platform/text/Codepage.h"
#include <cstring>

namespace zephalt {

using namespace platform::gdi;

namespace {

void fillBar(HDC dc, int w, int h, OleColor colour) {
    const RECT all{0, 0, w, h};
    const HBRUSH brush = CreateSolidBrush(resolveColour(colour));
    FillRect(dc, &all, brush);
    DeleteObject(brush);
}

// A picture placed on the bar by a fill style: stretched, tiled, or once.
void placeOnBar(HDC dc, const IconPixels& picture, int fillStyle, int w, int h, bool caption) {
    if (fillStyle == zxFS_Stretch) {
        drawPixels(dc, picture, 0, 0, w, h);
    } else if (fillStyle == zxFS_Fill) {
        for (const QPoint& at : tilePositions(w, h, picture.width, picture.height)) {
            drawPixels(dc, picture, at.x(), at.y());
        }
    } else {
        const QPoint at = placePicture(fillStyle, w, h, picture.width, picture.height, caption);
        drawPixels(dc, picture, at.x(), at.y());
    }
}

void drawCaptionText(HDC dc, const platform::forms::FontObject& barFont, const QString& caption,
                     bool vertical, int fillStyle, OleColor colour, int w, int h) {
    if (caption.isEmpty()) {
        return;
    }
    platform::forms::FontObject font = barFont;
    if (vertical) {
        font.name = QStringLiteral("@") + font.name; // MakeLogFont cuts it to the record
    }
    LOGFONTA logFont = MakeLogFont(font);
    logFont.lfEscapement = logFont.lfOrientation = vertical ? 2700 : 900;
    const QSize size = MeasureText(font, caption);
    const QPoint at = captionTextPosition(fillStyle, w, h, size.width(), size.height());

    const HFONT made = CreateFontIndirectA(&logFont);
    const HGDIOBJ previousFont = SelectObject(dc, made);
    const UINT previousAlign = SetTextAlign(dc, vertical ? TA_BOTTOM : TA_RIGHT);
    const COLORREF previousColour = SetTextColor(dc, resolveColour(colour));
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    const QByteArray ansi = platform::text::encodeCp932(caption);
    DrawStateA(dc, 0, nullptr, reinterpret_cast<platform::win::LPARAM>(ansi.constData()),
               static_cast<platform::win::WPARAM>(ansi.size()), at.x(), at.y(), 0, 0, DST_TEXT);
    SetBkMode(dc, previousMode);
    SetTextColor(dc, previousColour);
    SetTextAlign(dc, previousAlign);
    SelectObject(dc, previousFont);
    DeleteObject(made);
}

} // namespace

void clsTitlebar::MakeBar() {
    if (!Make) {
        return;
    }
    Make = false;
    if (backStyle_ == zxBG_Hide) {
        return;
    }
    const int w = width_;
    const int h = Height;
    canvas_.resize(w, h);
    const HDC dc = hDC();

    if (backStyle_ == zxBG_Picture && backPicture_) {
        fillBar(dc, w, h, MenuBar);
        placeOnBar(dc, *backPicture_, backFillStyle_, w, h, false);
    } else if (backStyle_ == zxBG_Color) {
        fillBar(dc, w, h, backColours_[0]);
    } else {
        DrawGradient(dc, 0, 0, w, h, backColours_[0], backColours_[1], backStyle_);
    }

    if (captionStyle_ == zxCP_Picture && captionPicture_) {
        placeOnBar(dc, *captionPicture_, captionFillStyle_, w, h, true);
    } else if (captionStyle_ == zxCP_Text || captionStyle_ == zxCP_Picture) {
        drawCaptionText(dc, font_, caption_, false, captionFillStyle_, captionColour_, w, h);
    } else if (captionStyle_ == zxCP_VText) {
        drawCaptionText(dc, font_, caption_, true, captionFillStyle_, captionColour_, w, h);
    }
}

} // namespace zephalt
