#include "platform/web/WebBrowser.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineHistory>
#include <QWebEngineHttpRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>

namespace platform::web {

namespace {

// One profile for every browser of the process, alive while any browser is.
std::shared_ptr<QWebEngineProfile> sharedProfile() {
    static std::weak_ptr<QWebEngineProfile> shared;
    if (std::shared_ptr<QWebEngineProfile> existing = shared.lock())
        return existing;
    // No storage name: off the record, kept in memory only.
    auto profile = std::make_shared<QWebEngineProfile>();
    profile->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    profile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    // The engine's default agent names the toolkit; servers need not know it.
    QString agent = profile->httpUserAgent();
    agent.remove(QRegularExpression(QStringLiteral("QtWebEngine/\\S+\\s*")));
    profile->setHttpUserAgent(agent);
    shared = profile;
    return profile;
}

// Schemes whose content never comes from the network.
bool isLocalScheme(const QString& scheme) {
    static const QStringList local{QStringLiteral("file"), QStringLiteral("data"),
                                   QStringLiteral("about"), QStringLiteral("blob"),
                                   QStringLiteral("qrc")};
    return local.contains(scheme.toLower());
}

// Whether a request made by a page may leave for a remote address. Local pages
// (the reader's own pages built from feed content) may show remote images, media,
// frames, styles and scripts and link to remote pages, but their scripts get no
// requests of their own to remote addresses. Reading other local files is refused
// by the engine itself (LocalContentCanAccessFileUrls).
bool mayRequestFromLocalPage(QWebEngineUrlRequestInfo::ResourceType type) {
    switch (type) {
    case QWebEngineUrlRequestInfo::ResourceTypeMainFrame:
    case QWebEngineUrlRequestInfo::ResourceTypeSubFrame:
    case QWebEngineUrlRequestInfo::ResourceTypeStylesheet:
    case QWebEngineUrlRequestInfo::ResourceTypeScript:
    case QWebEngineUrlRequestInfo::ResourceTypeImage:
    case QWebEngineUrlRequestInfo::ResourceTypeFontResource:
    case QWebEngineUrlRequestInfo::ResourceTypeMedia:
    case QWebEngineUrlRequestInfo::ResourceTypeFavicon:
        return true;
    default:
        return false; // XMLHttpRequest, fetch, beacons, sockets, workers and the like
    }
}

// A request made on behalf of a local document. File documents have an opaque
// origin, which shows as an empty or "null" initiator; the top document decides then.
bool comesFromLocalPage(const QWebEngineUrlRequestInfo& info) {
    const QUrl initiator = info.initiator();
    if (!initiator.isEmpty() && initiator.toString() != QLatin1String("null"))
        return isLocalScheme(initiator.scheme());
    return isLocalScheme(info.firstPartyUrl().scheme());
}

} // namespace

// Checks every request of one browser's page before it is sent.
class RequestGuard : public QWebEngineUrlRequestInterceptor {
public:
    RequestGuard(const bool& offline, QObject* parent)
        : QWebEngineUrlRequestInterceptor(parent), offline_(offline) {}
    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        if (isLocalScheme(info.requestUrl().scheme()))
            return;
        // Offline, nothing goes to the network, including the images, frames and
        // script requests of a page that is already shown.
        if (offline_ || (comesFromLocalPage(info) && !mayRequestFromLocalPage(info.resourceType())))
            info.block(true);
    }

private:
    const bool& offline_; // the owning browser's flag; the browser outlives its page
};

class BrowserPage : public QWebEnginePage {
public:
    BrowserPage(QWebEngineProfile* profile, WebBrowser* owner)
        : QWebEnginePage(profile, owner), owner_(owner) {}

protected:
    QWebEnginePage* createWindow(WebWindowType) override {
        WebBrowser* handed = owner_->takeNewWindow();
        return handed != nullptr ? handed->page_ : nullptr;
    }
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) override {
        return owner_->acceptNavigation(url, isMainFrame);
    }

private:
    WebBrowser* owner_;
};

QString addressFor(const QString& pathOrAddress) {
    if (pathOrAddress.startsWith(QLatin1Char('/')))
        return QUrl::fromLocalFile(pathOrAddress).toString();
    return pathOrAddress;
}

