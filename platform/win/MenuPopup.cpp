#include "platform/win/MenuPopup.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Fonts.h"
#include "platform/gdi/SystemColors.h"
#include "platform/gdi/SystemMetrics.h"
#include "platform/gdi/Text.h"
#include "platform/win/MenuEvents.h"
#include "platform/win/Menus.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"

#include <QApplication>
#include <QPainter>

#include <algorithm>
#include <array>

namespace platform::win {

namespace syscolor = gdi::syscolor;

namespace {

// Colour indexes of the frame and the etched lines that SystemColors.h does not name.
constexpr int kColorButtonHighlight = 20;
constexpr int kColorDarkShadow = 21;
constexpr int kColorLight = 22;

QColor color(int index) {
    return gdi::sysColor(index);
}

// The classic 7 × 7 check mark, one string per row.
constexpr std::array<const char*, 7> kCheckMark = {
    "......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#....",
};

void drawCheck(QPainter& painter, const QRect& box, bool radio, const QColor& ink) {
    if (radio) {
        // A round bullet, drawn without smoothing so that it stays crisp.
        const QRect dot(box.center().x() - 2, box.center().y() - 2, 6, 6);
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink);
        painter.drawEllipse(dot.adjusted(0, 0, -1, -1));
        painter.fillRect(dot.adjusted(1, 0, -1, 0), ink);
        painter.fillRect(dot.adjusted(0, 1, 0, -1), ink);
        painter.restore();
        return;
    }
    const int left = box.left() + (box.width() - 7) / 2;
    const int top = box.top() + (box.height() - 7) / 2;
    for (int row = 0; row < 7; ++row)
        for (int col = 0; col < 7; ++col)
            if (kCheckMark[static_cast<std::size_t>(row)][col] == '#')
                painter.fillRect(QRect(left + col, top + row, 1, 1), ink);
}

// A solid triangle pointing right, 4 px wide and 7 px high, centred in box.
void drawArrow(QPainter& painter, const QRect& box, const QColor& ink) {
    const int left = box.left() + (box.width() - 4) / 2;
    const int top = box.top() + (box.height() - 7) / 2;
    for (int col = 0; col < 4; ++col)
        painter.fillRect(QRect(left + col, top + col, 1, 7 - 2 * col), ink);
}

QRect arrowBox(const QRect& item) {
    const int size = MenuMetrics::arrowWidth;
    return QRect(item.right() + 1 - size - 1, item.top() + (item.height() - size) / 2, size, size);
}

// The last layout of every menu shown, so that GetMenuItemRect can answer for a
// menu after its pop-up has closed, as the platform keeps sizes with the items.
std::unordered_map<HMENU, std::vector<QRect>>& rememberedRects() {
    static std::unordered_map<HMENU, std::vector<QRect>> rects;
    // A destroyed menu's sizes go with it.
    static const int listener = addMenuChangedListener([](HMENU menu) {
        if (!IsMenu(menu))
            rememberedRects().erase(menu);
    });
    (void)listener;
    return rects;
}

} // namespace

// ---------------------------------------------------------------------------

MenuMetrics& MenuMetrics::get() {
    static MenuMetrics metrics;
    return metrics;
}

MenuMetrics::MenuMetrics() : metrics_(QFont()), boldMetrics_(QFont()) {
    refresh();
}

MenuMetrics::~MenuMetrics() {
    gdi::DeleteObject(menuFont_);
}

void MenuMetrics::refresh() {
    // The desktop's menu font, as owners of owner-drawn items find it too.
    gdi::NONCLIENTMETRICSA nonClient;
    gdi::SystemParametersInfoA(gdi::SPI_GETNONCLIENTMETRICS, sizeof nonClient, &nonClient, 0);
    font_ = gdi::fontFromLogFont(nonClient.lfMenuFont, nullptr);
    boldFont_ = font_;
    boldFont_.setBold(true);
    metrics_ = QFontMetrics(font_);
    boldMetrics_ = QFontMetrics(boldFont_);
    menuFont_ = gdi::CreateFontIndirectA(&nonClient.lfMenuFont);
    int sum = 0;
    for (char c = 'a'; c <= 'z'; ++c)
        sum += metrics_.horizontalAdvance(QLatin1Char(c));
    for (char c = 'A'; c <= 'Z'; ++c)
        sum += metrics_.horizontalAdvance(QLatin1Char(c));
    averageChar_ = (sum + 26) / 52;
    widths_.clear();
    boldWidths_.clear();
}

