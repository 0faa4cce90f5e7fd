#pragma once
// MakeLogFont: the control's font objects and the drawing layer's LOGFONT
// records, both ways.
#include "platform/forms/FontObject.h"
#include "platform/gdi/GdiTypes.h"

namespace zephalt {

// lfHeight = -(size × 96 / 72) rounded halves to even: sizes are always at 96
// pixels per inch; the face name in code page 932, cut to 31 bytes.
platform::gdi::LOGFONTA MakeLogFont(const platform::forms::FontObject& font);
// size = |72 ÷ the screen's pixels per inch × lfHeight|.
platform::forms::FontObject fontFromLogFont(const platform::gdi::LOGFONTA& logFont,
                                            int pixelsPerInch);

} // namespace zephalt
