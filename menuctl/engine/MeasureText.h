#pragma once
// Text sizes for measuring items and title bar captions: DrawTextA with
// DT_CALCRECT on a screen-like device context, single line unless the text
// holds CR LF.
#include "platform/forms/FontObject.h"
#include <QSize>
#include <QString>

namespace zephalt {

class AnsiTexts;

// The font's character height in pixels at 96 dots per inch (LOGFONT lfHeight
// negated): points × 96 / 72, halves to even.
int fontPixelHeight(const platform::forms::FontObject& font);
// With texts given, the text's code page 932 form is taken from them.
QSize MeasureText(const platform::forms::FontObject& font, const QString& text,
                  AnsiTexts* texts = nullptr);

} // namespace zephalt
