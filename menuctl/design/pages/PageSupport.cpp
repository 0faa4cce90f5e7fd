#include "menuctl/design/pages/PageSupport.h"

#include "menuctl/engine/OwnerDrawMenu.h"
#include <QComboBox>
#include <QLabel>

namespace zephalt::pages {

Target firstTarget(const std::vector<platform::forms::SelectedControl>& selected) {
    const std::vector<Target> all = allTargets(selected);
    return all.empty() ? Target{} : all.front();
}

std::vector<Target> allTargets(const std::vector<platform::forms::SelectedControl>& selected) {
    std::vector<Target> targets;
    for (const platform::forms::SelectedControl& one : selected) {
        if (auto* control = dynamic_cast<OwnerDrawMenu*>(one.control)) {
            targets.push_back({control, one.site});
        }
    }
    return targets;
}

QStringList cursorStyleEntries() {
    return {QStringLiteral("0 - 標準"),
            QStringLiteral("1 - スタートメニュー"),
            QStringLiteral("2 - アイコンメニュー"),
            QStringLiteral("3 - クールバー"),
            QStringLiteral("4 - ホットセレクト"),
            QStringLiteral("5 - リストビュー")};
}

QStringList maskModeEntries() {
    return {QStringLiteral("指定値"),   QStringLiteral("左上の色"), QStringLiteral("右上の色"),
            QStringLiteral("左下の色"), QStringLiteral("右下の色"), QStringLiteral("なし")};
}

QComboBox* makeCombo(QWidget* parent, const char* name, const QStringList& entries) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->addItems(entries);
    return combo;
}

QLabel* makeLabel(QWidget* parent, const QString& text) {
    return new QLabel(text, parent);
}

} // namespace zephalt::pages

#include "menuctl/design/PageRules.h"
#include "menuctl/design/clsCommonDialog.h"
#include "menuctl/engine/PictureToIcon.h"
#include "menuctl/engine/SystemValues.h"
#include "platform/gdi/Pictures.h"
#include "platform/runtime/RuntimeError.h"
#include <QBoxLayout>
#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QPixmap>

namespace zephalt::pages {

namespace {

const char* const ColourProperty = "oleColour";

// The open-file flags of the picture dialog: the file and its folder must
// exist, long names, the working folder kept, no read-only box.
constexpr long PictureDialogFlags = 0x1000 | 0x800 | 0x200000 | 0x8 | 0x4;
constexpr long ColourDialogFlags = 0x1 | 0x2; // start from the colour, fully open

QImage imageOf(const IconPixels& picture) {
    QImage image(picture.width, picture.height, QImage::Format_ARGB32);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t bgr = picture.pixel(x, y);
            image.setPixel(x, y,
                           picture.transparent(x, y) ? 0u
                                                     : qRgb(int(bgr & 0xFF), int((bgr >> 8) & 0xFF),
                                                            int((bgr >> 16) & 0xFF)));
        }
    }
    return image;
}

} // namespace

void showColour(QPushButton* button, OleColor colour) {
    button->setProperty(ColourProperty, QVariant::fromValue<quint32>(colour));
    const std::uint32_t bgr = resolveColour(colour);
    const QColor shown(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
    button->setStyleSheet(QStringLiteral("background-color: %1;").arg(shown.name()));
}

OleColor colourOf(const QPushButton* button) {
    return button->property(ColourProperty).value<quint32>();
}

void showPicture(QLabel* preview, const std::optional<IconPixels>& picture) {
    if (picture && picture->isValid()) {
        preview->setPixmap(QPixmap::fromImage(imageOf(*picture)));
    } else {
        preview->setPixmap(QPixmap());
    }
}

std::optional<IconPixels> readPictureFile(platform::forms::ControlSite* site, QWidget* owner,
                                          OleColor maskColour, int maskMode) {
    (void)owner;
    clsCommonDialog dialog;
    dialog.InitDir = QDir::currentPath();
    dialog.Filter = QStringLiteral(
        "ピクチャファイル(*.BMP *.DIB *.JPG *.GIF *.ICO)|*.BMP;*.DIB;*.JPG;*.GIF;*.ICO|"
        "ビットマップファイル(*.BMP *.DIB *.JPG *.GIF)|*.BMP;*.DIB;*.JPG;*.GIF|"
        "アイコンファイル(*.ICO)|*.ICO|全てのファイル(*.*)|*.*");
    dialog.Flags = PictureDialogFlags;
    dialog.ShowOpen();
    if (dialog.Cancel) {
        return std::nullopt;
    }
    std::optional<IconPixels> pixels;
    try {
        pixels = PictureToIcon(platform::gdi::LoadPicture(dialog.FileName),
                               resolveColour(maskColour), maskMode);
    } catch (const platform::RuntimeError&) {
        pixels = IconPixels{};
    }
    if (!pixels || !pixels->isValid()) {
        if (site != nullptr) {
            site->showMessage(QStringLiteral("ピクチャデータが異常です。"),
                              platform::MsgButtons::Ok, platform::MsgIcon::Critical, QString());
        }
        return std::nullopt;
    }
    return pixels;
}

std::optional<OleColor> chooseColour(OleColor start) {
    clsCommonDialog dialog;
    dialog.Flags = ColourDialogFlags;
    dialog.Color = resolveColour(start);
    dialog.ShowColor();
    if (dialog.Cancel) {
        return std::nullopt;
    }
    return dialog.Color;
}

QPushButton* makeButton(QWidget* parent, const QString& text, const QString& name) {
    auto* made = new QPushButton(text, parent);
    made->setObjectName(name);
    return made;
}

MaskControls::MaskControls(QWidget* page, QBoxLayout* into)
    : cmbMaskMode_(makeCombo(page, "cmbMaskMode", maskModeEntries())),
      chkPart_(new QCheckBox(QStringLiteral("周囲のみ"), page)),
      cmdMaskColor_(makeButton(page, QString(), QStringLiteral("cmdMaskColor"))) {
    chkPart_->setObjectName(QStringLiteral("chkPart"));
    into->addWidget(makeLabel(page, QStringLiteral("透過モード:")));
    into->addWidget(cmbMaskMode_, 1);
    into->addWidget(chkPart_);
    into->addWidget(cmdMaskColor_);
    QPushButton* button = cmdMaskColor_;
    QObject::connect(button, &QPushButton::clicked, button, [button] {
        if (const auto chosen = chooseColour(colourOf(button))) {
            showColour(button, *chosen);
        }
    });
}

void MaskControls::load(const OwnerDrawMenu& control) {
    showColour(cmdMaskColor_, control.MaskColor());
    const MaskShown mask = maskModeOnPage(control.MaskMode());
    chkPart_->setChecked(mask.borderOnly);
    cmbMaskMode_->setCurrentIndex(mask.entry);
}

int MaskControls::mode() const {
    return maskModeFromPage(cmbMaskMode_->currentIndex(), chkPart_->isChecked());
}

OleColor MaskControls::colour() const {
    return colourOf(cmdMaskColor_);
}

void MaskControls::store(OwnerDrawMenu& control, const QString& changedName) const {
    control.setMaskMode(mode());
    control.setMaskColor(colour());
    control.RaiseChangeProperty(changedName);
}

std::optional<IconPixels> MaskControls::readPicture(platform::forms::ControlSite* site,
                                                    QWidget* owner) const {
    return readPictureFile(site, owner, colour(), mode());
}

} // namespace zephalt::pages
