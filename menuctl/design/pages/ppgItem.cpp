#include "menuctl/design/pages/ppgItem.h"

#include "menuctl/design/PageRules.h"
#include "menuctl/design/pages/PageSupport.h"
#include "menuctl/engine/OwnerDrawMenu.h"
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <functional>
#include <map>

namespace zephalt::pages {

namespace {

platform::forms::MenuControl* menuOf(QTreeWidgetItem* node) {
    return node == nullptr ? nullptr
                           : reinterpret_cast<platform::forms::MenuControl*>(
                                 node->data(0, Qt::UserRole).value<quintptr>());
}

// The kinds of the picture buttons: 0 separator, 1 unchecked, 2 checked, 3 item.
constexpr int pictureKinds[4] = {zxMI_Separator, zxMI_UnCheckedImage, zxMI_CheckedImage,
                                 zxMI_ItemImage};

QLabel* preview(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFixedSize(36, 36);
    label->setAlignment(Qt::AlignCenter);
    label->setFrameShape(QFrame::StyledPanel);
    return label;
}

} // namespace

ppgItem::ppgItem(QWidget* parent) : PropertyPage(parent) {
    tvwMenu_ = new QTreeWidget(this);
    tvwMenu_->setObjectName(QStringLiteral("tvwMenu"));
    tvwMenu_->setHeaderHidden(true);
    buildItemFrame();
    buildSeparatorFrame();
    lblBreakItem_ = makeLabel(this, QStringLiteral("分割:"));
    cmbBreakItem_ = makeCombo(this, "cmbBreakItem", {});

    auto* side = new QVBoxLayout;
    side->addWidget(fraMenuItem_);
    side->addWidget(fraSeparator_);
    auto* breakRow = new QHBoxLayout;
    breakRow->addWidget(lblBreakItem_);
    breakRow->addWidget(cmbBreakItem_, 1);
    side->addLayout(breakRow);
    auto* maskRow = new QHBoxLayout;
    mask_ = std::make_unique<MaskControls>(this, maskRow);
    side->addLayout(maskRow);
    side->addStretch(1);
    auto* all = new QHBoxLayout(this);
    tvwMenu_->setMinimumWidth(220);
    all->addWidget(tvwMenu_, 1);
    all->addLayout(side, 1);

    connect(tvwMenu_, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* node) { showNode(node); });
    connect(chkBold_, &QCheckBox::toggled, this,
            [this](bool on) { edited([on](clsMenuItem& item) { item.setBold(on); }); });
    connect(chkItalic_, &QCheckBox::toggled, this,
            [this](bool on) { edited([on](clsMenuItem& item) { item.setItalic(on); }); });
    connect(chkUnderLine_, &QCheckBox::toggled, this,
            [this](bool on) { edited([on](clsMenuItem& item) { item.setUnderLine(on); }); });
    connect(cmbGroup_, &QComboBox::currentIndexChanged, this,
            [this](int entry) { edited([entry](clsMenuItem& item) { item.Group = entry; }); });
    connect(cmbBreakItem_, &QComboBox::currentIndexChanged, this, [this](int entry) {
        edited([entry](clsMenuItem& item) { item.BreakMode = breakModeFromPage(entry); });
    });
    auto separatorEdited = [this] {
        const int option = optSeparator_->checkedId();
        fraPicture_->setVisible(option == 5);
        const int position = cmbPosition_->currentIndex();
        edited([option, position](clsMenuItem& item) {
            item.setSeparatorStyle(separatorStyleFromPage(option, position));
        });
    };
    connect(optSeparator_, &QButtonGroup::idClicked, this, separatorEdited);
    connect(cmbPosition_, &QComboBox::activated, this, separatorEdited);
    connect(chkUnSelected_, &QCheckBox::toggled, this, [this] { showPreviews(); });
}

