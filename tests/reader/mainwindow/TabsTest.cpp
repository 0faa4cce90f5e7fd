#include "reader/mainwindow/Tabs.h"
#include "platform/runtime/MessageBox.h"
#include "platform/runtime/RuntimeError.h"
#include "reader/app/AppState.h"
#include "reader/mainwindow/MainWindowModel.h"
#include "reader/mainwindow/WebSearch.h"
#include "support/RecordingView.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

using namespace quillet;

using testing_support::RecordingView;

namespace {

class TabModel : public ::testing::Test {
protected:
    TabModel() : app(QStringLiteral("/program"), nullptr) {
        window.Tab1.setTag(1, QStringLiteral("1"));
    }
    QStringList tags() const {
        QStringList list;
        for (int position = 1; position <= window.Tab1.count(); ++position)
            list << window.Tab1.tag(position);
        return list;
    }
    void select(int position) {
        window.Tab1.select(position);
        SwitchTab(app, window, view);
    }
    AppState app;
    MainWindowModel window;
    RecordingView view;
};

} // namespace

TEST_F(TabModel, NewTabsGetNewBrowsersThatStartHiddenAndUnselected) {
    OpenNewTab(app, window, view, QString(), QString(), false);
    OpenNewTab(app, window, view, QStringLiteral("http://a/"), ExtraRequestHeaders(), true);
    OpenNewTab(app, window, view, QStringLiteral("http://b/"), QString(), false);
    EXPECT_EQ(tags(), (QStringList{"1", "2", "3", "4"}));
    EXPECT_EQ(window.Tab1.selected(), 1);
    EXPECT_EQ(view.log, (QStringList{"create 2", "home 2", "create 3", "offline 3",
                                     "go 3 http://a/ +headers", "create 4", "go 4 http://b/"}));
    EXPECT_EQ(view.lastHeaders, QStringLiteral("Content-Type: application/x-www-form-urlencoded\r\n"
                                               "User-Agent: Quillet/1.00\r\n"));
    EXPECT_EQ(app.TabCounter.value(), 4);
    EXPECT_EQ(app.LastBrowserIndex.value(), 4);
}

