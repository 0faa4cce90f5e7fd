#pragma once
// The desktop values the control reads: edge sizes, the caption height, the
// menu and caption fonts of the non-client metrics, and OLE colours resolved
// to RGB. Kept in one place so the rest of the control asks one module.
#include "menuctl/engine/Enums.h"
#include "platform/forms/FontObject.h"
#include <cstdint>

namespace zephalt {

int systemEdgeWidth();     // SM_CXEDGE
int systemEdgeHeight();    // SM_CYEDGE
int systemCaptionHeight(); // iCaptionHeight of the non-client metrics
platform::forms::FontObject systemMenuFont();
platform::forms::FontObject systemCaptionFont();
// COLOR_GRADIENTACTIVECAPTION as an actual RGB value.
std::uint32_t gradientCaptionColour();

// OleTranslateColor: an RGB value as it is, a system colour reference as the
// colour's RGB; false (and black) for any other high byte or index past 30.
bool translateColour(OleColor colour, std::uint32_t* colorref);
std::uint32_t resolveColour(OleColor colour);

} // namespace zephalt
