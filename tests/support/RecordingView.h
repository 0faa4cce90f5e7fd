#pragma once
// A main window view without browsers that records what the procedures ask of
// it: log holds every request in order ("go 2 http://a/", "go 2 http://a/ +headers",
// "front 2", "create 2", "destroy 2", "home 2", "refresh 2",
// "offline 2"), navigations just
// the navigations as "index address".
#include "reader/mainwindow/MainWindowModel.h"
#include <QStringList>

namespace testing_support {

class RecordingView : public quillet::MainWindowView {
public:
    void navigateBrowser(int index, const QString& address) override {
        log << QStringLiteral("go %1 %2").arg(index).arg(address);
        navigations << QStringLiteral("%1 %2").arg(index).arg(address);
    }
    void navigateBrowser(int index, const QString& address, const QString& headers) override {
        log << QStringLiteral("go %1 %2 +headers").arg(index).arg(address);
        navigations << QStringLiteral("%1 %2").arg(index).arg(address);
        lastHeaders = headers;
    }
    void bringBrowserToFront(int index) override {
        log << QStringLiteral("front %1").arg(index);
        front = index;
    }
    void arrangeSplitters() override { ++arranged; }
    void createBrowser(int index) override { log << QStringLiteral("create %1").arg(index); }
    void destroyBrowser(int index) override { log << QStringLiteral("destroy %1").arg(index); }
    void browserGoHome(int index) override { log << QStringLiteral("home %1").arg(index); }
    void refreshBrowser(int index) override { log << QStringLiteral("refresh %1").arg(index); }
    void setBrowserOffline(int index, bool isOffline) override {
        if (isOffline)
            log << QStringLiteral("offline %1").arg(index);
    }
    QString browserLocation(int index) const override {
        return QStringLiteral("http://page/%1").arg(index);
    }
    void setCaption(const QString& text) override { caption = text; }
    bool isOffline() const override { return offline; }

    QStringList log;
    QStringList navigations;
    QString lastHeaders;
    QString caption;
    int front = 0;
    int arranged = 0;
    bool offline = false;
};

} // namespace testing_support
