#include "platform/controls/SimpleModels.h"

#include "platform/runtime/RuntimeError.h"
#include <algorithm>

namespace platform::controls {

StatusBarModel::StatusBarModel(int panelCount, QObject* parent) : QObject(parent) {
    for (int i = 0; i < std::max(panelCount, 0); ++i)
        texts_.append(QString());
}

QString StatusBarModel::panelText(int panel) const {
    if (panel < 1 || panel > panelCount())
        raiseError(err::SubscriptOutOfRange);
    return texts_[panel - 1];
}

void StatusBarModel::setPanelText(int panel, const QString& text) {
    if (panel < 1 || panel > panelCount())
        raiseError(err::SubscriptOutOfRange);
    if (texts_[panel - 1] == text)
        return;
    texts_[panel - 1] = text;
    emit panelTextChanged(panel, text);
}

void StatusBarModel::setVisible(bool visible) {
    if (visible_ == visible)
        return;
    visible_ = visible;
    emit visibleChanged(visible);
}

} // namespace platform::controls
