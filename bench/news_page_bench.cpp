// Building the article page for 10,000 articles from the default skin against
// a plain fill of the same templates: read them, replace the placeholders in
// memory and write the result.
#include "bench/RatioReporter.h"
#include "platform/controls/ListViewModel.h"
#include "reader/mainwindow/MainWindowModel.h"
#include "reader/present/NewsPage.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int Articles = 10000;

struct PageFixture {
    PageFixture() {
        list.setColumnHeaders(quillet::articleColumnHeaders());
        for (int i = 1; i <= Articles; ++i)
            list.addRow(
                {QString::number(i), QStringLiteral("今日のニュース 第%1報").arg(i),
                 QStringLiteral("ベンチ"), QStringLiteral("2026/12/07 9:00:00"),
                 QStringLiteral("http://bench.example/a/%1").arg(i),
                 QStringLiteral("<p>政治・経済の話題 %1 について詳しく伝えます。</p>").arg(i),
                 QString(), QString()},
                i % 2 == 0);
        skin = QStringLiteral(QUILLET_SKIN_DIR) + QLatin1Char('/');
        output = dir.path() + QStringLiteral("/gateway.html");
    }
    QTemporaryDir dir;
    platform::controls::ListViewModel list;
    QString skin;
    QString output;
};

PageFixture& fixture() {
    static PageFixture shared;
    return shared;
}

void BM_CreateNewsPage10k(benchmark::State& state) {
    PageFixture& f = fixture();
    for (auto _ : state) {
        if (quillet::CreateNewsPage(f.skin + QStringLiteral("header.html"),
                                    f.skin + QStringLiteral("body.html"),
                                    f.skin + QStringLiteral("footer.html"), f.output, f.list,
                                    QStringLiteral("ベンチ")) != 0) {
            state.SkipWithError("the page was not written");
            return;
        }
    }
}
BENCHMARK(BM_CreateNewsPage10k)->Unit(benchmark::kMillisecond);

QString readText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

void BM_PlainFillFloor(benchmark::State& state) {
    PageFixture& f = fixture();
    for (auto _ : state) {
        QString header = readText(f.skin + QStringLiteral("header.html"));
        const QString body = readText(f.skin + QStringLiteral("body.html"));
        QString footer = readText(f.skin + QStringLiteral("footer.html"));
        const QString now = QDateTime::currentDateTime().toString();
        header.replace(QStringLiteral("&&REFER&&"), QStringLiteral("ベンチ"));
        QString page = header;
        for (int row = 1; row <= Articles; ++row) {
            QString block = body;
            block.replace(QStringLiteral("&&NEWS_NUMBER&&"), QString::number(row));
            block.replace(QStringLiteral("&&TITLE&&"), f.list.itemText(row, 1));
            block.replace(QStringLiteral("&&HTTP_REF&&"), f.list.itemText(row, 4));
            block.replace(QStringLiteral("&&DESCRIPTION&&"), f.list.itemText(row, 5));
            block.replace(QStringLiteral("&&DATE&&"), now);
            block.replace(QStringLiteral("&&REFER&&"), QStringLiteral("ベンチ"));
            page += block;
        }
        page += footer;
        QFile out(f.output);
        if (out.open(QIODevice::WriteOnly))
            out.write(page.toUtf8());
    }
}
BENCHMARK(BM_PlainFillFloor)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    return bench::runWithRatios(argc, argv,
                                {{"news-page-10k", "BM_CreateNewsPage10k", "BM_PlainFillFloor"}});
}
