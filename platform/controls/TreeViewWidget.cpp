#include "platform/controls/ControlWidgets.h"

#include "platform/runtime/RuntimeError.h"
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QHash>
#include <QIcon>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPixmap>
#include <QStyledItemDelegate>

namespace platform::controls {

namespace {

// Draws each node with the picture its image key names; a selected node uses
// its selected-image key when it has one.
class ImageKeyDelegate : public QStyledItemDelegate {
public:
    ImageKeyDelegate(const ImageListModel* images, QObject* parent)
        : QStyledItemDelegate(parent), images_(images) {}

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (!images_)
            return;
        QString key = index.data(TreeViewModel::ImageKeyRole).toString();
        if (option->state & QStyle::State_Selected) {
            const QString selectedKey = index.data(TreeViewModel::SelectedImageKeyRole).toString();
            if (!selectedKey.isEmpty())
                key = selectedKey;
        }
        if (key.isEmpty() || !images_->contains(key))
            return;
        option->icon = iconFor(key);
        option->features |= QStyleOptionViewItem::HasDecoration;
    }

private:
    // Converting an image for every painted row would be wasteful; keys are
    // unique and never re-bound, so a converted icon stays valid.
    QIcon iconFor(const QString& key) const {
        auto found = icons_.constFind(key);
        if (found != icons_.constEnd())
            return *found;
        const QPixmap pixmap = QPixmap::fromImage(images_->image(key));
        QIcon icon;
        // The same picture for the selected state, so styles do not tint it.
        icon.addPixmap(pixmap, QIcon::Normal);
        icon.addPixmap(pixmap, QIcon::Selected);
        icons_.insert(key, icon);
        return icon;
    }

    const ImageListModel* images_;
    mutable QHash<QString, QIcon> icons_;
};

bool isEnterKey(const QKeyEvent* event) {
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

} // namespace

TreeViewWidget::TreeViewWidget(TreeViewModel* model, const ImageListModel* images, QWidget* parent)
    : QTreeView(parent), model_(model) {
    setHeaderHidden(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Thousands of feeds: uniform rows keep layout cheap.
    setUniformRowHeights(true);
    setItemDelegate(new ImageKeyDelegate(images, this));
    setModel(model);
    setAcceptDrops(true);
    setDropIndicatorShown(false);

    for (int index : model->treeOrder()) {
        if (model->isExpanded(index))
            setExpanded(model->modelIndexOf(index), true);
    }
    showModelSelection(model->selectedIndex());

    connect(model, &TreeViewModel::selectionChanged, this, &TreeViewWidget::showModelSelection);
    connect(model, &TreeViewModel::expandedChanged, this, &TreeViewWidget::showModelExpansion);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TreeViewWidget::takeViewSelection);
    // Both sides only report real changes, so mirroring cannot ping-pong.
    connect(this, &QTreeView::expanded, this, [this](const QModelIndex& index) {
        if (const int node = model_ ? model_->nodeIndexOf(index) : 0)
            model_->setExpanded(node, true);
    });
    connect(this, &QTreeView::collapsed, this, [this](const QModelIndex& index) {
        if (const int node = model_ ? model_->nodeIndexOf(index) : 0)
            model_->setExpanded(node, false);
    });
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (const int node = model_ ? model_->nodeIndexOf(index) : 0)
            emit nodeClicked(node);
    });
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (const int node = model_ ? model_->nodeIndexOf(index) : 0)
            emit nodeDoubleClicked(node);
    });
}

void TreeViewWidget::showModelSelection(int index) {
    if (index == 0) {
        selectionModel()->clearSelection();
        return;
    }
    const QModelIndex target = model_->modelIndexOf(index);
    selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect |
                                                  QItemSelectionModel::Rows);
    // Also opens the ancestors, so the selected node can be seen.
    scrollTo(target);
}

void TreeViewWidget::showModelExpansion(int index, bool expanded) {
    const QModelIndex target = model_->modelIndexOf(index);
    if (isExpanded(target) != expanded)
        setExpanded(target, expanded);
}

void TreeViewWidget::takeViewSelection() {
    if (!model_)
        return;
    const QModelIndexList rows = selectionModel()->selectedRows();
    const int node = rows.isEmpty() ? 0 : model_->nodeIndexOf(rows.first());
    try {
        model_->setSelectedIndex(node);
    } catch (const RuntimeError&) {
        // A node number from the view is always in range; nothing may leave a slot.
    }
}

void TreeViewWidget::keyPressEvent(QKeyEvent* event) {
    if (model_ && isEnterKey(event)) {
        emit enterPressed(model_->selectedIndex());
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}

void TreeViewWidget::contextMenuEvent(QContextMenuEvent* event) {
    if (!model_)
        return;
    if (event->reason() == QContextMenuEvent::Keyboard) {
        // From the menu key: the selected node, at its own place on screen.
        const int node = model_->selectedIndex();
        const QRect rect = node ? visualRect(model_->modelIndexOf(node)) : QRect();
        const QPoint at = rect.isValid() ? rect.center() : QPoint(0, 0);
        emit contextMenuAt(node, viewport()->mapToGlobal(at));
    } else {
        emit contextMenuAt(model_->nodeIndexOf(indexAt(event->pos())), event->globalPos());
    }
    event->accept();
}

QItemSelectionModel::SelectionFlags TreeViewWidget::selectionCommand(const QModelIndex& index,
                                                                     const QEvent* event) const {
    // A right click points at a node for its context menu without selecting it.
    if (event &&
        (event->type() == QEvent::MouseButtonPress ||
         event->type() == QEvent::MouseButtonRelease) &&
        static_cast<const QMouseEvent*>(event)->button() == Qt::RightButton)
        return QItemSelectionModel::NoUpdate;
    return QTreeView::selectionCommand(index, event);
}

// Only plain text is taken; the tree's own rows are never dragged.
void TreeViewWidget::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasText())
        event->acceptProposedAction();
    else
        event->ignore();
}

void TreeViewWidget::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData()->hasText())
        event->acceptProposedAction();
    else
        event->ignore();
}

void TreeViewWidget::dropEvent(QDropEvent* event) {
    if (!event->mimeData()->hasText()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit textDropped(event->mimeData()->text());
}

} // namespace platform::controls
