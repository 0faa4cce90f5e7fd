#pragma once
// The property dialog of a designer: one tab per property page, by caption,
// with OK, キャンセル and 適用. Opening it tells every page the selection;
// 適用 applies the pages marked changed; OK applies them too and closes when
// none is left changed; closing in any way gives every page its close event
// once. See PropertyPage.h for what a page does with each event.
#include "platform/forms/PropertyPage.h"
#include <QDialog>
#include <memory>
#include <vector>

class QPushButton;
class QTabWidget;

namespace platform::forms {

class PropertyDialog : public QDialog {
    Q_OBJECT
public:
    // Makes the pages, initialises them and tells them the selection.
    PropertyDialog(const std::vector<PropertyPageFactory>& pages,
                   std::vector<SelectedControl> selection, QWidget* parent = nullptr);
    ~PropertyDialog() override;

    int pageCount() const;
    PropertyPage* page(int index) const;
    // Tells every page a new selection.
    void setSelection(std::vector<SelectedControl> selection);
    // Applies every changed page; true when none is left changed.
    bool applyChanged();

    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }
    QPushButton* applyButton() const { return apply_; }

    void done(int result) override;

private:
    void updateApply();

    std::vector<PropertyPage*> pages_; // owned by the tab widget
    std::vector<SelectedControl> selection_;
    QTabWidget* tabs_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* apply_ = nullptr;
    bool closed_ = false;
};

} // namespace platform::forms