std::vector<std::pair<QByteArray, QByteArray>> parseHeaderBlock(const QString& headers) {
    std::vector<std::pair<QByteArray, QByteArray>> parsed;
    const QStringList lines =
        headers.split(QRegularExpression(QStringLiteral("\r?\n")), Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon <= 0)
            continue;
        const QString name = line.left(colon).trimmed();
        if (name.isEmpty() || name.contains(QLatin1Char(' ')))
            continue;
        parsed.emplace_back(name.toLatin1(), line.mid(colon + 1).trimmed().toUtf8());
    }
    return parsed;
}

WebBrowser::WebBrowser(QWidget* parent)
    : QWidget(parent), profile_(sharedProfile()), view_(new QWebEngineView(this)),
      page_(new BrowserPage(profile_.get(), this)), dialogs_(std::make_unique<StandardDialogs>()) {
    view_->setPage(page_);
    page_->setParent(view_);
    page_->setUrlRequestInterceptor(new RequestGuard(offline_, this));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);

    QWebEngineSettings* settings = page_->settings();
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    // The engine's own switch would also stop a local page's images from remote
    // addresses and its links to remote pages; RequestGuard keeps only script
    // requests from local pages away from the network instead.
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, true);
    settings->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);

    connect(page_, &QWebEnginePage::linkHovered, this, &WebBrowser::StatusTextChange);
    connect(view_, &QWebEngineView::titleChanged, this, &WebBrowser::TitleChange);
    // Once the page handed over as a new window starts loading, home may replace it.
    connect(view_, &QWebEngineView::loadStarted, this, [this] {
        awaitingHandedPage_ = false;
        emit StatusTextChange(QStringLiteral("ページ %1 を開いています...").arg(LocationURL()));
    });
    // The loading states reach the host as status texts, as link hovers do.
    connect(view_, &QWebEngineView::loadProgress, this, [this](int percent) {
        if (percent > 0 && percent < 100)
            emit StatusTextChange(QStringLiteral("ページ %1 を開いています... (%2%)")
                                      .arg(LocationURL())
                                      .arg(percent));
    });
    connect(view_, &QWebEngineView::loadFinished, this, [this](bool ok) {
        emit StatusTextChange(ok ? QStringLiteral("完了")
                                 : QStringLiteral("ページを表示できませんでした。"));
        emit DocumentComplete(LocationURL());
    });
    // window.print() from the page is the same as the print command.
    connect(view_, &QWebEngineView::printRequested, this, [this] { print(); });
    connect(view_, &QWebEngineView::printFinished, this, [this](bool success) {
        if (!printing_)
            return; // a preview page, awaited by paintInto
        printing_.reset();
        emit PrintFinished(success);
    });
}

WebBrowser::~WebBrowser() {
    // The page must go before the last reference to its profile does.
    delete view_;
}

void WebBrowser::Navigate(const QString& address) {
    awaitingHandedPage_ = false;
    const QUrl url(addressFor(address));
    applyScriptSetting(url);
    view_->setUrl(url);
}

void WebBrowser::Navigate(const QString& address, const QString& headers) {
    awaitingHandedPage_ = false;
    const QUrl url(addressFor(address));
    applyScriptSetting(url);
    QWebEngineHttpRequest request(url);
    for (const auto& [name, value] : parseHeaderBlock(headers))
        request.setHeader(name, value);
    view_->load(request);
}

bool WebBrowser::canGoBack() const {
    return view_->history()->canGoBack();
}

bool WebBrowser::canGoForward() const {
    return view_->history()->canGoForward();
}

bool WebBrowser::GoBack() {
    if (!canGoBack())
        return false;
    view_->back();
    return true;
}

bool WebBrowser::GoForward() {
    if (!canGoForward())
        return false;
    view_->forward();
    return true;
}

void WebBrowser::setHomePage(const QString& pathOrAddress) {
    homePage_ = pathOrAddress;
}

void WebBrowser::GoHome() {
    if (homePage_.isEmpty() || awaitingHandedPage_)
        return;
    Navigate(homePage_);
}

void WebBrowser::Stop() {
    view_->stop();
}

void WebBrowser::Refresh() {
    view_->reload();
}

