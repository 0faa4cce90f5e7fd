#include "platform/web/WebBrowser.h"
#include "support/WaitUntil.h"

#include "support/EngineEnvironment.h"
#include "support/TempFiles.h"
#include "support/TestHttpServer.h"

#include <QApplication>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEngineView>
#include <gtest/gtest.h>

#include <unistd.h>

#include <functional>
#include <memory>
#include <optional>

using platform::web::DialogProvider;
using platform::web::PageProperties;
using platform::web::WebBrowser;
using testing_support::readBytes;
using testing_support::Reply;
using testing_support::writeBytes;
namespace command = platform::web::command;
namespace option = platform::web::option;

namespace {

const testing_support::EngineEnvironment engineEnvironment;

constexpr int kWaitMs = 15000;

bool waitUntil(const std::function<bool()>& condition, int timeoutMs = kWaitMs) {
    return testing_support::waitUntil(condition, timeoutMs);
}

Reply html(const QByteArray& body) {
    Reply reply;
    reply.body = body;
    reply.headers = {{"Content-Type", "text/html; charset=utf-8"}};
    return reply;
}

// Answers the dialogs without showing any and records what was asked.
class FakeDialogs : public DialogProvider {
public:
    bool choosePrinter(QPrinter& printer, QWidget*) override {
        ++printerAsked;
        printedOrientation = printer.pageLayout().orientation();
        if (pdfFile.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfFile);
        return true;
    }
    void previewPrint(QPrinter& printer, const std::function<void(QPrinter*)>& paint,
                      QWidget*) override {
        ++previewShown;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfFile);
        paint(&printer);
    }
    bool setUpPage(QPrinter& printer, QWidget*) override {
        printer.setPageOrientation(QPageLayout::Landscape);
        return acceptPageSetup;
    }
    QString chooseSaveFile(const QString& suggestedName, QWidget*) override {
        suggestedSaveName = suggestedName;
        return saveFile;
    }
    void showProperties(const PageProperties& shown, QWidget*) override {
        ++propertiesShown;
        properties = shown;
    }

    QString pdfFile;
    QString saveFile;
    bool acceptPageSetup = true;
    int printerAsked = 0;
    int previewShown = 0;
    int propertiesShown = 0;
    QPageLayout::Orientation printedOrientation = QPageLayout::Portrait;
    QString suggestedSaveName;
    PageProperties properties;
};

class WebBrowserTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        browser = makeBrowser();
        auto fake = std::make_unique<FakeDialogs>();
        dialogs = fake.get();
        browser->setDialogProvider(std::move(fake));
    }

    std::unique_ptr<WebBrowser> makeBrowser() {
        auto made = std::make_unique<WebBrowser>();
        made->resize(640, 480);
        made->show();
        return made;
    }

    QString file(const QString& name, const QByteArray& content) {
        const QString path = dir.path() + QLatin1Char('/') + name;
        writeBytes(path, content);
        return path;
    }

    // Starts a load and waits for the browser to report the page complete.
    bool load(WebBrowser& target, const std::function<void()>& start) {
        bool complete = false;
        const auto connection = QObject::connect(&target, &WebBrowser::DocumentComplete,
                                                 [&complete] { complete = true; });
        start();
        const bool done = waitUntil([&] { return complete; });
        QObject::disconnect(connection);
        return done;
    }
    bool load(const QString& address) {
        return load(*browser, [&] { browser->Navigate(address); });
    }

    bool titleBecomes(WebBrowser& target, const QString& expected) {
        return waitUntil([&] { return target.title() == expected; });
    }

    // The value of a script run in the page; empty when the page does not answer.
    QString script(const QString& source) {
        auto answer = std::make_shared<std::optional<QString>>();
        browser->view()->page()->runJavaScript(
            source, [answer](const QVariant& value) { *answer = value.toString(); });
        waitUntil([&] { return answer->has_value(); });
        return answer->value_or(QString());
    }
    QString textareaValue() { return script(QStringLiteral("document.getElementById('t').value")); }

    int requestsFor(const QByteArray& target) const {
        int count = 0;
        for (const auto& request : server.requests())
            count += request.target == target ? 1 : 0;
        return count;
    }

    QTemporaryDir dir;
    testing_support::TestHttpServer server;
    std::unique_ptr<WebBrowser> browser;
    FakeDialogs* dialogs = nullptr;
};

