// The main window as the user meets it: a real window with its browsers,
// driven through its keys and procedures against a local server.
#include "reader/mainwindow/MainWindow.h"
#include "platform/controls/ControlWidgets.h"
#include "platform/runtime/MessageBox.h"
#include "platform/text/Codepage.h"
#include "platform/web/WebBrowser.h"
#include "platform/win/MenuManager.h"
#include "reader/app/AppState.h"
#include "reader/app/ProgramPaths.h"
#include "reader/mainwindow/FeedOpening.h"
#include "reader/mainwindow/Tabs.h"
#include "reader/present/SkinManagerDialog.h"
#include "support/EngineEnvironment.h"
#include "support/RecordingMessages.h"
#include "support/TempFiles.h"
#include "support/TestHttpServer.h"
#include "support/WaitUntil.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <gtest/gtest.h>

#include <unistd.h>

using namespace quillet;
using testing_support::cp932Lines;
using testing_support::ProgramFolder;
using testing_support::writeBytes;

namespace {

const testing_support::EngineEnvironment engineEnvironment;

bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 15000) {
    return testing_support::waitUntil(condition, timeoutMs);
}

testing_support::Reply page(const QByteArray& title) {
    testing_support::Reply reply;
    reply.body = "<html><head><title>" + title + "</title></head><body>" + title + "</body></html>";
    reply.headers = {{"Content-Type", "text/html; charset=utf-8"}};
    return reply;
}

// Presses the keys on the widget that has the focus, as the user would.
void press(QWidget* window, int key, Qt::KeyboardModifiers modifiers) {
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus != nullptr ? focus : window, static_cast<Qt::Key>(key), modifiers);
}

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest()
        : app(folder.path(), std::make_unique<testing_support::RecordingMessages>(shown)) {
        server.serve("/one", page("one"));
        server.serve("/two", page("two"));
        testing_support::Reply feed;
        feed.body = "<rss><channel><item><title>記事</title><link>" + server.url("/one").toUtf8() +
                    "</link><description><![CDATA[line one\nline two<script>new Image().src = '" +
                    server.url("/ping").toUtf8() +
                    "?' + location.href;</script>]]></description></item></channel></rss>";
        feed.headers = {{"Content-Type", "application/rss+xml"}};
        server.serve("/feed", feed);

        WriteDefaultSettingsFile();
        writeBytes(folder.file("index.html"), "<title>home</title>");
        writeBytes(folder.file("data/skin/default/header.html"),
                   "<html><head><meta charset=\"Shift_JIS\"><title>&&REFER&&</title></head><body>");
        writeBytes(folder.file("data/skin/default/body.html"), "<div>&&DESCRIPTION&&</div>");
        writeBytes(folder.file("data/skin/default/footer.html"), "</body></html>");
        writeBytes(folder.file("data/profile/Newslist.brd"),
                   cp932Lines({R"("フォルダ","ROOT_FOLDER","root_usr1","")",
                               QStringLiteral("\"フィード\",\"%1\",\"CHILD_NODE\",\"1\"")
                                   .arg(server.url("/feed"))}));
        window = std::make_unique<MainWindow>(app);
        window->load();
        window->show();
        QApplication::setActiveWindow(window.get());
        waitUntil([this] { return window->isActiveWindow(); });
    }

    platform::web::WebBrowser* shownBrowser() const {
        return window->browser(currentBrowserIndex(window->model()));
    }
    bool loaded(int browserIndex, const QString& address) const {
        const platform::web::WebBrowser* browser = window->browser(browserIndex);
        return browser != nullptr && browser->LocationURL() == address &&
               !browser->title().isEmpty() && browser->title() != address;
    }
    int requestsStartingWith(const QByteArray& prefix) const {
        int count = 0;
        for (const auto& request : server.requests())
            count += request.target.startsWith(prefix) ? 1 : 0;
        return count;
    }

    void WriteDefaultSettingsFile() {
        writeBytes(folder.file("data/rss.ini"),
                   "[App]\r\nWidth=12000\r\nHeight=9000\r\nTop=0\r\nLeft=0\r\nFolders=1\r\n"
                   "[General]\r\nSaveurl=0\r\nSaveFavorite=0\r\nSaveHistory=1\r\n"
                   "TvrSingleSel=0\r\nShowLogo=0\r\nLoadINI=1\r\nWriteINI=0\r\nDeleteLog=0\r\n"
                   "DeleteHistory=0\r\n");
    }

    std::vector<testing_support::ShownMessage> shown;
    ProgramFolder folder;
    testing_support::TestHttpServer server;
    AppState app;
    std::unique_ptr<MainWindow> window;
};

} // namespace

