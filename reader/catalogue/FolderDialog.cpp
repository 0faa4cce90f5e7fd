#include "reader/catalogue/FolderDialog.h"

#include "platform/controls/ControlWidgets.h"
#include "platform/controls/DialogWidgets.h"
#include "reader/catalogue/FeedKinds.h"
#include "reader/mainwindow/MainWindowModel.h"
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillet {

namespace {

// The part of the form's outer size that is border and title, in twips: the
// frames fill the rest.
constexpr int NonClientWidth = 90;
constexpr int NonClientHeight = 400;

QLineEdit* lineEdit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

QPushButton* button(const char* name, const QString& caption, QWidget* parent) {
    auto* push = new QPushButton(caption, parent);
    push->setObjectName(QString::fromLatin1(name));
    return push;
}

QHBoxLayout* buttonRow(QPushButton* first, QPushButton* second) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    if (first != nullptr)
        row->addWidget(first);
    row->addWidget(second);
    return row;
}

// Text typed into a line edit goes straight to the model's field.
void bind(QLineEdit* edit, QString& field, QObject* context) {
    QObject::connect(edit, &QLineEdit::textEdited, context,
                     [&field](const QString& text) { field = text; });
}

} // namespace

FolderDialog::FolderDialog(AppState& app, MainWindowModel& window, MainWindowView& view,
                           QWidget* parent)
    : QDialog(parent), model_(app, window, view) {
    setObjectName(QStringLiteral("fFolder"));
    for (const QString& key :
         {image::Closed, image::Open, image::Rss, image::Rdf, image::WebSite, image::Document}) {
        if (window.Imlst.contains(key))
            images_.add(key, window.Imlst.image(key));
    }
    for (int index = 0; index < FolderDialogModel::FrameCount; ++index) {
        auto* frame = new QGroupBox(model_.fframe[index].caption, this);
        frame->setObjectName(QStringLiteral("fframe(%1)").arg(index));
        frame->hide();
        frames_[static_cast<std::size_t>(index)] = frame;
    }
    buildAddFolderFrame();
    buildOpenFrame();
    buildVersionFrame();
    buildSubFolderFrame();
    buildPatrolFrame();
    buildSearchFrame();
    buildSourceFrame();
}

int FolderDialog::pixels(int twips) const {
    const double dpi = logicalDpiY() > 0 ? logicalDpiY() : 96.0;
    return static_cast<int>(twips * dpi / 1440.0 + 0.5);
}

QPushButton* FolderDialog::cancelButton(int index, const QString& caption) {
    auto* cancel = new QPushButton(caption, frame(index));
    cancel->setObjectName(QStringLiteral("cmdCancel(%1)").arg(index));
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);
    return cancel;
}

void FolderDialog::run(FolderDialogModel::Outcome (FolderDialogModel::*command)()) {
    if ((model_.*command)() == FolderDialogModel::Outcome::Unload)
        close();
}

void FolderDialog::buildAddFolderFrame() {
    QGroupBox* frame0 = frame(FolderDialogModel::AddRootFolder);
    txtFolderName_ = lineEdit("txtFolderName", frame0);
    bind(txtFolderName_, model_.txtFolderName, this);
    auto* add = button("cmdAddNewFolder", QStringLiteral("新規フォルダ追加(&N)"), frame0);
    connect(add, &QPushButton::clicked, this, [this] { run(&FolderDialogModel::cmdAddNewFolder); });
    connect(txtFolderName_, &QLineEdit::returnPressed, add, &QPushButton::click);

    auto* layout = new QGridLayout(frame0);
    layout->addWidget(new QLabel(QStringLiteral("フォルダ名："), frame0), 0, 0);
    layout->addWidget(txtFolderName_, 0, 1);
    layout->addLayout(buttonRow(add, cancelButton(0, QStringLiteral("キャンセル(&C)"))), 1, 0, 1,
                      2);
}

void FolderDialog::buildOpenFrame() {
    QGroupBox* frame1 = frame(FolderDialogModel::OpenAddress);
    txtURL_ = lineEdit("txtURL", frame1);
    bind(txtURL_, model_.txtURL, this);
    // A long address can be read in full.
    connect(txtURL_, &QLineEdit::textChanged, txtURL_, &QLineEdit::setToolTip);
    auto* open = button("cmdOpen", QStringLiteral("開く(&O)"), frame1);
    connect(open, &QPushButton::clicked, this, [this] { run(&FolderDialogModel::cmdOpen); });
    connect(txtURL_, &QLineEdit::returnPressed, open, &QPushButton::click);

    auto* layout = new QVBoxLayout(frame1);
    layout->addWidget(txtURL_);
    layout->addLayout(buttonRow(open, cancelButton(1, QStringLiteral("キャンセル(&C)"))));
}

