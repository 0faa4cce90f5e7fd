#pragma once
// The web browser control over Qt WebEngine. Local pages get no script access to
// other file addresses or to remote addresses, so they cannot read or send local
// files; a host can also mark a page script-free (blockScriptsOn), as it does for
// pages it builds from text it did not write.
//
// All browsers of the process share one private, off-the-record profile: nothing
// (cache, cookies, storage) is written into the user's home, and a page opened
// as a new window can be adopted by another browser, which needs the same profile.
#include <QByteArray>
#include <QList>
#include <QPageLayout>
#include <QString>
#include <QUrl>
#include <QVariant>
#include <QWidget>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QPrinter;
class QWebEngineProfile;
class QWebEngineView;

namespace platform::web {

// Command identifiers understood by WebBrowser::ExecWB.
namespace command {
inline constexpr int SaveAs = 4;
inline constexpr int Print = 6;
inline constexpr int PrintPreview = 7;
inline constexpr int PageSetup = 8;
inline constexpr int Properties = 10;
inline constexpr int Cut = 11;
inline constexpr int Copy = 12;
inline constexpr int Paste = 13;
inline constexpr int SelectAll = 17;
} // namespace command

// Execution options of ExecWB. The reader always passes DontPromptUser.
namespace option {
inline constexpr int Default = 0;
inline constexpr int PromptUser = 1;
inline constexpr int DontPromptUser = 2;
} // namespace option

// What the properties command shows about the page.
struct PageProperties {
    QString title;
    QString address;
    QString type;   // MIME type of the document
    qint64 size{0}; // bytes of the body's HTML text in UTF-8
};

// The dialogs behind the print, page set-up, save and properties commands. The
// browser asks through this interface so that a host or a test can replace the
// modal dialogs.
class DialogProvider {
public:
    virtual ~DialogProvider() = default;
    // Lets the user choose and set up the printer; false when cancelled.
    virtual bool choosePrinter(QPrinter& printer, QWidget* parent) = 0;
    // Shows a preview; paint draws the page onto the printer it is given and
    // returns when it is drawn.
    virtual void previewPrint(QPrinter& printer, const std::function<void(QPrinter*)>& paint,
                              QWidget* parent) = 0;
    // Lets the user change the printer's page layout; false when cancelled.
    virtual bool setUpPage(QPrinter& printer, QWidget* parent) = 0;
    // The file to save the page into, or empty when cancelled.
    virtual QString chooseSaveFile(const QString& suggestedName, QWidget* parent) = 0;
    virtual void showProperties(const PageProperties& properties, QWidget* parent) = 0;
};

// The interactive Qt dialogs.
class StandardDialogs : public DialogProvider {
public:
    bool choosePrinter(QPrinter& printer, QWidget* parent) override;
    void previewPrint(QPrinter& printer, const std::function<void(QPrinter*)>& paint,
                      QWidget* parent) override;
    bool setUpPage(QPrinter& printer, QWidget* parent) override;
    QString chooseSaveFile(const QString& suggestedName, QWidget* parent) override;
    void showProperties(const PageProperties& properties, QWidget* parent) override;
};

class BrowserPage;

class WebBrowser : public QWidget {
    Q_OBJECT
public:
    explicit WebBrowser(QWidget* parent = nullptr);
    ~WebBrowser() override;

    // A local path or an address; a path without a scheme is taken as a file.
    // headers is a block of "Name: value" lines, each ended by CR LF, sent with
    // the request for this page only.
    void Navigate(const QString& address);
    void Navigate(const QString& address, const QString& headers);
    void Navigate2(const QString& address) { Navigate(address); }
    void Navigate2(const QString& address, const QString& headers) { Navigate(address, headers); }

