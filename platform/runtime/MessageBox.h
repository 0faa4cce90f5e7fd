#pragma once
// Message boxes with a caption, an icon and a set of buttons. The reader shows
// them through a MessagePresenter so that tests can answer them.
#include <QString>

class QWidget;

namespace platform {

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MsgResult { Ok, Cancel, Yes, No, Retry };

class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    virtual MsgResult show(const QString& text, MsgButtons buttons, MsgIcon icon,
                           const QString& title) = 0;
};

// Shows a modal QMessageBox; the buttons read はい/いいえ/キャンセル/OK whatever the
// system language.
class QtMessagePresenter : public MessagePresenter {
public:
    explicit QtMessagePresenter(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    MsgResult show(const QString& text, MsgButtons buttons, MsgIcon icon,
                   const QString& title) override;

private:
    QWidget* parent_;
};

} // namespace platform
