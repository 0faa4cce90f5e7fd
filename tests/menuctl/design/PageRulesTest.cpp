// The property pages' translations between what is shown and what is stored.
#include "menuctl/design/PageRules.h"
#include <gtest/gtest.h>

using namespace zephalt::pages;

TEST(PageRules, ImageSizesAreCheckedHeightFirstWithinEightToSixtyFour) {
    EXPECT_EQ(checkImageSizes(QStringLiteral("abc"), QStringLiteral("16")).problem,
              QStringLiteral("イメージ高さの値が認識できません。"));
    // The height is judged before the width, whatever is wrong with the width.
    EXPECT_EQ(checkImageSizes(QStringLiteral("7"), QStringLiteral("abc")).problem,
              QStringLiteral("イメージ高さの値が異常です。８～６４の範囲で入力してください。"));
    EXPECT_FALSE(checkImageSizes(QStringLiteral("65"), QStringLiteral("16")).sizes);
    EXPECT_EQ(checkImageSizes(QStringLiteral("16"), QStringLiteral("")).problem,
              QStringLiteral("イメージ幅の値が認識できません。"));
    EXPECT_EQ(checkImageSizes(QStringLiteral("16"), QStringLiteral("65")).problem,
              QStringLiteral("イメージ幅の値が異常です。８～６４の範囲で入力してください。"));
    EXPECT_FALSE(checkImageSizes(QStringLiteral("16"), QStringLiteral("7")).sizes);
    const GeneralCheck edges = checkImageSizes(QStringLiteral(" 8 "), QStringLiteral("64"));
    ASSERT_TRUE(edges.sizes);
    EXPECT_EQ(edges.sizes->height, 8);
    EXPECT_EQ(edges.sizes->width, 64);
    EXPECT_TRUE(edges.problem.isEmpty());
}

TEST(PageRules, ShownAndStoredValuesTranslateBothWays) {
    // "周囲のみ" means nothing without a mask: "なし" stays 5, not 69.
    EXPECT_EQ(maskModeFromPage(5, true), 5);
    EXPECT_EQ(maskModeFromPage(1, true), 65);
    EXPECT_EQ(maskModeOnPage(65).entry, 1);
    EXPECT_TRUE(maskModeOnPage(65).borderOnly);
    EXPECT_FALSE(maskModeOnPage(5).borderOnly);

    EXPECT_EQ(backStyleFromPage(1, true, true), 3);
    EXPECT_EQ(backStyleFromPage(0, true, true), 6);
    for (int style = 0; style <= 6; ++style) {
        const BackShown shown = backStyleOnPage(style);
        EXPECT_EQ(backStyleFromPage(shown.option, shown.horizontal, shown.rainbow), style);
    }
    for (int style = 0; style <= 9; ++style) {
        const SeparatorShown shown = separatorStyleOnPage(style);
        EXPECT_EQ(separatorStyleFromPage(shown.option, shown.positionEntry), style);
    }
    EXPECT_EQ(separatorStyleOnPage(7).positionEntry, 3); // "中寄せ"
    // The grid: top row 5, 7, 6; bottom centre 11 (the caption's default).
    EXPECT_EQ(fillStyleFromPosition(1), 7);
    EXPECT_EQ(positionOfFillStyle(11), 7);
    EXPECT_EQ(positionOfFillStyle(16), 10);
    EXPECT_EQ(positionOfFillStyle(12), -1);
    EXPECT_EQ(breakEntryOnPage(0), 0);
    EXPECT_EQ(breakEntryOnPage(3), 2);
    EXPECT_EQ(breakModeFromPage(2), 3);
    EXPECT_EQ(insertionRow({1, 4, 9}, 5), 2);
    EXPECT_EQ(insertionRow({1, 4, 9}, 12), 3);
}
