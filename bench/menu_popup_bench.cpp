// Opening a 40-item pop-up menu (layout, every item drawn into the pop-up's
// image) against its floor: painting the same texts and separators straight
// into an image of the same size. A frame at 60 Hz is 16.7 ms.
#include "bench/RatioReporter.h"
#include "platform/win/MenuPopup.h"
#include "platform/win/Menus.h"
#include "platform/win/Window.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>
#include <benchmark/benchmark.h>

namespace {

using namespace platform::win;

constexpr int Items = 40;

QString captionOf(int i) {
    return QStringLiteral("メニュー項目 %1 を開く(&%2)\tCtrl+%2").arg(i).arg(i % 10);
}

struct MenuFixture {
    MenuFixture() {
        owner = CreateWindowHandle(&window, QStringLiteral("ThunderRT6FormDC"), nullptr);
        menu = CreatePopupMenu();
        for (int i = 0; i < Items; ++i) {
            if (i % 10 == 9)
                AppendMenuA(menu, MF_SEPARATOR, 0, QString());
            else
                AppendMenuA(menu, MF_STRING | (i % 7 == 0 ? MF_CHECKED : 0),
                            static_cast<ULONG_PTR>(100 + i), captionOf(i));
        }
    }
    QWidget window;
    HWND owner = 0;
    HMENU menu = 0;
};

MenuFixture& fixture() {
    static MenuFixture shared;
    return shared;
}

void BM_OpenPopup40(benchmark::State& state) {
    MenuFixture& f = fixture();
    QSize size;
    for (auto _ : state) {
        MenuPopup popup(f.menu, f.owner);
        popup.layout();
        popup.renderAll();
        size = popup.image().size();
        benchmark::DoNotOptimize(popup.image().constBits());
        popup.releaseHandle();
    }
    state.counters["width"] = size.width();
    state.counters["height"] = size.height();
}
BENCHMARK(BM_OpenPopup40)->Unit(benchmark::kMicrosecond);

void BM_PaintTextsFloor(benchmark::State& state) {
    const QFont font = QApplication::font();
    QStringList texts;
    for (int i = 0; i < Items; ++i)
        texts << captionOf(i).section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
    for (auto _ : state) {
        QImage image(260, Items * 18 + 6, QImage::Format_RGB32);
        image.fill(QColor(212, 208, 200));
        QPainter painter(&image);
        painter.setFont(font);
        for (int i = 0; i < Items; ++i)
            painter.drawText(QRect(20, 3 + i * 18, 230, 18), Qt::AlignVCenter, texts[i]);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_PaintTextsFloor)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    return bench::runWithRatios(argc, argv,
                                {{"open-popup-40", "BM_OpenPopup40", "BM_PaintTextsFloor"}});
}