void ppgItem::buildItemFrame() {
    fraMenuItem_ = new QGroupBox(QStringLiteral("メニュー項目"), this);
    fraMenuItem_->setObjectName(QStringLiteral("fraMenuItem"));
    chkBold_ = new QCheckBox(QStringLiteral("太字"), fraMenuItem_);
    chkBold_->setObjectName(QStringLiteral("chkBold"));
    chkItalic_ = new QCheckBox(QStringLiteral("斜体"), fraMenuItem_);
    chkItalic_->setObjectName(QStringLiteral("chkItalic"));
    chkUnderLine_ = new QCheckBox(QStringLiteral("下線"), fraMenuItem_);
    chkUnderLine_->setObjectName(QStringLiteral("chkUnderLine"));
    cmbGroup_ = makeCombo(fraMenuItem_, "cmbGroup", {});
    chkUnSelected_ = new QCheckBox(QStringLiteral("非選択時"), fraMenuItem_);
    chkUnSelected_->setObjectName(QStringLiteral("chkUnSelected"));

    auto* grid = new QGridLayout(fraMenuItem_);
    grid->addWidget(makeLabel(fraMenuItem_, QStringLiteral("文字修飾:")), 0, 0);
    grid->addWidget(chkBold_, 0, 1);
    grid->addWidget(chkItalic_, 0, 2);
    grid->addWidget(chkUnderLine_, 0, 3);
    grid->addWidget(makeLabel(fraMenuItem_, QStringLiteral("グループ化:")), 1, 0);
    grid->addWidget(cmbGroup_, 1, 1, 1, 3);
    const char* names[] = {"picUnchecked", "picChecked", "picItem"};
    const QString captions[] = {QStringLiteral("未チェック"), QStringLiteral("チェック"),
                                QStringLiteral("項目")};
    for (int which = 1; which <= 3; ++which) {
        const int column = which - 1;
        grid->addWidget(makeLabel(fraMenuItem_, captions[column]), 2, column + 1);
        previews_[std::size_t(which)] = preview(fraMenuItem_, names[column]);
        grid->addWidget(previews_[std::size_t(which)], 3, column + 1);
        QPushButton* read = makeButton(fraMenuItem_, QStringLiteral("読み込み"),
                                       QStringLiteral("cmdPicRead(%1)").arg(which));
        QPushButton* remove = makeButton(fraMenuItem_, QStringLiteral("削除"),
                                         QStringLiteral("cmdPicDelete(%1)").arg(which));
        grid->addWidget(read, 4, column + 1);
        grid->addWidget(remove, 5, column + 1);
        connect(read, &QPushButton::clicked, this, [this, which] { readPicture(which); });
        connect(remove, &QPushButton::clicked, this, [this, which] { deletePicture(which); });
    }
    grid->addWidget(chkUnSelected_, 6, 1, 1, 3);
}

void ppgItem::buildSeparatorFrame() {
    fraSeparator_ = new QGroupBox(QStringLiteral("セパレータ"), this);
    fraSeparator_->setObjectName(QStringLiteral("fraSeparator"));
    optSeparator_ = new QButtonGroup(fraSeparator_);
    auto* grid = new QGridLayout(fraSeparator_);
    const QString captions[] = {QStringLiteral("直線（標準）"), QStringLiteral("点線"),
                                QStringLiteral("破線"),         QStringLiteral("一点鎖線"),
                                QStringLiteral("二点鎖線"),     QStringLiteral("ピクチャ")};
    for (int option = 0; option < 6; ++option) {
        auto* radio = new QRadioButton(captions[option], fraSeparator_);
        radio->setObjectName(QStringLiteral("optSeparator(%1)").arg(option));
        optSeparator_->addButton(radio, option);
        grid->addWidget(radio, option % 3, option / 3);
    }
    fraPicture_ = new QGroupBox(fraSeparator_);
    fraPicture_->setObjectName(QStringLiteral("fraPicture"));
    cmbPosition_ =
        makeCombo(fraPicture_, "cmbPosition",
                  {QStringLiteral("敷き詰め"), QStringLiteral("引き伸ばし"),
                   QStringLiteral("左寄せ"), QStringLiteral("中寄せ"), QStringLiteral("右寄せ")});
    previews_[0] = preview(fraPicture_, "picSeparator");
    QPushButton* read =
        makeButton(fraPicture_, QStringLiteral("読み込み"), QStringLiteral("cmdPicRead(0)"));
    connect(read, &QPushButton::clicked, this, [this] { readPicture(0); });
    auto* row = new QHBoxLayout(fraPicture_);
    row->addWidget(makeLabel(fraPicture_, QStringLiteral("表示位置")));
    row->addWidget(cmbPosition_);
    row->addWidget(previews_[0]);
    row->addWidget(read);
    grid->addWidget(fraPicture_, 3, 0, 1, 2);
}

ppgItem::~ppgItem() = default;

QString ppgItem::caption() const {
    return QStringLiteral("メニュー項目");
}

void ppgItem::initialisePage() {
    cmbBreakItem_->addItems(
        {QStringLiteral("分割なし"), QStringLiteral("分割"), QStringLiteral("バー分割")});
    cmbGroup_->addItems(
        {QStringLiteral("なし"), QStringLiteral("チェック"), QStringLiteral("ラジオ")});
    cmbPosition_->setCurrentIndex(0);
}