TEST(HeaderBlockTest, SplitsLinesAndDropsWhatIsNoHeader) {
    const auto headers = platform::web::parseHeaderBlock(
        QStringLiteral("Content-Type: application/x-www-form-urlencoded\r\n"
                       "no colon here\r\n: no name\r\nUser-Agent:Quillet/1.00 (x)\r\n\r\n"));
    ASSERT_EQ(headers.size(), 2u);
    EXPECT_EQ(headers[0].first, "Content-Type");
    EXPECT_EQ(headers[0].second, "application/x-www-form-urlencoded");
    EXPECT_EQ(headers[1].first, "User-Agent");
    EXPECT_EQ(headers[1].second, "Quillet/1.00 (x)");
}

TEST_F(WebBrowserTest, SendsTheExtraHeadersAndOtherwiseANeutralAgent) {
    server.serve("/plain", html("<title>plain</title>"));
    server.serve("/form", html("<title>form</title>"));
    server.serve("/form2", html("<title>form2</title>"));
    const QString headers = QStringLiteral("Content-Type: application/x-www-form-urlencoded\r\n"
                                           "User-Agent: Quillet/1.00\r\n");

    ASSERT_TRUE(load(server.url("/plain")));
    ASSERT_TRUE(load(*browser, [&] { browser->Navigate(server.url("/form"), headers); }));
    ASSERT_TRUE(load(*browser, [&] { browser->Navigate2(server.url("/form2"), headers); }));

    for (const auto& request : server.requests()) {
        if (request.target == "/plain") {
            EXPECT_FALSE(request.header("User-Agent").isEmpty());
            EXPECT_FALSE(request.header("User-Agent").contains("QtWebEngine"));
            EXPECT_FALSE(request.header("User-Agent").contains("Quillet"));
        } else if (request.target == "/form" || request.target == "/form2") {
            EXPECT_EQ(request.header("User-Agent"), "Quillet/1.00") << request.target.data();
            EXPECT_EQ(request.header("Content-Type"), "application/x-www-form-urlencoded");
        }
    }
    EXPECT_EQ(requestsFor("/form"), 1);
    EXPECT_EQ(requestsFor("/form2"), 1);
    EXPECT_EQ(browser->LocationURL(), server.url("/form2"));
}

TEST_F(WebBrowserTest, LoadsLocalPathsAndReportsTitleAndCompletion) {
    const QString page =
        file(QStringLiteral("page.html"), "<html><head><title>ローカル</title></head>"
                                          "<body><p id=\"x\">本文</p></body></html>");
    QStringList titles;
    QStringList completed;
    QObject::connect(browser.get(), &WebBrowser::TitleChange,
                     [&](const QString& title) { titles << title; });
    QObject::connect(browser.get(), &WebBrowser::DocumentComplete,
                     [&](const QString& address) { completed << address; });

    ASSERT_TRUE(load(page));

    const QString address = QUrl::fromLocalFile(page).toString();
    EXPECT_EQ(browser->LocationURL(), address);
    EXPECT_EQ(completed, QStringList{address});
    EXPECT_TRUE(titles.contains(QStringLiteral("ローカル")));
    EXPECT_EQ(browser->documentBodyHtml(), QStringLiteral("<p id=\"x\">本文</p>"));
}

TEST_F(WebBrowserTest, LoadingStatesReachTheHostAsStatusTexts) {
    const QString page = file(QStringLiteral("status.html"), "<html><body>s</body></html>");
    QStringList texts;
    QObject::connect(browser.get(), &WebBrowser::StatusTextChange,
                     [&](const QString& text) { texts << text; });
    ASSERT_TRUE(load(page));
    ASSERT_FALSE(texts.isEmpty());
    EXPECT_TRUE(texts.first().contains(QStringLiteral("を開いています")))
        << texts.first().toStdString();
    EXPECT_EQ(texts.last(), QStringLiteral("完了"));
}

