#pragma once
// The six menu styles as data: for a style and an item's state, the plan
// letters and how the cursor, image and text records are filled.
#include "menuctl/engine/Enums.h"

namespace zephalt {

enum class Match { Any, Yes, No };

// Colours a row refers to, resolved from the control's values.
enum class Colour { Keep, MenuBar, MenuText, Highlight, HighlightText, GreyText, HotSelectText };

struct ImageRule {
    int mode = -1;     // the mode bits set, -1 to keep them
    int addFlags = 0;  // bits added
    bool none = false; // no image is drawn
    Colour pattern = Colour::Keep;
    Colour tint = Colour::Keep;
    bool raisedUnlessSunken = false; // frame 2 unless the image has 0x10
    bool checkerIfSunken = false;    // add 0x80 when the image has 0x10
    bool blendIfHostImage = false;   // mode 6 for indexes at or past the built-in count
};

struct TextRule {
    Colour background = Colour::Keep;
    Colour colour = Colour::MenuText;
    int flags = 0;
};

struct StyleRow {
    int style;
    Match selected;
    Match disabled;
    Match hasImage;
    const char* plan;
    Colour background;
    int cursorFrame;
    bool cursorOnText;           // the cursor rectangle is the text rectangle
    bool cursorFromTextIfSunken; // the cursor starts at the text's left when the image has 0x10
    ImageRule image;
    TextRule text;
};

// The first row that matches; every style has a row for every state.
const StyleRow& styleRow(int style, bool selected, bool disabled, bool hasImage);
// Styles whose built-in images keep only their mode bits.
bool builtInRuleApplies(int style);

} // namespace zephalt
