#include "menuctl/design/pages/ppgTitleBar.h"

#include "menuctl/design/PageRules.h"
#include "menuctl/design/clsCommonDialog.h"
#include "menuctl/design/pages/PageSupport.h"
#include "menuctl/engine/MakeItemKey.h"
#include "menuctl/engine/OwnerDrawMenu.h"
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zephalt::pages {

namespace {

constexpr int PositionRole = Qt::UserRole;
constexpr int KeyRole = Qt::UserRole + 1;

std::vector<int> positionsIn(const QListWidget* list) {
    std::vector<int> positions;
    for (int row = 0; row < list->count(); ++row) {
        positions.push_back(list->item(row)->data(PositionRole).toInt());
    }
    return positions;
}

} // namespace

ppgTitleBar::ppgTitleBar(QWidget* parent) : PropertyPage(parent) {
    lstMenu_ = new QListWidget(this);
    lstMenu_->setObjectName(QStringLiteral("lstMenu"));
    lstTitleBar_ = new QListWidget(this);
    lstTitleBar_->setObjectName(QStringLiteral("lstTitleBar"));
    cmdAdd_ = makeButton(this, QStringLiteral("追加↑"), QStringLiteral("cmdAdd"));
    cmdDel_ = makeButton(this, QStringLiteral("削除↓"), QStringLiteral("cmdDel"));
    txtWidth_ = new QLineEdit(this);
    txtWidth_->setObjectName(QStringLiteral("txtWidth"));
    auto* fraView = new QGroupBox(this);
    fraView->setObjectName(QStringLiteral("fraView"));
    cmbCursorStyle_ = makeCombo(fraView, "cmbCursorStyle", cursorStyleEntries());
    cmdHotSelectText_ = makeButton(fraView, QString(), QStringLiteral("cmdHotSelectText"));
    tabStyle_ = new QTabWidget(this);
    tabStyle_->setObjectName(QStringLiteral("tabStyle"));
    tabStyle_->addTab(buildBackgroundTab(), QStringLiteral("背景"));
    tabStyle_->addTab(buildCaptionTab(), QStringLiteral("キャプション"));

    auto* lists = new QVBoxLayout;
    lists->addWidget(lstTitleBar_);
    auto* moves = new QHBoxLayout;
    moves->addWidget(cmdAdd_);
    moves->addWidget(cmdDel_);
    lists->addLayout(moves);
    lists->addWidget(makeLabel(this, QStringLiteral("登録メニュー")));
    lists->addWidget(lstMenu_);
    auto* viewGrid = new QGridLayout(fraView);
    viewGrid->addWidget(makeLabel(fraView, QStringLiteral("カーソルスタイル:")), 0, 0);
    viewGrid->addWidget(cmbCursorStyle_, 0, 1);
    viewGrid->addWidget(makeLabel(fraView, QStringLiteral("HotSelectText:")), 1, 0);
    viewGrid->addWidget(cmdHotSelectText_, 1, 1);
    auto* side = new QVBoxLayout;
    auto* widthRow = new QHBoxLayout;
    widthRow->addWidget(makeLabel(this, QStringLiteral("幅:")));
    widthRow->addWidget(txtWidth_);
    widthRow->addWidget(makeLabel(this, QStringLiteral("（ピクセル）")));
    side->addLayout(widthRow);
    side->addWidget(fraView);
    side->addWidget(tabStyle_);
    auto* maskRow = new QHBoxLayout;
    mask_ = std::make_unique<MaskControls>(this, maskRow);
    side->addLayout(maskRow);
    auto* all = new QHBoxLayout(this);
    all->addLayout(lists, 1);
    all->addLayout(side, 2);

    cmdAdd_->setEnabled(false);
    connect(lstMenu_, &QListWidget::itemClicked, this, [this] { cmdAdd_->setEnabled(true); });
    connect(cmdAdd_, &QPushButton::clicked, this, [this] { addSelected(); });
    connect(cmdDel_, &QPushButton::clicked, this, [this] { deleteSelected(); });
    connect(lstTitleBar_, &QListWidget::currentRowChanged, this, [this] { showBar(); });
    connect(txtWidth_, &QLineEdit::textEdited, this, [this](const QString& text) {
        bool ok = false;
        const int width = text.trimmed().toInt(&ok);
        if (ok && width >= 0 && width <= 1000) {
            edited([width](clsTitlebar& bar) { bar.setWidth(width); });
        }
    });
    connect(cmbCursorStyle_, &QComboBox::activated, this,
            [this](int style) { edited([style](clsTitlebar& bar) { bar.CursorStyle = style; }); });
    connect(cmdHotSelectText_, &QPushButton::clicked, this, [this] {
        if (const auto colour = chooseColour(colourOf(cmdHotSelectText_))) {
            showColour(cmdHotSelectText_, *colour);
            edited([colour](clsTitlebar& bar) { bar.HotSelectText = *colour; });
        }
    });
}

QButtonGroup* ppgTitleBar::positionGrid(QWidget* parent, const QString& name, QLayout* into) {
    auto* group = new QButtonGroup(parent);
    auto* frame = new QWidget(parent);
    auto* grid = new QGridLayout(frame);
    const QString symbols[] = {
        QStringLiteral("↖"),        QStringLiteral("↑"),   QStringLiteral("↗"),
        QStringLiteral("←"),        QStringLiteral("・"),  QStringLiteral("→"),
        QStringLiteral("↙"),        QStringLiteral("↓"),   QStringLiteral("↘"),
        QStringLiteral("敷き詰め"), QStringLiteral("伸縮")};
    for (int option = 0; option < 11; ++option) {
        auto* radio = new QRadioButton(symbols[option], frame);
        radio->setObjectName(QStringLiteral("%1(%2)").arg(name).arg(option));
        group->addButton(radio, option);
        if (option < 9) {
            grid->addWidget(radio, option / 3, option % 3);
        } else {
            grid->addWidget(radio, 3 + option - 9, 0, 1, 3);
        }
    }
    into->addWidget(makeLabel(parent, QStringLiteral("表示位置:")));
    into->addWidget(frame);
    return group;
}

QWidget* ppgTitleBar::buildBackgroundTab() {
    auto* tab = new QGroupBox(this);
    tab->setObjectName(QStringLiteral("fraBackGround"));
    auto* layout = new QVBoxLayout(tab);
    optBackStyle_ = new QButtonGroup(tab);
    const QString captions[] = {QStringLiteral("なし"), QStringLiteral("グラデーション"),
                                QStringLiteral("単色"), QStringLiteral("ピクチャ")};
    auto* options = new QGridLayout;
    for (int option = 0; option < 4; ++option) {
        auto* radio = new QRadioButton(captions[option], tab);
        radio->setObjectName(QStringLiteral("optBackStyle(%1)").arg(option));
        optBackStyle_->addButton(radio, option);
        options->addWidget(radio, option, 0);
    }
    chkHoriznal_ = new QCheckBox(QStringLiteral("横方向"), tab);
    chkHoriznal_->setObjectName(QStringLiteral("chkHoriznal"));
    chkRainbow_ = new QCheckBox(QStringLiteral("虹色"), tab);
    chkRainbow_->setObjectName(QStringLiteral("chkRainbow"));
    options->addWidget(chkHoriznal_, 1, 1);
    options->addWidget(chkRainbow_, 1, 2);
    for (int index = 0; index < 2; ++index) {
        cmdColor_[std::size_t(index)] =
            makeButton(tab, QString(), QStringLiteral("cmdColor(%1)").arg(index));
        options->addWidget(cmdColor_[std::size_t(index)], 2 + index, 1);
        connect(cmdColor_[std::size_t(index)], &QPushButton::clicked, this, [this, index] {
            QPushButton* pressed = cmdColor_[std::size_t(index)];
            if (const auto colour = chooseColour(colourOf(pressed))) {
                showColour(pressed, *colour);
                edited([index, colour](clsTitlebar& bar) { bar.setBackColor(index, *colour); });
            }
        });
    }
    picBackGround_ = makeLabel(tab, QString());
    picBackGround_->setObjectName(QStringLiteral("picBackGround"));
    picBackGround_->setFixedSize(36, 36);
    QPushButton* read =
        makeButton(tab, QStringLiteral("読み込み"), QStringLiteral("cmdPicRead(0)"));
    options->addWidget(picBackGround_, 4, 1);
    options->addWidget(read, 4, 2);
    layout->addLayout(options);
    optPosition_ = positionGrid(tab, QStringLiteral("optPosition"), layout);

    connect(optBackStyle_, &QButtonGroup::idClicked, this, [this] { backgroundEdited(); });
    connect(chkHoriznal_, &QCheckBox::toggled, this, [this] { backgroundEdited(); });
    connect(chkRainbow_, &QCheckBox::toggled, this, [this] { backgroundEdited(); });
    connect(read, &QPushButton::clicked, this, [this] { readPicture(zxTB_BackPicture); });
    connect(optPosition_, &QButtonGroup::idClicked, this, [this](int option) {
        edited([option](clsTitlebar& bar) { bar.setBackFillStyle(fillStyleFromPosition(option)); });
    });
    return tab;
}

QWidget* ppgTitleBar::buildCaptionTab() {
    auto* tab = new QGroupBox(this);
    tab->setObjectName(QStringLiteral("fraCaption"));
    auto* layout = new QVBoxLayout(tab);
    auto* grid = new QGridLayout;
    cmbCaptionStyle_ = makeCombo(tab, "cmbCaptionStyle",
                                 {QStringLiteral("非表示"), QStringLiteral("テキスト"),
                                  QStringLiteral("縦書きテキスト"), QStringLiteral("ピクチャ")});
    txtTitleBar_ = new QLineEdit(tab);
    txtTitleBar_->setObjectName(QStringLiteral("txtTitleBar"));
    txtFont_ = new QLineEdit(tab);
    txtFont_->setObjectName(QStringLiteral("txtFont"));
    txtFont_->setReadOnly(true);
    cmdFont_ = makeButton(tab, QStringLiteral("..."), QStringLiteral("cmdFont"));
    cmdCaptionColor_ = makeButton(tab, QString(), QStringLiteral("cmdCaptionColor"));
    picTitleBar_ = makeLabel(tab, QString());
    picTitleBar_->setObjectName(QStringLiteral("picTitleBar"));
    picTitleBar_->setFixedSize(36, 36);
    cmdCaptionPicture_ =
        makeButton(tab, QStringLiteral("読み込み"), QStringLiteral("cmdPicRead(1)"));
    QLabel* fontLabel = makeLabel(tab, QStringLiteral("フォント:"));
    QLabel* colourLabel = makeLabel(tab, QStringLiteral("文字色:"));
    grid->addWidget(makeLabel(tab, QStringLiteral("表示形式:")), 0, 0);
    grid->addWidget(cmbCaptionStyle_, 0, 1, 1, 2);
    grid->addWidget(txtTitleBar_, 1, 0, 1, 3);
    grid->addWidget(fontLabel, 2, 0);
    grid->addWidget(txtFont_, 2, 1);
    grid->addWidget(cmdFont_, 2, 2);
    grid->addWidget(colourLabel, 3, 0);
    grid->addWidget(cmdCaptionColor_, 3, 1);
    grid->addWidget(picTitleBar_, 4, 0);
    grid->addWidget(cmdCaptionPicture_, 4, 1);
    layout->addLayout(grid);
    auto* positions = new QVBoxLayout;
    optCapPosition_ = positionGrid(tab, QStringLiteral("optCapPosition"), positions);
    auto* positionBox = new QWidget(tab);
    positionBox->setLayout(positions);
    layout->addWidget(positionBox);
    textCaptionWidgets_ = {txtTitleBar_, fontLabel,   txtFont_,
                           cmdFont_,     colourLabel, cmdCaptionColor_};
    pictureCaptionWidgets_ = {picTitleBar_, cmdCaptionPicture_};
    positionCaptionWidgets_ = {positionBox};

    connect(cmbCaptionStyle_, &QComboBox::activated, this, [this](int style) {
        showCaptionControls(style);
        edited([style](clsTitlebar& bar) { bar.setCaptionStyle(style); });
    });
    connect(txtTitleBar_, &QLineEdit::textEdited, this, [this](const QString& text) {
        edited([text](clsTitlebar& bar) { bar.setCaption(text); });
    });
    connect(cmdFont_, &QPushButton::clicked, this, [this] {
        clsTitlebar* bar = currentBar();
        if (bar == nullptr) {
            return;
        }
        clsCommonDialog dialog;
        dialog.Font = bar->Font();
        dialog.ShowFont();
        if (!dialog.Cancel) {
            edited([&dialog](clsTitlebar& chosen) { chosen.setFont(dialog.Font); });
            showBar();
        }
    });
    connect(cmdCaptionColor_, &QPushButton::clicked, this, [this] {
        if (const auto colour = chooseColour(colourOf(cmdCaptionColor_))) {
            showColour(cmdCaptionColor_, *colour);
            edited([colour](clsTitlebar& bar) { bar.setCaptionColor(*colour); });
        }
    });
    connect(cmdCaptionPicture_, &QPushButton::clicked, this,
            [this] { readPicture(zxTB_CaptionPicture); });
    connect(optCapPosition_, &QButtonGroup::idClicked, this, [this](int option) {
        edited(
            [option](clsTitlebar& bar) { bar.setCaptionFillStyle(fillStyleFromPosition(option)); });
    });
    return tab;
}

ppgTitleBar::~ppgTitleBar() = default;

QString ppgTitleBar::caption() const {
    return QStringLiteral("タイトルバー");
}

void ppgTitleBar::selectionChanged(const std::vector<platform::forms::SelectedControl>& selected) {
    selected_ = selected;
    const Target target = firstTarget(selected);
    if (target.control == nullptr) {
        return;
    }
    showing_ = true;
    lstMenu_->clear();
    lstTitleBar_->clear();
    int position = 0;
    clsTitlebars& bars = target.control->TitleBars();
    for (platform::forms::MenuControl* menu : target.site->menuControls()) {
        const QString key = MakeItemKey(menu);
        bool hasBar = false;
        for (int index = 1; index < bars.Count(); ++index) {
            hasBar = hasBar || bars.ItemEx(index)->MenuName == key;
        }
        auto* entry = new QListWidgetItem(QStringLiteral("%1  %2").arg(key, menu->caption()));
        entry->setData(PositionRole, position++);
        entry->setData(KeyRole, key);
        (hasBar ? lstTitleBar_ : lstMenu_)->addItem(entry);
    }
    mask_->load(*target.control);
    cmdAdd_->setEnabled(false);
    showing_ = false;
    lstTitleBar_->setCurrentRow(lstTitleBar_->count() > 0 ? 0 : -1);
    showBar();
}

void ppgTitleBar::moveEntry(QListWidget* from, QListWidget* to, int row) {
    QListWidgetItem* entry = from->takeItem(row);
    const int at = insertionRow(positionsIn(to), entry->data(PositionRole).toInt());
    to->insertItem(at, entry);
    to->setCurrentRow(at);
}

void ppgTitleBar::addSelected() {
    const int row = lstMenu_->currentRow();
    if (row < 0) {
        return;
    }
    moveEntry(lstMenu_, lstTitleBar_, row);
    if (lstMenu_->count() == 0) {
        cmdAdd_->setEnabled(false);
    } else {
        lstMenu_->setCurrentRow(std::min(row, lstMenu_->count() - 1));
    }
}

void ppgTitleBar::deleteSelected() {
    const Target target = firstTarget(selected_);
    const int row = lstTitleBar_->currentRow();
    if (target.control == nullptr || row < 0) {
        return;
    }
    target.control->TitleBars().Remove(lstTitleBar_->item(row)->data(KeyRole).toString());
    target.control->RaiseChangeProperty(QStringLiteral("TitleBarNames"));
    moveEntry(lstTitleBar_, lstMenu_, row);
    lstTitleBar_->setCurrentRow(lstTitleBar_->count() > 0 ? 0 : -1);
    showBar();
}

clsTitlebar* ppgTitleBar::currentBar() {
    const Target target = firstTarget(selected_);
    QListWidgetItem* entry = lstTitleBar_->currentItem();
    if (target.control == nullptr || entry == nullptr) {
        return nullptr;
    }
    return &target.control->TitleBars().Item(entry->data(KeyRole).toString());
}

void ppgTitleBar::showBar() {
    clsTitlebar* bar = showing_ ? nullptr : currentBar();
    tabStyle_->setEnabled(bar != nullptr);
    txtWidth_->setEnabled(bar != nullptr);
    cmbCursorStyle_->setEnabled(bar != nullptr);
    cmdHotSelectText_->setEnabled(bar != nullptr);
    cmdDel_->setEnabled(bar != nullptr);
    if (bar == nullptr) {
        return;
    }
    showing_ = true;
    txtWidth_->setText(QString::number(bar->Width()));
    cmbCursorStyle_->setCurrentIndex(bar->CursorStyle);
    showColour(cmdHotSelectText_, bar->HotSelectText);
    const BackShown back = backStyleOnPage(bar->BackStyle());
    optBackStyle_->button(back.option)->setChecked(true);
    chkHoriznal_->setChecked(back.horizontal);
    chkRainbow_->setChecked(back.rainbow);
    showColour(cmdColor_[0], bar->BackColor(0));
    showColour(cmdColor_[1], bar->BackColor(1));
    showPicture(picBackGround_, bar->BackPicture());
    if (QAbstractButton* option = optPosition_->button(positionOfFillStyle(bar->BackFillStyle()))) {
        option->setChecked(true);
    }
    cmbCaptionStyle_->setCurrentIndex(bar->CaptionStyle());
    txtTitleBar_->setText(bar->Caption());
    txtFont_->setText(QStringLiteral("%1 %2pt").arg(bar->Font().name).arg(bar->Font().size));
    showColour(cmdCaptionColor_, bar->CaptionColor());
    showPicture(picTitleBar_, bar->CaptionPicture());
    if (QAbstractButton* option =
            optCapPosition_->button(positionOfFillStyle(bar->CaptionFillStyle()))) {
        option->setChecked(true);
    }
    showCaptionControls(bar->CaptionStyle());
    showing_ = false;
}

void ppgTitleBar::showCaptionControls(int captionStyle) {
    const bool text = captionStyle == zxCP_Text || captionStyle == zxCP_VText;
    const bool picture = captionStyle == zxCP_Picture;
    for (QWidget* widget : textCaptionWidgets_) {
        widget->setVisible(text);
    }
    for (QWidget* widget : pictureCaptionWidgets_) {
        widget->setVisible(picture);
    }
    for (QWidget* widget : positionCaptionWidgets_) {
        widget->setVisible(text || picture);
    }
}

void ppgTitleBar::edited(const std::function<void(clsTitlebar&)>& change) {
    if (showing_) {
        return;
    }
    if (clsTitlebar* bar = currentBar()) {
        change(*bar);
        firstTarget(selected_).control->RaiseChangeProperty(QStringLiteral("TitleBarNames"));
    }
}

void ppgTitleBar::backgroundEdited() {
    const int style = backStyleFromPage(optBackStyle_->checkedId(), chkHoriznal_->isChecked(),
                                        chkRainbow_->isChecked());
    edited([style](clsTitlebar& bar) { bar.setBackStyle(style); });
}

void ppgTitleBar::readPicture(int kind) {
    const Target target = firstTarget(selected_);
    clsTitlebar* bar = currentBar();
    if (bar == nullptr) {
        return;
    }
    const auto picture = mask_->readPicture(target.site, this);
    if (!picture) {
        return;
    }
    bar->SetImage(picture, kind);
    target.control->RaiseChangeProperty(QStringLiteral("TitleBarNames"));
    showBar();
}

void ppgTitleBar::closePage() {
    const Target target = firstTarget(selected_);
    if (target.control == nullptr) {
        return;
    }
    mask_->store(*target.control, QStringLiteral("TitleBarNames"));
}

} // namespace zephalt::pages
