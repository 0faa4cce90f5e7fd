#include "menuctl/engine/clsTitlebar.h"
#include "menuctl/engine/SystemValues.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/win/Menus.h"
#include <algorithm>
#include <climits>

namespace zephalt {

clsTitlebar::clsTitlebar()
    : width_(systemCaptionHeight()), backColours_{SystemColour(2), gradientCaptionColour()},
      font_(systemCaptionFont()) {}

template <typename T> void clsTitlebar::change(T& field, const T& value) {
    if (!(field == value)) {
        field = value;
        Make = true;
    }
}

void clsTitlebar::CalcHeight() {
    if (!Make) {
        return;
    }
    int top = INT_MAX;
    int bottom = INT_MIN;
    const int count = platform::win::GetMenuItemCount(MenuHandle);
    for (int i = 0; i < count; ++i) {
        platform::win::RECT rect;
        if (platform::win::GetMenuItemRect(hWnd, MenuHandle, static_cast<platform::win::UINT>(i),
                                           &rect)) {
            top = std::min(top, rect.top);
            bottom = std::max(bottom, rect.bottom);
        }
    }
    Height = bottom >= top && count > 0 && top != INT_MAX ? bottom - top : 0;
}

void clsTitlebar::SetImage(const std::optional<IconPixels>& picture, int kind) {
    const bool given = picture && picture->isValid();
    if (kind == zxTB_BackPicture) {
        setBackPicture(given ? picture : std::nullopt);
        if (given) {
            setBackStyle(zxBG_Picture);
        }
    } else if (kind == zxTB_CaptionPicture) {
        setCaptionPicture(given ? picture : std::nullopt);
        if (given) {
            setCaptionStyle(zxCP_Picture);
        }
    }
}

OleColor clsTitlebar::BackColor(int Index) const {
    if (Index < 0 || Index > 1) {
        throw platform::RuntimeError(platform::err::SubscriptOutOfRange);
    }
    return backColours_[static_cast<std::size_t>(Index)];
}

void clsTitlebar::setBackColor(int Index, OleColor colour) {
    if (Index < 0 || Index > 1) {
        throw platform::RuntimeError(platform::err::SubscriptOutOfRange);
    }
    change(backColours_[static_cast<std::size_t>(Index)], colour);
}

void clsTitlebar::setBackFillStyle(int value) {
    change(backFillStyle_, value);
}

void clsTitlebar::setBackStyle(int value) {
    change(backStyle_, value);
}

void clsTitlebar::setCaption(const QString& value) {
    change(caption_, value);
}

void clsTitlebar::setCaptionColor(OleColor value) {
    change(captionColour_, value);
}

void clsTitlebar::setCaptionFillStyle(int value) {
    change(captionFillStyle_, value);
}

void clsTitlebar::setCaptionStyle(int value) {
    change(captionStyle_, value);
}

void clsTitlebar::setFont(const platform::forms::FontObject& value) {
    font_ = value;
    Make = true;
}

void clsTitlebar::setWidth(int value) {
    change(width_, value);
}

void clsTitlebar::setBackPicture(const std::optional<IconPixels>& picture) {
    backPicture_ = picture && picture->isValid() ? picture : std::nullopt;
    Make = true;
}

void clsTitlebar::setCaptionPicture(const std::optional<IconPixels>& picture) {
    captionPicture_ = picture && picture->isValid() ? picture : std::nullopt;
    Make = true;
}

} // namespace zephalt