TEST_F(MainWindowTest, FeedScriptsStayQuietAndEveryWayOfChangingTabsShowsTheTab) {
    MainWindowModel& model = window->model();
    ASSERT_TRUE(shown.empty());
    ASSERT_EQ(model.tvw1.count(), 2);
    model.tvw1.setSelectedIndex(2);
    OpenFeed(app, model, *window);
    const QString gateway = QUrl::fromLocalFile(app.file(paths::Gateway)).toString();
    ASSERT_TRUE(waitUntil([&] { return loaded(1, gateway) && model.comURL.text() == gateway; }));
    // The article list keeps one line per row; the page shows the markup.
    EXPECT_EQ(model.lvw1.data(model.lvw1.index(0, 5), Qt::DisplayRole).toString(),
              QStringLiteral("line one line two<script>new Image().src = '") + server.url("/ping") +
                  QStringLiteral("?' + location.href;</script>"));
    EXPECT_TRUE(window->browser(1)->documentBodyHtml().contains(QStringLiteral("line one")));
    EXPECT_EQ(model.comURL.text(), gateway);

    // Pages loading in background tabs leave the address box alone.
    OpenNewTab(app, model, *window, server.url("/one"), QString(), false);
    OpenNewTab(app, model, *window, server.url("/two"), QString(), false);
    ASSERT_TRUE(
        waitUntil([&] { return loaded(2, server.url("/one")) && loaded(3, server.url("/two")); }));
    ASSERT_TRUE(waitUntil([&] {
        return model.Tab1.caption(2) == QStringLiteral("one") &&
               model.Tab1.caption(3) == QStringLiteral("two");
    }));
    EXPECT_EQ(model.comURL.text(), gateway);
    EXPECT_EQ(requestsStartingWith("/ping"), 0);

    const auto shows = [&](int position, const char* title, const QString& address) {
        EXPECT_EQ(model.Tab1.selected(), position);
        EXPECT_EQ(app.CurrentTabIndex.value(), position);
        EXPECT_EQ(shownBrowser(), window->browser(model.Tab1.tag(position).toInt()));
        EXPECT_TRUE(shownBrowser()->isVisibleTo(window.get()));
        EXPECT_EQ(window->windowTitle(), QString::fromUtf8(title) + QStringLiteral(" - Quillet"));
        EXPECT_EQ(model.comURL.text(), address);
    };
    press(window.get(), Qt::Key_Tab, Qt::ControlModifier);
    shows(2, "one", server.url("/one"));
    press(window.get(), Qt::Key_PageDown, Qt::ControlModifier);
    shows(3, "two", server.url("/two"));
    press(window.get(), Qt::Key_Tab, Qt::ControlModifier); // round to the first
    shows(1, "フィード", gateway);
    press(window.get(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    shows(3, "two", server.url("/two"));
    press(window.get(), Qt::Key_PageUp, Qt::ControlModifier);
    shows(2, "one", server.url("/one"));

    // Closing shows the tab to the left, caption and address included.
    press(window.get(), Qt::Key_PageDown, Qt::ControlModifier);
    CloseCurrentTab(app, model, *window);
    shows(2, "one", server.url("/one"));
    EXPECT_EQ(window->browser(3), nullptr);

    // The tab pop-up's page commands act on the tab that was right-clicked,
    // not on the one shown.
    int firstLoads = 0;
    QObject::connect(window->browser(1), &platform::web::WebBrowser::DocumentComplete,
                     [&] { ++firstLoads; });
    const int shownPageRequests = requestsStartingWith("/one");
    auto* strip = window->findChild<platform::controls::TabStripWidget*>();
    ASSERT_NE(strip, nullptr);
    QTimer::singleShot(0, [] { platform::win::MenuTracker::pressKey(Qt::Key_R, "r"); });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { platform::win::MenuTracker::close(); });
    watchdog.start(10000);
    QTest::mouseClick(strip, Qt::RightButton, {}, strip->tabRect(0).center());
    EXPECT_TRUE(waitUntil([&] { return firstLoads == 1; }));
    EXPECT_EQ(requestsStartingWith("/one"), shownPageRequests);
    shows(2, "one", server.url("/one"));

    // The skin preview, built from templates like the article page, runs no scripts either.
    SkinManagerDialog skins(app, model.stb1, window.get());
    EXPECT_TRUE(skins.previewBrowser()->scriptsBlockedOn(
        QUrl::fromLocalFile(app.file(paths::SkinPreview))));

    // The window keeps room for every control; the status bar shows its text
    // whole and the engine box its longest caption.
    EXPECT_GE(window->minimumWidth(), 300);
    EXPECT_GE(window->minimumHeight(), 300);
    const auto* status = window->findChild<platform::controls::StatusBarWidget*>();
    ASSERT_NE(status, nullptr);
    EXPECT_GE(status->height(), status->sizeHint().height());
    EXPECT_GT(status->height(), status->fontMetrics().height());
    const auto* engines = window->findChild<QComboBox*>(QStringLiteral("comEngine"));
    ASSERT_NE(engines, nullptr);
    EXPECT_GE(engines->width(), engines->sizeHint().width());
    EXPECT_EQ(requestsStartingWith("/ping"), 0);
}

TEST_F(MainWindowTest, WordsOnTheOpenedFeedOutlastThePageLoading) {
    MainWindowModel& model = window->model();
    int loads = 0;
    QObject::connect(window->browser(1), &platform::web::WebBrowser::DocumentComplete,
                     [&] { ++loads; });
    const auto openAndWait = [&] {
        const int before = loads;
        model.tvw1.setSelectedIndex(2);
        OpenFeed(app, model, *window);
        return waitUntil([&] { return loads > before; });
    };

    // Shift_JIS bytes under an EUC-JP declaration are read as Shift_JIS, and
    // the status bar says so after the page's own "done".
    testing_support::Reply lying;
    lying.body = platform::text::encodeCp932(
        QStringLiteral("<?xml version=\"1.0\" encoding=\"EUC-JP\"?><rss><channel><item>"
                       "<title>日本語の記事</title><link>http://example.invalid/a</link>"
                       "</item></channel></rss>"));
    lying.headers = {{"Content-Type", "text/xml"}};
    server.serve("/feed", lying);
    ASSERT_TRUE(openAndWait());
    EXPECT_EQ(model.lvw1.itemText(1, 1), QStringLiteral("日本語の記事"));
    EXPECT_EQ(
        model.stb1.panelText(1),
        QStringLiteral(
            "文字コードの指定（EUC-JP）が内容と合わないため、Shift_JISとして読み込みました。"));

    testing_support::Reply empty;
    empty.body = "<rss><channel><title>x</title></channel></rss>";
    empty.headers = {{"Content-Type", "application/rss+xml"}};
    server.serve("/feed", empty);
    ASSERT_TRUE(openAndWait());
    EXPECT_EQ(model.stb1.panelText(1), QStringLiteral("記事が見つかりませんでした。"));

    // A later page of its own gets the browser's words again.
    OpenNewTab(app, model, *window, server.url("/one"), QString(), true);
    EXPECT_TRUE(waitUntil([&] { return model.stb1.panelText(1) == QStringLiteral("完了"); }));
}

TEST_F(MainWindowTest, TheStopButtonEndsASlowFeedDownload) {
    MainWindowModel& model = window->model();
    testing_support::Reply slow;
    slow.body = "<rss><channel><item><title>t</title><link>l</link></item></channel></rss>" +
                QByteArray(300000, ' ');
    slow.mode = testing_support::Reply::Mode::Trickle;
    slow.trickleMs = 6000;
    server.serve("/feed", slow);
    auto* toolBar = window->findChild<QToolBar*>(QStringLiteral("tlb1"));
    ASSERT_NE(toolBar, nullptr);
    QWidget* stop = nullptr;
    for (QAction* action : toolBar->actions()) {
        if (action->toolTip() == QStringLiteral("中止します"))
            stop = toolBar->widgetForAction(action);
    }
    ASSERT_NE(stop, nullptr);
    // The click comes while the download runs, through the window as the
    // user's does.
    const QPoint onStop = stop->mapTo(window.get(), stop->rect().center());
    QTimer::singleShot(
        500, [&] { QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, onStop); });
    QElapsedTimer clock;
    clock.start();
    model.tvw1.setSelectedIndex(2);
    OpenFeed(app, model, *window);
    EXPECT_LT(clock.elapsed(), 4000);
    EXPECT_TRUE(model.stb1.panelText(1).startsWith(
        QStringLiteral("ダウンロードできませんでした。（中止しました）")))
        << model.stb1.panelText(1).toStdString();
    EXPECT_FALSE(app.downloading);
}
