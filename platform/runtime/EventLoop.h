#pragma once

namespace platform {

// Lets pending window events run once, as long steps do at fixed points.
void yieldOnce();

} // namespace platform
