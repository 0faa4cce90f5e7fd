#pragma once
// Layout and drawing of one open pop-up menu. The pop-up keeps an image of
// itself: it is drawn into the image (its own parts directly, owner-drawn
// items by the owner through a DC over the image) and the widget only copies
// the image to the screen, so a change of highlight redraws two items, not
// the whole menu.
#include "platform/win/WinTypes.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QRect>
#include <QString>
#include <QWidget>

#include <unordered_map>
#include <vector>

class QPainter;

namespace platform::win {

// The menu font and its measures, made once and reused by every pop-up and
// menu bar; remade only when the application font changes.
class MenuMetrics {
public:
    static MenuMetrics& get();

    const QFont& font() const { return font_; }
    const QFont& boldFont() const { return boldFont_; }
    const QFontMetrics& metrics() const { return metrics_; }
    int averageCharWidth() const { return averageChar_; }
    int textWidth(const QString& text, bool bold);
    // The same font as a handle, selected into owners' device contexts.
    HFONT menuFont() const { return menuFont_; }

    static constexpr int checkWidth = 13; // the check-mark square
    static constexpr int arrowWidth = 10; // the sub-menu arrow's box
    static constexpr int separatorHeight = 9;
    static constexpr int columnGap = 4;
    static constexpr int frame = 3;          // pop-up margin on every side
    static constexpr int menuBarHeight = 19; // at least; taller fonts make it taller

private:
    MenuMetrics();
    ~MenuMetrics();
    void refresh();

    HFONT menuFont_ = 0;
    QFont font_;
    QFont boldFont_;
    QFontMetrics metrics_;
    QFontMetrics boldMetrics_;
    int averageChar_ = 0;
    QHash<QString, int> widths_;
    QHash<QString, int> boldWidths_;
};

// One item as laid out: its data as it was when the pop-up opened, and its
// place in the pop-up's client area (frame included).
struct MenuItemLayout {
    UINT type = 0;
    UINT state = 0;
    UINT id = 0;
    HMENU subMenu = 0;
    ULONG_PTR data = 0;
    QString label; // without "&" marks
    QString accelerator;
    int underline = -1;
    QChar mnemonic; // upper case, null for none
    QRect rect;
    int column = 0;

    bool separator() const;
    bool ownerDrawn() const;
    bool grayed() const;
};

// Reads one item's data and text.
void readMenuItem(HMENU menu, int position, MenuItemLayout& item);
// Reads the menu's items; owner-drawn items are measured by the owner with
// WM_MEASUREITEM, in item order. Returns the client size of the pop-up.
QSize layoutMenuItems(HMENU menu, HWND owner, std::vector<MenuItemLayout>& items);
// The item's flags as WM_MENUSELECT reports them (without MF_SYSMENU).
WORD menuSelectFlags(const MenuItemLayout& item, bool highlighted, bool subMenuOpen);
// The item rectangles of the menu's last layout, kept after its pop-up closes.
bool rememberedItemRect(HMENU menu, int position, QRect* rect);
void forgetItemRects(HMENU menu);
// Draws a plain (not owner-drawn) item's label with its mnemonic underlined.
void drawItemLabel(QPainter& painter, const MenuItemLayout& item, const QRect& textBox,
                   const QColor& color, bool bold);

class MenuPopup : public QWidget {
    Q_OBJECT
public:
    MenuPopup(HMENU menu, HWND owner);
    ~MenuPopup() override;

    HMENU menu() const { return menu_; }
    HWND owner() const { return owner_; }
    HWND handle() const { return handle_; }
    const std::vector<MenuItemLayout>& items() const { return items_; }
    int highlighted() const { return highlighted_; }
    int itemAt(const QPoint& local) const; // -1 for none; separators count as none
    int columnCount() const;
    int firstItemOfColumn(int column) const;

    // Lays the items out (measuring owner-drawn ones) and sizes the widget.
    void layout();
    // Draws every item (WM_DRAWITEM ODA_DRAWENTIRE for owner-drawn ones).
    void renderAll();
    // Moves the highlight: the old item and the new one are redrawn, in that
    // order, with ODA_SELECT for owner-drawn ones. -1 removes it.
    void setHighlighted(int position);

    const QImage& image() const { return image_; }
    // The pop-up leaves the window table as soon as it closes, even though
    // the widget itself goes later.
    void releaseHandle();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void renderFrame(QPainter& painter);
    void renderItem(HDC dc, int position, UINT action);

    HMENU menu_;
    HWND owner_;
    HWND handle_ = 0;
    std::vector<MenuItemLayout> items_;
    int highlighted_ = -1;
    QImage image_;
};

} // namespace platform::win
