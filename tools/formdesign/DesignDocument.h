#pragma once
// A form file opened for design: the form loaded in design mode (its controls
// read their stored properties but never hook the window), the controls'
// places and extents, the selection, placing and deleting controls, whether
// there is anything to save, and saving. No widgets: the designer window shows
// what this holds.
#include "platform/forms/ControlLibraries.h"
#include "platform/forms/HostForm.h"
#include "platform/forms/PropertyPage.h"
#include "platform/runtime/MessageBox.h"
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class QWidget;

namespace formdesign {

// Design-time sizes are in twips; the screen shows 15 twips a pixel.
constexpr int TwipsPerPixel = 15;

struct PlacedControl {
    QString name;
    QString className;
    QRect twips; // place and extent on the form
    QRect pixels() const;
};

class DesignDocument {
public:
    // The form's window is the designer's; control classes come from the
    // libraries; the controls' message boxes and the document's go to messages.
    DesignDocument(QWidget* window, std::shared_ptr<platform::forms::ControlLibraries> libraries,
                   platform::MessagePresenter& messages);
    ~DesignDocument();
    DesignDocument(const DesignDocument&) = delete;
    DesignDocument& operator=(const DesignDocument&) = delete;

    // Reads the form file and loads the form in design mode. Fails with a
    // runtime error (a file that cannot be read, a class no library serves).
    void open(const QString& path);
    bool isOpen() const { return form_ != nullptr; }
    const QString& path() const { return path_; }
    QString formName() const;
    platform::forms::HostForm& form() { return *form_; }
    QStringList classNames();

    std::vector<PlacedControl> controls() const;
    // The control under a point of the form (twips); empty for none.
    QString controlAt(QPoint twips) const;

    QString selected() const { return selected_; }
    void select(const QString& name); // an unknown name clears the selection
    // Tab and Shift+Tab: the next (previous) control in form order, round.
    void selectNext(bool backwards = false);

    // Places a new control of the class, named after it, and selects it. The
    // control sets its initial values (and may warn, as a second menu control
    // on a form does). Fails with a runtime error.
    QString place(const QString& className);
    // Deletes the selected control; nothing when none is selected.
    void removeSelected();

    // The selected control's pages and what they act on; empty for none.
    std::vector<platform::forms::PropertyPageFactory> selectedPages() const;
    std::vector<platform::forms::SelectedControl> selection() const;

    // Something to save: a control placed or deleted, or a stored property
    // that a control said it changed.
    bool dirty() const;
    // Writes the form file atomically. On failure the form stays dirty, the
    // old file stays whole, and *error names the file and the reason.
    bool save(QString* error);
    // Saves and shows the error of a failed save.
    bool saveReporting();
    // Whether the window may close: a dirty form asks "変更を保存しますか?";
    // はい saves (and a failed save keeps the window), いいえ drops the
    // changes, キャンセル keeps the window.
    bool confirmClose();

private:
    QSize extentOf(platform::forms::HostedControl& control);
    void settleExtent(const QString& name);

    QWidget* window_;
    std::shared_ptr<platform::forms::ControlLibraries> libraries_;
    platform::MessagePresenter& messages_;
    std::unique_ptr<platform::forms::HostForm> form_;
    QString path_;
    QString selected_;
    bool structureChanged_ = false;
};

} // namespace formdesign
