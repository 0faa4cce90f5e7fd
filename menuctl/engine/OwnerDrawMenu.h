#pragma once
// The owner-draw menu control: a thin object that owns the item list, the
// title bar list and the image list, keeps the control-wide properties, and
// at run time puts its window procedure in front of the host window's, handing
// each menu message to the procedure of its own file (conversion, selection,
// menu characters, size limits; measuring and drawing).
#include "menuctl/engine/AnsiTexts.h"
#include "menuctl/engine/Enums.h"
#include "menuctl/engine/MakeItemKey.h"
#include "menuctl/engine/clsImageList.h"
#include "menuctl/engine/clsMenuItems.h"
#include "menuctl/engine/clsTitlebars.h"
#include "platform/forms/Control.h"
#include "platform/forms/FontObject.h"
#include "platform/win/WinTypes.h"
#include <functional>
#include <memory>
#include <optional>

namespace zephalt {

// The window property that leads the hook to its control while it is installed.
inline const QString ControlProperty = QStringLiteral("zxCtrlPtr");
inline const QString ClassName = QStringLiteral("OwnerDrawMenu");

class OwnerDrawMenu final : public platform::forms::Control {
public:
    OwnerDrawMenu();
    ~OwnerDrawMenu() override;
    OwnerDrawMenu(const OwnerDrawMenu&) = delete;
    OwnerDrawMenu& operator=(const OwnerDrawMenu&) = delete;

    // The form engine's life events: reading stored properties (and hooking
    // at run time), a new instance placed, saving, and the end.
    void initialize(platform::forms::ControlSite& site) override;
    void initializeNew(platform::forms::ControlSite& site) override;
    void writeProperties(platform::forms::PropertyBag& bag) override;
    void terminate() override;
    // Design time (DesignLook.cpp): a fixed extent and a raised edge.
    QSize designExtent(QSize proposedTwips) override;
    void paintDesign(platform::win::HDC dc, const platform::win::RECT& bounds) override;
    // "全般", "メニュー項目" and "タイトルバー".
    std::vector<platform::forms::PropertyPageFactory> propertyPages() const override;

    // The window procedure body; never throws.
    platform::win::LRESULT WindowProc(platform::win::HWND hWnd, platform::win::UINT Msg,
                                      platform::win::WPARAM wParam, platform::win::LPARAM lParam);

    // Properties.
    int CursorStyle() const { return cursorStyle_; }
    void setCursorStyle(int style); // 0..5, others ignored
    const platform::forms::FontObject& Font() const { return font_; }
    void setFont(const platform::forms::FontObject& font);
    OleColor HotSelectText() const { return titleBars_.HotSelectText(); }
    void setHotSelectText(OleColor colour);
    int ImageHeight() const { return imageHeight_; }
    void setImageHeight(int height);
    int ImageWidth() const { return imageWidth_; }
    void setImageWidth(int width);
    OleColor MaskColor() const { return maskColor_; }
    void setMaskColor(OleColor colour);
    int MaskMode() const { return maskMode_; }
    void setMaskMode(int mode);
    OleColor MenuBar() const { return titleBars_.MenuBar(); }
    void setMenuBar(OleColor colour);
    clsMenuItems& MenuItems() { return menuItems_; }
    clsTitlebars& TitleBars() { return titleBars_; }
    clsImageList& ImageList() { return imageList_; }
    QString Version() const;
    OleColor MenuText = SystemColour(7);
    OleColor Highlight = SystemColour(13);
    OleColor HighlightText = SystemColour(14);
    bool SystemMenu = false;
    // While stored properties are read, setters tell the host nothing.
    bool suppressChanges = false;

    // Methods.
    int ChangeShortCutKey(const ItemName& itemName, int shortCutKey);
    void BreakItem(const ItemName& menuItem, int breakMode);
    void GroupItem(const ItemName& startItem, const std::optional<ItemName>& endItem,
                   int group = zxGS_Check);
    void RadioItem(const ItemName& startItem, const ItemName& endItem, const ItemName& checkItem);
    void RaiseChangeProperty(const QString& name);
    // An item's picture set as the host's picture properties do; a picture
    // that could not be converted is reported with "ピクチャデータが異常です。".
    void SetItemImage(const ItemName& itemName, const std::optional<IconPixels>& picture, int kind,
                      int Index = 0);
    void ShowAboutDialog();

    // Hidden host description (CheckHost) and state.
    platform::forms::ControlSite* ParentForm() const { return site_; }
    bool IsEXE = false;
    int HostVersion = 5;
    int StructOffset = 196;
    void CheckHost();
    void adjustHostForFont(); // the step of CheckHost that follows the menu font
    // Loads the menu font's faces (upright and vertical) before first use.
    void PrepareFont();
    int EdgeWidth = 2;
    int EdgeHeight = 2;
    int StandardCheckIndex = 0;
    int StandardRadioIndex = 0;
    int StandardImageCount = 0;
    platform::win::HWND hostWindow() const { return hostWindow_; }
    platform::win::LONG_PTR previousProc() const { return previousProc_; }
    bool hooked() const { return previousProc_ != 0; }

    // The host's menu control whose sub-menu (byHandle) or command identifier
    // is value; null if none.
    platform::forms::MenuControl* FindMenuControl(std::int64_t value, bool byHandle) const;
    // The host's menu control with this key; null if none.
    platform::forms::MenuControl* findMenuControlByKey(const QString& key) const;
    // Put the hook in front of the host window's procedure (run time only).
    void installHook();
    // Makes the built-in images (pairs 1 to 10) once the image size is known.
    void MakeStandardImages();
    // The texts drawn so far, in code page 932.
    AnsiTexts& ansiTexts() { return ansiTexts_; }

private:
    bool imageSizeMayChange() const;
    void unhook();
    void walkGroup(const ItemName& startItem, const std::optional<ItemName>& endItem,
                   const std::function<void(platform::forms::MenuControl&, clsMenuItem&)>& visit);

    platform::forms::ControlSite* site_ = nullptr;
    platform::win::HWND hostWindow_ = 0;
    platform::win::LONG_PTR previousProc_ = 0;
    clsImageList imageList_;
    clsMenuItems menuItems_;
    clsTitlebars titleBars_;
    int cursorStyle_ = zxCS_Normal;
    platform::forms::FontObject font_;
    int imageHeight_ = 16;
    int imageWidth_ = 16;
    OleColor maskColor_ = SystemColour(4);
    int maskMode_ = zxMM_Value;
    AnsiTexts ansiTexts_;
};

} // namespace zephalt
