#include "reader/mainwindow/SettingsDialog.h"

#include "platform/controls/ControlWidgets.h"
#include "platform/dialogs/FontDialog.h"
#include "platform/runtime/Conversions.h"
#include "platform/runtime/RuntimeError.h"
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quillet {

namespace {

constexpr int FormWidth = 8685; // twips, the outer size of the form
constexpr int FormHeight = 5640;
constexpr int PageLeft = 2400;
constexpr int PageTop = 480;
constexpr int PageWidth = 6120;
constexpr int PageHeight = 4080;
constexpr int NonClientHeight = 400;

template <typename T, std::size_t N> T& at(std::array<T, N>& values, int index) {
    return values[static_cast<std::size_t>(index)];
}

QLabel* note(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

int SettingsDialog::pixels(int twips) const {
    const double dpi = logicalDpiY() > 0 ? logicalDpiY() : 96.0;
    return static_cast<int>(twips * dpi / 1440.0 + 0.5);
}

SettingsDialog::SettingsDialog(AppState& app, MainWindowModel& window, MainWindowView& view,
                               QWidget* parent)
    : QDialog(parent), model_(app, window, view) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("環境設定"));
    setFixedSize(pixels(FormWidth), pixels(FormHeight - NonClientHeight));

    auto* tree = new platform::controls::TreeViewWidget(&model_.tvw1, nullptr, this);
    tree->setObjectName(QStringLiteral("tvw1"));
    tree->setGeometry(pixels(120), pixels(120), pixels(PageLeft - 240),
                      pixels(PageTop + PageHeight - 120));
    tree->expandAll();
    connect(tree, &platform::controls::TreeViewWidget::nodeClicked, this, [this](int node) {
        model_.nodeClick(node);
        showModel();
    });

    lbTitle_ = new QLabel(this);
    lbTitle_->setObjectName(QStringLiteral("lbTitle"));
    QFont titleFont = lbTitle_->font();
    titleFont.setBold(true);
    lbTitle_->setFont(titleFont);
    lbTitle_->setGeometry(pixels(PageLeft), pixels(120), pixels(PageWidth), pixels(300));

    buildGeneralPage();
    buildFilterPage();
    buildFontPage();
    buildTagPage();
    buildNewsPage();

    const int buttonTop = pixels(PageTop + PageHeight + 120);
    const int buttonWidth = pixels(1215);
    const int buttonHeight = pixels(375);
    const struct {
        const char* name;
        const char* caption;
    } buttons[] = {{"cmdOK", "OK(&Y)"}, {"cmdCancel", "キャンセル(&C)"}, {"cmdChange", "適用(&C)"}};
    int left = pixels(FormWidth) - 3 * (buttonWidth + pixels(90)) - pixels(60);
    std::array<QPushButton*, 3> pushes{};
    for (std::size_t i = 0; i < 3; ++i) {
        pushes[i] = new QPushButton(QString::fromUtf8(buttons[i].caption), this);
        pushes[i]->setObjectName(QString::fromLatin1(buttons[i].name));
        pushes[i]->setGeometry(left, buttonTop, buttonWidth, buttonHeight);
        left += buttonWidth + pixels(90);
    }
    pushes[0]->setDefault(true);
    connect(pushes[0], &QPushButton::clicked, this, [this] {
        if (model_.cmdOK())
            accept();
    });
    connect(pushes[1], &QPushButton::clicked, this, &QDialog::reject);
    connect(pushes[2], &QPushButton::clicked, this, [this] {
        model_.cmdChange();
        showModel();
    });
    showModel();
}

QGroupBox* SettingsDialog::makeFrame(int index) {
    auto* frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("fframe(%1)").arg(index));
    frame->setGeometry(pixels(PageLeft), pixels(PageTop), pixels(PageWidth), pixels(PageHeight));
    at(fframe_, index) = frame;
    return frame;
}

void SettingsDialog::buildGeneralPage() {
    QGroupBox* frame = makeFrame(0);
    auto* column = new QVBoxLayout(frame);
    for (int row = 0; row < SettingsDialogModel::GeneralCount; ++row) {
        auto* check = new QCheckBox(SettingsDialogModel::generalCaption(row), frame);
        check->setObjectName(QStringLiteral("chkGeneral(%1)").arg(row));
        at(chkGeneral_, row) = check;
        column->addWidget(check);
        connect(check, &QCheckBox::clicked, this,
                [this, row](bool checked) { at(model_.chkGeneral, row) = checked ? 1 : 0; });
    }
    column->addStretch();
}