void FolderDialog::buildVersionFrame() {
    QGroupBox* frame2 = frame(FolderDialogModel::Version);
    // Moving over the frame, its labels included, recolours the link.
    frame2->setMouseTracking(true);
    frame2->installEventFilter(this);

    auto* pic1 = new QLabel(frame2);
    pic1->setObjectName(QStringLiteral("pic1"));
    if (images_.contains(image::Rss))
        pic1->setPixmap(QPixmap::fromImage(images_.image(image::Rss).scaled(32, 32)));
    pic1->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    auto* name = new QLabel(model_.Label2, frame2);
    name->setObjectName(QStringLiteral("Label2"));
    QFont large = name->font();
    large.setBold(true);
    large.setPointSizeF(large.pointSizeF() * 1.5);
    name->setFont(large);
    auto* version = new QLabel(model_.Label3, frame2);
    version->setObjectName(QStringLiteral("Label3"));
    auto* notice = new QLabel(model_.Label4, frame2);
    notice->setObjectName(QStringLiteral("Label4"));
    auto* link = new platform::controls::LinkLabelWidget(&model_.lbURL, frame2);
    link->setObjectName(QStringLiteral("lbURL"));
    link->setWordWrap(true);
    connect(link, &platform::controls::LinkLabelWidget::mouseMoved, this,
            [this] { model_.linkMouseMove(); });
    connect(link, &platform::controls::LinkLabelWidget::clicked, this,
            [this] { model_.linkClick(); });
    for (QLabel* label : {pic1, name, version, notice})
        label->setTextFormat(Qt::PlainText);

    auto* texts = new QVBoxLayout;
    texts->addWidget(name);
    texts->addWidget(version);
    texts->addWidget(notice);
    texts->addWidget(link);
    auto* top = new QHBoxLayout;
    top->addWidget(pic1);
    top->addLayout(texts, 1);
    auto* layout = new QVBoxLayout(frame2);
    layout->addLayout(top);
    layout->addStretch();
    layout->addLayout(buttonRow(nullptr, cancelButton(2, QStringLiteral("OK(&Y)"))));
}

void FolderDialog::buildSubFolderFrame() {
    QGroupBox* frame3 = frame(FolderDialogModel::AddSubFolder);
    txtPlace_ = lineEdit("txtPlace", frame3);
    bind(txtPlace_, model_.txtPlace, this);
    txtSubFolderName_ = lineEdit("txtSubFolderName", frame3);
    bind(txtSubFolderName_, model_.txtSubFolderName, this);
    auto* add = button("cmdAddNewSubFolder", QStringLiteral("サブフォルダを追加(&S)"), frame3);
    connect(add, &QPushButton::clicked, this,
            [this] { run(&FolderDialogModel::cmdAddNewSubFolder); });
    connect(txtSubFolderName_, &QLineEdit::returnPressed, add, &QPushButton::click);

    auto* layout = new QGridLayout(frame3);
    layout->addWidget(new QLabel(QStringLiteral("追加場所："), frame3), 0, 0);
    layout->addWidget(txtPlace_, 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("フォルダ名："), frame3), 1, 0);
    layout->addWidget(txtSubFolderName_, 1, 1);
    layout->addLayout(buttonRow(add, cancelButton(3, QStringLiteral("キャンセル(&C)"))), 2, 0, 1,
                      2);
}

void FolderDialog::buildPatrolFrame() {
    QGroupBox* frame4 = frame(FolderDialogModel::NewsPatrol);
    auto* tree = new platform::controls::TreeViewWidget(&model_.tvw1, &images_, frame4);
    tree->setObjectName(QStringLiteral("tvw1"));
    comCheckTime_ = new QComboBox(frame4);
    comCheckTime_->setObjectName(QStringLiteral("comCheckTime"));
    comCheckTime_->addItems(model_.comCheckTime.entries());
    connect(comCheckTime_, &QComboBox::activated, this,
            [this](int index) { model_.comCheckTime.setListIndex(index); });
    auto* set = button("cmdSetCheckNews", QStringLiteral("巡回設定(&J)"), frame4);
    connect(set, &QPushButton::clicked, this, [this] { run(&FolderDialogModel::cmdSetCheckNews); });

    auto* period = new QHBoxLayout;
    period->addWidget(new QLabel(QStringLiteral("チェックする時間"), frame4));
    period->addWidget(comCheckTime_);
    period->addWidget(new QLabel(QStringLiteral("時間ごとにチェックする"), frame4));
    period->addStretch();
    auto* layout = new QVBoxLayout(frame4);
    layout->addWidget(new QLabel(QStringLiteral("チェックするニュース"), frame4));
    layout->addWidget(tree, 1);
    layout->addLayout(period);
    layout->addLayout(buttonRow(set, cancelButton(4, QStringLiteral("キャンセル(&C)"))));
}