TEST_F(TabModel, ClosingMakesTheLeftTabCurrentAndNeverClosesTheFirst) {
    for (int i = 0; i < 3; ++i)
        OpenNewTab(app, window, view, QString(), QString(), false);
    window.Tab1.setCaption(3, QStringLiteral("三"));
    window.Tab1.setCaption(4, QStringLiteral("四"));
    select(4);
    EXPECT_EQ(view.caption, QStringLiteral("四 - Quillet"));
    EXPECT_EQ(window.comURL.text(), QStringLiteral("http://page/4"));
    view.log.clear();
    CloseCurrentTab(app, window, view);
    EXPECT_EQ(tags(), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(app.CurrentTabIndex.value(), 3);
    EXPECT_EQ(view.log.first(), QStringLiteral("destroy 4"));
    EXPECT_EQ(view.log.last(), QStringLiteral("front 3"));
    // The caption and the address box follow the tab that is now current.
    EXPECT_EQ(view.caption, QStringLiteral("三 - Quillet"));
    EXPECT_EQ(window.comURL.text(), QStringLiteral("http://page/3"));

    select(2);
    CloseCurrentTab(app, window, view);
    EXPECT_EQ(tags(), (QStringList{"1", "3"}));
    EXPECT_EQ(window.Tab1.selected(), 1);

    CloseCurrentTab(app, window, view);
    EXPECT_EQ(tags(), (QStringList{"1", "3"}));
    // Counters are never lowered, and a new browser never reuses an index.
    OpenNewTab(app, window, view, QString(), QString(), false);
    EXPECT_EQ(tags(), (QStringList{"1", "3", "5"}));
    EXPECT_EQ(app.TabCounter.value(), 5);
}

TEST_F(TabModel, StepsRunTheSwitchAndWrapAroundTheEnds) {
    for (int i = 0; i < 2; ++i)
        OpenNewTab(app, window, view, QString(), QString(), false);
    window.Tab1.setCaption(2, QStringLiteral("二"));
    window.Tab1.setCaption(3, QStringLiteral("三"));
    const auto shows = [this](int position) {
        EXPECT_EQ(window.Tab1.selected(), position);
        EXPECT_EQ(app.CurrentTabIndex.value(), position);
        EXPECT_EQ(view.front, window.Tab1.tag(position).toInt());
        EXPECT_EQ(window.comURL.text(), QStringLiteral("http://page/%1").arg(position));
        EXPECT_EQ(view.caption, window.Tab1.caption(position) + QStringLiteral(" - Quillet"));
    };
    StepTab(app, window, view, 1);
    shows(2);
    StepTab(app, window, view, 1);
    shows(3);
    StepTab(app, window, view, 1);
    shows(1);
    StepTab(app, window, view, -1);
    shows(3);
    // Closing after stepping closes the tab the user sees.
    CloseCurrentTab(app, window, view);
    EXPECT_EQ(view.log.contains(QStringLiteral("destroy 3")), true);
    shows(2);
    EXPECT_TRUE(isCurrentBrowser(window, 2));
    EXPECT_FALSE(isCurrentBrowser(window, 1));
}

TEST_F(TabModel, CountersStopAt32767WithoutAddingATab) {
    app.TabCounter = 32767;
    EXPECT_THROW(OpenNewTab(app, window, view, QString(), QString(), false),
                 platform::RuntimeError);
    EXPECT_EQ(window.Tab1.count(), 1);
    EXPECT_EQ(app.LastBrowserIndex.value(), 1);
}

TEST_F(TabModel, AddressesGetTheSchemeWhenTheyDoNotBeginWithHttp) {
    const struct {
        const char* typed;
        const char* sent;
    } cases[] = {{"example.jp", "http://example.jp"},
                 {"HTTP://EXAMPLE.JP", "http://HTTP://EXAMPLE.JP"},
                 {"https://example.jp/", "https://example.jp/"},
                 {"http://a/", "http://a/"}};
    for (const auto& c : cases) {
        view.log.clear();
        window.comURL.setText(QString::fromLatin1(c.typed));
        GoToAddress(window, view);
        EXPECT_EQ(window.comURL.text(), QString::fromLatin1(c.sent));
        EXPECT_EQ(view.log, QStringList{QStringLiteral("go 1 %1 +headers").arg(c.sent)});
    }
    view.log.clear();
    window.comURL.setText(QString());
    GoToAddress(window, view);
    EXPECT_TRUE(view.log.isEmpty());
}

TEST(WebSearch, EveryEngineGetsItsAddressWithTheWordsInShiftJis) {
    const QString expected[] = {
        "http://www.google.co.jp/"
        "search?hl=ja&inlang=ja&ie=Shift_JIS&q=a+b%20%93%FA%96%7B&lr=lang_ja",
        "http://images.google.co.jp/"
        "images?hl=ja&inlang=ja&lr=lang_ja&ie=Shift_JIS&q=a+b%20%93%FA%96%7B",
        "http://www.google.co.jp/search?hl=ja&inlang=ja&ie=Shift_JIS&q=a+b%20%93%FA%96%7B",
        "http://search.yahoo.co.jp/bin/query?p=a+b%20%93%FA%96%7B&hc=0&hs=0",
        "http://www.infoseek.co.jp/"
        "OTitles?col=OW&lk=noframes&qp=0&nh=10&svx=100600&qt=a+b%20%93%FA%96%7B",
        "http://www.excite.co.jp/"
        "search.gw?target=combined&c=web&lk=excite_jp&lang=jp&search=a+b%20%93%FA%96%7B",
        "http://www.google.co.jp/search?hl=ja&inlang=ja&ie=Shift_JIS&q=a+b%20%93%FA%96%7B",
        "http://search.fresheye.com/?term=monthly&kw=a+b%20%93%FA%96%7B",
        "http://search.auctions.yahoo.co.jp/search/auc?alocale=0jp&acc=jp&p=a+b%20%93%FA%96%7B",
        "http://auction.excite.co.jp/search_results?s=a+b%20%93%FA%96%7B",
    };
    for (int engine = 0; engine < 10; ++engine)
        EXPECT_EQ(searchAddress(engine, QStringLiteral("a+b 日本")), expected[engine]) << engine;
    EXPECT_EQ(searchAddress(0, QString()),
              QStringLiteral(
                  "http://www.google.co.jp/search?hl=ja&inlang=ja&ie=Shift_JIS&q=&lr=lang_ja"));
    EXPECT_TRUE(searchAddress(10, QStringLiteral("x")).isEmpty());
    EXPECT_TRUE(searchAddress(-1, QStringLiteral("x")).isEmpty());
}
