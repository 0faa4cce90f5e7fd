#pragma once
// What the control's property pages share: the control they act on, the
// fixed entry lists, and small widget helpers that name each widget after
// its part so that a page reads like its layout.
#include "platform/forms/PropertyPage.h"
#include <QStringList>

class QComboBox;
class QGridLayout;
class QLabel;
class QWidget;

namespace zephalt {
class OwnerDrawMenu;
}

namespace zephalt::pages {

// The first selected control of this class and its site; null when the
// selection holds none.
struct Target {
    OwnerDrawMenu* control = nullptr;
    platform::forms::ControlSite* site = nullptr;
};
Target firstTarget(const std::vector<platform::forms::SelectedControl>& selected);
std::vector<Target> allTargets(const std::vector<platform::forms::SelectedControl>& selected);

QStringList cursorStyleEntries();
QStringList maskModeEntries();

QComboBox* makeCombo(QWidget* parent, const char* name, const QStringList& entries);
QLabel* makeLabel(QWidget* parent, const QString& text);

} // namespace zephalt::pages

#include "menuctl/engine/Enums.h"
#include "menuctl/engine/IconPixels.h"
#include <QPushButton>

class QBoxLayout;
class QCheckBox;
#include <functional>
#include <optional>

namespace zephalt::pages {

// A colour button shows its colour as its face.
void showColour(QPushButton* button, OleColor colour);
OleColor colourOf(const QPushButton* button);

// The picture (or an empty preview) in a label.
void showPicture(QLabel* preview, const std::optional<IconPixels>& picture);

// Asks for a picture file and converts it with the mask settings. Nothing
// when the dialog is cancelled; a picture that cannot be read or is not a
// picture is reported with "ピクチャデータが異常です。" through the site and
// also gives nothing, so that what was there stays.
std::optional<IconPixels> readPictureFile(platform::forms::ControlSite* site, QWidget* owner,
                                          OleColor maskColour, int maskMode);

// Asks for a colour starting from the given one; nothing when cancelled.
std::optional<OleColor> chooseColour(OleColor start);

QPushButton* makeButton(QWidget* parent, const QString& text, const QString& name);

// The mask settings of the pages that read pictures: "透過モード:" with its
// entries, "周囲のみ" and the mask colour button, on one row.
class MaskControls {
public:
    MaskControls(QWidget* page, QBoxLayout* into);
    void load(const OwnerDrawMenu& control);
    int mode() const;
    OleColor colour() const;
    // Stores both on the control and says so under the given name.
    void store(OwnerDrawMenu& control, const QString& changedName) const;
    // A picture file read with these settings (see readPictureFile).
    std::optional<IconPixels> readPicture(platform::forms::ControlSite* site, QWidget* owner) const;

private:
    QComboBox* cmbMaskMode_;
    QCheckBox* chkPart_;
    QPushButton* cmdMaskColor_;
};

} // namespace zephalt::pages
