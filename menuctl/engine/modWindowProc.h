#pragma once
// The procedure installed on the host window: it finds its control through the
// window property and hands the message to the control's WindowProc.
#include "platform/win/WinTypes.h"

namespace zephalt {

platform::win::LRESULT HostWindowProc(platform::win::HWND hWnd, platform::win::UINT uMsg,
                                      platform::win::WPARAM wParam, platform::win::LPARAM lParam);

} // namespace zephalt
