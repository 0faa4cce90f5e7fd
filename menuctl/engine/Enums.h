#pragma once
// The control's enumerations, with the values its stored properties and its
// host programs rely on.
#include <cstdint>

namespace zephalt {

// An OLE colour: an RGB value 0x00BBGGRR, or 0x80000000 plus a system colour index.
using OleColor = std::uint32_t;
constexpr OleColor SystemColour(int index) {
    return 0x80000000u | static_cast<OleColor>(index);
}

enum zxCursorStyle : int {
    zxCS_Normal = 0,
    zxCS_StartMenu = 1,
    zxCS_IconMenu = 2,
    zxCS_CoolBar = 3,
    zxCS_HotSelect = 4,
    zxCS_ListView = 5,
};

enum zxMaskMode : int {
    zxMM_Value = 0,
    zxMM_LTPixel = 1,
    zxMM_RTPixel = 2,
    zxMM_LBPixel = 3,
    zxMM_RBPixel = 4,
    zxMM_Nothing = 5,
    zxMM_Round = 64,
};

enum zxSeparatorStyle : int {
    zxSS_Normal = 0,
    zxSS_Dot = 1,
    zxSS_Dash = 2,
    zxSS_DashDot = 3,
    zxSS_DashDotDot = 4,
    zxSS_PictLeft = 5,
    zxSS_PictRight = 6,
    zxSS_PictCenter = 7,
    zxSS_PictStretch = 8,
    zxSS_PictFill = 9,
};

// 0 means no request.
enum zxBreakStyle : int {
    zxBS_Nothing = 1,
    zxBS_Break = 2,
    zxBS_BarBreak = 3,
};

enum zxGroupStyle : int {
    zxGS_Nothing = 0,
    zxGS_Check = 1,
    zxGS_Radio = 2,
};

enum zxMenuItem : int {
    zxMI_CheckedImage = 0,
    zxMI_ItemImage = 1,
    zxMI_UnCheckedImage = 2,
    zxMI_Separator = 3,
};

// Bit 0: horizontal; bit 1: interpolate the hue.
enum zxBackGroundStyle : int {
    zxBG_Normal = 0,
    zxBG_HNormal = 1,
    zxBG_Rainbow = 2,
    zxBG_HRainbow = 3,
    zxBG_Picture = 4,
    zxBG_Color = 5,
    zxBG_Hide = 6,
};

enum zxCaptionStyle : int {
    zxCP_Nothing = 0,
    zxCP_Text = 1,
    zxCP_VText = 2,
    zxCP_Picture = 3,
};

// A bit field: horizontal placement in bits 0-1, vertical in bits 2-3.
enum zxFillStyle : int {
    zxFS_Fill = 0,
    zxFS_Left = 1,
    zxFS_Right = 2,
    zxFS_Center = 3,
    zxFS_Top = 4,
    zxFS_Bottom = 8,
    zxFS_VCenter = 12,
    zxFS_Stretch = 16,
};

enum zxTitleBar : int {
    zxTB_BackPicture = 0,
    zxTB_CaptionPicture = 1,
};

enum imlColorDepth : int {
    cdColorDDB = 254,
    cdColor4 = 4,
    cdColor8 = 8,
    cdColor16 = 16,
    cdColor24 = 24,
    cdColor32 = 32,
};

} // namespace zephalt
