// Start-up to the first painted main window with a 5,000-feed catalogue, and
// the memory it holds then, against a bare web view showing the same start
// page. Each start runs in a process of its own, since the web engine starts
// once per process: the program runs itself with --child.
#include "platform/runtime/MessageBox.h"
#include "platform/text/LineFile.h"
#include "platform/web/WebBrowser.h"
#include "reader/app/AppState.h"
#include "reader/app/ProgramPaths.h"
#include "reader/app/Settings.h"
#include "reader/mainwindow/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEngineView>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int Feeds = 5000;
constexpr int Runs = 3;

long residentKilobytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return 0;
}

void makeInstallation(const QString& folder) {
    for (const char* sub :
         {"data/profile", "data/brd", "data/log", "data/temp", "data/skin/default"})
        QDir().mkpath(quillet::programFile(folder, sub));
    QFile::copy(QStringLiteral(QUILLET_DATA_DIR "/index.html"),
                quillet::programFile(folder, quillet::paths::StartPage));
    quillet::WriteDefaultSettings(quillet::programFile(folder, quillet::paths::Settings));
    QStringList records;
    for (int folderIndex = 0; folderIndex < Feeds / 100; ++folderIndex) {
        records << QStringLiteral("\"フォルダ %1\",\"ROOT_FOLDER\",\"root_usr%1\",\"\"")
                       .arg(folderIndex);
        for (int i = 0; i < 100; ++i)
            records
                << QStringLiteral(
                       "\"ニュース %1-%2\",\"https://n%1-%2.example.jp/rss\",\"CHILD_NODE\",\"1\"")
                       .arg(folderIndex)
                       .arg(i);
    }
    platform::text::writeLinesAtomic(quillet::programFile(folder, quillet::paths::FeedList),
                                     records);
}

// Prints "<milliseconds> <kilobytes>" once the start page has loaded and the
// window has painted, then quits.
int runChild(const QString& road, const QString& folder) {
    QElapsedTimer clock;
    clock.start();
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    int argc = 1;
    char name[] = "child";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    std::unique_ptr<quillet::AppState> app;
    std::unique_ptr<QWidget> window;
    QWebEngineView* view = nullptr;
    if (road == QLatin1String("reader")) {
        app = std::make_unique<quillet::AppState>(folder,
                                                  std::make_unique<platform::QtMessagePresenter>());
        auto main = std::make_unique<quillet::MainWindow>(*app);
        main->load();
        view = main->browser(1)->view();
        window = std::move(main);
    } else {
        auto bare = std::make_unique<QWebEngineView>();
        bare->resize(400, 400);
        bare->setUrl(QUrl::fromLocalFile(quillet::programFile(folder, quillet::paths::StartPage)));
        view = bare.get();
        window = std::move(bare);
    }
    QObject::connect(view, &QWebEngineView::loadFinished, &application, [&](bool) {
        // One more turn of the event loop paints what the load produced.
        QTimer::singleShot(0, &application, [&] {
            window->repaint();
            std::printf("%lld %ld\n", static_cast<long long>(clock.elapsed()), residentKilobytes());
            std::fflush(stdout);
            QApplication::quit();
        });
    });
    QTimer::singleShot(60000, &application, [] { QApplication::exit(1); });
    window->show();
    return QApplication::exec();
}

struct Sample {
    double milliseconds = 0;
    double kilobytes = 0;
};

bool measure(const QString& self, const QString& road, const QString& folder, Sample& sample) {
    QProcess child;
    child.start(self, {QStringLiteral("--child"), road, folder});
    if (!child.waitForFinished(90000) || child.exitCode() != 0)
        return false;
    const QList<QByteArray> fields = child.readAllStandardOutput().trimmed().split(' ');
    if (fields.size() != 2)
        return false;
    sample = {fields[0].toDouble(), fields[1].toDouble()};
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && QByteArray(argv[1]) == "--child")
        return runChild(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));

    QCoreApplication application(argc, argv);
    QTemporaryDir dir;
    makeInstallation(dir.path());
    const QString self = QCoreApplication::applicationFilePath();
    std::vector<Sample> reader;
    std::vector<Sample> bare;
    // Alternating runs, fastest of each: the machine's other work only adds time.
    for (int run = 0; run < Runs; ++run) {
        Sample sample;
        if (!measure(self, QStringLiteral("reader"), dir.path(), sample))
            return std::fprintf(stderr, "the reader did not start\n"), 1;
        reader.push_back(sample);
        if (!measure(self, QStringLiteral("bare"), dir.path(), sample))
            return std::fprintf(stderr, "the bare window did not start\n"), 1;
        bare.push_back(sample);
    }
    const auto fastest = [](const std::vector<Sample>& samples) {
        return std::min_element(
                   samples.begin(), samples.end(),
                   [](const Sample& a, const Sample& b) { return a.milliseconds < b.milliseconds; })
            ->milliseconds;
    };
    const auto smallest = [](const std::vector<Sample>& samples) {
        return std::min_element(
                   samples.begin(), samples.end(),
                   [](const Sample& a, const Sample& b) { return a.kilobytes < b.kilobytes; })
            ->kilobytes;
    };
    std::printf("reader start %.0f ms, %.0f kB resident\n", fastest(reader), smallest(reader));
    std::printf("bare view start %.0f ms, %.0f kB resident\n", fastest(bare), smallest(bare));
    std::printf("ratio startup-window-5k %.2f\n", fastest(reader) / fastest(bare));
    std::printf("ratio resident-memory %.2f\n", smallest(reader) / smallest(bare));
    return 0;
}
