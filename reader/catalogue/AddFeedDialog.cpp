#include "reader/catalogue/AddFeedDialog.h"

#include "platform/controls/ControlWidgets.h"
#include "reader/catalogue/FeedKinds.h"
#include "reader/mainwindow/MainWindowModel.h"
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace quillet {

namespace {

QComboBox* comboShowing(const platform::controls::ComboBoxModel& model, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->addItems(model.entries());
    return combo;
}

} // namespace

AddFeedDialog::AddFeedDialog(MainWindowModel& window, QWidget* parent)
    : QDialog(parent), model_(window) {
    setObjectName(QStringLiteral("fAdd"));
    setModal(true);
    if (window.Imlst.contains(image::Closed))
        images_.add(image::Closed, window.Imlst.image(image::Closed));

    auto* fAddNews = new QGroupBox(QStringLiteral("設定"), this);
    fAddNews->setObjectName(QStringLiteral("fAddNews"));
    txtName_ = new QLineEdit(fAddNews);
    txtName_->setObjectName(QStringLiteral("txtName"));
    txtURL_ = new QLineEdit(fAddNews);
    txtURL_->setObjectName(QStringLiteral("txtURL"));
    comSelect_ = comboShowing(model_.comSelect, fAddNews);
    comSelect_->setObjectName(QStringLiteral("comSelect"));
    comRss_ = comboShowing(model_.comRss, fAddNews);
    comRss_->setObjectName(QStringLiteral("comRss"));
    tvw1_ = new platform::controls::TreeViewWidget(&model_.tvw1, &images_, fAddNews);
    tvw1_->setObjectName(QStringLiteral("tvw1"));

    auto* fields = new QFormLayout(fAddNews);
    fields->addRow(new QLabel(QStringLiteral("タイトル："), fAddNews), txtName_);
    fields->addRow(new QLabel(QStringLiteral("URL："), fAddNews), txtURL_);
    fields->addRow(new QLabel(QStringLiteral("種類："), fAddNews), comSelect_);
    fields->addRow(new QLabel(QStringLiteral("RSS ver："), fAddNews), comRss_);
    fields->addRow(new QLabel(QStringLiteral("追加場所"), fAddNews));
    fields->addRow(tvw1_);

    cmdAdd_ = new QPushButton(this);
    cmdAdd_->setObjectName(QStringLiteral("cmdAdd"));
    cmdAdd_->setDefault(true);
    cmdCancel_ = new QPushButton(QStringLiteral("キャンセル(&C)"), this);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdAdd_);
    buttons->addWidget(cmdCancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fAddNews);
    layout->addLayout(buttons);

    tim1_ = new QTimer(this);
    tim1_->setObjectName(QStringLiteral("tim1"));
    tim1_->setInterval(200);

    // Typing goes straight into the model; the model reaches the widgets only
    // in showModel, so the two never chase each other.
    connect(txtName_, &QLineEdit::textEdited, this,
            [this](const QString& text) { model_.txtName = text; });
    connect(txtURL_, &QLineEdit::textEdited, this, [this](const QString& text) {
        model_.txtURL = text;
        txtURL_->setToolTip(text); // a long URL can be read in full
    });
    connect(comSelect_, &QComboBox::activated, this,
            [this](int index) { model_.comSelect.setListIndex(index); });
    connect(comRss_, &QComboBox::activated, this,
            [this](int index) { model_.comRss.setListIndex(index); });
    connect(cmdAdd_, &QPushButton::clicked, this, &AddFeedDialog::confirm);
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(tim1_, &QTimer::timeout, this, &AddFeedDialog::tick);
}

void AddFeedDialog::showEvent(QShowEvent* event) {
    // Callers preset the model between construction and showing.
    showModel();
    tim1_->start();
    QDialog::showEvent(event);
}

void AddFeedDialog::done(int result) {
    tim1_->stop();
    QDialog::done(result);
}

void AddFeedDialog::showModel() {
    setWindowTitle(model_.caption);
    cmdAdd_->setText(model_.cmdAddCaption);
    txtName_->setText(model_.txtName);
    txtURL_->setText(model_.txtURL);
    txtURL_->setToolTip(model_.txtURL);
    comSelect_->setCurrentIndex(model_.comSelect.listIndex());
    comRss_->setCurrentIndex(model_.comRss.listIndex());
    // Editing a feed never moves it, so the place to add is not asked for.
    tvw1_->setEnabled(!model_.isPropertiesMode());
    tick();
}

void AddFeedDialog::tick() {
    model_.tick();
    comRss_->setEnabled(model_.comRssEnabled);
}

void AddFeedDialog::confirm() {
    lastResult_ = model_.confirm();
    if (lastResult_ == AddFeedModel::Result::Added || lastResult_ == AddFeedModel::Result::Changed)
        accept();
}

} // namespace quillet
