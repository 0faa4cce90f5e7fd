#pragma once
// The settings of one converted popup: its menu style and colours, and the
// side bar painted down its first column (background, caption). Changing a
// visual setting marks the bar to be rendered again (Make).
#include "menuctl/engine/BarCanvas.h"
#include "menuctl/engine/Enums.h"
#include "menuctl/engine/IconPixels.h"
#include "platform/forms/FontObject.h"
#include "platform/win/WinTypes.h"
#include <QString>
#include <array>
#include <optional>

namespace zephalt {

class clsTitlebar {
public:
    clsTitlebar();

    // Hidden fields that the control's own code sets.
    bool Make = true;
    bool Draw = true;
    QString MenuName;
    platform::win::HMENU MenuHandle = 0;
    int Height = 0;
    OleColor MenuBar = SystemColour(4);
    OleColor HotSelectText = 255;
    int CursorStyle = zxCS_Normal;
    platform::win::HWND hWnd = 0;
    OleColor ParentMaskColor = SystemColour(4);
    int ParentMaskMode = zxMM_Value;

    // The popup's height from its items' rectangles on the host window; only
    // when the bar is to be rendered again (Make).
    void CalcHeight();
    // Renders the bar (background, then caption) into hDC at Width × Height,
    // only when a setting changed (Make); a hidden bar renders nothing.
    void MakeBar();
    // The memory context that holds the rendered bar.
    platform::gdi::HDC hDC() { return canvas_.dc(width_); }

    // Index 0 the gradient's start (or the flat colour), 1 its end; any other
    // index fails with runtime error 9.
    OleColor BackColor(int Index) const;
    void setBackColor(int Index, OleColor colour);
    int BackFillStyle() const { return backFillStyle_; }
    void setBackFillStyle(int value);
    int BackStyle() const { return backStyle_; }
    void setBackStyle(int value);
    const QString& Caption() const { return caption_; }
    void setCaption(const QString& value);
    OleColor CaptionColor() const { return captionColour_; }
    void setCaptionColor(OleColor value);
    int CaptionFillStyle() const { return captionFillStyle_; }
    void setCaptionFillStyle(int value);
    int CaptionStyle() const { return captionStyle_; }
    void setCaptionStyle(int value);
    const platform::forms::FontObject& Font() const { return font_; }
    void setFont(const platform::forms::FontObject& value); // always marks the bar
    int Width() const { return width_; }
    void setWidth(int value);

    const std::optional<IconPixels>& BackPicture() const { return backPicture_; }
    void setBackPicture(const std::optional<IconPixels>& picture);
    const std::optional<IconPixels>& CaptionPicture() const { return captionPicture_; }
    void setCaptionPicture(const std::optional<IconPixels>& picture);

    // Sets the background (zxTB_BackPicture) or caption picture and switches
    // the bar to show it; a picture that could not be converted leaves none,
    // silently.
    void SetImage(const std::optional<IconPixels>& picture, int kind);

private:
    template <typename T> void change(T& field, const T& value);

    int width_;
    int backStyle_ = zxBG_Hide;
    std::array<OleColor, 2> backColours_;
    int backFillStyle_ = zxFS_Fill;
    int captionStyle_ = zxCP_Nothing;
    OleColor captionColour_ = SystemColour(9);
    int captionFillStyle_ = 11;
    QString caption_;
    platform::forms::FontObject font_;
    std::optional<IconPixels> backPicture_;
    std::optional<IconPixels> captionPicture_;
    BarCanvas canvas_;
};

} // namespace zephalt
