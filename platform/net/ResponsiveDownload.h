#pragma once
// A download that leaves the window alive: the transfer runs on a worker
// thread while the calling thread goes on handling its events, so windows
// repaint and timers tick. While it runs, the user's input is held back except
// for Esc, which cancels, and input to widgets that carry the property
// "allowedWhileDownloading" (a Stop button's bar), so that nothing the user
// does can change what the waiting caller works on. A cancelled download
// leaves the target as it was.
#include "platform/net/Download.h"

namespace platform::net {

// The property that lets a widget (and its children) take input meanwhile.
inline constexpr const char* kAllowedWhileDownloading = "allowedWhileDownloading";

DownloadResult downloadKeepingEventsRunning(const QString& url, const QString& targetPath,
                                            const DownloadLimits& limits, DownloadRequest request,
                                            std::atomic<bool>& cancel, bool holdUserInput = true);

} // namespace platform::net
