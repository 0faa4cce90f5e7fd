#pragma once
// DrawStateA: text, icons and bitmaps drawn normally, embossed (disabled),
// dithered (union) or as a one-colour silhouette (mono).
#include "platform/gdi/GdiTypes.h"

namespace platform::gdi {

constexpr UINT DST_COMPLEX = 0x0000;
constexpr UINT DST_TEXT = 0x0001;
constexpr UINT DST_PREFIXTEXT = 0x0002;
constexpr UINT DST_ICON = 0x0003;
constexpr UINT DST_BITMAP = 0x0004;
constexpr UINT DSS_NORMAL = 0x0000;
constexpr UINT DSS_UNION = 0x0010;
constexpr UINT DSS_DISABLED = 0x0020;
constexpr UINT DSS_MONO = 0x0080;
constexpr UINT DSS_RIGHT = 0x8000;

using DRAWSTATEPROC = BOOL (*)(HDC, win::LPARAM, win::WPARAM, int, int);

// data: the text (code page 932) for text, the HICON or HBITMAP otherwise;
// length: the text's bytes, 0 = NUL-terminated. width or height 0 = the
// image's own size. DST_COMPLEX (an output procedure) is not supported.
// FALSE when the image cannot be measured or drawn.
BOOL DrawStateA(HDC dc, HBRUSH brush, DRAWSTATEPROC proc, win::LPARAM data, win::WPARAM length,
                int x, int y, int width, int height, UINT flags);

} // namespace platform::gdi
