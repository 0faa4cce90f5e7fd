// Drawing 40 menu items through the drawing layer's handles (background, a
// 16 × 16 icon through DrawStateA, the caption and the shortcut), each into
// an item-sized memory DC and copied to the pop-up's image with BitBlt, against
// its floor: painting the same backgrounds, icons and texts with QPainter
// straight into an image.
#include "bench/RatioReporter.h"
#include "platform/gdi/Gdi.h"
#include "platform/text/Codepage.h"

#include <QApplication>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using namespace platform::gdi;

constexpr int Items = 40;
constexpr int ItemHeight = 20;
constexpr int Width = 240;
constexpr int Height = Items * ItemHeight;

struct Texts {
    std::vector<QByteArray> captions; // code page 932, with "&"
    std::vector<QByteArray> shortcuts;
    QStringList shownCaptions;
    QStringList shownShortcuts;
};

const Texts& texts() {
    static const Texts shared = [] {
        Texts t;
        for (int i = 0; i < Items; ++i) {
            const QString caption =
                QStringLiteral("メニュー項目 %1 を開く(&%2)").arg(i).arg(i % 10);
            const QString shortcut = QStringLiteral("Ctrl+%1").arg(i % 10);
            t.captions.push_back(platform::text::encodeCp932(caption));
            t.shortcuts.push_back(platform::text::encodeCp932(shortcut));
            t.shownCaptions << stripPrefix(caption).shown;
            t.shownShortcuts << shortcut;
        }
        return t;
    }();
    return shared;
}

// A 16 × 16 icon: a blue square with a white centre and a transparent rim.
HICON makeIcon() {
    const HDC dc = CreateCompatibleDC(0);
    const HBITMAP color = CreateBitmap(16, 16, 1, 32, nullptr);
    const HBITMAP mask = CreateBitmap(16, 16, 1, 1, nullptr);
    const HGDIOBJ old = SelectObject(dc, mask);
    PatBlt(dc, 0, 0, 16, 16, WHITENESS);
    PatBlt(dc, 1, 1, 14, 14, BLACKNESS);
    SelectObject(dc, color);
    const HBRUSH blue = CreateSolidBrush(0xC00000);
    const RECT square{1, 1, 15, 15};
    FillRect(dc, &square, blue);
    PatBlt(dc, 5, 5, 6, 6, WHITENESS);
    SelectObject(dc, old);
    ICONINFO info;
    info.hbmMask = mask;
    info.hbmColor = color;
    const HICON icon = CreateIconIndirect(&info);
    DeleteObject(blue);
    DeleteObject(color);
    DeleteObject(mask);
    DeleteDC(dc);
    return icon;
}

QImage floorIcon() {
    QImage icon(16, 16, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.fillRect(1, 1, 14, 14, QColor(0, 0, 0xC0));
    painter.fillRect(5, 5, 6, 6, Qt::white);
    return icon;
}

void BM_GdiDraw40(benchmark::State& state) {
    const Texts& t = texts();
    QImage popup(Width, Height, QImage::Format_RGB32);
    const HDC target = createImageDC(&popup);
    const HICON icon = makeIcon();
    NONCLIENTMETRICSA metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    for (auto _ : state) {
        const HFONT font = CreateFontIndirectA(&metrics.lfMenuFont);
        const HDC memory = CreateCompatibleDC(target);
        const HBITMAP bitmap = CreateCompatibleBitmap(target, Width, ItemHeight);
        const HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
        const HGDIOBJ oldFont = SelectObject(memory, font);
        SetBkMode(memory, TRANSPARENT);
        for (int i = 0; i < Items; ++i) {
            const bool selected = i == 3;
            const int top = i * ItemHeight;
            const RECT item{0, 0, Width, ItemHeight};
            FillRect(memory, &item, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
            DrawStateA(memory, 0, nullptr, static_cast<platform::win::LPARAM>(icon), 0, 2,
                       item.top + 2, 0, 0, DST_ICON);
            SetTextColor(memory, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
            const QByteArray& caption = t.captions[static_cast<std::size_t>(i)];
            DrawStateA(memory, 0, nullptr, reinterpret_cast<platform::win::LPARAM>(caption.data()),
                       static_cast<platform::win::WPARAM>(caption.size()), 26, item.top + 4, 0, 0,
                       DST_PREFIXTEXT);
            const QByteArray& shortcut = t.shortcuts[static_cast<std::size_t>(i)];
            SIZE extent;
            GetTextExtentPoint32A(memory, shortcut.data(), static_cast<int>(shortcut.size()),
                                  &extent);
            DrawStateA(memory, 0, nullptr, reinterpret_cast<platform::win::LPARAM>(shortcut.data()),
                       static_cast<platform::win::WPARAM>(shortcut.size()),
                       Width + 1 - extent.cx - 18, item.top + 4, 0, 0, DST_TEXT);
            BitBlt(target, 0, top, Width, ItemHeight, memory, 0, 0, SRCCOPY);
        }
        SelectObject(memory, oldFont);
        SelectObject(memory, oldBitmap);
        DeleteObject(bitmap);
        DeleteDC(memory);
        DeleteObject(font);
        benchmark::DoNotOptimize(popup.constBits());
    }
    DestroyIcon(icon);
    releaseImageDC(target);
}
BENCHMARK(BM_GdiDraw40)->Unit(benchmark::kMicrosecond);

void BM_QPainterDraw40Floor(benchmark::State& state) {
    const Texts& t = texts();
    const QImage icon = floorIcon();
    NONCLIENTMETRICSA metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    const QFont font = fontFromLogFont(metrics.lfMenuFont, nullptr);
    const QFontMetrics fontMetrics(font);
    QImage popup(Width, Height, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&popup);
        painter.setFont(font);
        for (int i = 0; i < Items; ++i) {
            const bool selected = i == 3;
            const QRect item(0, i * ItemHeight, Width, ItemHeight);
            painter.fillRect(item, selected ? QColor(10, 36, 106) : QColor(212, 208, 200));
            painter.drawImage(2, item.top() + 2, icon);
            painter.setPen(selected ? Qt::white : Qt::black);
            const int baseline = item.top() + 4 + fontMetrics.ascent();
            painter.drawText(QPoint(26, baseline), t.shownCaptions[i]);
            const int width = fontMetrics.horizontalAdvance(t.shownShortcuts[i]);
            painter.drawText(QPoint(Width + 1 - width - 18, baseline), t.shownShortcuts[i]);
        }
        painter.end();
        benchmark::DoNotOptimize(popup.constBits());
    }
}
BENCHMARK(BM_QPainterDraw40Floor)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    return bench::runWithRatios(argc, argv,
                                {{"gdi-draw-40", "BM_GdiDraw40", "BM_QPainterDraw40Floor"}});
}
