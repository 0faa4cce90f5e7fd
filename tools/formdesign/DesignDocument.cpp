#include "tools/formdesign/DesignDocument.h"
#include "platform/forms/FormFile.h"
#include "platform/forms/HostedControl.h"
#include "platform/runtime/RuntimeError.h"
#include <QWidget>
#include <cmath>

namespace formdesign {

using platform::RuntimeError;
using platform::forms::HostedControl;

namespace {

// The form keeps a control's extent as the host's own stored properties, in
// hundredths of a millimetre, so that files of the original host read the same.
const QString ExtentX = QStringLiteral("_extentx");
const QString ExtentY = QStringLiteral("_extenty");
// Where the first control sits and the gap between controls, in twips.
constexpr int Margin = 120;

int twipsToHimetric(int twips) {
    return static_cast<int>(std::lround(twips * 2540.0 / 1440.0));
}

int himetricToTwips(int himetric) {
    return static_cast<int>(std::lround(himetric * 1440.0 / 2540.0));
}

// A window class that does not mark a running program, so that controls can
// tell they are being designed.
const QString Title = QStringLiteral("フォーム デザイナ");

const QString DesignWindowClass = QStringLiteral("FormDesignSurface");

} // namespace

QRect PlacedControl::pixels() const {
    return {twips.x() / TwipsPerPixel, twips.y() / TwipsPerPixel, twips.width() / TwipsPerPixel,
            twips.height() / TwipsPerPixel};
}

DesignDocument::DesignDocument(QWidget* window,
                               std::shared_ptr<platform::forms::ControlLibraries> libraries,
                               platform::MessagePresenter& messages)
    : window_(window), libraries_(std::move(libraries)), messages_(messages) {}

DesignDocument::~DesignDocument() = default;

void DesignDocument::open(const QString& path) {
    platform::forms::FormFile file = platform::forms::readFormFile(path);
    platform::forms::FormDescription description;
    description.name = file.formName;
    description.windowClass = DesignWindowClass;
    description.menus = std::move(file.menus);
    description.controls = std::move(file.controls);
    auto form =
        std::make_unique<platform::forms::HostForm>(window_, std::move(description), libraries_);
    form->setUserMode(false);
    form->setMessagePresenter(&messages_);
    form->load();
    form_ = std::move(form);
    path_ = path;
    selected_.clear();
    structureChanged_ = false;
    for (const platform::forms::HostedControlInfo& info : form_->controls()) {
        settleExtent(info.name);
    }
}

QString DesignDocument::formName() const {
    return form_ ? form_->name() : QString();
}

QStringList DesignDocument::classNames() {
    return libraries_ ? libraries_->classNames() : QStringList();
}

QSize DesignDocument::extentOf(HostedControl& control) {
    const platform::forms::PropertyBag& bag = control.properties();
    const int defaultHimetric = twipsToHimetric(platform::forms::DefaultDesignTwips);
    const QSize proposed(himetricToTwips(bag.read(ExtentX, defaultHimetric).toInt()),
                         himetricToTwips(bag.read(ExtentY, defaultHimetric).toInt()));
    QSize answered = control.control().designExtent(proposed);
    if (answered.width() < TwipsPerPixel || answered.height() < TwipsPerPixel) {
        answered = proposed; // a control cannot make itself vanish from the form
    }
    return answered;
}

void DesignDocument::settleExtent(const QString& name) {
    HostedControl* control = form_->hostedControl(name);
    if (control == nullptr) {
        return;
    }
    const QSize extent = extentOf(*control);
    control->properties().write(ExtentX, twipsToHimetric(extent.width()));
    control->properties().write(ExtentY, twipsToHimetric(extent.height()));
}

std::vector<PlacedControl> DesignDocument::controls() const {
    std::vector<PlacedControl> placed;
    if (!form_) {
        return placed;
    }
    int x = Margin;
    for (const platform::forms::HostedControlInfo& info : form_->controls()) {
        HostedControl* control = form_->hostedControl(info.name);
        if (control == nullptr) {
            continue;
        }
        const QSize extent = const_cast<DesignDocument*>(this)->extentOf(*control);
        placed.push_back({info.name, info.className, QRect(QPoint(x, Margin), extent)});
        x += extent.width() + Margin;
    }
    return placed;
}

QString DesignDocument::controlAt(QPoint twips) const {
    for (const PlacedControl& control : controls()) {
        if (control.twips.contains(twips)) {
            return control.name;
        }
    }
    return {};
}

void DesignDocument::select(const QString& name) {
    selected_.clear();
    if (form_ == nullptr) {
        return;
    }
    if (HostedControl* control = form_->hostedControl(name)) {
        selected_ = control->controlName();
    }
}

void DesignDocument::selectNext(bool backwards) {
    const std::vector<PlacedControl> all = controls();
    if (all.empty()) {
        selected_.clear();
        return;
    }
    const int count = static_cast<int>(all.size());
    int at = -1;
    for (int i = 0; i < count; ++i) {
        if (all[static_cast<size_t>(i)].name == selected_) {
            at = i;
        }
    }
    if (at < 0) {
        at = backwards ? count - 1 : 0;
    } else {
        at = (at + (backwards ? count - 1 : 1)) % count;
    }
    selected_ = all[static_cast<size_t>(at)].name;
}

QString DesignDocument::place(const QString& className) {
    if (form_ == nullptr) {
        throw RuntimeError(platform::err::InvalidCall);
    }
    // Named after the class (its last part), numbered from 1.
    QString base = className.section(u'.', -1);
    base.removeIf([](QChar c) { return !c.isLetterOrNumber() && c != u'_'; });
    if (base.isEmpty()) {
        base = QStringLiteral("Control");
    }
    QString name;
    for (int n = 1;; ++n) {
        name = base + QString::number(n);
        if (form_->hostedControl(name) == nullptr) {
            break;
        }
    }
    form_->placeControl(className, name);
    structureChanged_ = true;
    settleExtent(name);
    selected_ = name;
    return name;
}

void DesignDocument::removeSelected() {
    if (form_ == nullptr || selected_.isEmpty()) {
        return;
    }
    form_->removeControl(selected_);
    selected_.clear();
    structureChanged_ = true;
}

std::vector<platform::forms::PropertyPageFactory> DesignDocument::selectedPages() const {
    HostedControl* control = form_ ? form_->hostedControl(selected_) : nullptr;
    return control ? control->control().propertyPages()
                   : std::vector<platform::forms::PropertyPageFactory>{};
}

std::vector<platform::forms::SelectedControl> DesignDocument::selection() const {
    HostedControl* control = form_ ? form_->hostedControl(selected_) : nullptr;
    if (control == nullptr) {
        return {};
    }
    return {{&control->control(), control}};
}

bool DesignDocument::dirty() const {
    return form_ != nullptr && (structureChanged_ || !form_->changedProperties().isEmpty());
}

bool DesignDocument::save(QString* error) {
    if (form_ == nullptr) {
        return false;
    }
    try {
        form_->saveFormFile(path_);
    } catch (const RuntimeError& failure) {
        if (error != nullptr) {
            *error = QStringLiteral("フォーム ファイル %1 を保存できませんでした。\n%2")
                         .arg(path_, failure.description());
        }
        return false;
    }
    structureChanged_ = false;
    return true;
}

bool DesignDocument::saveReporting() {
    QString error;
    if (save(&error)) {
        return true;
    }
    messages_.show(error, platform::MsgButtons::Ok, platform::MsgIcon::Critical, Title);
    return false;
}

bool DesignDocument::confirmClose() {
    if (!dirty()) {
        return true;
    }
    const platform::MsgResult answer =
        messages_.show(QStringLiteral("%1 への変更を保存しますか?").arg(path_),
                       platform::MsgButtons::YesNoCancel, platform::MsgIcon::Question, Title);
    switch (answer) {
    case platform::MsgResult::Yes:
        return saveReporting();
    case platform::MsgResult::No:
        return true;
    default:
        return false;
    }
}

} // namespace formdesign
