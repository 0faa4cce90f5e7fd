#include "platform/controls/ComboBoxModel.h"

#include "platform/runtime/RuntimeError.h"

namespace platform::controls {

namespace {
constexpr int InvalidPropertyArrayIndex = 381;
}

QString ComboBoxModel::entry(int index) const {
    if (index < 0 || index >= count())
        raiseError(InvalidPropertyArrayIndex);
    return entries_[index];
}

void ComboBoxModel::addEntry(const QString& entry) {
    entries_.append(entry);
    emit entriesChanged();
}

void ComboBoxModel::clear() {
    entries_.clear();
    listIndex_ = -1;
    emit entriesChanged();
    setText(QString());
}

void ComboBoxModel::setListIndex(int index) {
    if (index < -1 || index >= count())
        raiseError(err::InvalidPropertyValue);
    listIndex_ = index;
    emit listIndexChanged(index);
    if (index >= 0)
        setText(entries_[index]);
}

void ComboBoxModel::setText(const QString& text) {
    if (text == text_)
        return;
    text_ = text;
    const int matching = static_cast<int>(entries_.indexOf(text));
    if (listIndex_ >= 0 && matching != listIndex_)
        listIndex_ = matching;
    emit textChanged(text_);
}

} // namespace platform::controls
