// Items drawn through the form's window procedure into a device context, as
// the menu manager asks for them: backgrounds, pictures, text and separators.
#include "menuctl/ZephaltForm.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/win/Menus.h"
#include "platform/win/Messages.h"
#include <QImage>

using namespace platform::win;
using namespace zephalt_test;
using forms_test::itemInfo;

namespace {

constexpr QRgb Menu = 0xFFD4D0C8;      // system colour 4
constexpr QRgb Highlight = 0xFF0A246A; // system colour 13

} // namespace

TEST_F(ZephaltForm, ItemsAreDrawnInTheirStyleAndState) {
    addControl(QStringLiteral("Zephalt1"));
    load();
    zephalt::OwnerDrawMenu& odm = control();
    const HMENU file = subMenu("mnuFile");
    zephalt::IconPixels red = zephalt::IconPixels::blank(16, 16);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            red.setPixel(x, y, 0x0000FF);
        }
    }
    odm.MenuItems().Item(QStringLiteral("mnuFileOpen")).setUnCheckedIcon(red);
    SendMessage(hwnd(), WM_INITMENUPOPUP, static_cast<WPARAM>(file), MAKELPARAM(0, 0));

    QImage image(120, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    const HDC dc = platform::gdi::createImageDC(&image);
    auto draw = [&](int position, UINT state, RECT rect) {
        const MENUITEMINFOA info = itemInfo(file, position, MIIM_DATA | MIIM_ID);
        DRAWITEMSTRUCT record;
        record.CtlType = ODT_MENU;
        record.itemID = info.wID;
        record.itemAction = ODA_DRAWENTIRE;
        record.itemState = state;
        record.hwndItem = static_cast<HWND>(file);
        record.hDC = dc;
        record.rcItem = rect;
        record.itemData = info.dwItemData;
        SendMessage(hwnd(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&record));
    };
    draw(0, 0, {0, 0, 120, 22});             // Open, normal: its red picture on the menu colour
    draw(0, ODS_SELECTED, {0, 22, 120, 44}); // selected: highlight, picture negative (cyan)
    draw(1, 0, {0, 44, 120, 54});            // the separator: an etched line
    platform::gdi::releaseImageDC(dc);

    EXPECT_EQ(image.pixel(110, 2), Menu);
    EXPECT_EQ(image.pixel(2 + 8, 3 + 8), 0xFFFF0000u); // the picture at (E_x, E_y) in the image box
    EXPECT_EQ(image.pixel(110, 24), Highlight);
    EXPECT_EQ(image.pixel(2 + 8, 25 + 8), 0xFF00FFFFu);
    // Some text was drawn right of the image column in each item.
    int textPixels = 0;
    for (int x = 25; x < 100; ++x) {
        for (int y = 4; y < 18; ++y) {
            textPixels += image.pixel(x, y) != Menu ? 1 : 0;
        }
    }
    EXPECT_GT(textPixels, 10);
    // Separator in a 10-pixel item from 44: the line top is 44 + (10 - 2) / 2 - 1
    // = 47, the one line of style 0 at 47 + (54 - 47) / 2 - 1 = 49: etched, dark
    // above light.
    EXPECT_EQ(image.pixel(50, 48), Menu);
    EXPECT_EQ(image.pixel(50, 49), 0xFF808080u);
    EXPECT_EQ(image.pixel(50, 50), 0xFFFFFFFFu);
    EXPECT_EQ(image.pixel(50, 52), Menu);
}
