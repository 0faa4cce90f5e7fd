#pragma once
// What drawing one menu item takes, decided before anything is drawn: the
// image of the check column, the three rectangles, and the style's plan (the
// letters B, I, C) with the cursor, image and text records. The six styles are
// rows of one table (StyleTable.cpp); this module reads the table, it has no
// branch per style.
#include "menuctl/engine/Enums.h"
#include "platform/win/WinTypes.h"
#include <QString>

namespace zephalt {

// Image flags: bits 0-3 the mode, bits 4-7 the frame (0x10 sunken, 0x20
// raised, 0x80 checker), 0x100 the grey image of the pair.
namespace imageflag {
constexpr int ModeMask = 0x0F;
constexpr int Sunken = 0x10;
constexpr int Raised = 0x20;
constexpr int Checker = 0x80;
constexpr int Second = 0x100;
} // namespace imageflag

struct CursorRecord {
    platform::win::RECT rect;
    OleColor background = 0;
    int frame = 0; // 0 none, 1 sunken, 2 raised, 3 focus rectangle
};

struct ImageRecord {
    platform::win::RECT rect;
    OleColor pattern = 0;
    OleColor tint = 0;
    int index = 0; // image list index, 0 = none
    int flags = 0;
};

struct TextRecord {
    platform::win::RECT rect;
    OleColor background = 0;
    OleColor colour = 0;
    int flags = 0;
};

struct ItemPlan {
    QString plan;
    CursorRecord cursor;
    ImageRecord image;
    TextRecord text;
};

// What the item is and how it is shown.
struct ItemFacts {
    platform::win::RECT rcItem;
    unsigned itemState = 0; // ODS_ bits
    unsigned fType = 0;     // MFT_ bits of the native item
    int checkedIndex = 0;
    int uncheckedIndex = 0;
    int group = zxGS_Nothing;
};

// The control's values the plan uses.
struct PlanSettings {
    int cursorStyle = zxCS_Normal;
    int imageWidth = 16;
    int imageHeight = 16;
    int edgeWidth = 2;
    int edgeHeight = 2;
    int standardCheck = 9;
    int standardRadio = 15;
    int standardCount = 20;
    OleColor menuBar = SystemColour(4);
    OleColor menuText = SystemColour(7);
    OleColor highlight = SystemColour(13);
    OleColor highlightText = SystemColour(14);
    OleColor hotSelectText = 255;
};

// The check column's image: index and starting flags.
struct ImageChoice {
    int index = 0;
    int flags = 0;
};
ImageChoice chooseImage(const ItemFacts& item, const PlanSettings& settings);

ItemPlan planItem(const ItemFacts& item, const PlanSettings& settings);

} // namespace zephalt