TEST_F(WebBrowserTest, MovesThroughHistoryAndHomeAndReloads) {
    const QString first = file(QStringLiteral("first.html"), "<title>first</title>");
    const QString second = file(QStringLiteral("second.html"), "<title>second</title>");
    const QString home = file(QStringLiteral("index.html"), "<title>home</title>");
    server.serve("/again", html("<title>again</title>"));

    EXPECT_FALSE(browser->GoBack());
    EXPECT_FALSE(browser->GoForward());
    browser->GoHome(); // no home page yet: nothing to load
    EXPECT_TRUE(browser->LocationURL().isEmpty());

    ASSERT_TRUE(load(first));
    ASSERT_TRUE(load(second));
    ASSERT_TRUE(load(*browser, [&] { EXPECT_TRUE(browser->GoBack()); }));
    EXPECT_TRUE(titleBecomes(*browser, QStringLiteral("first")));
    EXPECT_FALSE(browser->GoBack());
    ASSERT_TRUE(load(*browser, [&] { EXPECT_TRUE(browser->GoForward()); }));
    EXPECT_TRUE(titleBecomes(*browser, QStringLiteral("second")));

    browser->setHomePage(home);
    ASSERT_TRUE(load(*browser, [&] { browser->GoHome(); }));
    EXPECT_EQ(browser->LocationURL(), QUrl::fromLocalFile(home).toString());

    ASSERT_TRUE(load(server.url("/again")));
    ASSERT_TRUE(load(*browser, [&] { browser->Refresh(); }));
    EXPECT_EQ(requestsFor("/again"), 2);
}

TEST_F(WebBrowserTest, OfflineRefusesRemoteAddressesButShowsLocalPages) {
    server.serve("/remote", html("<title>remote</title><p>remote body</p>"));
    server.serve("/image.png", html("not an image"));
    const QString local =
        file(QStringLiteral("local.html"), "<title>local</title><p>local body</p><img src=\"" +
                                               server.url("/image.png").toUtf8() + "\">");
    browser->setOffline(true);
    ASSERT_TRUE(browser->offline());
    QStringList completed;
    QObject::connect(browser.get(), &WebBrowser::DocumentComplete,
                     [&](const QString& address) { completed << address; });

    ASSERT_TRUE(load(*browser, [&] { browser->Navigate(server.url("/remote")); }));
    EXPECT_TRUE(waitUntil([&] { return browser->documentBodyHtml().contains("オフライン"); }));
    EXPECT_FALSE(browser->documentBodyHtml().contains("remote body"));
    // The notice stands for the refused address, once.
    EXPECT_EQ(completed, QStringList{server.url("/remote")});
    EXPECT_EQ(browser->LocationURL(), server.url("/remote"));

    ASSERT_TRUE(load(local));
    EXPECT_TRUE(titleBecomes(*browser, QStringLiteral("local")));
    EXPECT_TRUE(browser->documentBodyHtml().contains("local body"));
    EXPECT_TRUE(server.requests().empty()) << server.requests().front().target.data();

    browser->setOffline(false);
    ASSERT_TRUE(load(server.url("/remote")));
    EXPECT_TRUE(titleBecomes(*browser, QStringLiteral("remote")));
    EXPECT_EQ(requestsFor("/remote"), 1);
}

TEST_F(WebBrowserTest, LocalPageScriptsCannotReadFilesOrReachTheNetwork) {
    file(QStringLiteral("secret.txt"), "TOP-SECRET-CONTENT");
    server.serve("/leak", html("leaked"));
    const QByteArray leak = server.url("/leak").toUtf8();
    // Each attempt reports into the title; the page's own access is all it gets.
    const QString page =
        file(QStringLiteral("probe.html"),
             "<html><head><title>start</title></head><body><script>\n"
             "var results = [];\n"
             "function report(text) { results.push(text);\n"
             "  if (results.length == 3) document.title = 'done ' + results.join(' | '); }\n"
             "try { var x = new XMLHttpRequest(); x.open('GET', 'secret.txt', false); x.send();\n"
             "  report('xhr ' + x.responseText); } catch (e) { report('xhr refused'); }\n"
             "fetch('secret.txt').then(r => r.text()).then(t => report('fetch ' + t),\n"
             "  () => report('fetch refused'));\n"
             "fetch('" +
                 leak +
                 "', {mode: 'no-cors'}).then(() => report('net sent'),\n"
                 "  () => report('net refused'));\n"
                 "</script></body></html>");

    ASSERT_TRUE(load(page));
    ASSERT_TRUE(waitUntil([&] { return browser->title().startsWith(QStringLiteral("done")); }))
        << browser->title().toStdString();

    EXPECT_FALSE(browser->title().contains(QStringLiteral("TOP-SECRET")))
        << browser->title().toStdString();
    EXPECT_TRUE(browser->title().contains(QStringLiteral("net refused")))
        << browser->title().toStdString();
    EXPECT_EQ(requestsFor("/leak"), 0);
}

