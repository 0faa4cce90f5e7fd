#include "menuctl/design/Persistence.h"
#include "menuctl/design/IconBytes.h"
#include "menuctl/engine/OwnerDrawMenu.h"
#include "menuctl/engine/SystemValues.h"
#include "platform/forms/FontObject.h"

namespace zephalt {

using platform::forms::FontObject;
using platform::forms::PropertyBag;

namespace {

QVariant colour(OleColor value) {
    return QVariant::fromValue<uint>(value);
}

OleColor readColour(const PropertyBag& bag, const QString& name, OleColor fallback) {
    return static_cast<OleColor>(bag.read(name, colour(fallback)).toUInt());
}

int readInt(const PropertyBag& bag, const QString& name, int fallback) {
    return bag.read(name, fallback).toInt();
}

bool readBool(const PropertyBag& bag, const QString& name, bool fallback) {
    return bag.read(name, fallback).toBool();
}

FontObject readFont(const PropertyBag& bag, const QString& name, const FontObject& fallback) {
    const QVariant value = bag.read(name);
    return value.canConvert<FontObject>() && value.metaType() == QMetaType::fromType<FontObject>()
               ? value.value<FontObject>()
               : fallback;
}

// The names of a list, each followed by one blank; a last name without its
// blank is not part of the list.
QStringList splitNames(const QString& list) {
    QStringList names;
    QString rest = list;
    qsizetype blank = rest.indexOf(u' ');
    while (blank >= 0) {
        names.append(rest.left(blank));
        rest = rest.mid(blank + 1);
        blank = rest.indexOf(u' ');
    }
    return names;
}

QString titleBarKey(const QString& menuName, const char* suffix) {
    return QStringLiteral("TitleBar(") + menuName + u')' + QLatin1String(suffix);
}

void readItem(OwnerDrawMenu& control, const PropertyBag& bag, const QString& name) {
    clsMenuItem& item = control.MenuItems().Item(name);
    item.setBold(readBool(bag, name + QStringLiteral(".Bold"), false));
    item.setItalic(readBool(bag, name + QStringLiteral(".Italic"), false));
    item.setUnderLine(readBool(bag, name + QStringLiteral(".UnderLine"), false));
    item.setSeparatorStyle(readInt(bag, name + QStringLiteral(".SeparatorStyle"), 0));
    item.BreakMode = readInt(bag, name + QStringLiteral(".BreakMode"), zxBS_Nothing);
    item.Group = readInt(bag, name + QStringLiteral(".Group"), zxGS_Nothing);
    for (int i = 0; i <= 1; ++i) {
        const QString index = QStringLiteral("(%1)").arg(i);
        if (auto icon = BytesToIcon(bag.read(name + QStringLiteral(".CheckedIcon") + index))) {
            item.setCheckedIcon(*icon, i);
        }
        if (auto icon = BytesToIcon(bag.read(name + QStringLiteral(".UnCheckedIcon") + index))) {
            item.setUnCheckedIcon(*icon, i);
        }
        item.setItemIcon(BytesToIcon(bag.read(name + QStringLiteral(".ItemIcon") + index)), i);
    }
}

void readTitleBar(OwnerDrawMenu& control, const PropertyBag& bag, const QString& name) {
    clsTitlebar& bar = control.TitleBars().Item(name);
    bar.setBackColor(0, readColour(bag, titleBarKey(name, ".BackColor(0)"), SystemColour(2)));
    bar.setBackColor(1,
                     readColour(bag, titleBarKey(name, ".BackColor(1)"), gradientCaptionColour()));
    bar.setBackFillStyle(readInt(bag, titleBarKey(name, ".BackFillStyle"), zxFS_Fill));
    bar.setBackPicture(BytesToIcon(bag.read(titleBarKey(name, ".BackPicture"))));
    bar.setBackStyle(readInt(bag, titleBarKey(name, ".BackStyle"), zxBG_Hide));
    bar.setCaption(bag.read(titleBarKey(name, ".Caption"), QString()).toString());
    bar.setCaptionColor(readColour(bag, titleBarKey(name, ".CaptionColor"), SystemColour(9)));
    bar.setCaptionFillStyle(readInt(bag, titleBarKey(name, ".CaptionFillStyle"), 20));
    bar.setCaptionPicture(BytesToIcon(bag.read(titleBarKey(name, ".CaptionPicture"))));
    bar.setCaptionStyle(readInt(bag, titleBarKey(name, ".CaptionStyle"), zxCP_Nothing));
    bar.setFont(readFont(bag, titleBarKey(name, ".Font"), control.Font()));
    bar.HotSelectText = readColour(bag, titleBarKey(name, ".HotSelectText"), 255);
    bar.CursorStyle = readInt(bag, titleBarKey(name, ".MenuStyle"), zxCS_Normal);
    bar.setWidth(readInt(bag, titleBarKey(name, ".Width"), 0));
}

void writeItem(OwnerDrawMenu& control, PropertyBag& bag, const clsMenuItem& item) {
    const QString& name = item.ItemName;
    bag.write(name + QStringLiteral(".Bold"), item.Bold(), false);
    bag.write(name + QStringLiteral(".Italic"), item.Italic(), false);
    bag.write(name + QStringLiteral(".UnderLine"), item.UnderLine(), false);
    bag.write(name + QStringLiteral(".SeparatorStyle"), item.SeparatorStyle(), 0);
    if (item.BreakMode > zxBS_Nothing) {
        bag.write(name + QStringLiteral(".BreakMode"), item.BreakMode);
    }
    bag.write(name + QStringLiteral(".Group"), item.Group, 0);
    const clsImageList& images = control.ImageList();
    for (int i = 0; i <= 1; ++i) {
        const QString index = QStringLiteral("(%1)").arg(i);
        auto store = [&](const QString& key, const std::optional<IconPixels>& icon) {
            const QByteArray bytes = icon ? IconToBytes(*icon) : QByteArray();
            if (!bytes.isEmpty()) {
                bag.write(key, bytes);
            }
        };
        if (item.IsRegist(i)) {
            store(name + QStringLiteral(".CheckedIcon") + index,
                  images.GetIcon(item.CheckedIndex + i));
        }
        if (item.IsRegist(i + 2)) {
            store(name + QStringLiteral(".UnCheckedIcon") + index,
                  images.GetIcon(item.UnCheckedIndex + i));
        }
        if (item.IsRegist(i + 4)) {
            store(name + QStringLiteral(".ItemIcon") + index, item.ItemIcon(i));
        }
    }
}

void writeTitleBar(PropertyBag& bag, const clsTitlebar& bar) {
    const QString& name = bar.MenuName;
    bag.write(titleBarKey(name, ".BackColor(0)"), colour(bar.BackColor(0)),
              colour(SystemColour(2)));
    bag.write(titleBarKey(name, ".BackColor(1)"), colour(bar.BackColor(1)),
              colour(gradientCaptionColour()));
    bag.write(titleBarKey(name, ".BackFillStyle"), bar.BackFillStyle(), 0);
    if (bar.BackPicture()) {
        bag.write(titleBarKey(name, ".BackPicture"), IconToBytes(*bar.BackPicture()));
    }
    bag.write(titleBarKey(name, ".BackStyle"), bar.BackStyle(), int{zxBG_Hide});
    bag.write(titleBarKey(name, ".Caption"), bar.Caption(), QString());
    bag.write(titleBarKey(name, ".CaptionColor"), colour(bar.CaptionColor()),
              colour(SystemColour(9)));
    bag.write(titleBarKey(name, ".CaptionFillStyle"), bar.CaptionFillStyle(), 20);
    if (bar.CaptionPicture()) {
        bag.write(titleBarKey(name, ".CaptionPicture"), IconToBytes(*bar.CaptionPicture()));
    }
    bag.write(titleBarKey(name, ".CaptionStyle"), bar.CaptionStyle(), 0);
    bag.write(titleBarKey(name, ".Font"), QVariant::fromValue(bar.Font()));
    bag.write(titleBarKey(name, ".HotSelectText"), colour(bar.HotSelectText), colour(255));
    bag.write(titleBarKey(name, ".MenuStyle"), bar.CursorStyle, 0);
    bag.write(titleBarKey(name, ".Width"), bar.Width(), 0);
}

} // namespace

void InitProperties(OwnerDrawMenu& control) {
    control.CheckHost();
    control.setFont(systemMenuFont());
    control.setImageHeight(16);
    control.setImageWidth(16);
    control.setHotSelectText(255);
    control.setMenuBar(SystemColour(4));
    control.MenuText = SystemColour(7);
    control.Highlight = SystemColour(13);
    control.HighlightText = SystemColour(14);
    control.setMaskColor(SystemColour(4));
    control.setMaskMode(zxMM_Value);
    control.SystemMenu = false;
    platform::forms::ControlSite* site = control.ParentForm();
    if (site == nullptr) {
        return;
    }
    int count = 0;
    for (const auto& hosted : site->containerControls()) {
        count += hosted.className.compare(ClassName, Qt::CaseInsensitive) == 0 ? 1 : 0;
    }
    if (count > 1) {
        site->showMessage(
            QStringLiteral("本コントロールは１つのフォームに１つしか配置できません。\r\n"
                           "２つ以上有る場合、誤動作の原因になります。\r\n"
                           "削除してください。"),
            platform::MsgButtons::Ok, platform::MsgIcon::Critical, QStringLiteral("警告"));
    }
}

void ReadProperties(OwnerDrawMenu& control, const PropertyBag& bag) {
    control.suppressChanges = true;
    control.CheckHost();
    control.setFont(readFont(bag, QStringLiteral("MenuFont"), FontObject{}));
    control.PrepareFont();
    control.adjustHostForFont();
    control.setCursorStyle(readInt(bag, QStringLiteral("CursorStyle"), zxCS_Normal));
    control.setMenuBar(readColour(bag, QStringLiteral("MenuBar"), SystemColour(4)));
    control.setImageHeight(readInt(bag, QStringLiteral("ImageHeight"), 16));
    control.setImageWidth(readInt(bag, QStringLiteral("ImageWidth"), 16));
    control.setMaskColor(readColour(bag, QStringLiteral("MaskColor"), SystemColour(4)));
    control.setMaskMode(readInt(bag, QStringLiteral("MaskMode"), zxMM_Value));
    control.MenuText = readColour(bag, QStringLiteral("MenuText"), SystemColour(7));
    control.Highlight = readColour(bag, QStringLiteral("Highlight"), SystemColour(13));
    control.HighlightText = readColour(bag, QStringLiteral("HighlightText"), SystemColour(14));
    control.SystemMenu = readBool(bag, QStringLiteral("SystemMenu"), false);
    control.TitleBars().sethWnd(control.ParentForm() ? control.ParentForm()->containerWindow() : 0);
    control.TitleBars().setHotSelectText(readColour(bag, QStringLiteral("HotSelectText"), 255));
    control.MakeStandardImages();
    for (const QString& name :
         splitNames(bag.read(QStringLiteral("MenuItemNames"), QString()).toString())) {
        readItem(control, bag, name);
    }
    for (const QString& name :
         splitNames(bag.read(QStringLiteral("TitleBarNames"), QString()).toString())) {
        readTitleBar(control, bag, name);
    }
    control.suppressChanges = false;
    control.installHook();
}

void WriteProperties(OwnerDrawMenu& control, PropertyBag& bag) {
    bag.write(QStringLiteral("ImageHeight"), control.ImageHeight(), 16);
    bag.write(QStringLiteral("ImageWidth"), control.ImageWidth(), 16);
    bag.write(QStringLiteral("HotSelectText"), colour(control.HotSelectText()), colour(255));
    bag.write(QStringLiteral("MenuFont"), QVariant::fromValue(control.Font()));
    bag.write(QStringLiteral("MenuBar"), colour(control.MenuBar()), colour(SystemColour(4)));
    bag.write(QStringLiteral("MenuText"), colour(control.MenuText), colour(SystemColour(7)));
    bag.write(QStringLiteral("Highlight"), colour(control.Highlight), colour(SystemColour(13)));
    bag.write(QStringLiteral("HighlightText"), colour(control.HighlightText),
              colour(SystemColour(14)));
    bag.write(QStringLiteral("MaskColor"), colour(control.MaskColor()), colour(SystemColour(4)));
    bag.write(QStringLiteral("MaskMode"), control.MaskMode(), 0);
    bag.write(QStringLiteral("CursorStyle"), control.CursorStyle(), 0);
    bag.write(QStringLiteral("SystemMenu"), control.SystemMenu, false);
    // The first four items are the window menu's, which the control makes itself.
    QString itemNames;
    clsMenuItems& items = control.MenuItems();
    for (int i = 4; i < items.Count(); ++i) {
        const clsMenuItem& item = *items.ItemEx(i);
        if (ItemIsCustomized(control, item)) {
            itemNames += item.ItemName + u' ';
            writeItem(control, bag, item);
        }
    }
    bag.write(QStringLiteral("MenuItemNames"), itemNames, QString());
    // The first title bar is the default one, which the control makes itself.
    QString barNames;
    clsTitlebars& bars = control.TitleBars();
    for (int i = 1; i < bars.Count(); ++i) {
        const clsTitlebar& bar = *bars.ItemEx(i);
        if (TitleBarIsCustomized(control, bar)) {
            barNames += bar.MenuName + u' ';
            writeTitleBar(bag, bar);
        }
    }
    bag.write(QStringLiteral("TitleBarNames"), barNames, QString());
}

bool ItemIsCustomized(const OwnerDrawMenu& control, const clsMenuItem& item) {
    if (control.findMenuControlByKey(item.ItemName) == nullptr) {
        return false;
    }
    const bool plain = !item.Bold() && item.CheckedIndex < 1 && !item.Italic() &&
                       !item.ItemIcon(0) && item.SeparatorStyle() == 0 && item.UnCheckedIndex < 1 &&
                       !item.UnderLine() && item.BreakMode <= zxBS_Nothing &&
                       item.Group == zxGS_Nothing;
    return !plain;
}

bool TitleBarIsCustomized(const OwnerDrawMenu& control, const clsTitlebar& bar) {
    if (control.findMenuControlByKey(bar.MenuName) == nullptr) {
        return false;
    }
    const bool plain = bar.BackStyle() == zxBG_Hide && bar.BackColor(0) == SystemColour(2) &&
                       bar.BackColor(1) == gradientCaptionColour() && bar.BackFillStyle() == 0 &&
                       !bar.BackPicture() && bar.Caption().isEmpty() &&
                       bar.CaptionColor() == SystemColour(9) && bar.CaptionFillStyle() == 11 &&
                       !bar.CaptionPicture() && bar.CaptionStyle() == zxCP_Text &&
                       bar.CursorStyle == zxCS_Normal && bar.Width() == systemCaptionHeight();
    return !plain;
}

} // namespace zephalt
