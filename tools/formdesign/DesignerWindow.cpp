#include "tools/formdesign/DesignerWindow.h"
#include "platform/forms/PropertyDialog.h"
#include "platform/runtime/RuntimeError.h"
#include "tools/formdesign/DesignSurface.h"
#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>
#include <QToolBar>

namespace formdesign {

DesignerWindow::DesignerWindow(std::shared_ptr<platform::forms::ControlLibraries> libraries,
                               QWidget* parent)
    : QMainWindow(parent), ownMessages_(this) {
    messages_.target = &ownMessages_;
    document_ = std::make_unique<DesignDocument>(this, std::move(libraries), messages_);
    surface_ = new DesignSurface(*document_, this);
    setCentralWidget(surface_);

    auto* commands = addToolBar(QStringLiteral("編集"));
    commands->setObjectName(QStringLiteral("commands"));
    QAction* save = commands->addAction(QStringLiteral("保存"));
    save->setShortcut(QKeySequence::Save);
    save->setToolTip(QStringLiteral("フォーム ファイルを保存 (Ctrl+S)"));
    properties_ = commands->addAction(QStringLiteral("プロパティ"));
    properties_->setObjectName(QStringLiteral("properties"));
    properties_->setShortcut(Qt::Key_F4);
    properties_->setToolTip(QStringLiteral("プロパティ ページ (F4)"));
    remove_ = commands->addAction(QStringLiteral("削除"));
    remove_->setShortcut(QKeySequence::Delete);
    remove_->setToolTip(QStringLiteral("選択したコントロールを削除 (Del)"));
    for (QAction* action : {save, properties_, remove_}) {
        action->setShortcutContext(Qt::WindowShortcut);
    }
    connect(save, &QAction::triggered, this, &DesignerWindow::save);
    connect(properties_, &QAction::triggered, this, &DesignerWindow::showProperties);
    connect(remove_, &QAction::triggered, this, &DesignerWindow::removeSelected);

    toolBox_ = new QToolBar(QStringLiteral("ツールボックス"), this);
    toolBox_->setObjectName(QStringLiteral("toolbox"));
    addToolBar(Qt::LeftToolBarArea, toolBox_);

    connect(surface_, &DesignSurface::selectionChanged, this, &DesignerWindow::refresh);
    connect(surface_, &DesignSurface::propertiesRequested, this, &DesignerWindow::showProperties);
    connect(surface_, &DesignSurface::deleteRequested, this, &DesignerWindow::removeSelected);
    statusBar();
    resize(640, 480);
    refresh();
}

DesignerWindow::~DesignerWindow() {
    // The form goes while its window still exists.
    document_.reset();
}

void DesignerWindow::setMessagePresenter(platform::MessagePresenter* presenter) {
    messages_.target = presenter != nullptr ? presenter : &ownMessages_;
}

void DesignerWindow::open(const QString& path) {
    document_->open(path);
    if (document_->form().menuControls().empty() && !document_->controls().empty()) {
        // Controls that keep settings per menu entry drop those of entries the
        // form does not have when they save.
        messages_.show(
            QStringLiteral("フォーム ファイル %1 にはメニューの記述がありません。\n"
                           "メニュー項目ごとの設定は、保存すると失われることがあります。")
                .arg(path),
            platform::MsgButtons::Ok, platform::MsgIcon::Exclamation,
            QStringLiteral("フォーム デザイナ"));
    }
    fillToolBox();
    document_->selectNext();
    surface_->setFocus();
    refresh();
}

void DesignerWindow::fillToolBox() {
    toolBox_->clear();
    for (const QString& className : document_->classNames()) {
        QAction* place = toolBox_->addAction(className);
        place->setToolTip(QStringLiteral("%1 をフォームに配置").arg(className));
        connect(place, &QAction::triggered, this, [this, className] {
            try {
                document_->place(className);
            } catch (const platform::RuntimeError& error) {
                messages_.show(error.description(), platform::MsgButtons::Ok,
                               platform::MsgIcon::Critical, windowTitle());
            }
            refresh();
        });
    }
}

void DesignerWindow::refresh() {
    const QString name = document_->isOpen() ? document_->formName() : QString();
    setWindowTitle(QStringLiteral("%1 (%2)[*] - フォーム デザイナ")
                       .arg(name, QFileInfo(document_->path()).fileName()));
    setWindowModified(document_->dirty());
    const bool selected = !document_->selected().isEmpty();
    properties_->setEnabled(selected);
    remove_->setEnabled(selected);
    QString status;
    for (const PlacedControl& control : document_->controls()) {
        if (control.name == document_->selected()) {
            status = QStringLiteral("%1 (%2)  %3 x %4 twips")
                         .arg(control.name, control.className)
                         .arg(control.twips.width())
                         .arg(control.twips.height());
        }
    }
    statusBar()->showMessage(status);
    surface_->update();
}

void DesignerWindow::showProperties() {
    if (document_->selected().isEmpty()) {
        return;
    }
    const auto pages = document_->selectedPages();
    if (pages.empty()) {
        messages_.show(
            QStringLiteral("%1 にはプロパティ ページがありません。").arg(document_->selected()),
            platform::MsgButtons::Ok, platform::MsgIcon::Information, windowTitle());
        return;
    }
    platform::forms::PropertyDialog dialog(pages, document_->selection(), this);
    dialog.setWindowTitle(QStringLiteral("%1 のプロパティ").arg(document_->selected()));
    dialog.exec();
    refresh();
}

void DesignerWindow::removeSelected() {
    document_->removeSelected();
    refresh();
}

void DesignerWindow::save() {
    document_->saveReporting();
    refresh();
}

void DesignerWindow::closeEvent(QCloseEvent* event) {
    if (document_->confirmClose()) {
        event->accept();
    } else {
        event->ignore();
        refresh();
    }
}

} // namespace formdesign
