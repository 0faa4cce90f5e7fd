#include "platform/controls/ControlWidgets.h"

#include "platform/runtime/RuntimeError.h"
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>

namespace platform::controls {

ListViewWidget::ListViewWidget(ListViewModel* model, QWidget* parent)
    : QTreeView(parent), model_(model) {
    // A flat report: no tree decoration, one row selected at a time, and rows
    // of one height so that tens of thousands of them lay out at once.
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setStretchLastSection(true);
    setModel(model);
    showModelSelection(model->selectedRow());

    connect(model, &ListViewModel::selectedRowChanged, this, &ListViewWidget::showModelSelection);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ListViewWidget::takeViewSelection);
    // A reset drops the view's selection; the model may still have one.
    connect(model, &QAbstractItemModel::modelReset, this,
            [this] { showModelSelection(model_->selectedRow()); });
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            emit rowDoubleClicked(index.row() + 1);
    });
}

void ListViewWidget::showModelSelection(int row) {
    if (row == 0) {
        selectionModel()->clearSelection();
        return;
    }
    const QModelIndex target = model_->index(row - 1, 0);
    if (!target.isValid()) // no columns to show the row in yet
        return;
    selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect |
                                                  QItemSelectionModel::Rows);
    scrollTo(target);
}

void ListViewWidget::takeViewSelection() {
    if (!model_)
        return;
    const QModelIndexList rows = selectionModel()->selectedRows();
    try {
        model_->setSelectedRow(rows.isEmpty() ? 0 : rows.first().row() + 1);
    } catch (const RuntimeError&) {
        // A row from the view is always in range; nothing may leave a slot.
    }
}

void ListViewWidget::keyPressEvent(QKeyEvent* event) {
    if (model_ && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        emit enterPressed(model_->selectedRow());
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}

void ListViewWidget::contextMenuEvent(QContextMenuEvent* event) {
    if (!model_)
        return;
    if (event->reason() == QContextMenuEvent::Keyboard) {
        const int row = model_->selectedRow();
        const QRect rect = row ? visualRect(model_->index(row - 1, 0)) : QRect();
        const QPoint at = rect.isValid() ? rect.center() : QPoint(0, 0);
        emit contextMenuAt(row, viewport()->mapToGlobal(at));
    } else {
        const QModelIndex index = indexAt(event->pos());
        emit contextMenuAt(index.isValid() ? index.row() + 1 : 0, event->globalPos());
    }
    event->accept();
}

} // namespace platform::controls
