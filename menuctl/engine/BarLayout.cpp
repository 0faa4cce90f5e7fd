#include "menuctl/engine/BarLayout.h"

namespace zephalt {

namespace {

int horizontal(int fillStyle, int room, int size) {
    if ((fillStyle & 3) == 3) {
        return (room - size) / 2;
    }
    return (fillStyle & 2) ? room - size : 0;
}

} // namespace

QPoint placePicture(int fillStyle, int barW, int barH, int w, int h, bool caption) {
    int y = 0;
    if ((fillStyle & 12) == 12) {
        y = (barH - h) / 2;
    } else if (fillStyle & 8) {
        y = caption ? barH - h - 1 : barH - h;
    } else {
        y = caption ? 2 : 0;
    }
    return {horizontal(fillStyle, barW, w), y};
}

std::vector<QPoint> tilePositions(int barW, int barH, int w, int h) {
    std::vector<QPoint> positions;
    if (w < 1 || h < 1) {
        return positions; // a picture without size would never move on
    }
    for (int y = 0; y <= barH; y += h) {
        for (int x = 0; x <= barW; x += w) {
            positions.emplace_back(x, y);
        }
    }
    return positions;
}

QPoint captionTextPosition(int fillStyle, int barW, int barH, int tw, int th) {
    if (fillStyle == zxFS_Fill || fillStyle == zxFS_Stretch) {
        return {(barW - th) / 2, barH - tw - 1};
    }
    int y = 2;
    if ((fillStyle & 12) == 12) {
        y = (barH - tw) / 2;
    } else if (fillStyle & 8) {
        y = barH - tw - 1;
    }
    return {horizontal(fillStyle, barW, th), y};
}

int separatorLineTop(int top, int bottom, int edgeHeight) {
    return top + (bottom - top - edgeHeight) / 2 - 1;
}

int solidSeparatorTop(int top, int bottom, int edgeHeight) {
    const int y = separatorLineTop(top, bottom, edgeHeight);
    return y + (bottom - y) / 2 - 1;
}

std::vector<Segment> separatorSegments(int style, int left, int right) {
    std::vector<Segment> pieces;
    struct Pattern {
        int step;
        std::vector<Segment> parts;
    };
    Pattern pattern;
    switch (style) {
    case zxSS_Dot:
        pattern = {8, {{0, 2}}};
        break;
    case zxSS_Dash:
        pattern = {8, {{0, 4}}};
        break;
    case zxSS_DashDot:
        pattern = {14, {{0, 6}, {9, 11}}};
        break;
    case zxSS_DashDotDot:
        pattern = {19, {{0, 6}, {9, 11}, {14, 16}}};
        break;
    default:
        return {{left, right}};
    }
    for (int x = left; x <= right; x += pattern.step) {
        for (const Segment& part : pattern.parts) {
            pieces.push_back({x + part.left, x + part.right});
        }
    }
    return pieces;
}

std::vector<int> separatorPictureLefts(int style, int left, int right, int w) {
    switch (style) {
    case zxSS_PictLeft:
    case zxSS_PictStretch:
        return {left};
    case zxSS_PictRight:
        return {right - w};
    case zxSS_PictCenter:
        return {left + (right - left - w) / 2};
    default:
        break;
    }
    std::vector<int> lefts;
    const int step = w > 0 ? w : 1;
    for (int x = left; x <= right; x += step) {
        lefts.push_back(x);
    }
    return lefts;
}

} // namespace zephalt
