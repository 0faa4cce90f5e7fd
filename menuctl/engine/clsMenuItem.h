#pragma once
// One menu item the control has seen or the host configured: what is shown
// and measured, the queued changes, the check-column image pairs, the item
// picture and the one-shot requests for the next opening of its popup.
#include "menuctl/engine/Enums.h"
#include "menuctl/engine/IconPixels.h"
#include <QString>
#include <array>
#include <optional>

namespace zephalt {

class clsImageList;

class clsMenuItem {
public:
    // Hidden fields that the control's own code sets.
    OleColor ParentMaskColor = SystemColour(4);
    int ParentMaskMode = zxMM_Value;
    clsImageList* ParentImageList = nullptr;
    QString CaptionDsp;
    QString ShortCutDsp;
    bool Changed = true;
    QString ItemName;
    int TitleBarIndex = -1;
    int CheckedIndex = 0;
    int UnCheckedIndex = 0;
    bool TitleBarFlag = true;
    int BreakMode = 0;
    bool RadioFlag = false;
    int Group = zxGS_Nothing;

    const QString& Caption() const { return CaptionDsp; }
    void setCaption(const QString& caption);
    const QString& CaptionQue() const { return queuedCaption_; }
    const QString& ShortCut() const { return ShortCutDsp; }
    void setShortCut(const QString& shortcut);
    const QString& ShortCutQue() const { return queuedShortcut_; }

    bool Bold() const { return bold_; }
    void setBold(bool value);
    bool Italic() const { return italic_; }
    void setItalic(bool value);
    bool UnderLine() const { return underline_; }
    void setUnderLine(bool value);
    int SeparatorStyle() const { return separatorStyle_; }
    void setSeparatorStyle(int value);

    // Gives the item a check-column image of its checked or unchecked state:
    // the first image makes the pair (the image and its grey copy), later
    // ones replace the pair's image at Index (0 or 1). An invalid icon changes
    // nothing.
    void setCheckedIcon(const IconPixels& icon, int Index = 0);
    void setUnCheckedIcon(const IconPixels& icon, int Index = 0);
    // The item picture [0] and its alternate [1] (by default the grey copy).
    const std::optional<IconPixels>& ItemIcon(int Index) const;
    void setItemIcon(const std::optional<IconPixels>& icon, int Index = 0);

    // Sets or removes one of the item's pictures (kind: zxMenuItem) as the
    // host's picture properties do. No picture (nullopt) removes it; a
    // picture that could not be converted (not valid) is refused, and false
    // tells the caller to say so ("ピクチャデータが異常です。"). A removed
    // check-column pair stays in the list and is taken again by the next
    // picture. Does not mark the item changed.
    bool SetImage(const std::optional<IconPixels>& picture, int kind, int Index = 0);

    // Which images were given explicitly: 0, 1 checked image and alternate;
    // 2, 3 unchecked; 4, 5 item picture. False for any other index.
    bool IsRegist(int Index) const;
    void setRegist(int Index, bool value);

private:
    void setPairIcon(int& pairIndex, int firstFlag, const IconPixels& icon, int Index);
    bool setPairImage(int& pairIndex, int firstFlag, const std::optional<IconPixels>& picture,
                      int Index);

    bool bold_ = false;
    bool italic_ = false;
    bool underline_ = false;
    int separatorStyle_ = zxSS_Normal;
    QString queuedCaption_;
    QString queuedShortcut_;
    std::array<std::optional<IconPixels>, 2> itemIcons_;
    std::array<bool, 6> registered_{};
};

} // namespace zephalt