TEST_F(WebBrowserTest, PagesMarkedScriptFreeShowMarkupButRunNoScript) {
    server.serve("/tracker.js", html("document.title = 'external ran';"));
    server.serve("/picture.png", html("not really a picture"));
    QByteArray base = server.url("/").toUtf8();
    base.chop(1);
    // Every way a script could tell the server about the page.
    const QString quiet = file(QStringLiteral("gateway.html"),
                               "<html><head><title>quiet</title><script src=\"" + base +
                                   "/tracker.js\"></script>"
                                   "<style>p { color: rgb(1, 2, 3); }</style></head>"
                                   "<body onload=\"new Image().src = '" +
                                   base +
                                   "/onload?' + location.href\">"
                                   "<p id=\"p\">本文</p><img src=\"" +
                                   base +
                                   "/picture.png\">"
                                   "<script>new Image().src = '" +
                                   base +
                                   "/ping?' + location.href;"
                                   "document.title = 'inline ran';</script></body></html>");
    const QString lively = file(QStringLiteral("article.html"),
                                "<title>start</title><script>document.title = 'ran';</script>");
    browser->blockScriptsOn(quiet);
    const auto requestsStartingWith = [&](const QByteArray& prefix) {
        int count = 0;
        for (const auto& request : server.requests())
            count += request.target.startsWith(prefix) ? 1 : 0;
        return count;
    };

    ASSERT_TRUE(load(quiet));
    ASSERT_TRUE(waitUntil([&] { return requestsFor("/picture.png") == 1; }));
    EXPECT_EQ(browser->title(), QStringLiteral("quiet"));
    EXPECT_TRUE(browser->documentBodyHtml().contains(QStringLiteral("本文")));

    // A page without the mark runs its scripts in the same browser, and going
    // back turns them off again.
    ASSERT_TRUE(load(lively));
    EXPECT_TRUE(titleBecomes(*browser, QStringLiteral("ran")));
    ASSERT_TRUE(load(*browser, [&] { browser->GoBack(); }));
    ASSERT_TRUE(load(*browser, [&] { browser->Refresh(); }));
    waitUntil([] { return false; }, 300);
    EXPECT_EQ(browser->title(), QStringLiteral("quiet"));
    EXPECT_EQ(requestsStartingWith("/ping"), 0);
    EXPECT_EQ(requestsStartingWith("/onload"), 0);
    EXPECT_EQ(requestsFor("/tracker.js"), 0);
}

TEST_F(WebBrowserTest, LocalPagesShowRemoteImagesAndFollowLinks) {
    server.serve("/picture.png", html("not really a picture"));
    server.serve("/article", html("<title>article</title>"));
    const QString page =
        file(QStringLiteral("gateway.html"),
             "<title>gateway</title><img src=\"" + server.url("/picture.png").toUtf8() +
                 "\"><a id=\"a\" href=\"" + server.url("/article").toUtf8() + "\">article</a>");

    ASSERT_TRUE(load(page));
    EXPECT_TRUE(waitUntil([&] { return requestsFor("/picture.png") == 1; }));
    browser->view()->page()->runJavaScript(QStringLiteral("document.getElementById('a').click()"));
    EXPECT_TRUE(titleBecomes(*browser, QStringLiteral("article")));
    EXPECT_EQ(requestsFor("/article"), 1);
}

