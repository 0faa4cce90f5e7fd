#include "menuctl/design/PageRules.h"

#include "menuctl/engine/Enums.h"
#include "menuctl/engine/PixelRules.h"
#include <array>

namespace zephalt::pages {

namespace {

constexpr int RoundFlag = 64;
constexpr int NoMaskEntry = 5;
constexpr int PictureOption = 5;
// Position entries of the separator picture and the styles they stand for.
constexpr std::array<int, 5> separatorPictureStyles{zxSS_PictFill, zxSS_PictStretch, zxSS_PictLeft,
                                                    zxSS_PictCenter, zxSS_PictRight};
constexpr std::array<int, 11> positionFillStyles{5, 7, 6, 13, 15, 14, 9, 11, 10, 0, 16};

// A number as the pages read typed text: blanks around it allowed, a
// fraction rounded halves to even; nothing for anything else.
std::optional<int> numberIn(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || value < -1e9 || value > 1e9) {
        return std::nullopt;
    }
    return roundHalfEven(value);
}

} // namespace

GeneralCheck checkImageSizes(const QString& heightText, const QString& widthText) {
    const std::optional<int> height = numberIn(heightText);
    if (!height) {
        return {std::nullopt, QStringLiteral("イメージ高さの値が認識できません。")};
    }
    if (*height < 8 || *height > 64) {
        return {std::nullopt,
                QStringLiteral("イメージ高さの値が異常です。８～６４の範囲で入力してください。")};
    }
    const std::optional<int> width = numberIn(widthText);
    if (!width) {
        return {std::nullopt, QStringLiteral("イメージ幅の値が認識できません。")};
    }
    if (*width < 8 || *width > 64) {
        return {std::nullopt,
                QStringLiteral("イメージ幅の値が異常です。８～６４の範囲で入力してください。")};
    }
    return {ImageSizes{*height, *width}, {}};
}

int maskModeFromPage(int entry, bool borderOnly) {
    return entry + (borderOnly && entry != NoMaskEntry ? RoundFlag : 0);
}

MaskShown maskModeOnPage(int maskMode) {
    if (maskMode & RoundFlag) {
        return {maskMode - RoundFlag, true};
    }
    return {maskMode, false};
}

int separatorStyleFromPage(int option, int positionEntry) {
    if (option < PictureOption) {
        return option;
    }
    if (positionEntry < 0 || positionEntry >= int(separatorPictureStyles.size())) {
        positionEntry = 0;
    }
    return separatorPictureStyles[std::size_t(positionEntry)];
}

SeparatorShown separatorStyleOnPage(int style) {
    if (style < PictureOption) {
        return {style < 0 ? 0 : style, 0};
    }
    for (std::size_t entry = 0; entry < separatorPictureStyles.size(); ++entry) {
        if (separatorPictureStyles[entry] == style) {
            return {PictureOption, int(entry)};
        }
    }
    return {PictureOption, 0}; // a higher value tiles, as "敷き詰め"
}

int backStyleFromPage(int option, bool horizontal, bool rainbow) {
    switch (option) {
    case 1:
        return (horizontal ? 1 : 0) | (rainbow ? 2 : 0);
    case 2:
        return zxBG_Color;
    case 3:
        return zxBG_Picture;
    default:
        return zxBG_Hide;
    }
}

BackShown backStyleOnPage(int backStyle) {
    switch (backStyle) {
    case zxBG_Color:
        return {2, false, false};
    case zxBG_Picture:
        return {3, false, false};
    case zxBG_Hide:
        return {0, false, false};
    default:
        return {1, (backStyle & 1) != 0, (backStyle & 2) != 0};
    }
}

int fillStyleFromPosition(int option) {
    if (option < 0 || option >= int(positionFillStyles.size())) {
        return -1;
    }
    return positionFillStyles[std::size_t(option)];
}

int positionOfFillStyle(int fillStyle) {
    for (std::size_t option = 0; option < positionFillStyles.size(); ++option) {
        if (positionFillStyles[option] == fillStyle) {
            return int(option);
        }
    }
    return -1;
}

int breakModeFromPage(int entry) {
    return entry + 1;
}

int breakEntryOnPage(int breakMode) {
    return breakMode < 2 ? 0 : breakMode - 1;
}

int insertionRow(const std::vector<int>& positions, int position) {
    for (std::size_t row = 0; row < positions.size(); ++row) {
        if (positions[row] > position) {
            return int(row);
        }
    }
    return int(positions.size());
}

} // namespace zephalt::pages