int MenuMetrics::textWidth(const QString& text, bool bold) {
    QHash<QString, int>& cache = bold ? boldWidths_ : widths_;
    const auto it = cache.constFind(text);
    if (it != cache.constEnd())
        return it.value();
    const int width = (bold ? boldMetrics_ : metrics_).horizontalAdvance(text);
    cache.insert(text, width);
    return width;
}

bool MenuItemLayout::separator() const {
    return (type & MFT_SEPARATOR) != 0;
}

bool MenuItemLayout::ownerDrawn() const {
    return (type & MFT_OWNERDRAW) != 0;
}

bool MenuItemLayout::grayed() const {
    return (state & MFS_GRAYED) != 0;
}

// ---------------------------------------------------------------------------

void readMenuItem(HMENU menu, int position, MenuItemLayout& item) {
    item = MenuItemLayout{};
    MENUITEMINFOA info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info)) {
        item.type = MFT_SEPARATOR; // vanished under us: keep the positions
        return;
    }
    item.type = info.fType;
    // The highlight is the tracker's business, not part of the item's look.
    item.state = info.fState & ~MFS_HILITE;
    item.id = info.wID;
    item.subMenu = info.hSubMenu;
    item.data = info.dwItemData;
    if (item.separator())
        return;
    QString text = menuItemText(menu, position);
    const qsizetype tab = text.indexOf(QLatin1Char('\t'));
    if (tab >= 0) {
        item.accelerator = text.mid(tab + 1);
        text.truncate(tab);
    }
    const gdi::PrefixedText prefixed = gdi::stripPrefix(text);
    item.label = prefixed.shown;
    item.underline = prefixed.underline;
    if (prefixed.underline >= 0)
        item.mnemonic = prefixed.shown.at(prefixed.underline).toUpper();
}

