#pragma once
// Thin Qt widgets that show the control models. All behaviour lives in the models;
// the widgets forward user input to them and raise the controls' events as signals.
#include "platform/controls/ListViewModel.h"
#include "platform/controls/SimpleModels.h"
#include "platform/controls/TreeViewModel.h"
#include <QTabBar>
#include <QToolBar>
#include <QTreeView>
#include <QStatusBar>

class QLabel;

namespace platform::controls {

// Shows a TreeViewModel with the pictures of an image list by image key; the
// selected node shows its selected-image key when it has one.
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

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    TreeViewModel* model_;
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
    ListViewModel* model_;
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
    void middleReleased();
    void rightReleased(const QPoint& globalPos);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TabStripModel* model_;
    bool syncing_ = false;
};

class ToolBarWidget : public QToolBar {
    Q_OBJECT
public:
    ToolBarWidget(ToolBarModel* model, const ImageListModel* images, QWidget* parent = nullptr);
};

} // namespace platform::controls