TEST_F(WebBrowserTest, HandsANewWindowOverToTheHostsBrowser) {
    server.serve("/popup", html("<title>popup</title><p>popup body</p>"));
    const QString home = file(QStringLiteral("index.html"), "<title>home</title>");
    const QString opener = file(QStringLiteral("opener.html"),
                                "<title>opener</title>"
                                "<button id=\"b\" onclick=\"window.open('" +
                                    server.url("/popup").toUtf8() + "')\">open</button>");
    QStringList completedInNew;
    std::unique_ptr<WebBrowser> created;
    // As the reader does: a fresh browser, handed over, then sent home.
    QObject::connect(browser.get(), &WebBrowser::NewWindow, [&](WebBrowser** handOver) {
        created = makeBrowser();
        created->setHomePage(home);
        created->setRegisterAsBrowser(true);
        *handOver = created.get();
        QObject::connect(created.get(), &WebBrowser::DocumentComplete,
                         [&](const QString& address) { completedInNew << address; });
        created->GoHome();
        // A home asked for just after the hand-over must not replace the page either.
        QTimer::singleShot(0, created.get(), [&] { created->GoHome(); });
    });

    ASSERT_TRUE(load(opener));
    browser->view()->page()->runJavaScript(QStringLiteral("document.getElementById('b').click()"));
    ASSERT_TRUE(waitUntil([&] { return created != nullptr; }));
    ASSERT_TRUE(titleBecomes(*created, QStringLiteral("popup")))
        << created->title().toStdString() << " at " << created->LocationURL().toStdString();
    EXPECT_EQ(created->LocationURL(), server.url("/popup"));
    EXPECT_TRUE(created->documentBodyHtml().contains("popup body"));
    EXPECT_EQ(browser->title(), QStringLiteral("opener"));
    ASSERT_TRUE(waitUntil([&] { return !completedInNew.isEmpty(); }));
    EXPECT_EQ(completedInNew, QStringList{server.url("/popup")}); // home never showed

    // Once the page has arrived, home works as usual.
    ASSERT_TRUE(load(*created, [&] { created->GoHome(); }));
    EXPECT_EQ(created->LocationURL(), QUrl::fromLocalFile(home).toString());
}

TEST_F(WebBrowserTest, RefusedNewWindowLeavesThePageAlone) {
    server.serve("/popup", html("<title>popup</title>"));
    const QString opener =
        file(QStringLiteral("opener.html"), "<title>opener</title><script>var w = window.open('" +
                                                server.url("/popup").toUtf8() +
                                                "');\n"
                                                "setInterval(() => { if (!w || w.closed) "
                                                "document.title = 'refused'; }, 20);</script>");
    int asked = 0;
    QObject::connect(browser.get(), &WebBrowser::NewWindow, [&](WebBrowser**) { ++asked; });

    ASSERT_TRUE(load(opener));
    ASSERT_TRUE(titleBecomes(*browser, QStringLiteral("refused")))
        << browser->title().toStdString();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(browser->LocationURL(), QUrl::fromLocalFile(opener).toString());
    EXPECT_EQ(requestsFor("/popup"), 0);
}

TEST_F(WebBrowserTest, EditCommandsGoThroughTheClipboard) {
    QClipboard* clipboard = QApplication::clipboard();
    const QString page =
        file(QStringLiteral("text.html"), "<title>text</title><p>Copy these words</p>");
    ASSERT_TRUE(load(page));
    clipboard->clear();

    EXPECT_TRUE(browser->ExecWB(command::SelectAll, option::DontPromptUser));
    EXPECT_TRUE(browser->ExecWB(command::Copy, option::DontPromptUser));
    ASSERT_TRUE(waitUntil([&] { return !clipboard->text().isEmpty(); }));
    EXPECT_EQ(clipboard->text().trimmed(), QStringLiteral("Copy these words"));

    const QString form = file(QStringLiteral("form.html"),
                              "<title>form</title><textarea id=\"t\" autofocus>cut me</textarea>"
                              "<script>document.getElementById('t').focus();</script>");
    ASSERT_TRUE(load(form));
    browser->view()->setFocus();
    clipboard->clear();
    browser->ExecWB(command::SelectAll, option::DontPromptUser);
    browser->ExecWB(command::Cut, option::DontPromptUser);
    ASSERT_TRUE(waitUntil([&] { return clipboard->text() == QStringLiteral("cut me"); }))
        << clipboard->text().toStdString();

    clipboard->setText(QStringLiteral("pasted text"));
    browser->ExecWB(command::Paste, option::DontPromptUser);
    EXPECT_TRUE(waitUntil([&] { return textareaValue() == QStringLiteral("pasted text"); }))
        << textareaValue().toStdString();
}