    // False, and nothing happens, when there is no page to go to.
    bool GoBack();
    bool GoForward();
    bool canGoBack() const;
    bool canGoForward() const;
    // Loads the home page; does nothing while no home page is set, and does not
    // replace a page this browser was handed as a new window (see NewWindow).
    void GoHome();
    void setHomePage(const QString& pathOrAddress);
    QString homePage() const { return homePage_; }
    void Stop();
    void Refresh();

    // Runs one of the command identifiers above. Commands that exist to ask the
    // user something (print, page set-up, save as, properties) always show their
    // dialog, whatever the option says; cut, copy, paste and select all never
    // ask. False for an unknown command or one that cannot run now.
    bool ExecWB(int commandId, int executionOption = option::Default);
    void setDialogProvider(std::unique_ptr<DialogProvider> provider);
    // The layout chosen by the last page set-up; every later print uses it.
    QPageLayout pageLayout() const { return pageLayout_; }

    // While offline, addresses other than local files are refused: the page
    // shows a notice instead, and nothing is sent to the network.
    void setOffline(bool offline) { offline_ = offline; }
    bool offline() const { return offline_; }
    // Pages at this address (a local path or an address; query and fragment
    // are ignored) are shown with scripts turned off: markup, styles and
    // images still show. Every other page keeps its scripts.
    void blockScriptsOn(const QString& pathOrAddress);
    bool scriptsBlockedOn(const QUrl& url) const;
    void setRegisterAsBrowser(bool registered) { registerAsBrowser_ = registered; }
    bool registerAsBrowser() const { return registerAsBrowser_; }

    QString LocationURL() const;
    QString title() const;
    // The HTML text of the body of the shown document, read synchronously: waits
    // for the engine at most timeoutMs and gives an empty text if it does not answer.
    QString documentBodyHtml(int timeoutMs = 5000);

    QWebEngineView* view() const { return view_; }

signals:
    // The address under the mouse, and the loading states: opening, progress, done.
    void StatusTextChange(const QString& text);
    void TitleChange(const QString& title);
    // The page asks for a new window. A host that wants it stores a new browser
    // in *handOver; that browser then shows the requested page. The browser must
    // not have loaded anything yet. Leaving nullptr refuses the window.
    void NewWindow(platform::web::WebBrowser** handOver);
    // The page finished loading (also when it failed). Qt WebEngine reports the
    // page as a whole; completed frames are not reported one by one.
    void DocumentComplete(const QString& address);
    // A print started by ExecWB finished.
    void PrintFinished(bool success);

private:
    friend class BrowserPage;
    WebBrowser* takeNewWindow();
    bool acceptNavigation(const QUrl& url, bool isMainFrame);
    bool mayLoad(const QUrl& url) const;
    void applyScriptSetting(const QUrl& url);
    void showOfflineNotice(const QUrl& refused);
    QVariant evaluate(const QString& script, int timeoutMs);
    bool print();
    bool printPreview();
    bool setUpPage();
    bool saveAs();
    bool showProperties();
    void preparePrinter(QPrinter& printer) const;
    void paintInto(QPrinter* printer);

    std::shared_ptr<QWebEngineProfile> profile_; // outlives page_; see the destructor
    QWebEngineView* view_;                       // owned through the widget tree
    BrowserPage* page_;                          // owned by view_
    std::unique_ptr<DialogProvider> dialogs_;
    std::unique_ptr<QPrinter> printing_; // the printer of a print in progress
    bool previewing_ = false;
    QPageLayout pageLayout_;
    QString homePage_;
    QList<QUrl> scriptFreePages_;
    bool offline_ = false;
    bool registerAsBrowser_ = false;
    bool awaitingHandedPage_ = false; // handed over as a new window, page not started yet
};

// Turns a local path or an address into the address the engine loads.
QString addressFor(const QString& pathOrAddress);

// The "Name: value" lines of a CR LF separated header block; malformed lines are dropped.
std::vector<std::pair<QByteArray, QByteArray>> parseHeaderBlock(const QString& headers);

} // namespace platform::web
