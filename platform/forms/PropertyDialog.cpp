#include "platform/forms/PropertyDialog.h"
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace platform::forms {

PropertyDialog::PropertyDialog(const std::vector<PropertyPageFactory>& pages,
                               std::vector<SelectedControl> selection, QWidget* parent)
    : QDialog(parent), selection_(std::move(selection)) {
    setWindowTitle(QStringLiteral("プロパティ ページ"));
    tabs_ = new QTabWidget(this);
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    cancel_ = new QPushButton(QStringLiteral("キャンセル"), this);
    apply_ = new QPushButton(QStringLiteral("適用"), this);
    ok_->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    buttons->addWidget(apply_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addLayout(buttons);

    for (const PropertyPageFactory& make : pages) {
        std::unique_ptr<PropertyPage> made = make ? make() : nullptr;
        if (!made) {
            continue;
        }
        PropertyPage* page = made.release();
        tabs_->addTab(page, page->caption()); // the tab widget owns the page now
        pages_.push_back(page);
        connect(page, &PropertyPage::changedChanged, this, [this] { updateApply(); });
    }
    connect(ok_, &QPushButton::clicked, this, [this] {
        if (applyChanged()) {
            accept();
        }
    });
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(apply_, &QPushButton::clicked, this, [this] { applyChanged(); });

    for (PropertyPage* page : pages_) {
        page->initialisePage();
    }
    for (PropertyPage* page : pages_) {
        page->selectionChanged(selection_);
    }
    updateApply();
}

PropertyDialog::~PropertyDialog() {
    // Destroyed without being closed (its owner went first): the pages still
    // get their close, which is where some of them store what they hold.
    if (!closed_) {
        closed_ = true;
        for (PropertyPage* page : pages_) {
            page->closePage();
        }
    }
}

int PropertyDialog::pageCount() const {
    return static_cast<int>(pages_.size());
}

PropertyPage* PropertyDialog::page(int index) const {
    return index >= 0 && index < pageCount() ? pages_[static_cast<size_t>(index)] : nullptr;
}

void PropertyDialog::setSelection(std::vector<SelectedControl> selection) {
    selection_ = std::move(selection);
    for (PropertyPage* page : pages_) {
        page->selectionChanged(selection_);
    }
    updateApply();
}

bool PropertyDialog::applyChanged() {
    bool allApplied = true;
    for (PropertyPage* page : pages_) {
        if (!page->changed()) {
            continue;
        }
        page->applyChanges();
        if (page->changed()) {
            // The page refused (it said why); show it so the user sees where.
            if (allApplied) {
                tabs_->setCurrentWidget(page);
            }
            allApplied = false;
        }
    }
    updateApply();
    return allApplied;
}

void PropertyDialog::done(int result) {
    if (!closed_) {
        closed_ = true;
        for (PropertyPage* page : pages_) {
            page->closePage();
        }
    }
    QDialog::done(result);
}

void PropertyDialog::updateApply() {
    bool any = false;
    for (const PropertyPage* page : pages_) {
        any = any || page->changed();
    }
    apply_->setEnabled(any);
}

} // namespace platform::forms
