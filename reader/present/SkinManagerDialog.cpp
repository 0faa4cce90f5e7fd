#include "reader/present/SkinManagerDialog.h"

#include "platform/controls/ControlWidgets.h"
#include "platform/web/WebBrowser.h"
#include "reader/app/AppState.h"
#include "reader/app/ProgramPaths.h"
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillet {

SkinManagerDialog::SkinManagerDialog(AppState& app, platform::controls::StatusBarModel& mainStatus,
                                     QWidget* parent)
    : QDialog(parent), model_(app, mainStatus) {
    setObjectName(QStringLiteral("SkinForm"));
    setWindowTitle(QStringLiteral("Skin Manager"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* lvw1 = new platform::controls::ListViewWidget(&model_.lvw1, this);
    lvw1->setObjectName(QStringLiteral("lvw1"));
    lvw1->setMinimumHeight(120);
    lvw1->header()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto* frame3 = new QGroupBox(QStringLiteral("現在の設定"), this);
    frame3->setObjectName(QStringLiteral("Frame3"));
    auto* current = new QGridLayout(frame3);
    const char* currentLabels[] = {"スキン名：", "スキンフォルダパス："};
    for (int i = 0; i < 2; ++i) {
        auto* edit = new QLineEdit(frame3);
        edit->setObjectName(QStringLiteral("txtSkin(%1)").arg(i));
        edit->setReadOnly(true);
        txtSkin_[static_cast<std::size_t>(i)] = edit;
        current->addWidget(new QLabel(QString::fromUtf8(currentLabels[i]), frame3), i, 0);
        current->addWidget(edit, i, 1);
    }

    auto* frame2 = new QGroupBox(QStringLiteral("スキン詳細"), this);
    frame2->setObjectName(QStringLiteral("Frame2"));
    auto* details = new QGridLayout(frame2);
    const char* detailLabels[] = {"名前：",     "制作者：", "制作日：",
                                  "コメント：", "HP：",     "E-mail："};
    for (int i = 0; i < 6; ++i) {
        auto* label = new QLabel(frame2);
        label->setObjectName(QStringLiteral("lbStatus(%1)").arg(i));
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        lbStatus_[static_cast<std::size_t>(i)] = label;
        details->addWidget(new QLabel(QString::fromUtf8(detailLabels[i]), frame2), i, 0);
        details->addWidget(label, i, 1);
    }
    details->setColumnStretch(1, 1);

    wbr1_ = new platform::web::WebBrowser(this);
    wbr1_->setObjectName(QStringLiteral("wbr1"));
    wbr1_->setMinimumSize(360, 240);
    // The preview is built from a skin's templates, which anyone may have written.
    wbr1_->blockScriptsOn(app.file(paths::SkinPreview));

    auto* cmdSet = new QPushButton(QStringLiteral("設定(&S)"), this);
    cmdSet->setObjectName(QStringLiteral("cmdSet"));
    auto* cmdCancel = new QPushButton(QStringLiteral("閉じる(&C)"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    auto* stb1 = new platform::controls::StatusBarWidget(&model_.stb1, this);
    stb1->setObjectName(QStringLiteral("stb1"));
    stb1->setSizeGripEnabled(false);

    auto* side = new QVBoxLayout;
    side->addWidget(frame3);
    side->addWidget(frame2);
    side->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSet);
    buttons->addWidget(cmdCancel);
    side->addLayout(buttons);
    auto* lower = new QHBoxLayout;
    lower->addLayout(side, 2);
    lower->addWidget(wbr1_, 3);
    auto* page = new QVBoxLayout(this);
    page->addWidget(lvw1, 2);
    page->addLayout(lower, 3);
    page->addWidget(stb1);
    resize(860, 600);

    connect(lvw1, &platform::controls::ListViewWidget::rowDoubleClicked, this, [this] {
        const QString page = model_.preview();
        if (!page.isEmpty())
            wbr1_->Navigate(page);
        showModel();
    });
    connect(cmdSet, &QPushButton::clicked, this, [this] {
        const SkinManagerModel::Outcome outcome = model_.cmdSet();
        showModel();
        if (outcome == SkinManagerModel::Outcome::Close)
            close();
    });
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::close);
    showModel();
}

void SkinManagerDialog::showModel() {
    for (std::size_t i = 0; i < txtSkin_.size(); ++i) {
        txtSkin_[i]->setText(model_.txtSkin[i]);
        // Long paths are read in the tool tip.
        txtSkin_[i]->setToolTip(model_.txtSkin[i]);
        txtSkin_[i]->setCursorPosition(0);
    }
    for (std::size_t i = 0; i < lbStatus_.size(); ++i)
        lbStatus_[i]->setText(model_.lbStatus[i]);
}

} // namespace quillet