void SettingsDialog::buildFilterPage() {
    QGroupBox* frame = makeFrame(1);
    auto* column = new QVBoxLayout(frame);
    chkFilter_ = new QCheckBox(QStringLiteral("フィルタリングを行う"), frame);
    chkFilter_->setObjectName(QStringLiteral("chkFilter"));
    column->addWidget(chkFilter_);
    connect(chkFilter_, &QCheckBox::clicked, this, [this](bool checked) {
        model_.chkFilter = checked;
        showModel();
    });
    frameFilter_ = new QGroupBox(QStringLiteral("設定"), frame);
    frameFilter_->setObjectName(QStringLiteral("Frame_1"));
    auto* rows = new QVBoxLayout(frameFilter_);
    for (int row = 0; row < SettingsDialogModel::FilterRows; ++row) {
        auto* check = new QCheckBox(QStringLiteral("次の語句を含む記事を表示しない(；で区切り)"),
                                    frameFilter_);
        check->setObjectName(QStringLiteral("chk1(%1)").arg(row));
        auto* words = new QLineEdit(frameFilter_);
        words->setObjectName(QStringLiteral("txtFilter1(%1)").arg(row));
        at(chk1_, row) = check;
        at(txtFilter1_, row) = words;
        rows->addWidget(check);
        rows->addWidget(words);
        connect(check, &QCheckBox::clicked, this,
                [this, row](bool checked) { at(model_.chk1, row) = checked; });
        connect(words, &QLineEdit::textEdited, this,
                [this, row](const QString& text) { at(model_.txtFilter1, row) = text; });
    }
    column->addWidget(frameFilter_);
    auto* label5 = note(
        QStringLiteral("*フィルタ機能を使うと処理が多くなるため、動作が若干遅くなります。"), frame);
    label5->setObjectName(QStringLiteral("Label5"));
    column->addWidget(label5);
    column->addStretch();
}

void SettingsDialog::buildFontPage() {
    QGroupBox* frame = makeFrame(2);
    auto* column = new QVBoxLayout(frame);
    const auto fontRow = [this](int row, QGridLayout* grid, int gridRow, const QString& label,
                                QWidget* parent) {
        auto* name = new QLineEdit(parent);
        name->setObjectName(QStringLiteral("txtFontName(%1)").arg(row));
        name->setReadOnly(true);
        auto* size = new QLineEdit(parent);
        size->setObjectName(QStringLiteral("txtFontSize(%1)").arg(row));
        size->setMaximumWidth(pixels(600));
        auto* status = new QLineEdit(parent);
        status->setObjectName(QStringLiteral("txtFontStatus(%1)").arg(row));
        status->setReadOnly(true);
        status->hide(); // nothing fills it
        auto* change = new QPushButton(QStringLiteral("..."), parent);
        change->setObjectName(QStringLiteral("cmdFontChange(%1)").arg(row));
        change->setMaximumWidth(pixels(400));
        at(txtFontName_, row) = name;
        at(txtFontSize_, row) = size;
        if (!label.isEmpty())
            grid->addWidget(new QLabel(label, parent), gridRow, 0);
        grid->addWidget(name, gridRow, 1);
        grid->addWidget(size, gridRow, 2);
        grid->addWidget(change, gridRow, 3);
        connect(size, &QLineEdit::textEdited, this,
                [this, row](const QString& text) { at(model_.txtFontSize, row) = text; });
        connect(change, &QPushButton::clicked, this, [this, row] { chooseFont(row); });
    };
    const char* options[] = {"フォントの変更を一括で行う", "フォントの変更を個別で行う"};
    for (int i = 0; i < 2; ++i) {
        auto* option = new QRadioButton(QString::fromUtf8(options[i]), frame);
        option->setObjectName(QStringLiteral("op1(%1)").arg(i));
        at(op1_, i) = option;
        connect(option, &QRadioButton::clicked, this, [this, i] {
            model_.op1 = i;
            showModel();
        });
    }
    column->addWidget(op1_[0]);
    auto* allGrid = new QGridLayout;
    fontRow(0, allGrid, 0, QString(), frame);
    column->addLayout(allGrid);
    column->addWidget(op1_[1]);
    fFonts_ = new QGroupBox(QStringLiteral("個別設定"), frame);
    fFonts_->setObjectName(QStringLiteral("fFonts"));
    auto* grid = new QGridLayout(fFonts_);
    const char* labels[] = {"ニュースリスト：", "記事見出し：", "ウィンドウ"};
    for (int row = 1; row < SettingsDialogModel::FontRows; ++row)
        fontRow(row, grid, row - 1, QString::fromUtf8(labels[row - 1]), fFonts_);
    column->addWidget(fFonts_);
    column->addStretch();
}

