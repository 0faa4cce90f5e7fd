#pragma once
// The designer's window: the form's own menu bar on top, the form's client
// area with its controls in the middle, a tool box that places a control of
// each registered class, and the designer's commands (save, properties,
// delete) on a tool bar and on keys.
#include "platform/runtime/MessageBox.h"
#include "tools/formdesign/DesignDocument.h"
#include <QMainWindow>
#include <memory>

class QAction;
class QToolBar;

namespace formdesign {

class DesignSurface;

class DesignerWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit DesignerWindow(std::shared_ptr<platform::forms::ControlLibraries> libraries,
                            QWidget* parent = nullptr);
    ~DesignerWindow() override;

    // Opens the form file; fails with a runtime error.
    void open(const QString& path);
    DesignDocument& document() { return *document_; }
    DesignSurface* surface() const { return surface_; }
    void setMessagePresenter(platform::MessagePresenter* presenter);

    void showProperties();
    void removeSelected();
    void save();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void fillToolBox();
    void refresh();

    platform::QtMessagePresenter ownMessages_;
    // Forwards to the presenter in use, so that the document can keep one.
    class Messages : public platform::MessagePresenter {
    public:
        platform::MessagePresenter* target = nullptr;
        platform::MsgResult show(const QString& text, platform::MsgButtons buttons,
                                 platform::MsgIcon icon, const QString& title) override {
            return target->show(text, buttons, icon, title);
        }
    } messages_;
    std::unique_ptr<DesignDocument> document_;
    DesignSurface* surface_ = nullptr;
    QToolBar* toolBox_ = nullptr;
    QAction* properties_ = nullptr;
    QAction* remove_ = nullptr;
};

} // namespace formdesign
