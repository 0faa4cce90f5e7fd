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

// A COLORREF (0x00BBGGRR); 0 for an index outside 0..30.
std::uint32_t GetSysColor(int index);
QColor sysColor(int index);
QColor colorOfColorref(std::uint32_t colorref);

} // namespace platform::gdi
