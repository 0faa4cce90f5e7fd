#pragma once
// The desktop's system colours by index, in the standard scheme the program's
// looks were designed for.
#include <QColor>
#include <cstdint>

namespace platform::gdi {

namespace syscolor {
constexpr int Background = 1; // the desktop
constexpr int Menu = 4;
constexpr int Window = 5;
constexpr int MenuText = 7;
constexpr int WindowText = 8;
constexpr int ActiveBorder = 10;
constexpr int Highlight = 13;
constexpr int HighlightText = 14;
constexpr int ButtonFace = 15;
constexpr int ButtonShadow = 16;
constexpr int GrayText = 17;
constexpr int Last = 30;
} // namespace syscolor

// The platform's names of the indexes.
constexpr int COLOR_SCROLLBAR = 0;
constexpr int COLOR_BACKGROUND = 1;
constexpr int COLOR_ACTIVECAPTION = 2;
constexpr int COLOR_INACTIVECAPTION = 3;
constexpr int COLOR_MENU = 4;
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWFRAME = 6;
constexpr int COLOR_MENUTEXT = 7;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_CAPTIONTEXT = 9;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_3DFACE = 15;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_3DSHADOW = 16;
constexpr int COLOR_GRAYTEXT = 17;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_BTNHIGHLIGHT = 20;
constexpr int COLOR_3DHILIGHT = 20;
constexpr int COLOR_3DHIGHLIGHT = 20;
constexpr int COLOR_3DDKSHADOW = 21;
constexpr int COLOR_3DLIGHT = 22;
constexpr int COLOR_GRADIENTACTIVECAPTION = 27;
constexpr int COLOR_GRADIENTINACTIVECAPTION = 28;
constexpr int COLOR_MENUHILIGHT = 29;
constexpr int COLOR_MENUBAR = 30;

// A COLORREF (0x00BBGGRR); 0 for an index outside 0..30.
std::uint32_t GetSysColor(int index);
QColor sysColor(int index);
QColor colorOfColorref(std::uint32_t colorref);

} // namespace platform::gdi
