// Placement arithmetic of title bar pictures and captions and of separators.
#include "menuctl/engine/BarLayout.h"
#include <gtest/gtest.h>

using namespace zephalt;

TEST(BarLayout, PicturesAndCaptionsFollowTheFillBits) {
    // Bar 20 × 100, picture 16 × 16.
    EXPECT_EQ(placePicture(zxFS_Left | zxFS_Top, 20, 100, 16, 16, false), QPoint(0, 0));
    EXPECT_EQ(placePicture(zxFS_Right | zxFS_Bottom, 20, 100, 16, 16, false), QPoint(4, 84));
    EXPECT_EQ(placePicture(zxFS_Center | zxFS_VCenter, 20, 100, 16, 16, false), QPoint(2, 42));
    EXPECT_EQ(placePicture(zxFS_Center | zxFS_Top, 20, 100, 16, 16, true), QPoint(2, 2));
    EXPECT_EQ(placePicture(zxFS_Center | zxFS_Bottom, 20, 100, 16, 16, true), QPoint(2, 83));
    // Tiles reach one step past the far edges, which clipping cuts.
    const auto tiles = tilePositions(20, 40, 16, 16);
    EXPECT_EQ(tiles.size(), 2u * 3u);
    EXPECT_EQ(tiles.back(), QPoint(16, 32));
    EXPECT_TRUE(tilePositions(20, 40, 0, 16).empty());
    // The default caption fill (11): at the bottom, centred across the bar;
    // fill and stretch give the same.
    EXPECT_EQ(captionTextPosition(11, 20, 100, 60, 12), QPoint(4, 39));
    EXPECT_EQ(captionTextPosition(zxFS_Fill, 20, 100, 60, 12), QPoint(4, 39));
    EXPECT_EQ(captionTextPosition(zxFS_Stretch, 20, 100, 60, 12), QPoint(4, 39));
    EXPECT_EQ(captionTextPosition(zxFS_Left | zxFS_Top, 20, 100, 60, 12), QPoint(0, 2));
    EXPECT_EQ(captionTextPosition(zxFS_Right | zxFS_VCenter, 20, 100, 60, 12), QPoint(8, 20));
}

TEST(BarLayout, SeparatorLinesAndPictures) {
    // Item 10 high from 30 with edges of 2: styles 1-4 at 33, style 0 at 35.
    EXPECT_EQ(separatorLineTop(30, 40, 2), 33);
    EXPECT_EQ(solidSeparatorTop(30, 40, 2), 35);
    EXPECT_EQ(separatorSegments(zxSS_Normal, 3, 50), (std::vector<Segment>{{3, 50}}));
    EXPECT_EQ(separatorSegments(zxSS_Dot, 0, 16),
              (std::vector<Segment>{{0, 2}, {8, 10}, {16, 18}}));
    EXPECT_EQ(separatorSegments(zxSS_DashDotDot, 0, 18),
              (std::vector<Segment>{{0, 6}, {9, 11}, {14, 16}}));
    EXPECT_EQ(separatorSegments(zxSS_DashDot, 0, 14).size(), 4u);
    EXPECT_EQ(separatorPictureLefts(zxSS_PictRight, 0, 100, 30), std::vector<int>{70});
    EXPECT_EQ(separatorPictureLefts(zxSS_PictCenter, 0, 100, 30), std::vector<int>{35});
    EXPECT_EQ(separatorPictureLefts(zxSS_PictFill, 0, 100, 40), (std::vector<int>{0, 40, 80}));
    EXPECT_EQ(separatorPictureLefts(zxSS_PictFill, 0, 3, 0), (std::vector<int>{0, 1, 2, 3}));
}
