#pragma once
// Thin Qt widgets that show the control models. All behaviour lives in the models;
// the widgets forward user input to them and raise the controls' events as signals.
#include "platform/controls/ListViewModel.h"
#include "platform/controls/SimpleModels.h"
#include "platform/controls/TreeViewModel.h"
#include <QPointer>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>
#include <QTreeView>

class QLabel;

namespace platform::controls {

// Shows a TreeViewModel with the pictures of an image list by image key; the
// selected node shows its selected-image key when it has one. Selection and
// expansion follow the model both ways. A right click does not move the
// selection: it only asks for a context menu.
class TreeViewWidget : public QTreeView {
    Q_OBJECT
public:
    TreeViewWidget(TreeViewModel* model, const ImageListModel* images, QWidget* parent = nullptr);
    TreeViewModel* treeModel() const { return model_; }
signals:
    void nodeClicked(int index);
    void nodeDoubleClicked(int index);
    void enterPressed(int index);
    void contextMenuAt(int index, const QPoint& globalPos);
    // Plain text dropped on the tree.
    void textDropped(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;

private:
    void showModelSelection(int index);
    void showModelExpansion(int index, bool expanded);
    void takeViewSelection();

    QPointer<TreeViewModel> model_; // the model may be destroyed before the widget
};

// Shows a ListViewModel in report style with uniform rows, so tens of thousands
// of rows scroll smoothly.
class ListViewWidget : public QTreeView {
    Q_OBJECT
public:
    explicit ListViewWidget(ListViewModel* model, QWidget* parent = nullptr);
    ListViewModel* listModel() const { return model_; }
signals:
    void rowDoubleClicked(int row);
    void enterPressed(int row);
    void contextMenuAt(int row, const QPoint& globalPos);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void showModelSelection(int row);
    void takeViewSelection();

    QPointer<ListViewModel> model_; // the model may be destroyed before the widget
};

class StatusBarWidget : public QStatusBar {
    Q_OBJECT
public:
    explicit StatusBarWidget(StatusBarModel* model, QWidget* parent = nullptr);

private:
    std::vector<QLabel*> panels_; // owned by the status bar
};

class TabStripWidget : public QTabBar {
    Q_OBJECT
public:
    explicit TabStripWidget(TabStripModel* model, QWidget* parent = nullptr);
signals:
    void tabClickedAt(int position);
    // The user made another tab current (mouse, arrow keys, wheel); the model
    // already has it selected.
    void currentChosen(int position);
    void middleReleased();
    void rightReleased(const QPoint& globalPos);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void showModelSelection();

    QPointer<TabStripModel> model_; // the model may be destroyed before the widget
    bool syncing_ = false;          // set while the bar is changed to mirror the model
};

class ToolBarWidget : public QToolBar {
    Q_OBJECT
public:
    ToolBarWidget(ToolBarModel* model, const ImageListModel* images, QWidget* parent = nullptr);

private:
    void addButtonAction(int buttonIndex);

    QPointer<ToolBarModel> model_; // the model may be destroyed before the widget
    const ImageListModel* images_;
};

} // namespace platform::controls
