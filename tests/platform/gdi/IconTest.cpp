#include "GdiTestSupport.h"

#include "platform/runtime/RuntimeError.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>

using namespace gditest;
using platform::win::RGB;

namespace {

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kBlack = 0x000000;
const COLORREF kGreen = RGB(0, 128, 0);

// A 2 × 2 icon: (0,0) opaque red, (1,0) transparent black, (0,1)
// transparent blue, (1,1) opaque white; the mask bit is 1 for transparent.
HICON quadIcon(COLORREF opaque = RGB(255, 0, 0)) {
    Surface color(2, 2, 32, kBlack);
    SetPixel(color.dc(), 0, 0, opaque);
    SetPixel(color.dc(), 0, 1, RGB(0, 0, 255));
    SetPixel(color.dc(), 1, 1, kWhite);
    Surface mask(2, 2, 1, kBlack);
    SetPixel(mask.dc(), 1, 0, kWhite);
    SetPixel(mask.dc(), 0, 1, kWhite);
    ICONINFO info;
    info.hbmMask = mask.bitmap();
    info.hbmColor = color.bitmap();
    return CreateIconIndirect(&info);
}

// Each icon pixel drawn over green, as letters.
std::string drawnOverGreen(HICON icon, UINT flags = DI_NORMAL) {
    Surface scene(2, 2, 32, kGreen);
    DrawIconEx(scene.dc(), 0, 0, icon, 0, 0, 0, 0, flags);
    return scene.map({{'r', RGB(255, 0, 0)},
                      {'g', kGreen},
                      {'x', kGreen ^ RGB(0, 0, 255)},
                      {'w', kWhite},
                      {'k', kBlack},
                      {'b', RGB(0, 0, 255)},
                      {'R', RGB(200, 0, 0)}});
}

} // namespace