TEST_F(WebBrowserTest, PrintsWithThePageLayoutChosenInPageSetUp) {
    const QString page = file(QStringLiteral("print.html"), "<title>print</title><p>print me</p>");
    ASSERT_TRUE(load(page));
    int finished = 0;
    bool success = false;
    QObject::connect(browser.get(), &WebBrowser::PrintFinished, [&](bool ok) {
        ++finished;
        success = ok;
    });

    // Cancelled in the print dialog: nothing is printed.
    EXPECT_FALSE(browser->ExecWB(command::Print, option::DontPromptUser));
    EXPECT_EQ(dialogs->printerAsked, 1);

    // A cancelled set-up keeps the earlier layout; an accepted one is kept for printing.
    dialogs->acceptPageSetup = false;
    EXPECT_FALSE(browser->ExecWB(command::PageSetup, option::DontPromptUser));
    EXPECT_FALSE(browser->pageLayout().isValid());
    dialogs->acceptPageSetup = true;
    EXPECT_TRUE(browser->ExecWB(command::PageSetup, option::DontPromptUser));
    EXPECT_EQ(browser->pageLayout().orientation(), QPageLayout::Landscape);

    dialogs->pdfFile = dir.path() + QStringLiteral("/printed.pdf");
    ASSERT_TRUE(browser->ExecWB(command::Print, option::DontPromptUser));
    EXPECT_EQ(dialogs->printedOrientation, QPageLayout::Landscape);
    // A second print while the first runs is refused rather than sharing the printer.
    EXPECT_FALSE(browser->ExecWB(command::Print, option::DontPromptUser));
    ASSERT_TRUE(waitUntil([&] { return finished == 1; }));
    EXPECT_TRUE(success);
    EXPECT_TRUE(readBytes(dialogs->pdfFile).startsWith("%PDF"));

    dialogs->pdfFile = dir.path() + QStringLiteral("/preview.pdf");
    EXPECT_TRUE(browser->ExecWB(command::PrintPreview, option::DontPromptUser));
    EXPECT_EQ(dialogs->previewShown, 1);
    EXPECT_TRUE(readBytes(dialogs->pdfFile).startsWith("%PDF"));
    EXPECT_EQ(finished, 1); // the preview is no print
}

TEST_F(WebBrowserTest, SavesThePageIntoTheChosenFile) {
    const QString page =
        file(QStringLiteral("save.html"), "<title>a/b: saved</title><p>saved words</p>");
    ASSERT_TRUE(load(page));

    EXPECT_FALSE(browser->ExecWB(command::SaveAs, option::DontPromptUser)); // cancelled
    EXPECT_EQ(dialogs->suggestedSaveName, QStringLiteral("a_b_ saved.html"));

    dialogs->saveFile = dir.path() + QStringLiteral("/copy.html");
    ASSERT_TRUE(browser->ExecWB(command::SaveAs, option::DontPromptUser));
    EXPECT_TRUE(waitUntil([&] { return readBytes(dialogs->saveFile).contains("saved words"); }));
}

TEST_F(WebBrowserTest, PropertiesDescribeTheShownDocument) {
    // Three bytes per character in UTF-8: a count of characters would be wrong.
    const QString page = file(QStringLiteral("props.html"), "<html><head><title>題名</title></head>"
                                                            "<body>日本語</body></html>");
    ASSERT_TRUE(load(page));
    ASSERT_TRUE(browser->ExecWB(command::Properties, option::DontPromptUser));
    ASSERT_EQ(dialogs->propertiesShown, 1);
    EXPECT_EQ(dialogs->properties.title, QStringLiteral("題名"));
    EXPECT_EQ(dialogs->properties.address, QUrl::fromLocalFile(page).toString());
    EXPECT_EQ(dialogs->properties.type, QStringLiteral("text/html"));
    EXPECT_EQ(dialogs->properties.size, 9);

    server.serve("/notes.txt", [] {
        Reply reply;
        reply.body = "plain notes";
        reply.headers = {{"Content-Type", "text/plain"}};
        return reply;
    }());
    ASSERT_TRUE(load(server.url("/notes.txt")));
    ASSERT_TRUE(browser->ExecWB(command::Properties, option::DontPromptUser));
    EXPECT_EQ(dialogs->properties.type, QStringLiteral("text/plain"));

    EXPECT_FALSE(browser->ExecWB(99, option::DontPromptUser));
}

} // namespace
