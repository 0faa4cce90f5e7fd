#include "platform/web/WebBrowser.h"

#include <QFileInfo>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace platform::web {

QString addressFor(const QString& pathOrAddress) {
    if (pathOrAddress.startsWith(QLatin1Char('/')))
        return QUrl::fromLocalFile(pathOrAddress).toString();
    return pathOrAddress;
}

WebBrowser::WebBrowser(QWidget* parent) : QWidget(parent), view_(new QWebEngineView(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);

    QWebEngineSettings* settings = view_->settings();
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, true);

    connect(view_->page(), &QWebEnginePage::linkHovered, this, &WebBrowser::StatusTextChange);
    connect(view_, &QWebEngineView::titleChanged, this, &WebBrowser::TitleChange);
    connect(view_, &QWebEngineView::loadFinished, this,
            [this](bool) { emit DocumentComplete(view_->url().toString()); });
}

WebBrowser::~WebBrowser() = default;

void WebBrowser::Navigate(const QString& address) {
    view_->setUrl(QUrl(addressFor(address)));
}

QString WebBrowser::LocationURL() const {
    return view_->url().toString();
}

QString WebBrowser::title() const {
    return view_->title();
}

} // namespace platform::web
