#pragma once
// The web browser control over Qt WebEngine. Pages built from feed content may
// run their markup and scripts, but local pages get no script access to other
// file addresses or to remote addresses, so they cannot read or send local files.
#include <QString>
#include <QWidget>

class QWebEngineView;

namespace platform::web {

class WebBrowser : public QWidget {
    Q_OBJECT
public:
    explicit WebBrowser(QWidget* parent = nullptr);
    ~WebBrowser() override;

    // A local path or an address; a path without a scheme is taken as a file.
    void Navigate(const QString& address);
    QString LocationURL() const;
    QString title() const;

    QWebEngineView* view() const { return view_; }

signals:
    void StatusTextChange(const QString& text);
    void TitleChange(const QString& title);
    void DocumentComplete(const QString& address);

private:
    QWebEngineView* view_; // owned through the widget tree
};

// Turns a local path or an address into the address the engine loads.
QString addressFor(const QString& pathOrAddress);

} // namespace platform::web