QSize layoutMenuItems(HMENU menu, HWND owner, std::vector<MenuItemLayout>& items) {
    MenuMetrics& metrics = MenuMetrics::get();
    const int average = metrics.averageCharWidth();
    const int count = std::max(0, GetMenuItemCount(menu));
    items.assign(static_cast<std::size_t>(count), MenuItemLayout{});

    for (int position = 0; position < count; ++position)
        readMenuItem(menu, position, items[static_cast<std::size_t>(position)]);

    // Sizes, in item order: owner-drawn items are measured as the owner says.
    std::vector<QSize> sizes(items.size());
    const int textHeight = metrics.metrics().height() + 4;
    for (std::size_t i = 0; i < items.size(); ++i) {
        MenuItemLayout& item = items[i];
        if (item.ownerDrawn()) {
            MEASUREITEMSTRUCT measure;
            measure.CtlType = ODT_MENU;
            measure.itemID = item.id;
            measure.itemData = item.data;
            measure.itemWidth = 0;
            measure.itemHeight = 16;
            SendMessage(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
            sizes[i] = QSize(static_cast<int>(measure.itemWidth) + 2 * average,
                             static_cast<int>(measure.itemHeight));
        } else if (item.separator()) {
            sizes[i] = QSize(0, MenuMetrics::separatorHeight);
        } else {
            const bool bold = (item.state & MFS_DEFAULT) != 0;
            int width =
                MenuMetrics::checkWidth + 4 + average + metrics.textWidth(item.label, bold) + 2;
            if (!item.accelerator.isEmpty())
                width += average + metrics.textWidth(item.accelerator, bold);
            // Every text item keeps room for the arrow, so that shortcut
            // texts line up whether or not an item opens a sub-menu.
            width += MenuMetrics::arrowWidth;
            sizes[i] = QSize(width, textHeight);
        }
    }

    // Columns: a break flag starts a new one to the right; each column is as
    // wide as its widest item and every item in it is stretched to that.
    int x = MenuMetrics::frame;
    int y = MenuMetrics::frame;
    int bottom = MenuMetrics::frame;
    int columnWidth = 0;
    int column = 0;
    std::size_t columnStart = 0;
    auto closeColumn = [&](std::size_t end) {
        for (std::size_t j = columnStart; j < end; ++j)
            items[j].rect.setWidth(columnWidth);
    };
    for (std::size_t i = 0; i < items.size(); ++i) {
        const bool breaks = (items[i].type & (MFT_MENUBREAK | MFT_MENUBARBREAK)) != 0;
        if (breaks && i > 0) {
            closeColumn(i);
            x += columnWidth + MenuMetrics::columnGap;
            y = MenuMetrics::frame;
            columnWidth = 0;
            columnStart = i;
            ++column;
        } else if (breaks) {
            x += MenuMetrics::columnGap;
        }
        items[i].rect = QRect(x, y, sizes[i].width(), sizes[i].height());
        items[i].column = column;
        y += sizes[i].height();
        bottom = std::max(bottom, y);
        columnWidth = std::max(columnWidth, sizes[i].width());
    }
    closeColumn(items.size());

    std::vector<QRect>& remembered = rememberedRects()[menu];
    remembered.clear();
    for (const MenuItemLayout& item : items)
        remembered.push_back(item.rect);
    return QSize(x + columnWidth + MenuMetrics::frame, bottom + MenuMetrics::frame);
}

bool rememberedItemRect(HMENU menu, int position, QRect* rect) {
    const auto& rects = rememberedRects();
    const auto it = rects.find(menu);
    if (it == rects.end() || position < 0 || position >= static_cast<int>(it->second.size()))
        return false;
    *rect = it->second[static_cast<std::size_t>(position)];
    return true;
}

void forgetItemRects(HMENU menu) {
    rememberedRects().erase(menu);
}

WORD menuSelectFlags(const MenuItemLayout& item, bool highlighted, bool subMenuOpen) {
    UINT flags = item.type | item.state;
    if (item.subMenu)
        flags |= MF_POPUP;
    if (highlighted)
        flags |= MF_HILITE;
    if (subMenuOpen)
        flags |= MF_MOUSESELECT;
    return static_cast<WORD>(flags & 0xFFFF);
}

void drawItemLabel(QPainter& painter, const MenuItemLayout& item, const QRect& textBox,
                   const QColor& ink, bool bold) {
    MenuMetrics& metrics = MenuMetrics::get();
    const QFontMetrics& fm = metrics.metrics();
    const int baseline = textBox.top() + (textBox.height() - fm.height()) / 2 + fm.ascent();
    painter.setFont(bold ? metrics.boldFont() : metrics.font());
    painter.setPen(ink);
    painter.drawText(QPoint(textBox.left(), baseline), item.label);
    if (item.underline >= 0) {
        const int from = textBox.left() + metrics.textWidth(item.label.left(item.underline), bold);
        const int width = metrics.textWidth(item.label.mid(item.underline, 1), bold);
        painter.fillRect(QRect(from, baseline + 1, width, 1), ink);
    }
    if (!item.accelerator.isEmpty()) {
        const int width = metrics.textWidth(item.accelerator, bold);
        painter.drawText(QPoint(textBox.right() + 1 - width, baseline), item.accelerator);
    }
}

// ---------------------------------------------------------------------------

MenuPopup::MenuPopup(HMENU menu, HWND owner)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint), menu_(menu), owner_(owner) {
    // Menus never take the focus from the form: keys reach the tracker
    // through its application-wide filter.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    handle_ = CreateWindowHandle(this, QStringLiteral("#32768"), nullptr);
}

MenuPopup::~MenuPopup() {
    releaseHandle();
}

void MenuPopup::releaseHandle() {
    if (handle_) {
        const HWND handle = handle_;
        handle_ = 0;
        DestroyWindowHandle(handle);
    }
}

int MenuPopup::itemAt(const QPoint& local) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (!items_[i].separator() && items_[i].rect.contains(local))
            return static_cast<int>(i);
    return -1;
}

