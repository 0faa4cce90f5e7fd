#include "platform/controls/SimpleModels.h"

#include "platform/runtime/RuntimeError.h"
#include <algorithm>

namespace platform::controls {

ToolBarModel::ToolBarModel(QObject* parent) : QObject(parent) {}

void ToolBarModel::addButton(const QString& key, const QString& imageKey, const QString& toolTip) {
    // Clicks are dispatched by key, so two buttons may not share one.
    if (!key.isEmpty() && std::any_of(buttons_.begin(), buttons_.end(),
                                      [&key](const Button& button) { return button.key == key; }))
        raiseError(err::KeyNotUnique);
    buttons_.push_back(Button{key, imageKey, toolTip, true});
    emit buttonAdded(static_cast<int>(buttons_.size()) - 1);
}

void ToolBarModel::setEnabled(bool enabled) {
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    emit enabledChanged(enabled);
}

void ToolBarModel::setVisible(bool visible) {
    if (visible_ == visible)
        return;
    visible_ = visible;
    emit visibleChanged(visible);
}

void ToolBarModel::click(const QString& key) {
    if (key.isEmpty() || !enabled_)
        return;
    const auto found = std::find_if(buttons_.begin(), buttons_.end(),
                                    [&key](const Button& button) { return button.key == key; });
    if (found == buttons_.end() || !found->enabled)
        return;
    emit buttonClicked(key);
}

} // namespace platform::controls
