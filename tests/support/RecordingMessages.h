#pragma once
// A message presenter that records every message box instead of showing it, and
// answers with a preset result.
#include "platform/runtime/MessageBox.h"
#include <QString>
#include <vector>

namespace testing_support {

struct ShownMessage {
    QString text;
    platform::MsgButtons buttons;
    platform::MsgIcon icon;
    QString title;
};

class RecordingMessages : public platform::MessagePresenter {
public:
    explicit RecordingMessages(std::vector<ShownMessage>& log,
                               platform::MsgResult answer = platform::MsgResult::Ok)
        : log_(log), answer_(answer) {}
    platform::MsgResult show(const QString& text, platform::MsgButtons buttons,
                             platform::MsgIcon icon, const QString& title) override {
        log_.push_back({text, buttons, icon, title});
        return answer_;
    }

private:
    std::vector<ShownMessage>& log_;
    platform::MsgResult answer_;
};

} // namespace testing_support