WebBrowser* WebBrowser::takeNewWindow() {
    WebBrowser* handed = nullptr;
    emit NewWindow(&handed);
    if (handed == this)
        return nullptr; // a page cannot be its own new window
    // A GoHome the host ran inside its handler is dropped by the engine when the
    // new page takes over; one that comes after, before the page starts, is
    // refused here, so the requested page is what the new browser shows.
    if (handed != nullptr)
        handed->awaitingHandedPage_ = true;
    return handed;
}

bool WebBrowser::mayLoad(const QUrl& url) const {
    return !offline_ || isLocalScheme(url.scheme());
}

namespace {
QUrl pageOnly(const QUrl& url) {
    return url.adjusted(QUrl::RemoveQuery | QUrl::RemoveFragment | QUrl::NormalizePathSegments);
}
} // namespace

void WebBrowser::blockScriptsOn(const QString& pathOrAddress) {
    const QUrl page = pageOnly(QUrl(addressFor(pathOrAddress)));
    if (!scriptFreePages_.contains(page))
        scriptFreePages_.append(page);
}

bool WebBrowser::scriptsBlockedOn(const QUrl& url) const {
    return scriptFreePages_.contains(pageOnly(url));
}

// The switch belongs to the page object, not to one document, so it is set
// for each document before it loads: by the navigations the host starts, and
// by those the user starts inside the page (links, history, reload).
void WebBrowser::applyScriptSetting(const QUrl& url) {
    page_->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, !scriptsBlockedOn(url));
}

bool WebBrowser::acceptNavigation(const QUrl& url, bool isMainFrame) {
    if (mayLoad(url)) {
        if (isMainFrame)
            applyScriptSetting(url);
        return true;
    }
    if (isMainFrame) {
        // Not from inside the engine's navigation callback: load the notice afterwards.
        QTimer::singleShot(0, this, [this, url] { showOfflineNotice(url); });
    }
    return false;
}

// The notice is shown under the refused address, so that the address reported for
// the page is the one the user asked for rather than the notice's own text.
void WebBrowser::showOfflineNotice(const QUrl& refused) {
    const QString address = refused.toString().toHtmlEscaped();
    page_->setHtml(QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\">"
                                  "<title>オフライン</title></head><body>"
                                  "<p>オフラインで作業中のため、このページは表示できません。</p>"
                                  "<p>%1</p></body></html>")
                       .arg(address),
                   refused);
}

QString WebBrowser::LocationURL() const {
    return view_->url().toString();
}

QString WebBrowser::title() const {
    return view_->title();
}

QVariant WebBrowser::evaluate(const QString& script, int timeoutMs) {
    // The answer may arrive after the wait gave up; it must then find live state.
    struct Answer {
        bool done = false;
        QVariant value;
    };
    auto answer = std::make_shared<Answer>();
    QEventLoop loop;
    QPointer<QEventLoop> waiting(&loop);
    page_->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                         [answer, waiting](const QVariant& value) {
                             answer->done = true;
                             answer->value = value;
                             if (waiting)
                                 waiting->quit();
                         });
    if (!answer->done) {
        QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    return answer->value;
}

QString WebBrowser::documentBodyHtml(int timeoutMs) {
    return evaluate(QStringLiteral("document.body ? document.body.innerHTML : ''"), timeoutMs)
        .toString();
}

void WebBrowser::setDialogProvider(std::unique_ptr<DialogProvider> provider) {
    dialogs_ = provider ? std::move(provider) : std::make_unique<StandardDialogs>();
}

bool WebBrowser::ExecWB(int commandId, int /*executionOption*/) {
    switch (commandId) {
    case command::Cut:
        page_->triggerAction(QWebEnginePage::Cut);
        return true;
    case command::Copy:
        page_->triggerAction(QWebEnginePage::Copy);
        return true;
    case command::Paste:
        page_->triggerAction(QWebEnginePage::Paste);
        return true;
    case command::SelectAll:
        page_->triggerAction(QWebEnginePage::SelectAll);
        return true;
    case command::Print:
        return print();
    case command::PrintPreview:
        return printPreview();
    case command::PageSetup:
        return setUpPage();
    case command::SaveAs:
        return saveAs();
    case command::Properties:
        return showProperties();
    default:
        return false;
    }
}

void WebBrowser::preparePrinter(QPrinter& printer) const {
    if (pageLayout_.isValid())
        printer.setPageLayout(pageLayout_);
    printer.setDocName(title());
}