void SettingsDialog::buildTagPage() {
    QGroupBox* frame = makeFrame(3);
    auto* column = new QVBoxLayout(frame);
    auto* grid = new QGridLayout;
    for (int row = 0; row < SettingsDialogModel::TagCount; ++row) {
        auto* check = new QCheckBox(SettingsDialogModel::tagCaption(row), frame);
        check->setObjectName(QStringLiteral("chkTag(%1)").arg(row));
        auto* text = new QLineEdit(frame);
        text->setObjectName(QStringLiteral("txtTag(%1)").arg(row));
        at(chkTag_, row) = check;
        at(txtTag_, row) = text;
        grid->addWidget(check, row, 0);
        grid->addWidget(text, row, 1);
        connect(check, &QCheckBox::clicked, this, [this, row](bool checked) {
            model_.setTagChecked(row, checked);
            showModel();
        });
        connect(text, &QLineEdit::textEdited, this,
                [this, row](const QString& value) { at(model_.txtTag, row) = value; });
    }
    column->addLayout(grid);
    auto* label6 =
        note(QStringLiteral("*正しく設定をしないと動作が不安定になる事があります。"), frame);
    label6->setObjectName(QStringLiteral("Label6"));
    column->addWidget(label6);
    column->addWidget(
        note(QStringLiteral("*rssの規格をよくご存じの方のみ設定を行ってください。"), frame));
    column->addStretch();
}

void SettingsDialog::buildNewsPage() {
    QGroupBox* frame = makeFrame(4);
    auto* column = new QVBoxLayout(frame);
    column->addWidget(new QLabel(QStringLiteral("現在取得しているニュース"), frame));
    auto* list = new QListWidget(frame);
    list->setObjectName(QStringLiteral("lst1"));
    list->setSelectionMode(QAbstractItemView::MultiSelection);
    list->addItems(model_.lst1);
    list->selectAll();
    // Display only: every list the catalogue folder holds stays selected.
    list->setFocusPolicy(Qt::NoFocus);
    list->setAttribute(Qt::WA_TransparentForMouseEvents);
    column->addWidget(list);
}

void SettingsDialog::chooseFont(int row) {
    platform::dialogs::FontChoice choice;
    choice.name = at(model_.txtFontName, row);
    try {
        choice.size = platform::toSingle(at(model_.txtFontSize, row));
    } catch (const platform::RuntimeError&) {
        choice.size = 0;
    }
    if (!platform::dialogs::ShowFontDialog(this, QStringLiteral("■フォントの変更"), choice))
        return;
    at(model_.txtFontName, row) = choice.name;
    at(model_.txtFontSize, row) = platform::singleToText(choice.size);
    showModel();
}

void SettingsDialog::showModel() {
    for (int index = 0; index < SettingsDialogModel::FrameCount; ++index)
        at(fframe_, index)->setVisible(index == model_.shownFrame);
    lbTitle_->setText(model_.lbTitle);
    for (int row = 0; row < SettingsDialogModel::GeneralCount; ++row)
        at(chkGeneral_, row)->setChecked(at(model_.chkGeneral, row) == 1);
    for (int row = 0; row < SettingsDialogModel::TagCount; ++row) {
        at(chkTag_, row)->setChecked(at(model_.chkTag, row));
        at(txtTag_, row)->setText(at(model_.txtTag, row));
        at(txtTag_, row)->setEnabled(model_.tagTextEnabled(row));
    }
    at(op1_, model_.op1 == 0 ? 0 : 1)->setChecked(true);
    fFonts_->setEnabled(model_.fontRowsEnabled());
    for (int row = 0; row < SettingsDialogModel::FontRows; ++row) {
        at(txtFontName_, row)->setText(at(model_.txtFontName, row));
        at(txtFontSize_, row)->setText(at(model_.txtFontSize, row));
        at(txtFontName_, row)->setCursorPosition(0);
    }
    chkFilter_->setChecked(model_.chkFilter);
    frameFilter_->setEnabled(model_.filterRowsEnabled());
    for (int row = 0; row < SettingsDialogModel::FilterRows; ++row) {
        at(chk1_, row)->setChecked(at(model_.chk1, row));
        at(txtFilter1_, row)->setText(at(model_.txtFilter1, row));
    }
}

} // namespace quillet
