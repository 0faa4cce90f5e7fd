#pragma once
// Where a title bar's pictures and caption go and where a separator's lines
// and pictures go: the arithmetic of placement, apart from any drawing.
#include "menuctl/engine/Enums.h"
#include <QPoint>
#include <vector>

namespace zephalt {

// A picture of w × h placed once on a bar of barW × barH by a fill style's
// bits. Caption pictures sit 2 pixels from the top and 1 above the bottom.
QPoint placePicture(int fillStyle, int barW, int barH, int w, int h, bool caption);
// Tiles from (0, 0) in steps of the picture's size while x ≤ barW and y ≤ barH.
std::vector<QPoint> tilePositions(int barW, int barH, int w, int h);
// The reference point of a rotated caption text whose measured size is
// (tw, th): the text runs along the bar, so th spans its width.
QPoint captionTextPosition(int fillStyle, int barW, int barH, int tw, int th);

// A piece of an etched separator line, from left to right inclusive.
struct Segment {
    int left;
    int right;
    friend bool operator==(const Segment&, const Segment&) = default;
};
// The top of the line of separator styles 1 to 4 in an item from top to bottom.
int separatorLineTop(int top, int bottom, int edgeHeight);
// The top of the one line of style 0.
int solidSeparatorTop(int top, int bottom, int edgeHeight);
// The pieces of styles 1 to 4 across left..right; style 0 is one piece.
std::vector<Segment> separatorSegments(int style, int left, int right);
// Where separator pictures (styles 5 to 9) go: the x positions of each copy.
std::vector<int> separatorPictureLefts(int style, int left, int right, int w);

} // namespace zephalt
