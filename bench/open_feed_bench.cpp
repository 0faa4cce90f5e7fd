// Opening a feed into the article list (download from 127.0.0.1, parse, rows,
// unread marking against 20,000 read titles, news log) against its floor: a
// plain libcurl download of the same bytes, xmlReadFile and a walk over the
// items reading each field's text. Also for a 1 MB Shift_JIS feed.
#include "bench/RatioReporter.h"
#include "platform/runtime/MessageBox.h"
#include "platform/text/Codepage.h"
#include "reader/app/AppState.h"
#include "reader/app/ProgramPaths.h"
#include "reader/fetch/Downloader.h"
#include "reader/fetch/FeedParser.h"
#include "reader/mainwindow/MainWindowModel.h"
#include "support/TestHttpServer.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <curl/curl.h>
#include <libxml/parser.h>

#include <cstdio>
#include <memory>

namespace {

constexpr int ReadTitles = 20000;

QByteArray rssFeed(int items, const QByteArray& encoding, const QString& words) {
    QString text =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"%1\"?>\n"
                       "<rss version=\"2.0\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\">"
                       "<channel><title>%2</title><link>http://bench.example/</link>\n")
            .arg(QString::fromLatin1(encoding), words);
    for (int i = 0; i < items; ++i) {
        text += QStringLiteral("<item><title>%1 #%2</title><link>http://bench.example/a/%2</link>"
                               "<description><![CDATA[<p>%1 %1 %1 %1 <b>%2</b></p>]]></description>"
                               "<pubDate>Mon, 07 Dec 2026 09:00:00 +0900</pubDate>"
                               "<dc:creator>記者 %2</dc:creator><date>2026-12-07</date></item>\n")
                    .arg(words)
                    .arg(i);
    }
    text += QStringLiteral("</channel></rss>\n");
    return encoding == "UTF-8" ? text.toUtf8() : platform::text::encodeCp932(text);
}

struct FeedCase {
    const char* path;
    int items;
    QByteArray bytes;
};

class Bench {
public:
    Bench() {
        for (const char* sub : {"data/profile", "data/log", "data/temp"})
            QDir().mkpath(quillet::programFile(dir_.path(), sub));
        const QString words = QStringLiteral("今日のニュース 政治・経済 速報");
        big_ = {"/big.xml", 10000, rssFeed(10000, "UTF-8", words)};
        // About 1 MB in code page 932.
        sjis_ = {"/sjis.xml", 2400, rssFeed(2400, "Shift_JIS", words)};
        for (const FeedCase* feed : {&big_, &sjis_})
            server_.serve(feed->path, {200, feed->bytes, {}, testing_support::Reply::Mode::Normal});
        // Every other article of the big feed has been read, plus titles that match none.
        for (int i = 0; i < ReadTitles; ++i)
            titles_.addIfNew(i % 2 == 0 && i < 20000 ? QStringLiteral("%1 #%2").arg(words).arg(i)
                                                     : QStringLiteral("既読でない題 %1 ～").arg(i));
    }
    const FeedCase& big() const { return big_; }
    const FeedCase& sjis() const { return sjis_; }
    QString url(const FeedCase& feed) const { return server_.url(feed.path); }
    QString folder() const { return dir_.path(); }
    const quillet::NewsHistory& titles() const { return titles_; }

private:
    QTemporaryDir dir_;
    testing_support::TestHttpServer server_;
    FeedCase big_;
    FeedCase sjis_;
    quillet::NewsHistory titles_;
};

Bench& bench() {
    static Bench shared;
    return shared;
}

void openFeed(benchmark::State& state, const FeedCase& feed) {
    Bench& b = bench();
    quillet::AppState app(b.folder(), nullptr);
    app.newsHistory = b.titles();
    quillet::MainWindowModel window;
    window.tvw1.addNode(QString(), QStringLiteral("root_1"), QStringLiteral("F"),
                        QStringLiteral("CLOSE"));
    window.tvw1.addNode(QStringLiteral("root_1"), b.url(feed), QStringLiteral("ベンチ"),
                        QStringLiteral("XML"));
    window.tvw1.setSelectedIndex(2);
    for (auto _ : state) {
        if (quillet::FetchFeed(app, window.stb1, QStringLiteral("XML"), b.url(feed),
                               QStringLiteral("ベンチ")) != 0 ||
            quillet::ParseSelectedFeed(app, window) != 0 || window.lvw1.count() != feed.items) {
            state.SkipWithError("the feed did not open");
            return;
        }
    }
}

size_t writeToFile(char* data, size_t size, size_t count, void* file) {
    return std::fwrite(data, size, count, static_cast<FILE*>(file));
}

void floorFor(benchmark::State& state, const FeedCase& feed) {
    Bench& b = bench();
    const QByteArray url = b.url(feed).toUtf8();
    const QByteArray path = (b.folder() + QStringLiteral("/floor.xml")).toUtf8();
    for (auto _ : state) {
        std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(),
                                                                 curl_easy_cleanup);
        FILE* file = std::fopen(path.constData(), "wb");
        curl_easy_setopt(curl.get(), CURLOPT_URL, url.constData());
        curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, writeToFile);
        curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, file);
        const CURLcode result = curl_easy_perform(curl.get());
        std::fclose(file);
        xmlDocPtr doc = xmlReadFile(path.constData(), nullptr, XML_PARSE_NONET);
        if (result != CURLE_OK || doc == nullptr) {
            state.SkipWithError("the floor could not download or parse");
            return;
        }
        long long characters = 0;
        for (xmlNode* channel = xmlDocGetRootElement(doc)->children; channel;
             channel = channel->next)
            for (xmlNode* item = channel->children; item; item = item->next)
                for (xmlNode* field = item->children; field; field = field->next) {
                    if (field->type != XML_ELEMENT_NODE)
                        continue;
                    xmlChar* content = xmlNodeGetContent(field);
                    characters += xmlStrlen(content);
                    xmlFree(content);
                }
        benchmark::DoNotOptimize(characters);
        xmlFreeDoc(doc);
    }
}

void BM_OpenFeed10k(benchmark::State& state) {
    openFeed(state, bench().big());
}
void BM_Floor10k(benchmark::State& state) {
    floorFor(state, bench().big());
}
void BM_OpenFeedShiftJis1MB(benchmark::State& state) {
    openFeed(state, bench().sjis());
}
void BM_FloorShiftJis1MB(benchmark::State& state) {
    floorFor(state, bench().sjis());
}
BENCHMARK(BM_OpenFeed10k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Floor10k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenFeedShiftJis1MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloorShiftJis1MB)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    return bench::runWithRatios(
        argc, argv,
        {{"open-feed-10k", "BM_OpenFeed10k", "BM_Floor10k"},
         {"open-feed-sjis-1mb", "BM_OpenFeedShiftJis1MB", "BM_FloorShiftJis1MB"}});
}
