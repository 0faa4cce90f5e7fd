#pragma once
// The desktop's metrics and non-client parameters at 96 pixels per inch, and
// the translation of OLE colours.
#include "platform/gdi/GdiTypes.h"

namespace platform::gdi {

constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CXVSCROLL = 2;
constexpr int SM_CYHSCROLL = 3;
constexpr int SM_CYCAPTION = 4;
constexpr int SM_CXBORDER = 5;
constexpr int SM_CYBORDER = 6;
constexpr int SM_CXDLGFRAME = 7;
constexpr int SM_CYDLGFRAME = 8;
constexpr int SM_CXICON = 11;
constexpr int SM_CYICON = 12;
constexpr int SM_CYMENU = 15;
constexpr int SM_CXFRAME = 32;
constexpr int SM_CYFRAME = 33;
constexpr int SM_CXEDGE = 45;
constexpr int SM_CYEDGE = 46;
constexpr int SM_CXSMICON = 49;
constexpr int SM_CYSMICON = 50;
constexpr int SM_CXMENUSIZE = 54;
constexpr int SM_CYMENUSIZE = 55;
constexpr int SM_CXMENUCHECK = 71;
constexpr int SM_CYMENUCHECK = 72;
constexpr int SM_CXSIZE = 30;
constexpr int SM_CYSIZE = 31;

constexpr UINT SPI_GETNONCLIENTMETRICS = 0x0029;

int GetSystemMetrics(int index); // 0 for an unknown index
// SPI_GETNONCLIENTMETRICS with a 340-byte record (cbSize set); FALSE for
// other actions or sizes.
BOOL SystemParametersInfoA(UINT action, UINT param, void* data, UINT winIni);
// RGB values as they are, 0x80000000 + index through GetSysColor.
HRESULT OleTranslateColor(DWORD oleColor, HPALETTE palette, COLORREF* color);

} // namespace platform::gdi
