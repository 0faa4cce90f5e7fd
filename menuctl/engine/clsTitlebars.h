#pragma once
// The control's keyed list of title bars, one per converted popup, found by
// the popup's name. Index 0 is the default title bar: never matched by name,
// never removed, and it keeps its own menu style.
#include "menuctl/engine/MakeItemKey.h"
#include "menuctl/engine/clsTitlebar.h"
#include <memory>
#include <vector>

namespace zephalt {

class clsMenuItems;

class clsTitlebars {
public:
    // The title bar whose MenuName is the key, or a new one with the list's
    // defaults.
    clsTitlebar& Item(const ItemName& name);
    clsTitlebar* ItemEx(int Index); // null outside 0..Count-1
    // Removes the title bar of that name and moves the later ones down. The
    // items' title bar indexes follow: items of the removed bar go back to
    // "not assigned" (-1) and later indexes move down with their bars.
    void Remove(const ItemName& name);
    int Count() const { return static_cast<int>(bars_.size()); }
    int ListIndex = -1;
    int NewIndex = -1;
    // The items whose TitleBarIndex Remove keeps valid.
    clsMenuItems* ParentMenuItems = nullptr;

    platform::win::HWND hWnd() const { return hWnd_; }
    void sethWnd(platform::win::HWND hwnd) { hWnd_ = hwnd; }
    OleColor MenuBar() const { return menuBar_; }
    void setMenuBar(OleColor colour);
    OleColor HotSelectText() const { return hotSelectText_; }
    void setHotSelectText(OleColor colour);
    void setCursorStyle(int style);
    void setMaskColor(OleColor colour);
    void setMaskMode(int mode);

private:
    std::vector<std::unique_ptr<clsTitlebar>> bars_;
    platform::win::HWND hWnd_ = 0;
    OleColor menuBar_ = SystemColour(4);
    OleColor hotSelectText_ = 255;
    int cursorStyle_ = zxCS_Normal;
    OleColor maskColor_ = SystemColour(4);
    int maskMode_ = zxMM_Value;
};

} // namespace zephalt
