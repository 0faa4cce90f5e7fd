// Start-up of the main window's model path (settings, a 5,000-feed user list and
// 50,000 read titles) against reading the same files' bytes alone.
#include "bench/RatioReporter.h"
#include "platform/runtime/MessageBox.h"
#include "platform/text/LineFile.h"
#include "reader/app/AppState.h"
#include "reader/app/Lifecycle.h"
#include "reader/app/ProgramPaths.h"
#include "reader/app/Settings.h"
#include "reader/mainwindow/MainWindowModel.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>

namespace {

constexpr int RootFolders = 50;
constexpr int SubFoldersPerRoot = 4;
constexpr int FeedsPerFolder = 20; // 50 * (1 + 4) * 20 = 5,000 feeds
constexpr int ReadTitles = 50000;

class SilentMessages : public platform::MessagePresenter {
public:
    platform::MsgResult show(const QString&, platform::MsgButtons, platform::MsgIcon,
                             const QString&) override {
        throw std::runtime_error("a message box appeared during the benchmark");
    }
};

class NullView : public quillet::MainWindowView {
public:
    void navigateBrowser(int, const QString&) override {}
    void bringBrowserToFront(int) override {}
    void arrangeSplitters() override {}
};

// A program folder with the files of a well-used installation.
class Installation {
public:
    Installation() {
        for (const char* sub :
             {"data/profile", "data/brd", "data/log", "data/temp", "data/skin/default"})
            QDir().mkpath(file(sub));
        quillet::WriteDefaultSettings(file(quillet::paths::Settings));

        QStringList records;
        int feed = 0;
        auto addFeeds = [&](int kind) {
            for (int i = 0; i < FeedsPerFolder; ++i, ++feed)
                records << QStringLiteral(
                               "\"ニュース %1\",\"https://news%1.example.jp/rss/index.xml\","
                               "\"CHILD_NODE\",\"%2\"")
                               .arg(feed)
                               .arg(kind);
        };
        for (int root = 0; root < RootFolders; ++root) {
            records
                << QStringLiteral("\"フォルダ %1\",\"ROOT_FOLDER\",\"root_usr%1\",\"\"").arg(root);
            addFeeds(1);
            for (int sub = 0; sub < SubFoldersPerRoot; ++sub) {
                records << QStringLiteral(
                               "\"サブフォルダ %1-%2\",\"ADD_NEW_FOLDER\",\"usr%1_%2\",\"\"")
                               .arg(root)
                               .arg(sub);
                addFeeds(2);
            }
        }
        platform::text::writeLinesAtomic(file(quillet::paths::FeedList), records);

        // Titles of the same length with a fixed-width number, so that none holds another.
        QStringList titles;
        titles.reserve(ReadTitles);
        for (int i = 0; i < ReadTitles; ++i)
            titles << QStringLiteral("【速報】記事の見出し #%1# 政治・経済・国際のニュース")
                          .arg(i, 6, 10, QLatin1Char('0'));
        platform::text::writeLinesAtomic(file(quillet::paths::NewsHistory), titles);
    }

    QString folder() const { return dir_.path(); }
    QString file(const char* relative) const { return quillet::programFile(dir_.path(), relative); }

private:
    QTemporaryDir dir_;
};

const Installation& installation() {
    static const Installation shared;
    return shared;
}

void BM_StartupModelPath(benchmark::State& state) {
    const Installation& files = installation();
    for (auto _ : state) {
        quillet::AppState app(files.folder(), std::make_unique<SilentMessages>());
        quillet::MainWindowModel window;
        NullView view;
        quillet::RunMainWindowLoad(app, window, view);
        if (window.tvw1.count() != RootFolders * (1 + SubFoldersPerRoot) * (1 + FeedsPerFolder) ||
            app.newsHistory.count() != ReadTitles)
            state.SkipWithError("start-up did not read every feed and title");
        benchmark::DoNotOptimize(window.tvw1.count());
    }
}
BENCHMARK(BM_StartupModelPath)->Unit(benchmark::kMillisecond);

void BM_ReadFileBytesFloor(benchmark::State& state) {
    const Installation& files = installation();
    for (auto _ : state) {
        qsizetype total = 0;
        for (const char* relative :
             {quillet::paths::Settings, quillet::paths::FeedList, quillet::paths::NewsHistory}) {
            QFile file(files.file(relative));
            if (file.open(QIODevice::ReadOnly))
                total += file.readAll().size();
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_ReadFileBytesFloor)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    return bench::runWithRatios(
        argc, argv,
        {{"startup-5k-feeds-50k-titles", "BM_StartupModelPath", "BM_ReadFileBytesFloor"}});
}
