#include "platform/win/MenuManager.h"

namespace platform::win {

MenuBarWidget::MenuBarWidget(HWND owner, QWidget* parent) : QWidget(parent), owner_(owner) {}

MenuBarWidget::~MenuBarWidget() = default;

void installMenuKeys(QWidget*, HWND) {}

} // namespace platform::win
