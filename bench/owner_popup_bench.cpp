// Opening a 40-item pop-up whose items the menu control measures and draws
// (a picture on every item, style 0) against the same pop-up drawn by the menu
// manager itself. Before that, the first opening of the reader's File menu
// with its stored menu settings, in a fresh process so that nothing is warm.
#include "bench/RatioReporter.h"
#include "menuctl/engine/OwnerDrawMenu.h"
#include "platform/forms/ControlLibraries.h"
#include "platform/forms/HostForm.h"
#include "platform/win/MenuPopup.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"
#include "reader/mainwindow/MainMenus.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QProcess>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>

namespace {

using namespace platform::win;
using platform::forms::FormDescription;
using platform::forms::MenuControlDescription;

constexpr int Items = 40;

FormDescription popupForm(bool withControl) {
    FormDescription form;
    form.name = QStringLiteral("Form1");
    MenuControlDescription top;
    top.name = QStringLiteral("mnuPop");
    top.caption = QStringLiteral("ポップアップ");
    top.visible = false;
    form.menus.push_back(top);
    for (int i = 0; i < Items; ++i) {
        MenuControlDescription item;
        item.name = QStringLiteral("mnuPopItem");
        item.index = i;
        item.parentName = top.name;
        item.caption = i % 10 == 9
                           ? QStringLiteral("-")
                           : QStringLiteral("メニュー項目 %1 を開く(&%2)").arg(i).arg(i % 10);
        item.shortcut = i % 10 == 9 ? 0 : 1 + i % 26;
        form.menus.push_back(item);
    }
    if (withControl) {
        form.controls.push_back({QStringLiteral("OwnerDrawMenu1"), zephalt::ClassName, {}});
    }
    return form;
}

struct PopupFixture {
    explicit PopupFixture(bool withControl)
        : form(&window, popupForm(withControl),
               std::make_shared<platform::forms::ControlLibraries>(QStringLiteral(ZEPHALT_DIR))) {
        form.load();
        menu = form.menuControl(QStringLiteral("mnuPop"))->subMenu();
        if (!withControl) {
            return;
        }
        auto* control = reinterpret_cast<zephalt::OwnerDrawMenu*>(
            GetProp(form.windowHandle(), zephalt::ControlProperty));
        zephalt::IconPixels icon = zephalt::IconPixels::blank(16, 16);
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                icon.setPixel(x, y, static_cast<std::uint32_t>(0x102030 * (x + y)));
                icon.setTransparent(x, y, x == y);
            }
        }
        for (int i = 0; i < Items; ++i) {
            control->MenuItems()
                .Item(QStringLiteral("mnuPopItem(%1)").arg(i))
                .setUnCheckedIcon(icon);
        }
    }
    QMainWindow window;
    platform::forms::HostForm form;
    HMENU menu = 0;
};

void openPopup(PopupFixture& f, benchmark::State& state) {
    for (auto _ : state) {
        SendMessage(f.form.windowHandle(), WM_INITMENUPOPUP, static_cast<WPARAM>(f.menu), 0);
        MenuPopup popup(f.menu, f.form.windowHandle());
        popup.layout();
        popup.renderAll();
        benchmark::DoNotOptimize(popup.image().constBits());
        popup.releaseHandle();
    }
}

void BM_OwnerPopup40(benchmark::State& state) {
    static PopupFixture fixture(true);
    openPopup(fixture, state);
}
BENCHMARK(BM_OwnerPopup40)->Unit(benchmark::kMicrosecond);

void BM_ManagerPopup40(benchmark::State& state) {
    static PopupFixture fixture(false);
    openPopup(fixture, state);
}
BENCHMARK(BM_ManagerPopup40)->Unit(benchmark::kMicrosecond);

// The reader's main form with its form file; the File menu opened once.
int firstFileMenuChild() {
    QMainWindow window;
    platform::forms::FormDescription description = quillet::mainFormDescription({});
    description.formFile = quillet::mainFormFilePath();
    platform::forms::HostForm form(
        &window, description,
        std::make_shared<platform::forms::ControlLibraries>(QStringLiteral(ZEPHALT_DIR)));
    form.load();
    const HMENU file = form.menuControl(QStringLiteral("mnuFile"))->subMenu();
    QElapsedTimer timer;
    timer.start();
    SendMessage(form.windowHandle(), WM_INITMENUPOPUP, static_cast<WPARAM>(file), 0);
    MenuPopup popup(file, form.windowHandle());
    popup.layout();
    popup.renderAll();
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    popup.releaseHandle();
    std::printf("%.2f\n", ms);
    return 0;
}

void printFirstFileMenuOpening(const char* self) {
    QProcess child;
    child.start(QString::fromLocal8Bit(self), {QStringLiteral("--first-file-menu")});
    child.waitForFinished(60000);
    const QByteArray out = child.readAllStandardOutput().trimmed();
    std::printf("first opening of the reader's File menu: %s ms\n",
                out.isEmpty() ? "(failed)" : out.constData());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--first-file-menu") == 0) {
        return firstFileMenuChild();
    }
    printFirstFileMenuOpening(argv[0]);
    return bench::runWithRatios(argc, argv,
                                {{"owner-popup-40", "BM_OwnerPopup40", "BM_ManagerPopup40"}});
}