int MenuPopup::columnCount() const {
    return items_.empty() ? 0 : items_.back().column + 1;
}

int MenuPopup::firstItemOfColumn(int column) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].column == column && !items_[i].separator())
            return static_cast<int>(i);
    return -1;
}

void MenuPopup::layout() {
    const QSize size = layoutMenuItems(menu_, owner_, items_);
    highlighted_ = -1;
    resize(size);
    image_ = QImage(size, QImage::Format_RGB32);
    image_.fill(color(syscolor::Menu));
}

void MenuPopup::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
}

void MenuPopup::renderFrame(QPainter& painter) {
    const int w = image_.width();
    const int h = image_.height();
    painter.fillRect(QRect(0, 0, w, h), color(syscolor::Menu));
    // A raised 2-px edge; the bottom and right lines own the corners they share.
    painter.fillRect(QRect(0, 0, w, 1), color(kColorLight));
    painter.fillRect(QRect(0, 0, 1, h), color(kColorLight));
    painter.fillRect(QRect(1, 1, w - 3, 1), color(kColorButtonHighlight));
    painter.fillRect(QRect(1, 1, 1, h - 3), color(kColorButtonHighlight));
    painter.fillRect(QRect(1, h - 2, w - 2, 1), color(syscolor::ButtonShadow));
    painter.fillRect(QRect(w - 2, 1, 1, h - 2), color(syscolor::ButtonShadow));
    painter.fillRect(QRect(0, h - 1, w, 1), color(kColorDarkShadow));
    painter.fillRect(QRect(w - 1, 0, 1, h), color(kColorDarkShadow));
    // The etched bar in front of a column that MFT_MENUBARBREAK starts.
    for (const MenuItemLayout& item : items_) {
        if ((item.type & MFT_MENUBARBREAK) && !item.ownerDrawn() && item.column > 0) {
            const int left = item.rect.left();
            painter.fillRect(QRect(left - 3, 3, 1, h - 6), color(syscolor::ButtonShadow));
            painter.fillRect(QRect(left - 2, 3, 1, h - 6), color(kColorButtonHighlight));
        }
    }
}

void MenuPopup::renderAll() {
    if (image_.isNull())
        return;
    const HDC dc = gdi::createImageDC(&image_);
    QPainter* painter = gdi::painterOfDC(dc);
    renderFrame(*painter);
    for (std::size_t i = 0; i < items_.size(); ++i)
        renderItem(dc, static_cast<int>(i), ODA_DRAWENTIRE);
    gdi::releaseImageDC(dc);
    update();
}

void MenuPopup::setHighlighted(int position) {
    if (position < -1 || position >= static_cast<int>(items_.size()))
        position = -1;
    if (position == highlighted_)
        return;
    const int previous = highlighted_;
    highlighted_ = position;
    if (image_.isNull())
        return;
    const HDC dc = gdi::createImageDC(&image_);
    if (previous >= 0)
        renderItem(dc, previous, ODA_SELECT);
    if (position >= 0)
        renderItem(dc, position, ODA_SELECT);
    gdi::releaseImageDC(dc);
    update();
}

