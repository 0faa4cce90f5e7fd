#include "reader/mainwindow/SearchEngines.h"

namespace quillet {

const std::vector<SearchEngine>& searchEngines() {
    static const std::vector<SearchEngine> engines = {
        {QStringLiteral("google(日本語)"),
         QStringLiteral("http://www.google.co.jp/search?hl=ja&inlang=ja&ie=Shift_JIS&q="),
         QStringLiteral("&lr=lang_ja")},
        {QStringLiteral("google(画像)"),
         QStringLiteral(
             "http://images.google.co.jp/images?hl=ja&inlang=ja&lr=lang_ja&ie=Shift_JIS&q="),
         QString()},
        {QStringLiteral("google(すべての言語)"),
         QStringLiteral("http://www.google.co.jp/search?hl=ja&inlang=ja&ie=Shift_JIS&q="),
         QString()},
        {QStringLiteral("Yahoo! JAPAN(日本語)"),
         QStringLiteral("http://search.yahoo.co.jp/bin/query?p="), QStringLiteral("&hc=0&hs=0")},
        {QStringLiteral("infoseek(日本語)"),
         QStringLiteral(
             "http://www.infoseek.co.jp/OTitles?col=OW&lk=noframes&qp=0&nh=10&svx=100600&qt="),
         QString()},
        {QStringLiteral("Excite(日本語)"),
         QStringLiteral("http://www.excite.co.jp/"
                        "search.gw?target=combined&c=web&lk=excite_jp&lang=jp&search="),
         QString()},
        {QStringLiteral("BIGLOBE(日本語)"),
         QStringLiteral("http://www.google.co.jp/search?hl=ja&inlang=ja&ie=Shift_JIS&q="),
         QString()},
        {QStringLiteral("フレッシュアイ(日本語)"),
         QStringLiteral("http://search.fresheye.com/?term=monthly&kw="), QString()},
        {QStringLiteral("Yahoo! オークション"),
         QStringLiteral("http://search.auctions.yahoo.co.jp/search/auc?alocale=0jp&acc=jp&p="),
         QString()},
        {QStringLiteral("Excite オークション"),
         QStringLiteral("http://auction.excite.co.jp/search_results?s="), QString()},
    };
    return engines;
}

QStringList presetAddresses() {
    return {
        QStringLiteral("https://www.yahoo.co.jp/"),
        QStringLiteral("https://www.google.co.jp/"),
        QStringLiteral("https://www.mozilla.org/ja/"),
        QStringLiteral("https://www3.nhk.or.jp/toppage/rss/index.html"),
        QStringLiteral("https://corp.itmedia.co.jp/media/rss_list/"),
        QStringLiteral("https://www.asahi.com/information/service/rss.html"),
        QStringLiteral("https://www.debian.org/News/news"),
    };
}

} // namespace quillet
