#pragma once
// Picture objects over a bitmap or an icon handle, and loading a picture file
// as the host's LoadPicture does.
#include "platform/gdi/GdiTypes.h"

#include <QString>

#include <memory>

namespace platform::gdi {

constexpr short PICTYPE_UNINITIALIZED = -1;
constexpr short PICTYPE_NONE = 0;
constexpr short PICTYPE_BITMAP = 1;
constexpr short PICTYPE_METAFILE = 2;
constexpr short PICTYPE_ICON = 3;

// The 20-byte description (bitmap: handle and palette; icon: handle).
struct PICTDESC {
    UINT cbSizeofstruct = 20;
    UINT picType = 0;
    HANDLE handle = 0;
    HPALETTE hpal = 0;
    UINT reserved = 0;
};

class Picture {
public:
    Picture(short type, HANDLE handle, bool owns);
    ~Picture(); // destroys the handle when the picture owns it
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    short type() const { return type_; }
    HANDLE handle() const { return handle_; }
    // In HIMETRIC units (0.01 mm), as the host reports them.
    long width() const;
    long height() const;
    int pixelWidth() const { return pixelWidth_; }
    int pixelHeight() const { return pixelHeight_; }

private:
    short type_;
    HANDLE handle_;
    bool owns_;
    int pixelWidth_ = 0;
    int pixelHeight_ = 0;
};

using PicturePtr = std::shared_ptr<Picture>;

// S_OK with *picture set; E_INVALIDARG for a bad description or handle.
HRESULT OleCreatePictureIndirect(const PICTDESC* description, BOOL own, PicturePtr* picture);

// BMP, DIB, ICO (the 16 × 16 image, else the first), JPG and GIF. An empty
// path gives an empty picture. Throws RuntimeError 53 for a missing file and
// 481 "ピクチャが無効です。" for anything that is not a whole picture of a
// sane size.
PicturePtr LoadPicture(const QString& path);

} // namespace platform::gdi
