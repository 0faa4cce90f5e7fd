#include "menuctl/design/pages/ppgGeneral.h"

#include "menuctl/design/PageRules.h"
#include "menuctl/design/pages/PageSupport.h"
#include "menuctl/engine/OwnerDrawMenu.h"
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace zephalt::pages {

ppgGeneral::ppgGeneral(QWidget* parent) : PropertyPage(parent) {
    cmbMenuStyle_ = makeCombo(this, "cmbMenuStyle", cursorStyleEntries());
    cmbSystemMenu_ =
        makeCombo(this, "cmbSystemMenu", {QStringLiteral("Off"), QStringLiteral("On")});
    txtImageHeight_ = new QLineEdit(this);
    txtImageHeight_->setObjectName(QStringLiteral("txtImageHeight"));
    txtImageWidth_ = new QLineEdit(this);
    txtImageWidth_->setObjectName(QStringLiteral("txtImageWidth"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(makeLabel(this, QStringLiteral("カーソルスタイル:")), 0, 0);
    grid->addWidget(cmbMenuStyle_, 0, 1, 1, 2);
    grid->addWidget(makeLabel(this, QStringLiteral("システムメニュー:")), 1, 0);
    grid->addWidget(cmbSystemMenu_, 1, 1, 1, 2);
    grid->addWidget(makeLabel(this, QStringLiteral("イメージ高さ:")), 2, 0);
    grid->addWidget(txtImageHeight_, 2, 1);
    grid->addWidget(makeLabel(this, QStringLiteral("(ピクセル)")), 2, 2);
    grid->addWidget(makeLabel(this, QStringLiteral("イメージ幅:")), 3, 0);
    grid->addWidget(txtImageWidth_, 3, 1);
    grid->addWidget(makeLabel(this, QStringLiteral("(ピクセル)")), 3, 2);
    grid->setRowStretch(4, 1);

    auto markChanged = [this] {
        if (!loading_) {
            setChanged(true);
        }
    };
    connect(cmbMenuStyle_, &QComboBox::activated, this, markChanged);
    connect(cmbSystemMenu_, &QComboBox::activated, this, markChanged);
    connect(txtImageHeight_, &QLineEdit::textChanged, this, markChanged);
    connect(txtImageWidth_, &QLineEdit::textChanged, this, markChanged);
}

QString ppgGeneral::caption() const {
    return QStringLiteral("全般");
}

void ppgGeneral::selectionChanged(const std::vector<platform::forms::SelectedControl>& selected) {
    selected_ = selected;
    const Target target = firstTarget(selected);
    if (target.control == nullptr) {
        return;
    }
    loading_ = true;
    txtImageWidth_->setText(QString::number(target.control->ImageWidth()));
    txtImageHeight_->setText(QString::number(target.control->ImageHeight()));
    cmbMenuStyle_->setCurrentIndex(target.control->CursorStyle());
    cmbSystemMenu_->setCurrentIndex(target.control->SystemMenu ? 1 : 0);
    loading_ = false;
    setChanged(false);
}

void ppgGeneral::applyChanges() {
    for (const Target& target : allTargets(selected_)) {
        const GeneralCheck check = checkImageSizes(txtImageHeight_->text(), txtImageWidth_->text());
        if (!check.sizes) {
            target.site->showMessage(check.problem, platform::MsgButtons::Ok,
                                     platform::MsgIcon::Critical, QStringLiteral("Zephalt"));
            return; // nothing changed; the page stays changed
        }
        target.control->setImageHeight(check.sizes->height);
        target.control->setImageWidth(check.sizes->width);
        target.control->setCursorStyle(cmbMenuStyle_->currentIndex());
        target.control->SystemMenu = cmbSystemMenu_->currentIndex() == 1;
        target.control->RaiseChangeProperty(QStringLiteral("SystemMenu"));
    }
    setChanged(false);
}

} // namespace zephalt::pages
