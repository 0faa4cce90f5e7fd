#include "platform/forms/MenuControl.h"
#include "platform/forms/MenuTree.h"

namespace platform::forms {

MenuControl::MenuControl(MenuTree& tree, const MenuControlDescription& description,
                         win::UINT commandId)
    : tree_(tree), name_(description.name), index_(description.index),
      caption_(description.caption), checked_(description.checked), enabled_(description.enabled),
      visible_(description.visible), shortcut_(description.shortcut), onClick_(description.onClick),
      commandId_(commandId) {}

bool MenuControl::isSeparator() const {
    return caption_ == QLatin1String("-");
}

void MenuControl::setCaption(const QString& caption) {
    if (caption == caption_) {
        return;
    }
    const bool wasSeparator = isSeparator();
    caption_ = caption;
    tree_.captionChanged(*this, wasSeparator);
}

void MenuControl::setChecked(bool checked) {
    if (checked != checked_) {
        checked_ = checked;
        tree_.stateChanged(*this);
    }
}

void MenuControl::setEnabled(bool enabled) {
    if (enabled != enabled_) {
        enabled_ = enabled;
        tree_.stateChanged(*this);
    }
}

void MenuControl::setVisible(bool visible) {
    if (visible != visible_) {
        visible_ = visible;
        tree_.visibilityChanged(*this);
    }
}

void MenuControl::setShortcut(int code) {
    if (code != shortcut_) {
        shortcut_ = code;
        tree_.shortcutChanged(*this);
    }
}

void MenuControl::click() {
    if (onClick_) {
        onClick_(index_);
    }
}

} // namespace platform::forms