bool WebBrowser::print() {
    if (printing_ || previewing_)
        return false;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    preparePrinter(*printer);
    if (!dialogs_->choosePrinter(*printer, this))
        return false;
    // The engine prints asynchronously; the printer lives until printFinished.
    printing_ = std::move(printer);
    view_->print(printing_.get());
    return true;
}

void WebBrowser::paintInto(QPrinter* printer) {
    QEventLoop loop;
    bool finished = false;
    const auto done = [&] {
        finished = true;
        loop.quit();
    };
    const QMetaObject::Connection printed =
        connect(view_, &QWebEngineView::printFinished, &loop, done);
    const QMetaObject::Connection crashed =
        connect(view_, &QWebEngineView::renderProcessTerminated, &loop, done);
    view_->print(printer);
    // No time limit: the engine draws onto the printer until printFinished, and
    // the printer belongs to the preview, which must not drop it before then.
    if (!finished)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    disconnect(printed);
    disconnect(crashed);
}

bool WebBrowser::printPreview() {
    if (printing_ || previewing_)
        return false;
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer);
    previewing_ = true;
    dialogs_->previewPrint(
        printer, [this](QPrinter* target) { paintInto(target); }, this);
    previewing_ = false;
    return true;
}

bool WebBrowser::setUpPage() {
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer);
    if (!dialogs_->setUpPage(printer, this))
        return false;
    pageLayout_ = printer.pageLayout();
    return true;
}

bool WebBrowser::saveAs() {
    if (view_->url().isEmpty())
        return false;
    QString suggested = title().trimmed();
    if (suggested.isEmpty())
        suggested = QFileInfo(view_->url().path()).completeBaseName();
    suggested.replace(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>|]")), QStringLiteral("_"));
    if (suggested.isEmpty())
        suggested = QStringLiteral("page");
    const QString file = dialogs_->chooseSaveFile(suggested + QStringLiteral(".html"), this);
    if (file.isEmpty())
        return false;
    const QString suffix = QFileInfo(file).suffix().toLower();
    const auto format = suffix == QLatin1String("mht") || suffix == QLatin1String("mhtml")
                            ? QWebEngineDownloadRequest::MimeHtmlSaveFormat
                            : QWebEngineDownloadRequest::CompleteHtmlSaveFormat;
    page_->save(file, format);
    return true;
}

bool WebBrowser::showProperties() {
    PageProperties properties;
    properties.title = title();
    properties.address = LocationURL();
    properties.type = evaluate(QStringLiteral("document.contentType || ''"), 5000).toString();
    if (properties.type.isEmpty())
        properties.type = QStringLiteral("text/html");
    properties.size = documentBodyHtml().toUtf8().size();
    dialogs_->showProperties(properties, this);
    return true;
}

bool StandardDialogs::choosePrinter(QPrinter& printer, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void StandardDialogs::previewPrint(QPrinter& printer, const std::function<void(QPrinter*)>& paint,
                                   QWidget* parent) {
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, paint);
    dialog.exec();
}

bool StandardDialogs::setUpPage(QPrinter& printer, QWidget* parent) {
    QPageSetupDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

QString StandardDialogs::chooseSaveFile(const QString& suggestedName, QWidget* parent) {
    return QFileDialog::getSaveFileName(
        parent, QStringLiteral("名前をつけて保存"), suggestedName,
        QStringLiteral("Web ページ (*.html *.htm);;Web アーカイブ (*.mht *.mhtml);;"
                       "すべてのファイル (*)"));
}

void StandardDialogs::showProperties(const PageProperties& properties, QWidget* parent) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("プロパティ"));
    auto* form = new QFormLayout;
    const auto addRow = [&](const QString& label, const QString& value) {
        auto* text = new QLabel(value);
        text->setTextInteractionFlags(Qt::TextSelectableByMouse);
        text->setWordWrap(true);
        form->addRow(label, text);
    };
    addRow(QStringLiteral("タイトル:"), properties.title);
    addRow(QStringLiteral("アドレス:"), properties.address);
    addRow(QStringLiteral("種類:"), properties.type);
    addRow(QStringLiteral("サイズ:"), QStringLiteral("%1 バイト").arg(properties.size));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    layout->addWidget(buttons);
    dialog.exec();
}

} // namespace platform::web