void FolderDialog::buildSearchFrame() {
    QGroupBox* frame5 = frame(FolderDialogModel::Search);
    comSearch_ = new QComboBox(frame5);
    comSearch_->setObjectName(QStringLiteral("comSearch"));
    comSearch_->setEditable(true);
    comSearch_->setInsertPolicy(QComboBox::NoInsert); // the model keeps the searched words
    connect(comSearch_, &QComboBox::currentTextChanged, this,
            [this](const QString& text) { model_.comSearch.setText(text); });
    connect(&model_.comSearch, &platform::controls::ComboBoxModel::entriesChanged, this, [this] {
        const QString typed = comSearch_->currentText();
        comSearch_->clear();
        comSearch_->addItems(model_.comSearch.entries());
        comSearch_->setCurrentText(typed);
    });
    auto* label = new QLabel(QStringLiteral("検索する文字列(&E)"), frame5);
    label->setBuddy(comSearch_);
    auto* options = new platform::controls::OptionGroupWidget(&model_.opSearch, frame5);
    options->setObjectName(QStringLiteral("opSearch"));
    auto* search = button("cmdSearch", QStringLiteral("検索(&N)"), frame5);
    connect(search, &QPushButton::clicked, this, [this] { run(&FolderDialogModel::cmdSearch); });
    connect(comSearch_->lineEdit(), &QLineEdit::returnPressed, search, &QPushButton::click);

    auto* layout = new QVBoxLayout(frame5);
    layout->addWidget(label);
    layout->addWidget(comSearch_);
    layout->addWidget(options);
    layout->addLayout(buttonRow(search, cancelButton(5, QStringLiteral("キャンセル(&C)"))));
}

void FolderDialog::buildSourceFrame() {
    QGroupBox* frame6 = frame(FolderDialogModel::Source);
    txtSource_ = new QPlainTextEdit(frame6);
    txtSource_->setObjectName(QStringLiteral("txtSource"));
    // Nothing typed here would go anywhere, so the text can be read and copied only.
    txtSource_->setReadOnly(true);
    txtSource_->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* layout = new QVBoxLayout(frame6);
    layout->addWidget(txtSource_);
}

void FolderDialog::showModel() {
    setWindowTitle(model_.caption);
    for (int index = 0; index < FolderDialogModel::FrameCount; ++index) {
        const FolderDialogModel::Frame& placed = model_.fframe[static_cast<std::size_t>(index)];
        QGroupBox* box = frame(index);
        box->setGeometry(pixels(placed.left), pixels(placed.top), pixels(placed.width),
                         pixels(placed.height));
        box->setVisible(placed.visible);
    }
    setFixedSize(pixels(model_.formWidth - NonClientWidth),
                 pixels(model_.formHeight - NonClientHeight));
    if (model_.formLeftTop)
        move(pixels(model_.formLeftTop->first), pixels(model_.formLeftTop->second));

    txtFolderName_->setText(model_.txtFolderName);
    txtURL_->setText(model_.txtURL);
    txtPlace_->setText(model_.txtPlace);
    txtSubFolderName_->setText(model_.txtSubFolderName);
    comCheckTime_->setCurrentIndex(model_.comCheckTime.listIndex());
    txtSource_->setPlainText(model_.txtSource);

    // Typing goes where the mode wants it: the sub-folder's place comes preset.
    QWidget* input = nullptr;
    switch (model_.mode()) {
    case FolderDialogModel::AddRootFolder:
        input = txtFolderName_;
        break;
    case FolderDialogModel::OpenAddress:
        input = txtURL_;
        break;
    case FolderDialogModel::AddSubFolder:
        input = txtSubFolderName_;
        break;
    case FolderDialogModel::Search:
        input = comSearch_;
        break;
    default:
        break;
    }
    if (input != nullptr)
        input->setFocus();
}

bool FolderDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == frame(FolderDialogModel::Version) && event->type() == QEvent::MouseMove)
        model_.frameMouseMove();
    return QDialog::eventFilter(watched, event);
}

} // namespace quillet
