#pragma once
// Icons: a colour bitmap and an AND mask (1 = transparent), drawn by the
// mask's AND and the colour's XOR.
#include "platform/gdi/GdiTypes.h"

namespace platform::gdi {

constexpr UINT IMAGE_BITMAP = 0;
constexpr UINT IMAGE_ICON = 1;
constexpr UINT LR_COPYDELETEORG = 0x0008;
constexpr UINT LR_COPYFROMRESOURCE = 0x4000;

constexpr UINT DI_MASK = 0x0001;
constexpr UINT DI_IMAGE = 0x0002;
constexpr UINT DI_NORMAL = 0x0003;
constexpr UINT DI_COMPAT = 0x0004;
constexpr UINT DI_DEFAULTSIZE = 0x0008;

// hbmMask is required; without hbmColor the mask is double height (AND half
// over XOR half). Both bitmaps are copied: the caller deletes its own.
HICON CreateIconIndirect(const ICONINFO* info);
// Fresh copies of both bitmaps, which the caller deletes.
BOOL GetIconInfo(HICON icon, ICONINFO* info);
BOOL DestroyIcon(HICON icon);
// A new icon or bitmap stretched to width × height (0 = the original size).
HANDLE CopyImage(HANDLE image, UINT type, int width, int height, UINT flags);
BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int width, int height, UINT step,
                HBRUSH flickerFree, UINT flags);
BOOL DrawIcon(HDC dc, int x, int y, HICON icon); // at the system icon size

} // namespace platform::gdi
