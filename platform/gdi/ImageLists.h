#pragma once
// Image lists: equal-sized images, each with its own mask.
#include "platform/gdi/GdiTypes.h"

namespace platform::gdi {

constexpr UINT ILC_MASK = 0x0001;
constexpr UINT ILC_COLOR = 0x0000;
constexpr UINT ILC_COLOR4 = 0x0004;
constexpr UINT ILC_COLOR8 = 0x0008;
constexpr UINT ILC_COLOR16 = 0x0010;
constexpr UINT ILC_COLOR24 = 0x0018;
constexpr UINT ILC_COLOR32 = 0x0020;
constexpr UINT ILC_COLORDDB = 0x00FE;

constexpr UINT ILD_NORMAL = 0x0000;
constexpr UINT ILD_TRANSPARENT = 0x0001;
constexpr UINT ILD_MASK = 0x0010;
constexpr UINT ILD_IMAGE = 0x0020;

// NULL for negative sizes, and for a zero size unless ILC_COLORDDB.
HIMAGELIST ImageList_Create(int width, int height, UINT flags, int initial, int grow);
BOOL ImageList_Destroy(HIMAGELIST list);
// Appends a copy of the icon (index -1) or replaces image index; returns the
// index, -1 on failure. The caller still owns the icon.
int ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon);
int ImageList_AddIcon(HIMAGELIST list, HICON icon);
// -1 removes every image; later images move down by one. FALSE out of range.
BOOL ImageList_Remove(HIMAGELIST list, int index);
// A new icon of the image and its mask (the caller destroys it); 0 for a
// bad index.
HICON ImageList_GetIcon(HIMAGELIST list, int index, UINT flags);
HIMAGELIST ImageList_Duplicate(HIMAGELIST list);
int ImageList_GetImageCount(HIMAGELIST list); // 0 for an invalid list
BOOL ImageList_GetIconSize(HIMAGELIST list, int* width, int* height);
BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);

} // namespace platform::gdi
