#include "menuctl/engine/OwnerDrawMenu.h"
#include "menuctl/design/Persistence.h"
#include "menuctl/engine/SystemValues.h"
#include "menuctl/engine/modWindowProc.h"
#include "platform/forms/MenuControl.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"

namespace zephalt {

namespace {

constexpr int MajorVersion = 1;
constexpr int MinorVersion = 0;
constexpr int Revision = 1;

struct SystemItem {
    std::int64_t command;
    int imageIndex;
};
// The window menu's caption commands draw the caption-button glyphs, the
// first four pairs of the built-in images.
constexpr SystemItem SystemItems[] = {
    {platform::win::SC_CLOSE, 1},
    {platform::win::SC_MINIMIZE, 3},
    {platform::win::SC_MAXIMIZE, 5},
    {platform::win::SC_RESTORE, 7},
};

} // namespace

OwnerDrawMenu::OwnerDrawMenu() : font_(systemMenuFont()) {
    menuItems_.ParentImageList = &imageList_;
    titleBars_.ParentMenuItems = &menuItems_;
    // The default title bar: key made from the number 0, then no name.
    titleBars_.Item(std::int64_t{0}).MenuName = QString();
    for (const SystemItem& system : SystemItems) {
        clsMenuItem& item = menuItems_.Item(system.command);
        item.setBold(false);
        item.setItalic(false);
        item.setUnderLine(false);
        item.CheckedIndex = system.imageIndex;
        item.UnCheckedIndex = system.imageIndex;
    }
    EdgeWidth = systemEdgeWidth();
    EdgeHeight = systemEdgeHeight();
    previousProc_ = 0;
}

OwnerDrawMenu::~OwnerDrawMenu() {
    // A control that ends without its form saying so still gives the window back.
    unhook();
}

void OwnerDrawMenu::initialize(platform::forms::ControlSite& site) {
    site_ = &site;
    ReadProperties(*this, site.properties());
}

void OwnerDrawMenu::initializeNew(platform::forms::ControlSite& site) {
    site_ = &site;
    InitProperties(*this);
}

void OwnerDrawMenu::writeProperties(platform::forms::PropertyBag& bag) {
    // Written into a fresh bag, so that keys of items and title bars that are
    // no longer customised do not linger from the last load. Names beginning
    // with "_" are the host's own (the extent) and stay.
    platform::forms::PropertyBag fresh;
    const QVariantMap old = bag.values();
    for (auto it = old.begin(); it != old.end(); ++it) {
        if (it.key().startsWith(u'_')) {
            fresh.write(it.key(), it.value());
        }
    }
    WriteProperties(*this, fresh);
    bag = fresh;
}

void OwnerDrawMenu::terminate() {
    unhook();
    site_ = nullptr;
}

void OwnerDrawMenu::CheckHost() {
    // A host whose runtime has its own text for error 461 is of the later
    // generation; the offsets only matter to that host's memory layout.
    const bool later = platform::runtimeErrorText(461) != platform::runtimeErrorText(1);
    HostVersion = later ? 6 : 5;
    StructOffset = later ? 220 : 196;
    IsEXE = false;
    if (site_ != nullptr) {
        char buffer[256] = {};
        platform::win::GetClassNameA(site_->containerWindow(), buffer, sizeof buffer);
        IsEXE = QByteArray(buffer).left(9) == "ThunderRT";
    }
    titleBars_.sethWnd(site_ ? site_->containerWindow() : 0);
}

void OwnerDrawMenu::adjustHostForFont() {
    if (IsEXE) {
        StructOffset = HostVersion == 5 ? 188 : 208;
    }
}

void OwnerDrawMenu::installHook() {
    if (site_ == nullptr || !site_->userMode() || previousProc_ != 0) {
        return; // at design time the window is left alone; the hook goes in once
    }
    hostWindow_ = site_->containerWindow();
    platform::win::SetProp(hostWindow_, ControlProperty,
                           reinterpret_cast<platform::win::HANDLE>(this));
    previousProc_ =
        platform::win::SetWindowLong(hostWindow_, platform::win::GWL_WNDPROC,
                                     reinterpret_cast<platform::win::LONG_PTR>(&HostWindowProc));
    if (previousProc_ == 0) {
        // The window is gone or unknown: there is nothing to hook.
        platform::win::RemoveProp(hostWindow_, ControlProperty);
    }
}

void OwnerDrawMenu::unhook() {
    if (previousProc_ == 0) {
        return;
    }
    platform::win::SetWindowLong(hostWindow_, platform::win::GWL_WNDPROC, previousProc_);
    platform::win::RemoveProp(hostWindow_, ControlProperty);
    previousProc_ = 0;
}

void OwnerDrawMenu::setCursorStyle(int style) {
    if (style < zxCS_Normal || style > zxCS_ListView || style == cursorStyle_) {
        return;
    }
    cursorStyle_ = style;
    titleBars_.setCursorStyle(style);
    RaiseChangeProperty(QStringLiteral("CursorStyle"));
}

void OwnerDrawMenu::setFont(const platform::forms::FontObject& font) {
    font_ = font;
    RaiseChangeProperty(QStringLiteral("MenuFont"));
}

void OwnerDrawMenu::setHotSelectText(OleColor colour) {
    if (colour == titleBars_.HotSelectText()) {
        return;
    }
    titleBars_.setHotSelectText(colour);
    RaiseChangeProperty(QStringLiteral("HotSelectText"));
}

bool OwnerDrawMenu::imageSizeMayChange() const {
    // Pictures of the items would be lost with the list; the built-in glyphs
    // are simply drawn again at the new size. (Counting only up to twelve
    // images would refuse every change once the twenty glyphs exist, so the
    // sizes could never be set on a loaded control.)
    return imageList_.Count() <= std::max(12, StandardImageCount);
}

void OwnerDrawMenu::setImageHeight(int height) {
    if (height < 8 || height > 64 || height == imageHeight_ || !imageSizeMayChange()) {
        return;
    }
    imageHeight_ = height;
    const bool builtIn = StandardImageCount > 0;
    imageList_.Clear();
    imageList_.setImageHeight(height);
    if (builtIn) {
        MakeStandardImages();
    }
    RaiseChangeProperty(QStringLiteral("ImageHeight"));
}

void OwnerDrawMenu::setImageWidth(int width) {
    if (width < 8 || width > 64 || width == imageWidth_ || !imageSizeMayChange()) {
        return;
    }
    imageWidth_ = width;
    const bool builtIn = StandardImageCount > 0;
    imageList_.Clear();
    imageList_.setImageWidth(width);
    if (builtIn) {
        MakeStandardImages();
    }
    RaiseChangeProperty(QStringLiteral("ImageWidth"));
}

void OwnerDrawMenu::setMaskColor(OleColor colour) {
    if (colour == maskColor_) {
        return;
    }
    maskColor_ = colour;
    menuItems_.setMaskColor(colour);
    titleBars_.setMaskColor(colour);
}

void OwnerDrawMenu::setMaskMode(int mode) {
    if (mode == maskMode_) {
        return;
    }
    maskMode_ = mode;
    menuItems_.setMaskMode(mode);
    titleBars_.setMaskMode(mode);
}

void OwnerDrawMenu::setMenuBar(OleColor colour) {
    if (colour == titleBars_.MenuBar()) {
        return;
    }
    titleBars_.setMenuBar(colour);
    RaiseChangeProperty(QStringLiteral("MenuBar"));
}

QString OwnerDrawMenu::Version() const {
    return QStringLiteral("%1.%2Build(%3)")
        .arg(MajorVersion)
        .arg(MinorVersion, 2, 10, QChar(u'0'))
        .arg(Revision);
}

void OwnerDrawMenu::RaiseChangeProperty(const QString& name) {
    if (site_ != nullptr && !suppressChanges) {
        site_->propertyChanged(name);
    }
}

void OwnerDrawMenu::ShowAboutDialog() {
    if (site_ != nullptr) {
        site_->showMessage(QStringLiteral("Zephalt Ver ") + Version(), platform::MsgButtons::Ok,
                           platform::MsgIcon::Information, QStringLiteral("About"));
    }
}

platform::forms::MenuControl* OwnerDrawMenu::FindMenuControl(std::int64_t value,
                                                             bool byHandle) const {
    if (site_ == nullptr) {
        return nullptr;
    }
    for (platform::forms::MenuControl* control : site_->menuControls()) {
        if (byHandle) {
            if (control->subMenu() != 0 &&
                control->subMenu() == static_cast<platform::win::HMENU>(value)) {
                return control;
            }
        } else if (static_cast<std::int16_t>(control->commandId()) ==
                   static_cast<std::int32_t>(value)) {
            return control;
        }
    }
    return nullptr;
}

platform::forms::MenuControl* OwnerDrawMenu::findMenuControlByKey(const QString& key) const {
    if (site_ == nullptr) {
        return nullptr;
    }
    for (platform::forms::MenuControl* control : site_->menuControls()) {
        if (MakeItemKey(*control) == key) {
            return control;
        }
    }
    return nullptr;
}

} // namespace zephalt