void MenuPopup::renderItem(HDC dc, int position, UINT action) {
    const MenuItemLayout& item = items_[static_cast<std::size_t>(position)];
    const bool selected = position == highlighted_;
    const QRect inside(MenuMetrics::frame, MenuMetrics::frame,
                       image_.width() - 2 * MenuMetrics::frame,
                       image_.height() - 2 * MenuMetrics::frame);

    if (item.ownerDrawn()) {
        const COLORREF oldText =
            gdi::SetTextColor(dc, gdi::GetSysColor(item.grayed() ? syscolor::GrayText
                                                   : selected    ? syscolor::HighlightText
                                                                 : syscolor::MenuText));
        const COLORREF oldBack =
            gdi::SetBkColor(dc, gdi::GetSysColor(selected ? syscolor::Highlight : syscolor::Menu));
        const HGDIOBJ oldFont = gdi::SelectObject(dc, MenuMetrics::get().menuFont());
        // The owner's origin is the pop-up's client corner inside the frame,
        // and it may paint anywhere among the items, never over the frame.
        gdi::POINT oldOrigin;
        gdi::SetViewportOrgEx(dc, MenuMetrics::frame, MenuMetrics::frame, &oldOrigin);
        gdi::setClipBox(dc, inside);
        const QRect ownRect = item.rect.translated(-MenuMetrics::frame, -MenuMetrics::frame);
        DRAWITEMSTRUCT draw;
        draw.CtlType = ODT_MENU;
        draw.itemID = item.id;
        draw.itemAction = action;
        draw.itemState = (selected ? ODS_SELECTED : 0) |
                         ((item.state & MF_GRAYED) ? ODS_GRAYED | ODS_DISABLED : 0) |
                         ((item.state & MFS_CHECKED) ? ODS_CHECKED : 0) |
                         ((item.state & MFS_DEFAULT) ? ODS_DEFAULT : 0);
        draw.hwndItem = static_cast<HWND>(menu_);
        draw.hDC = dc;
        draw.rcItem =
            RECT{ownRect.left(), ownRect.top(), ownRect.right() + 1, ownRect.bottom() + 1};
        draw.itemData = item.data;
        SendMessage(owner_, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
        gdi::setClipBox(dc, QRect());
        gdi::SetViewportOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
        gdi::SelectObject(dc, oldFont);
        if (item.subMenu) {
            // The arrow goes over whatever the owner drew, in the DC's colours
            // as the owner left them.
            QPainter& after = *gdi::painterOfDC(dc);
            const QRect box = arrowBox(item.rect);
            after.fillRect(box, gdi::colorOfColorref(gdi::GetBkColor(dc)));
            drawArrow(after, box, gdi::colorOfColorref(gdi::GetTextColor(dc)));
        }
        gdi::SetTextColor(dc, oldText);
        gdi::SetBkColor(dc, oldBack);
        return;
    }

    QPainter& painter = *gdi::painterOfDC(dc);
    painter.save();
    painter.setClipRect(inside);
    if (item.separator()) {
        painter.fillRect(item.rect, color(syscolor::Menu));
        const int middle = item.rect.top() + item.rect.height() / 2;
        const int left = item.rect.left() + 1;
        const int width = item.rect.width() - 2;
        painter.fillRect(QRect(left, middle, width, 1), color(syscolor::ButtonShadow));
        painter.fillRect(QRect(left, middle + 1, width, 1), color(kColorButtonHighlight));
        painter.restore();
        return;
    }

    painter.fillRect(item.rect, color(selected ? syscolor::Highlight : syscolor::Menu));
    const QColor ink = color(item.grayed() ? syscolor::GrayText
                             : selected    ? syscolor::HighlightText
                                           : syscolor::MenuText);
    const int average = MenuMetrics::get().averageCharWidth();
    const QRect checkBox(item.rect.left() + 2, item.rect.top(), MenuMetrics::checkWidth,
                         item.rect.height());
    QRect textBox = item.rect;
    textBox.setLeft(item.rect.left() + MenuMetrics::checkWidth + 4 + average / 2);
    textBox.setRight(item.rect.right() - MenuMetrics::arrowWidth - average / 2);
    const bool bold = (item.state & MFS_DEFAULT) != 0;

    if (item.grayed() && !selected) {
        // Grey text with a white shadow, the classic "engraved" look; the
        // marks get the shadow too.
        const QColor shadow = color(kColorButtonHighlight);
        if (item.state & MFS_CHECKED)
            drawCheck(painter, checkBox.translated(1, 1), item.type & MFT_RADIOCHECK, shadow);
        drawItemLabel(painter, item, textBox.translated(1, 1), shadow, bold);
        if (item.subMenu)
            drawArrow(painter, arrowBox(item.rect).translated(1, 1), shadow);
    }
    if (item.state & MFS_CHECKED)
        drawCheck(painter, checkBox, item.type & MFT_RADIOCHECK, ink);
    drawItemLabel(painter, item, textBox, ink, bold);
    if (item.subMenu)
        drawArrow(painter, arrowBox(item.rect), ink);
    painter.restore();
}

} // namespace platform::win
