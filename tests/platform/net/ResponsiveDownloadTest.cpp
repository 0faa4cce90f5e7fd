#include "platform/net/ResponsiveDownload.h"

#include "support/TempFiles.h"
#include "support/TestHttpServer.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

using namespace platform::net;

namespace {

// A slow download under a window with two buttons, one in a bar that may take
// input meanwhile. Input comes through the native window, as the user's does.
class HeldInputTest : public ::testing::Test {
protected:
    HeldInputTest() {
        auto* bar = new QWidget(&window);
        bar->setProperty(kAllowedWhileDownloading, true);
        allowed = new QPushButton(QStringLiteral("中止"), bar);
        held = new QPushButton(QStringLiteral("開く"), &window);
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(bar);
        layout->addWidget(held);
        bar->setMinimumSize(120, 40);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        QObject::connect(allowed, &QPushButton::clicked, [this] { ++allowedClicks; });
        QObject::connect(held, &QPushButton::clicked, [this] { ++heldClicks; });

        testing_support::Reply slow{200, QByteArray(200000, 'x'), {}};
        slow.mode = testing_support::Reply::Mode::Trickle;
        slow.trickleMs = 4000;
        server.serve("/slow", slow);
        testing_support::writeBytes(target, "earlier");
    }

    void clickThroughWindow(QWidget* button) {
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {},
                          button->mapTo(&window, button->rect().center()));
    }

    DownloadResult download() {
        return downloadKeepingEventsRunning(server.url("/slow"), target, {}, {}, cancel);
    }

    QWidget window;
    QPushButton* allowed = nullptr;
    QPushButton* held = nullptr;
    int allowedClicks = 0;
    int heldClicks = 0;
    std::atomic<bool> cancel{false};
    QTemporaryDir dir;
    QString target = dir.path() + QStringLiteral("/feed.xml");
    testing_support::TestHttpServer server;
};

} // namespace

TEST_F(HeldInputTest, OnlyTheAllowedBarTakesClicksAndEscCancels) {
    // A click on the allowed bar gets through and may cancel; the other is held.
    QTimer::singleShot(200, [&] { clickThroughWindow(held); });
    QTimer::singleShot(400, [&] {
        clickThroughWindow(allowed);
        cancel = allowedClicks > 0;
    });
    DownloadResult result = download();
    EXPECT_EQ(allowedClicks, 1);
    EXPECT_EQ(heldClicks, 0);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(testing_support::readBytes(target), QByteArray("earlier"));

    // Esc cancels wherever the focus is.
    cancel = false;
    held->setFocus();
    QTimer::singleShot(300, [&] { QTest::keyClick(window.windowHandle(), Qt::Key_Escape); });
    result = download();
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(testing_support::readBytes(target), QByteArray("earlier"));

    // Afterwards input reaches every widget again.
    clickThroughWindow(held);
    EXPECT_EQ(heldClicks, 1);
}
