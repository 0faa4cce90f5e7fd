#include "platform/controls/OptionGroupModel.h"

#include "platform/runtime/RuntimeError.h"

namespace platform::controls {

OptionGroupModel::OptionGroupModel(QString frameCaption, QStringList captions, QObject* parent)
    : QObject(parent), frameCaption_(std::move(frameCaption)), captions_(std::move(captions)) {}

void OptionGroupModel::check(int index) const {
    if (index < 0 || index >= count())
        raiseError(err::SubscriptOutOfRange);
}

QString OptionGroupModel::caption(int index) const {
    check(index);
    return captions_[index];
}

bool OptionGroupModel::value(int index) const {
    check(index);
    return chosen_ == index;
}

void OptionGroupModel::setValue(int index, bool value) {
    check(index);
    const int chosen = value ? index : (chosen_ == index ? -1 : chosen_);
    if (chosen == chosen_)
        return;
    chosen_ = chosen;
    emit chosenChanged(chosen_);
}

} // namespace platform::controls
