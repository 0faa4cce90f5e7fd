#include "platform/runtime/MessageBox.h"
#include "platform/runtime/EventLoop.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;

namespace {

struct Seen {
    QStringList buttons;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Shows a box and, once it is up, records what it shows and clicks the button
// with the given text (or closes it with Esc when the text is empty).
MsgResult answer(MsgButtons buttons, MsgIcon icon, const QString& click, Seen& seen) {
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return;
        }
        poll.stop();
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        for (QAbstractButton* b : box->buttons()) {
            seen.buttons.append(b->text());
        }
        for (QAbstractButton* b : box->buttons()) {
            if (!click.isEmpty() && b->text() == click) {
                b->click();
                return;
            }
        }
        box->reject();
    });
    poll.start();
    platform::QtMessagePresenter presenter;
    return presenter.show(QStringLiteral("本文"), buttons, icon, QStringLiteral("題名"));
}

} // namespace

TEST(MessageBox, ShowsJapaneseButtonsAndMapsTheAnswer) {
    Seen seen;
    EXPECT_EQ(answer(MsgButtons::YesNoCancel, MsgIcon::Question, "いいえ", seen), MsgResult::No);
    EXPECT_EQ(seen.title, "題名");
    EXPECT_EQ(seen.text, "本文");
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_TRUE(seen.buttons.contains("はい"));
    EXPECT_TRUE(seen.buttons.contains("いいえ"));
    EXPECT_TRUE(seen.buttons.contains("キャンセル"));
    EXPECT_EQ(seen.buttons.size(), 3);

    Seen retry;
    EXPECT_EQ(answer(MsgButtons::RetryCancel, MsgIcon::Exclamation, "再試行", retry),
              MsgResult::Retry);
    EXPECT_EQ(retry.icon, QMessageBox::Warning);

    Seen ok;
    EXPECT_EQ(answer(MsgButtons::OkCancel, MsgIcon::None, "OK", ok), MsgResult::Ok);
    Seen yes;
    EXPECT_EQ(answer(MsgButtons::YesNo, MsgIcon::Critical, "はい", yes), MsgResult::Yes);
    EXPECT_EQ(yes.icon, QMessageBox::Critical);

    // Closing without a button gives the harmless answer.
    Seen closed;
    EXPECT_EQ(answer(MsgButtons::YesNoCancel, MsgIcon::None, QString(), closed), MsgResult::Cancel);
    Seen closedOk;
    EXPECT_EQ(answer(MsgButtons::Ok, MsgIcon::Information, QString(), closedOk), MsgResult::Ok);
}

TEST(EventLoop, YieldRunsPendingEvents) {
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    for (int i = 0; i < 100 && !ran; ++i) {
        platform::yieldOnce();
    }
    EXPECT_TRUE(ran);
}
