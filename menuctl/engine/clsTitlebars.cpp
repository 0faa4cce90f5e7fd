#include "menuctl/engine/clsTitlebars.h"
#include "menuctl/engine/clsMenuItems.h"

namespace zephalt {

clsTitlebar& clsTitlebars::Item(const ItemName& name) {
    const QString key = MakeItemKey(name);
    for (std::size_t i = 0; i < bars_.size(); ++i) {
        if (bars_[i]->MenuName == key) {
            ListIndex = static_cast<int>(i);
            NewIndex = -1;
            return *bars_[i];
        }
    }
    auto bar = std::make_unique<clsTitlebar>();
    bar->hWnd = hWnd_;
    bar->ParentMaskColor = maskColor_;
    bar->ParentMaskMode = maskMode_;
    bar->MenuBar = menuBar_;
    bar->HotSelectText = hotSelectText_;
    bar->CursorStyle = cursorStyle_;
    bar->MenuName = key;
    bars_.push_back(std::move(bar));
    ListIndex = NewIndex = Count() - 1;
    return *bars_.back();
}

clsTitlebar* clsTitlebars::ItemEx(int Index) {
    if (Index < 0 || Index >= Count()) {
        return nullptr;
    }
    ListIndex = Index;
    return bars_[static_cast<std::size_t>(Index)].get();
}

void clsTitlebars::Remove(const ItemName& name) {
    const QString key = MakeItemKey(name);
    // The default title bar (index 0) stays: every popup falls back on it.
    for (std::size_t i = 1; i < bars_.size(); ++i) {
        if (bars_[i]->MenuName != key) {
            continue;
        }
        const int removed = static_cast<int>(i);
        bars_.erase(bars_.begin() + removed);
        if (ParentMenuItems != nullptr) {
            for (int at = 0; at < ParentMenuItems->Count(); ++at) {
                clsMenuItem* item = ParentMenuItems->ItemEx(at);
                if (item->TitleBarIndex == removed) {
                    item->TitleBarIndex = -1;
                } else if (item->TitleBarIndex > removed) {
                    --item->TitleBarIndex;
                }
            }
        }
        return;
    }
}

void clsTitlebars::setMenuBar(OleColor colour) {
    if (colour == menuBar_) {
        return;
    }
    menuBar_ = colour;
    for (const auto& bar : bars_) {
        bar->MenuBar = colour;
    }
}

void clsTitlebars::setHotSelectText(OleColor colour) {
    hotSelectText_ = colour;
    for (const auto& bar : bars_) {
        bar->HotSelectText = colour;
    }
}

void clsTitlebars::setCursorStyle(int style) {
    cursorStyle_ = style;
    for (std::size_t i = 1; i < bars_.size(); ++i) {
        bars_[i]->CursorStyle = style;
    }
}

void clsTitlebars::setMaskColor(OleColor colour) {
    maskColor_ = colour;
    for (const auto& bar : bars_) {
        bar->ParentMaskColor = colour;
    }
}

void clsTitlebars::setMaskMode(int mode) {
    maskMode_ = mode;
    for (const auto& bar : bars_) {
        bar->ParentMaskMode = mode;
    }
}

} // namespace zephalt
