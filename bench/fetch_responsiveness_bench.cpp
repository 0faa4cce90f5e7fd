// How long the window's thread goes without handling its events while a feed
// downloads slowly: a 10 ms timer ticks on that thread while a local server
// sends 1 MB over 3 seconds, and the longest gap between two ticks is compared
// with the tick itself. The floor is the same timer with nothing else to do.
// Prints "ratio fetch-responsiveness <longest gap / 10 ms>" (at most 10 is the
// aim) and the floor's own gap for reference.
#include "platform/controls/SimpleModels.h"
#include "platform/runtime/MessageBox.h"
#include "reader/app/AppState.h"
#include "reader/fetch/Downloader.h"
#include "support/TempFiles.h"
#include "support/TestHttpServer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int kTickMs = 10;

// The longest gap between two ticks of a 10 ms timer while `work` runs (or,
// with no work, for `idleMs`).
qint64 longestGap(const std::function<void()>& work, int idleMs) {
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longest = 0;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        longest = std::max(longest, now - last);
        last = now;
    });
    clock.start();
    ticker.start(kTickMs);
    if (work) {
        work();
    } else {
        QTimer stop;
        QEventLoop loop;
        QObject::connect(&stop, &QTimer::timeout, &loop, &QEventLoop::quit);
        stop.start(idleMs);
        loop.exec();
    }
    ticker.stop();
    return std::max(longest, clock.elapsed() - last);
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    testing_support::ProgramFolder folder;
    quillet::AppState app(folder.path(), nullptr);
    platform::controls::StatusBarModel status(2);
    testing_support::TestHttpServer server;
    testing_support::Reply slow{200, QByteArray(1 << 20, 'x'), {}};
    slow.mode = testing_support::Reply::Mode::Trickle;
    slow.trickleMs = 3000;
    server.serve("/slow.xml", slow);

    const qint64 floor = longestGap({}, 1000);
    const qint64 ours = longestGap(
        [&] {
            quillet::FetchFeed(app, status, QStringLiteral("XML"), server.url("/slow.xml"),
                               QStringLiteral("slow"));
        },
        0);
    std::printf("longest gap while idle: %lld ms; while downloading: %lld ms\n",
                static_cast<long long>(floor), static_cast<long long>(ours));
    std::printf("ratio fetch-responsiveness %.2f\n", static_cast<double>(ours) / kTickMs);
    return 0;
}