TEST(Icons, MaskAndColourCombineByAndThenXor) {
    const HICON icon = quadIcon();
    // Opaque pixels show their colour; a transparent black pixel keeps the
    // background; a transparent coloured one inverts its bits.
    EXPECT_EQ(drawnOverGreen(icon), "rg|xw");
    EXPECT_EQ(drawnOverGreen(icon, DI_MASK), "kw|wk");
    EXPECT_EQ(drawnOverGreen(icon, DI_IMAGE), "rk|bw");

    // GetIconInfo hands out copies: changing and deleting them leaves the icon.
    ICONINFO info;
    ASSERT_TRUE(GetIconInfo(icon, &info));
    EXPECT_NE(info.hbmColor, 0u);
    BITMAP mask;
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmBitsPixel, 1);
    const HDC dc = CreateCompatibleDC(0);
    const HGDIOBJ old = SelectObject(dc, info.hbmColor);
    SetPixel(dc, 0, 0, RGB(200, 0, 0));
    // A new icon from the changed copy differs; the original does not.
    SelectObject(dc, old);
    const HICON changed = CreateIconIndirect(&info);
    EXPECT_EQ(drawnOverGreen(changed), "Rg|xw");
    EXPECT_EQ(drawnOverGreen(icon), "rg|xw");
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DeleteDC(dc);

    // CopyImage stretches; the stretched icon keeps the mask per pixel.
    const HICON big = static_cast<HICON>(CopyImage(icon, IMAGE_ICON, 4, 4, 0));
    ASSERT_NE(big, 0u);
    Surface scene(4, 4, 32, kGreen);
    DrawIconEx(scene.dc(), 0, 0, big, 0, 0, 0, 0, DI_NORMAL);
    EXPECT_EQ(scene.at(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(scene.at(3, 0), kGreen);
    // A monochrome icon: AND half over XOR half in one bitmap.
    // AND rows: (0, 1) transparent; XOR rows: x = 1 white. Bytes are little-endian.
    const WORD rows[4] = {0x0000, 0x0080, 0x0040, 0x0040};
    const HBITMAP both = CreateBitmap(2, 4, 1, 1, rows);
    ICONINFO monoInfo;
    monoInfo.hbmMask = both;
    const HICON mono = CreateIconIndirect(&monoInfo);
    DeleteObject(both);
    EXPECT_EQ(drawnOverGreen(mono), "kw|gw");
    ICONINFO back;
    ASSERT_TRUE(GetIconInfo(mono, &back));
    EXPECT_EQ(back.hbmColor, 0u);
    GetObjectA(back.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmHeight, 4);
    DeleteObject(back.hbmMask);

    for (const HICON i : {icon, changed, big, mono})
        EXPECT_TRUE(DestroyIcon(i));
    EXPECT_FALSE(DestroyIcon(icon));
    EXPECT_FALSE(DrawIconEx(scene.dc(), 0, 0, icon, 0, 0, 0, 0, DI_NORMAL));
}

TEST(ImageLists, EachImageKeepsItsOwnMaskAcrossReplaceAndRemove) {
    const int before = liveGdiObjectCount();
    {
        EXPECT_EQ(ImageList_Create(-1, 16, ILC_MASK, 0, 0), 0u);
        EXPECT_EQ(ImageList_Create(0, 16, ILC_MASK | ILC_COLOR24, 0, 0), 0u);
        const HIMAGELIST list = ImageList_Create(2, 2, ILC_MASK | ILC_COLORDDB, 0, 0);
        ASSERT_NE(list, 0u);
        const HICON first = quadIcon(RGB(255, 0, 0));
        const HICON second = quadIcon(RGB(200, 0, 0));
        // An icon whose mask is all opaque.
        Surface solidColor(2, 2, 32, kWhite);
        Surface solidMask(2, 2, 1, kBlack);
        ICONINFO info;
        info.hbmMask = solidMask.bitmap();
        info.hbmColor = solidColor.bitmap();
        const HICON solid = CreateIconIndirect(&info);

        EXPECT_EQ(ImageList_AddIcon(list, first), 0);
        EXPECT_EQ(ImageList_AddIcon(list, solid), 1);
        EXPECT_EQ(ImageList_AddIcon(list, first), 2);
        EXPECT_EQ(ImageList_ReplaceIcon(list, 2, second), 2);
        EXPECT_EQ(ImageList_ReplaceIcon(list, 3, second), -1);
        EXPECT_TRUE(ImageList_Remove(list, 0));
        EXPECT_FALSE(ImageList_Remove(list, 2));
        ASSERT_EQ(ImageList_GetImageCount(list), 2);

        // Index 0 is now the solid icon, index 1 the replaced one with its mask;
        // the colour under transparent bits survives (blue at (0, 1)).
        const HICON gotSolid = ImageList_GetIcon(list, 0, ILD_TRANSPARENT);
        const HICON gotSecond = ImageList_GetIcon(list, 1, ILD_TRANSPARENT);
        EXPECT_EQ(drawnOverGreen(gotSolid), "ww|ww");
        EXPECT_EQ(drawnOverGreen(gotSecond), "Rg|xw");
        EXPECT_EQ(ImageList_GetIcon(list, 2, 0), 0u);

        // Masked drawing: AND with the mask, then OR with the image.
        Surface scene(2, 2, 32, kGreen);
        EXPECT_TRUE(ImageList_Draw(list, 1, scene.dc(), 0, 0, ILD_NORMAL));
        EXPECT_EQ(scene.at(1, 0), kGreen);
        EXPECT_EQ(scene.at(0, 1), kGreen | RGB(0, 0, 255));

        // A duplicate is independent.
        const HIMAGELIST copy = ImageList_Duplicate(list);
        EXPECT_TRUE(ImageList_Remove(list, -1));
        EXPECT_EQ(ImageList_GetImageCount(list), 0);
        EXPECT_EQ(ImageList_GetImageCount(copy), 2);
        EXPECT_EQ(ImageList_GetImageCount(0x12345), 0);

        for (const HICON i : {first, second, solid, gotSolid, gotSecond})
            DestroyIcon(i);
        EXPECT_TRUE(ImageList_Destroy(list));
        EXPECT_TRUE(ImageList_Destroy(copy));
        EXPECT_FALSE(ImageList_Destroy(copy));
    }
    // Nothing of the lists, icons and surfaces is left.
    EXPECT_EQ(liveGdiObjectCount(), before);
}

TEST(Pictures, OwnedHandlesGoWithThePictureAndFilesLoadOrFailWith481) {
    const int before = liveGdiObjectCount();
    {
        PICTDESC description;
        description.picType = PICTYPE_ICON;
        description.handle = quadIcon();
        PicturePtr picture;
        ASSERT_EQ(OleCreatePictureIndirect(&description, 1, &picture), S_OK);
        EXPECT_EQ(picture->type(), PICTYPE_ICON);
        EXPECT_EQ(picture->pixelWidth(), 2);
        EXPECT_EQ(picture->width(), 53); // HIMETRIC of 2 pixels at 96 dpi
        description.handle = 0x7777;
        PicturePtr bad;
        EXPECT_EQ(OleCreatePictureIndirect(&description, 1, &bad), E_INVALIDARG);
    }
    EXPECT_EQ(liveGdiObjectCount(), before);

    QTemporaryDir dir;
    const QString bmp = dir.filePath(QStringLiteral("a.bmp"));
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(qRgb(1, 2, 3));
    ASSERT_TRUE(image.save(bmp, "BMP"));
    const PicturePtr bitmap = LoadPicture(bmp);
    EXPECT_EQ(bitmap->type(), PICTYPE_BITMAP);
    EXPECT_EQ(bitmap->pixelWidth(), 3);
    EXPECT_EQ(bitmap->pixelHeight(), 2);

    QImage argb(16, 16, QImage::Format_ARGB32);
    argb.fill(qRgba(255, 0, 0, 255));
    argb.setPixel(0, 0, qRgba(0, 0, 0, 0));
    const QString ico = dir.filePath(QStringLiteral("a.ico"));
    ASSERT_TRUE(argb.save(ico, "ICO"));
    const PicturePtr icon = LoadPicture(ico);
    ASSERT_EQ(icon->type(), PICTYPE_ICON);
    Surface scene(2, 1, 32, kGreen);
    DrawIconEx(scene.dc(), 0, 0, icon->handle(), 0, 0, 0, 0, DI_NORMAL);
    EXPECT_EQ(scene.at(0, 0), kGreen); // transparent where the alpha was 0
    EXPECT_EQ(scene.at(1, 0), RGB(255, 0, 0));

    EXPECT_EQ(LoadPicture(QString())->type(), PICTYPE_NONE);
    auto errorOf = [](const QString& path) {
        try {
            LoadPicture(path);
        } catch (const platform::RuntimeError& error) {
            return error.number();
        }
        return 0;
    };
    EXPECT_EQ(errorOf(dir.filePath(QStringLiteral("missing.bmp"))), 53);
    const QString text = dir.filePath(QStringLiteral("text.bmp"));
    testing_support::writeBytes(text, "not a picture at all\r\n");
    EXPECT_EQ(errorOf(text), 481);
    // A JPEG cut in half.
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImage photo(64, 64, QImage::Format_RGB32);
    photo.fill(qRgb(90, 160, 30));
    photo.save(&buffer, "JPG");
    const QString cut = dir.filePath(QStringLiteral("cut.jpg"));
    testing_support::writeBytes(cut, jpeg.left(jpeg.size() / 2));
    EXPECT_EQ(errorOf(cut), 481);
    // A header that claims 20000 × 20000 pixels: refused before decoding.
    QByteArray huge = testing_support::readBytes(bmp);
    const qint32 side = 20000;
    std::memcpy(huge.data() + 18, &side, 4);
    std::memcpy(huge.data() + 22, &side, 4);
    const QString hugePath = dir.filePath(QStringLiteral("huge.bmp"));
    testing_support::writeBytes(hugePath, huge);
    EXPECT_EQ(errorOf(hugePath), 481);
}