void ppgItem::selectionChanged(const std::vector<platform::forms::SelectedControl>& selected) {
    selected_ = selected;
    const Target target = firstTarget(selected);
    if (target.control == nullptr) {
        return;
    }
    showing_ = true;
    tvwMenu_->clear();
    std::map<const platform::forms::MenuControl*, QTreeWidgetItem*> nodes;
    for (platform::forms::MenuControl* menu : target.site->menuControls()) {
        auto* parentNode = menu->parent() != nullptr ? nodes[menu->parent()] : nullptr;
        auto* node =
            parentNode != nullptr ? new QTreeWidgetItem(parentNode) : new QTreeWidgetItem(tvwMenu_);
        node->setText(0, menu->caption());
        node->setData(0, Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(menu)));
        nodes[menu] = node;
    }
    tvwMenu_->expandAll();
    mask_->load(*target.control);
    showing_ = false;
    tvwMenu_->setCurrentItem(tvwMenu_->topLevelItem(0));
    showNode(tvwMenu_->currentItem());
}

clsMenuItem* ppgItem::currentItem() {
    const Target target = firstTarget(selected_);
    platform::forms::MenuControl* menu = menuOf(tvwMenu_->currentItem());
    if (target.control == nullptr || menu == nullptr || menu->parent() == nullptr) {
        return nullptr;
    }
    return &target.control->MenuItems().Item(menu);
}

void ppgItem::showNode(QTreeWidgetItem* node) {
    platform::forms::MenuControl* menu = menuOf(node);
    const bool topLevel = menu == nullptr || menu->parent() == nullptr;
    clsMenuItem* item = topLevel ? nullptr : currentItem();
    fraMenuItem_->setVisible(item != nullptr && !menu->isSeparator());
    fraSeparator_->setVisible(item != nullptr && menu->isSeparator());
    lblBreakItem_->setVisible(item != nullptr);
    cmbBreakItem_->setVisible(item != nullptr);
    if (item == nullptr) {
        return;
    }
    showing_ = true;
    cmbBreakItem_->setCurrentIndex(breakEntryOnPage(item->BreakMode));
    if (menu->isSeparator()) {
        const SeparatorShown shown = separatorStyleOnPage(item->SeparatorStyle());
        optSeparator_->button(shown.option)->setChecked(true);
        cmbPosition_->setCurrentIndex(shown.positionEntry);
        fraPicture_->setVisible(shown.option == 5);
    } else {
        chkBold_->setChecked(item->Bold());
        chkItalic_->setChecked(item->Italic());
        chkUnderLine_->setChecked(item->UnderLine());
        cmbGroup_->setCurrentIndex(item->Group);
    }
    showing_ = false;
    showPreviews();
}

void ppgItem::showPreviews() {
    const Target target = firstTarget(selected_);
    clsMenuItem* item = currentItem();
    if (target.control == nullptr || item == nullptr) {
        return;
    }
    const int alternate = chkUnSelected_->isChecked() ? 1 : 0;
    auto listIcon = [&](int index) {
        return index > 0 ? target.control->ImageList().GetIcon(index + alternate) : std::nullopt;
    };
    showPicture(previews_[1], listIcon(item->UnCheckedIndex));
    showPicture(previews_[2], listIcon(item->CheckedIndex));
    showPicture(previews_[3], item->ItemIcon(alternate));
    showPicture(previews_[0], item->ItemIcon(0));
}

void ppgItem::edited(const std::function<void(clsMenuItem&)>& change) {
    if (showing_) {
        return;
    }
    if (clsMenuItem* item = currentItem()) {
        change(*item);
        // The item's settings are stored with the item list.
        firstTarget(selected_).control->RaiseChangeProperty(QStringLiteral("MenuItemNames"));
    }
}

void ppgItem::readPicture(int which) {
    const Target target = firstTarget(selected_);
    platform::forms::MenuControl* menu = menuOf(tvwMenu_->currentItem());
    if (target.control == nullptr || currentItem() == nullptr) {
        return;
    }
    const auto picture = mask_->readPicture(target.site, this);
    if (!picture) {
        return; // cancelled, or reported: the item keeps what it had
    }
    const int index = which == 0 ? 0 : (chkUnSelected_->isChecked() ? 1 : 0);
    target.control->SetItemImage(menu, picture, pictureKinds[which], index);
    target.control->RaiseChangeProperty(QStringLiteral("MenuItemNames"));
    showPreviews();
}

void ppgItem::deletePicture(int which) {
    const Target target = firstTarget(selected_);
    platform::forms::MenuControl* menu = menuOf(tvwMenu_->currentItem());
    if (target.control == nullptr || currentItem() == nullptr) {
        return;
    }
    const int index = chkUnSelected_->isChecked() ? 1 : 0;
    target.control->SetItemImage(menu, std::nullopt, pictureKinds[which], index);
    target.control->RaiseChangeProperty(QStringLiteral("MenuItemNames"));
    showPreviews();
}

void ppgItem::closePage() {
    const Target target = firstTarget(selected_);
    if (target.control == nullptr) {
        return;
    }
    mask_->store(*target.control, QStringLiteral("MaskMode"));
    target.control->RaiseChangeProperty(QStringLiteral("MaskColor"));
}

} // namespace zephalt::pages
