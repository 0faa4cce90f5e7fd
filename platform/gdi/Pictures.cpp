#include "platform/gdi/Pictures.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/IconObjects.h"
#include "platform/gdi/Icons.h"
#include "platform/runtime/RuntimeError.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace platform::gdi {

namespace {

constexpr int kInvalidPicture = 481;
// A picture larger than this is refused before anything is decoded.
constexpr qint64 kMaxPixels = 16LL * 1024 * 1024;

[[noreturn]] void invalidPicture() {
    throw RuntimeError(kInvalidPicture, QStringLiteral("ピクチャが無効です。"));
}

bool sizeOf(short type, HANDLE handle, int* width, int* height) {
    if (type == PICTYPE_BITMAP) {
        BITMAP info;
        if (!GetObjectA(handle, sizeof info, &info))
            return false;
        *width = info.bmWidth;
        *height = info.bmHeight;
        return true;
    }
    if (type == PICTYPE_ICON) {
        const Icon* icon = findIcon(handle);
        if (!icon)
            return false;
        *width = icon->width();
        *height = icon->height();
        return true;
    }
    return type == PICTYPE_NONE;
}

// Formats whose decoders accept a cut-off file without complaint: their
// last bytes must be the format's end marker.
bool endsWhole(const QString& path, const QByteArray& format) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 2)
        return false;
    file.seek(file.size() - 2);
    const QByteArray tail = file.read(2);
    if (format == "jpeg" || format == "jpg")
        return tail == QByteArray("\xFF\xD9", 2);
    if (format == "gif")
        return tail.endsWith(';');
    return true;
}

PicturePtr iconPicture(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    QImage color = newSurface(argb.width(), argb.height(), false);
    QImage mask = newSurface(argb.width(), argb.height(), false);
    for (int y = 0; y < argb.height(); ++y) {
        const QRgb* from = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        QRgb* c = reinterpret_cast<QRgb*>(color.scanLine(y));
        QRgb* m = reinterpret_cast<QRgb*>(mask.scanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            const bool opaque = qAlpha(from[x]) >= 128;
            c[x] = opaque ? (0xFF000000u | from[x]) : 0xFF000000u;
            m[x] = opaque ? 0xFF000000u : 0xFFFFFFFFu;
        }
    }
    const HICON icon = addIcon(std::move(color), 32, std::move(mask));
    return std::make_shared<Picture>(PICTYPE_ICON, icon, true);
}

PicturePtr bitmapPicture(const QImage& image) {
    auto bitmap = std::make_unique<Bitmap>();
    bitmap->image = image.convertToFormat(QImage::Format_RGB32);
    bitmap->bitsPixel = 32;
    return std::make_shared<Picture>(PICTYPE_BITMAP, addObject(std::move(bitmap)), true);
}

} // namespace

Picture::Picture(short type, HANDLE handle, bool owns) : type_(type), handle_(handle), owns_(owns) {
    sizeOf(type, handle, &pixelWidth_, &pixelHeight_);
}

Picture::~Picture() {
    if (!owns_ || !handle_)
        return;
    if (type_ == PICTYPE_BITMAP)
        DeleteObject(handle_);
    else if (type_ == PICTYPE_ICON)
        DestroyIcon(handle_);
}

long Picture::width() const {
    return (pixelWidth_ * 2540L + 48) / 96;
}

long Picture::height() const {
    return (pixelHeight_ * 2540L + 48) / 96;
}

HRESULT OleCreatePictureIndirect(const PICTDESC* description, BOOL own, PicturePtr* picture) {
    if (!picture)
        return E_INVALIDARG;
    *picture = nullptr;
    if (!description) {
        *picture = std::make_shared<Picture>(PICTYPE_UNINITIALIZED, 0, false);
        return S_OK;
    }
    const short type = static_cast<short>(description->picType);
    int width = 0;
    int height = 0;
    if (description->cbSizeofstruct < 12 ||
        (type != PICTYPE_NONE && !sizeOf(type, description->handle, &width, &height)))
        return E_INVALIDARG;
    *picture = std::make_shared<Picture>(type, description->handle, own != 0);
    return S_OK;
}

PicturePtr LoadPicture(const QString& path) {
    if (path.isEmpty())
        return std::make_shared<Picture>(PICTYPE_NONE, 0, false);
    if (!QFileInfo(path).isFile())
        raiseError(err::FileNotFound);
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format().toLower();
    static const QByteArrayList accepted = {"bmp", "dib", "ico", "jpeg", "jpg", "gif"};
    if (!accepted.contains(format))
        invalidPicture();
    if (format == "ico") {
        // The 16 × 16 image, else the first.
        int chosen = 0;
        for (int i = 0; i < reader.imageCount(); ++i) {
            if (!reader.jumpToImage(i))
                break;
            if (reader.size() == QSize(16, 16)) {
                chosen = i;
                break;
            }
        }
        reader.jumpToImage(chosen);
    }
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty() ||
        static_cast<qint64>(size.width()) * size.height() > kMaxPixels)
        invalidPicture();
    const QImage image = reader.read();
    if (image.isNull() || image.size() != size || !endsWhole(path, format))
        invalidPicture();
    return format == "ico" ? iconPicture(image) : bitmapPicture(image);
}

} // namespace platform::gdi
