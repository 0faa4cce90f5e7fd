// An owner that measures and draws its pop-up items the way the menu control
// does, through handles alone: a side bar with a gradient and a rotated
// caption, icons, disabled items and shortcuts.
#include "platform/gdi/Gdi.h"
#include "platform/win/MenuManager.h"
#include "platform/win/MenuPopup.h"
#include "platform/win/Menus.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>

#include <cstring>
#include <string>
#include <vector>

using namespace platform::win;
using namespace platform::gdi;
using platform::win::RGB;

namespace {

constexpr int kBarWidth = 22;
constexpr int kImage = 16;
constexpr int kEdge = 2;

struct OwnerItem {
    const char* caption; // code page 932 (ASCII here)
    const char* shortcut;
    bool withIcon;
};

struct Owner {
    std::vector<OwnerItem> items;
    HICON icon = 0;
    bool barDue = true;
    int barHeight = 0;
    int draws = 0;
    std::vector<UINT> states; // itemState of each draw
};
Owner* owner_of_test = nullptr;

LOGFONTA menuFont(LONG weight = FW_NORMAL) {
    NONCLIENTMETRICSA metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    metrics.lfMenuFont.lfWeight = weight;
    return metrics.lfMenuFont;
}

// A 16 × 16 page with a folded corner and blue lines; magenta is transparent.
HICON makeIcon() {
    const HDC screen = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP color = CreateCompatibleBitmap(screen, kImage, kImage);
    const HGDIOBJ old = SelectObject(dc, color);
    const RECT all{0, 0, kImage, kImage};
    const HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
    FillRect(dc, &all, magenta);
    const HPEN black = CreatePen(PS_SOLID, 1, 0);
    const HGDIOBJ oldPen = SelectObject(dc, black);
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    Rectangle(dc, 2, 1, 14, 15);
    const HPEN blue = CreatePen(PS_SOLID, 1, RGB(0, 0, 200));
    SelectObject(dc, blue);
    for (int y = 4; y < 13; y += 2) {
        MoveToEx(dc, 4, y, nullptr);
        LineTo(dc, 12, y);
    }
    SelectObject(dc, oldPen);
    // Mask: the magenta pixels become 1 (transparent).
    const HDC maskDC = CreateCompatibleDC(screen);
    const HBITMAP mask = CreateBitmap(kImage, kImage, 1, 1, nullptr);
    const HGDIOBJ oldMask = SelectObject(maskDC, mask);
    SetBkColor(dc, RGB(255, 0, 255));
    BitBlt(maskDC, 0, 0, kImage, kImage, dc, 0, 0, SRCCOPY);
    // The colour goes black under the transparent pixels.
    SetBkColor(dc, 0x000000);
    SetTextColor(dc, 0xFFFFFF);
    BitBlt(dc, 0, 0, kImage, kImage, maskDC, 0, 0, SRCAND);
    SelectObject(maskDC, oldMask);
    SelectObject(dc, old);
    ICONINFO info;
    info.hbmMask = mask;
    info.hbmColor = color;
    const HICON icon = CreateIconIndirect(&info);
    for (const HGDIOBJ object : {static_cast<HGDIOBJ>(mask), color, magenta, black, blue})
        DeleteObject(object);
    DeleteDC(maskDC);
    DeleteDC(dc);
    DeleteDC(screen);
    return icon;
}

void measure(Owner& owner, MEASUREITEMSTRUCT& m) {
    const OwnerItem& item = owner.items.at(m.itemData - 1);
    const HDC dc = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    const LOGFONTA logFont = menuFont();
    const HFONT font = CreateFontIndirectA(&logFont);
    const HGDIOBJ old = SelectObject(dc, font);
    std::string text = item.caption;
    if (*item.shortcut)
        text += std::string("  ") + item.shortcut;
    RECT box{0, 0, 0, 0};
    DrawTextA(dc, text.c_str(), -1, &box, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    m.itemWidth = static_cast<UINT>(box.right + kImage + 8 + 3 * kEdge + kBarWidth);
    m.itemHeight = static_cast<UINT>(std::max<int>(box.bottom + 2 * kEdge, kImage + 2 * kEdge));
}

// The side bar: one-pixel lines from the active caption colour to its
// gradient partner, and the caption rotated to run upwards at the bottom.
void drawBar(Owner& owner, HDC dc, int height) {
    COLORREF from = 0;
    COLORREF to = 0;
    OleTranslateColor(0x80000000 + COLOR_ACTIVECAPTION, 0, &from);
    OleTranslateColor(0x80000000 + COLOR_GRADIENTACTIVECAPTION, 0, &to);
    for (int i = 0; i <= height; ++i) {
        auto channel = [&](int shift) {
            const int a = (from >> shift) & 0xFF;
            const int b = (to >> shift) & 0xFF;
            return a + (b - a) * i / std::max(1, height);
        };
        const HPEN pen = CreatePen(PS_SOLID, 1, RGB(channel(0), channel(8), channel(16)));
        const HGDIOBJ old = SelectObject(dc, pen);
        MoveToEx(dc, 0, i, nullptr);
        LineTo(dc, kBarWidth, i);
        SelectObject(dc, old);
        DeleteObject(pen);
    }
    LOGFONTA logFont = menuFont(FW_BOLD);
    logFont.lfEscapement = logFont.lfOrientation = 900;
    const HFONT font = CreateFontIndirectA(&logFont);
    const HGDIOBJ oldFont = SelectObject(dc, font);
    const char* caption = "Quillet";
    SIZE extent;
    GetTextExtentPoint32A(dc, caption, 7, &extent);
    const UINT oldAlign = SetTextAlign(dc, TA_RIGHT);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColor = SetTextColor(dc, GetSysColor(COLOR_CAPTIONTEXT));
    DrawStateA(dc, 0, nullptr, reinterpret_cast<LPARAM>(caption), 7, (kBarWidth - extent.cy) / 2,
               height - extent.cx - 4, 0, 0, DST_TEXT);
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
    SetTextAlign(dc, oldAlign);
    SelectObject(dc, oldFont);
    DeleteObject(font);
    owner.barDue = false;
}

void drawItem(Owner& owner, const DRAWITEMSTRUCT& d) {
    ++owner.draws;
    owner.states.push_back(d.itemState);
    const OwnerItem& item = owner.items.at(d.itemData - 1);
    if (owner.barDue)
        drawBar(owner, d.hDC, owner.barHeight);
    RECT rc = d.rcItem;
    rc.left += kBarWidth;
    // Drawn off screen and copied once, as the control does.
    const HDC memory = CreateCompatibleDC(d.hDC);
    const HBITMAP bitmap = CreateCompatibleBitmap(d.hDC, rc.right, rc.bottom);
    const HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    BitBlt(memory, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, d.hDC, rc.left, rc.top,
           SRCCOPY);
    const bool selected = d.itemState & ODS_SELECTED;
    const bool disabled = d.itemState & (ODS_GRAYED | ODS_DISABLED);
    FillRect(memory, &rc, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    const int imageTop = rc.top + (rc.bottom - rc.top - (kImage + 2 * kEdge)) / 2;
    if (item.withIcon)
        DrawStateA(memory, 0, nullptr, static_cast<LPARAM>(owner.icon), 0, rc.left + kEdge,
                   imageTop + kEdge, 0, 0, DST_ICON | (disabled ? DSS_DISABLED : 0));
    const LOGFONTA logFont = menuFont((d.itemState & ODS_DEFAULT) ? FW_BOLD : FW_NORMAL);
    const HFONT font = CreateFontIndirectA(&logFont);
    const HGDIOBJ oldFont = SelectObject(memory, font);
    SetBkMode(memory, TRANSPARENT);
    SetTextColor(memory, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    SIZE size;
    GetTextExtentPoint32A(memory, item.caption, static_cast<int>(std::strlen(item.caption)), &size);
    const int textX = rc.left + kImage + 3 * kEdge + 2;
    const int textY = rc.top + (rc.bottom - rc.top - size.cy) / 2;
    const UINT state = disabled ? DSS_DISABLED : DSS_NORMAL;
    DrawStateA(memory, 0, nullptr, reinterpret_cast<LPARAM>(item.caption), 0, textX, textY, 0, 0,
               DST_PREFIXTEXT | state);
    if (*item.shortcut) {
        GetTextExtentPoint32A(memory, item.shortcut, static_cast<int>(std::strlen(item.shortcut)),
                              &size);
        DrawStateA(memory, 0, nullptr, reinterpret_cast<LPARAM>(item.shortcut), 0,
                   rc.right + 1 - size.cx - 18, textY, 0, 0, DST_TEXT | state);
    }
    SelectObject(memory, oldFont);
    DeleteObject(font);
    BitBlt(d.hDC, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, memory, rc.left, rc.top,
           SRCCOPY);
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

LRESULT ownerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Owner& owner = *owner_of_test;
    switch (message) {
    case WM_INITMENUPOPUP:
        owner.barDue = true;
        return 0;
    case WM_MEASUREITEM:
        measure(owner, *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_DRAWITEM:
        drawItem(owner, *reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    default:
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

class OwnerDrawnPopup : public ::testing::Test {
protected:
    void SetUp() override {
        owner_of_test = &owner;
        form.resize(300, 200);
        window = CreateWindowHandle(&form, QStringLiteral("OwnerDrawnTest"), &ownerProc);
        owner.icon = makeIcon();
    }
    void TearDown() override {
        EndMenu();
        QCoreApplication::processEvents();
        if (menu)
            DestroyMenu(menu);
        DestroyIcon(owner.icon);
        DestroyWindowHandle(window);
        owner_of_test = nullptr;
    }
    // Owner-drawn items whose data is their index + 1, with extra type and
    // state bits per item.
    void build(const std::vector<OwnerItem>& items, const std::vector<UINT>& types,
               const std::vector<UINT>& states) {
        owner.items = items;
        menu = CreatePopupMenu();
        for (std::size_t i = 0; i < items.size(); ++i) {
            AppendMenuA(menu, MF_STRING, 200 + i, QStringLiteral("x"));
            MENUITEMINFOA info;
            info.fMask = MIIM_DATA | MIIM_FTYPE | MIIM_STATE;
            info.fType = MFT_OWNERDRAW | types[i];
            info.fState = states[i];
            info.dwItemData = i + 1;
            SetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        }
    }
    // Opens the pop-up, runs look while it is open, then closes it.
    void open(const std::function<void(MenuPopup*)>& look, int keepOpenMs = 0) {
        QTimer::singleShot(0, [&, look, keepOpenMs] {
            MenuPopup* popup = MenuTracker::popup(0);
            ASSERT_NE(popup, nullptr);
            look(popup);
            QTimer::singleShot(keepOpenMs, [] { MenuTracker::close(); });
        });
        TrackPopupMenu(menu, 0, 40, 40, 0, window, nullptr);
    }

    Owner owner;
    QWidget form;
    HWND window = 0;
    HMENU menu = 0;
};

} // namespace

TEST_F(OwnerDrawnPopup, IconRotatedCaptionOnAGradientAndADisabledItemThroughHandlesAlone) {
    build({{"&Open feed", "Ctrl+O", true},
           {"Refresh", "F5", true},
           {"Print this page", "", false},
           {"Settings", "", true},
           {"Exit", "Alt+F4", false}},
          {0, 0, 0, 0, 0}, {0, MFS_DEFAULT, 0, MFS_GRAYED, 0});
    // The bar spans the items: five items of the measured height.
    MEASUREITEMSTRUCT probe;
    probe.itemData = 1;
    measure(owner, probe);
    owner.barHeight = static_cast<int>(probe.itemHeight) * 5;
    MenuMetrics::get(); // the menu manager's own font lives as long as the process
    const int before = liveGdiObjectCount();
    QImage shot;
    int drawsWhenShown = 0;
    const int keepOpen = qEnvironmentVariableIntValue("QUILLET_KEEP_POPUP_MS");
    open(
        [&](MenuPopup* popup) {
            shot = popup->grab().toImage();
            drawsWhenShown = owner.draws;
            // Kept open to be looked at: show the highlight too.
            if (keepOpen)
                MenuTracker::highlight(0);
        },
        keepOpen);
    // Nothing the owner made in a measure-and-draw cycle is left behind.
    EXPECT_EQ(liveGdiObjectCount(), before);
    ASSERT_FALSE(shot.isNull());
    EXPECT_EQ(drawsWhenShown, 5); // each item once as the pop-up opens
    // The default item says so; the grayed one is grayed and disabled.
    ASSERT_GE(owner.states.size(), 5u);
    EXPECT_EQ(owner.states[1], ODS_DEFAULT);
    EXPECT_EQ(owner.states[3], ODS_GRAYED | ODS_DISABLED);
    EXPECT_EQ(owner.states[0], 0u);
    const QString saveTo = qEnvironmentVariable("QUILLET_OWNER_POPUP_PNG");
    if (!saveTo.isEmpty())
        shot.save(saveTo);

    // The bar starts inside the 3-pixel frame with the active caption colour
    // and ends near its gradient partner.
    auto pixel = [&](int x, int y) { return shot.pixel(x, y) & 0xFFFFFF; };
    EXPECT_EQ(pixel(3, 3), qRgb(10, 36, 106) & 0xFFFFFFu);
    EXPECT_EQ(pixel(2, 3), qRgb(212, 208, 200) & 0xFFFFFFu); // the frame's third ring
    const QRgb low = pixel(3, 3 + owner.barHeight - 1);
    EXPECT_GT(qBlue(low), 200);
    // The caption's white ink lies inside the bar's lower half.
    int captionInk = 0;
    for (int y = 3 + owner.barHeight / 2; y < 3 + owner.barHeight; ++y)
        for (int x = 3; x < 3 + kBarWidth; ++x)
            captionInk += pixel(x, y) == 0xFFFFFFu;
    EXPECT_GT(captionInk, 10);
    // The icon's page: black outline and white inside in the first item.
    const int itemTop = 3;
    const int iconLeft = 3 + kBarWidth + kEdge;
    const int iconTop =
        itemTop + (static_cast<int>(probe.itemHeight) - kImage - 2 * kEdge) / 2 + kEdge;
    EXPECT_EQ(pixel(iconLeft + 2, iconTop + 1), 0u);
    EXPECT_EQ(pixel(iconLeft + 3, iconTop + 2), 0xFFFFFFu);
    EXPECT_EQ(pixel(iconLeft + 0, iconTop + 0), qRgb(212, 208, 200) & 0xFFFFFFu);
    // The disabled item is embossed: grey shadow and white highlight, no black.
    const int disabledTop = itemTop + 3 * static_cast<int>(probe.itemHeight);
    int shadow = 0;
    int black = 0;
    for (int y = disabledTop; y < disabledTop + static_cast<int>(probe.itemHeight); ++y)
        for (int x = 3 + kBarWidth; x < shot.width() - 3; ++x) {
            shadow += pixel(x, y) == 0x808080u;
            black += pixel(x, y) == 0u;
        }
    EXPECT_GT(shadow, 20);
    EXPECT_EQ(black, 0);
}

TEST_F(OwnerDrawnPopup, OwnerDrawnBreaksStartColumnsAsPlainItemsDo) {
    build({{"One", "", false}, {"Two", "", false}, {"Three", "", false}, {"Four", "", false}},
          {0, 0, MF_MENUBREAK, MF_MENUBARBREAK}, {0, 0, 0, 0});
    std::vector<RECT> rects(4);
    open([&](MenuPopup*) {
        for (UINT i = 0; i < 4; ++i)
            GetMenuItemRect(0, menu, i, &rects[i]);
    });
    EXPECT_EQ(rects[1].left, rects[0].left);
    EXPECT_EQ(rects[1].top, rects[0].bottom);
    EXPECT_EQ(rects[2].left, rects[0].right + 4);
    EXPECT_EQ(rects[2].top, rects[0].top);
    EXPECT_EQ(rects[3].left, rects[2].right + 4);
    EXPECT_EQ(rects[3].top, rects[0].top);
}
