#include "platform/controls/ControlWidgets.h"
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QWheelEvent>
#include <gtest/gtest.h>

using namespace platform::controls;

namespace {

QImage solid(Qt::GlobalColor color) {
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

int pixelsOf(const QImage& image, QColor color) {
    int found = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            found += image.pixelColor(x, y) == color ? 1 : 0;
    }
    return found;
}

void sendMouse(QWidget* target, QEvent::Type type, Qt::MouseButton button, QPoint at) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? button : Qt::NoButton;
    QMouseEvent event(type, at, target->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void sendKey(QWidget* target, int key) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

struct TreeFixture {
    TreeViewModel model;
    ImageListModel images;
    int A, a1, B, b1;
    std::unique_ptr<TreeViewWidget> view;
    TreeFixture() {
        images.add("closed", solid(Qt::red));
        images.add("open", solid(Qt::blue));
        images.add("feed", solid(Qt::green));
        A = model.addNode({}, "A", "Folder A", "closed", "open");
        a1 = model.addNode("A", "a1", "Feed a1", "feed");
        B = model.addNode({}, "B", "Folder B", "closed", "open");
        b1 = model.addNode("B", "b1", "Feed b1", "feed");
        view = std::make_unique<TreeViewWidget>(&model, &images);
        view->resize(300, 200);
        view->show();
    }
    QModelIndex at(int node) const { return model.modelIndexOf(node); }
};

} // namespace

TEST(TreeViewWidget, ShowsTheModelsNodesAndFollowsExpansionBothWays) {
    TreeFixture t;
    EXPECT_EQ(t.view->model(), &t.model);
    EXPECT_TRUE(t.view->visualRect(t.at(t.A)).isValid());
    EXPECT_FALSE(t.view->visualRect(t.at(t.a1)).isValid()); // inside a closed folder

    t.model.setExpanded(t.A, true);
    EXPECT_TRUE(t.view->isExpanded(t.at(t.A)));
    EXPECT_TRUE(t.view->visualRect(t.at(t.a1)).isValid());

    t.view->collapse(t.at(t.A));
    EXPECT_FALSE(t.model.isExpanded(t.A));

    // Nodes added later show up too.
    const int b2 = t.model.addNode("B", "b2", "Feed b2", "feed");
    t.view->expand(t.at(t.B));
    EXPECT_TRUE(t.model.isExpanded(t.B));
    EXPECT_TRUE(t.view->visualRect(t.at(b2)).isValid());
}

TEST(TreeViewWidget, SelectionFollowsTheModelAndTheUser) {
    TreeFixture t;
    t.model.setSelectedIndex(t.b1);
    EXPECT_EQ(t.view->selectionModel()->selectedRows(), QModelIndexList{t.at(t.b1)});
    EXPECT_TRUE(t.view->isExpanded(t.at(t.B))); // the selected node is made visible

    t.view->setCurrentIndex(t.at(t.A));
    EXPECT_EQ(t.model.selectedIndex(), t.A);

    t.model.setSelectedIndex(0);
    EXPECT_TRUE(t.view->selectionModel()->selectedRows().isEmpty());

    // Removing the selected branch leaves neither side with a selection.
    t.model.setSelectedIndex(t.b1);
    t.model.removeNode(t.B);
    EXPECT_EQ(t.model.selectedIndex(), 0);
    EXPECT_TRUE(t.view->selectionModel()->selectedRows().isEmpty());
}

TEST(TreeViewWidget, UserSelectionInSingleSelectionModeClosesTheOtherBranch) {
    TreeFixture t;
    t.model.setSingleSel(true);
    t.model.setSelectedIndex(t.a1);
    EXPECT_TRUE(t.view->isExpanded(t.at(t.A)));
    t.view->setCurrentIndex(t.at(t.b1));
    EXPECT_EQ(t.model.selectedIndex(), t.b1);
    EXPECT_FALSE(t.view->isExpanded(t.at(t.A)));
    EXPECT_FALSE(t.model.isExpanded(t.A));
    EXPECT_EQ(t.view->selectionModel()->selectedRows(), QModelIndexList{t.at(t.b1)});
}

TEST(TreeViewWidget, TheSelectedNodeDrawsItsSelectedImage) {
    TreeFixture t;
    t.model.setSelectedIndex(t.A);
    QImage shot = t.view->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_GT(pixelsOf(shot, Qt::blue), 0); // A, selected: "open"
    EXPECT_GT(pixelsOf(shot, Qt::red), 0);  // B: "closed"

    t.model.setSelectedIndex(t.b1); // opens B; neither folder is selected now
    shot = t.view->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(pixelsOf(shot, Qt::blue), 0);
    EXPECT_GT(pixelsOf(shot, Qt::red), 0);
    EXPECT_GT(pixelsOf(shot, Qt::green), 0);
}

TEST(TreeViewWidget, RightClickAsksForAMenuWithoutMovingTheSelection) {
    TreeFixture t;
    t.model.setSelectedIndex(t.A);
    QList<int> menus;
    QObject::connect(t.view.get(), &TreeViewWidget::contextMenuAt,
                     [&](int node, const QPoint&) { menus.append(node); });
    QList<int> clicks;
    QObject::connect(t.view.get(), &TreeViewWidget::nodeClicked,
                     [&](int node) { clicks.append(node); });

    QWidget* viewport = t.view->viewport();
    const QPoint onB = t.view->visualRect(t.at(t.B)).center();
    sendMouse(viewport, QEvent::MouseButtonPress, Qt::RightButton, onB);
    sendMouse(viewport, QEvent::MouseButtonRelease, Qt::RightButton, onB);
    QContextMenuEvent onNode(QContextMenuEvent::Mouse, onB, viewport->mapToGlobal(onB));
    QApplication::sendEvent(viewport, &onNode);
    const QPoint empty(5, viewport->height() - 5);
    QContextMenuEvent onNothing(QContextMenuEvent::Mouse, empty, viewport->mapToGlobal(empty));
    QApplication::sendEvent(viewport, &onNothing);

    EXPECT_EQ(t.model.selectedIndex(), t.A);
    EXPECT_EQ(menus, (QList<int>{t.B, 0}));

    sendMouse(viewport, QEvent::MouseButtonPress, Qt::LeftButton, onB);
    sendMouse(viewport, QEvent::MouseButtonRelease, Qt::LeftButton, onB);
    EXPECT_EQ(t.model.selectedIndex(), t.B);
    EXPECT_EQ(clicks, (QList<int>{t.B}));
}

TEST(ListViewWidget, SelectionFollowsBothWaysAndManyRowsAreShown) {
    ListViewModel model;
    model.setColumnHeaders({"Title", "Date"});
    ListViewWidget view(&model);
    view.resize(400, 300);
    view.show();
    for (int row = 1; row <= 32767; ++row)
        model.addRow(QString::number(row));
    QApplication::processEvents();
    EXPECT_EQ(view.model()->rowCount(), 32767);

    model.setSelectedRow(30000);
    EXPECT_EQ(view.selectionModel()->selectedRows(), QModelIndexList{model.index(29999, 0)});
    view.setCurrentIndex(model.index(4, 1));
    EXPECT_EQ(model.selectedRow(), 5);

    QList<int> entered;
    QObject::connect(&view, &ListViewWidget::enterPressed, [&](int row) { entered.append(row); });
    sendKey(&view, Qt::Key_Enter);
    EXPECT_EQ(entered, (QList<int>{5}));

    model.clear();
    EXPECT_TRUE(view.selectionModel()->selectedRows().isEmpty());
    EXPECT_EQ(model.selectedRow(), 0);
}

TEST(TabStripWidget, TheBarMirrorsTheModel) {
    TabStripModel model;
    model.addTab("one", {});
    TabStripWidget bar(&model);
    EXPECT_EQ(bar.count(), 1);
    model.addTab("two", {});
    model.addTab("three", {});
    model.select(3);
    EXPECT_EQ(bar.count(), 3);
    EXPECT_EQ(bar.tabText(1), "two");
    EXPECT_EQ(bar.currentIndex(), 2);

    model.setCaption(1, "first");
    EXPECT_EQ(bar.tabText(0), "first");
    model.removeTab(3);
    EXPECT_EQ(bar.count(), 2);
    EXPECT_EQ(bar.currentIndex(), model.selected() - 1);
    model.removeTab(1);
    model.removeTab(1);
    EXPECT_EQ(bar.count(), 0);
}

TEST(TabStripWidget, UserClicksSelectInTheModelAndOtherButtonsAreReported) {
    TabStripModel model;
    for (const char* caption : {"one", "two", "three"})
        model.addTab(caption, {});
    TabStripWidget bar(&model);
    bar.show();
    QList<int> clicked;
    QObject::connect(&bar, &TabStripWidget::tabClickedAt, [&](int at) {
        EXPECT_EQ(model.selected(), at); // the model already agrees
        clicked.append(at);
    });
    int middle = 0;
    int right = 0;
    QObject::connect(&bar, &TabStripWidget::middleReleased, [&] { ++middle; });
    QObject::connect(&bar, &TabStripWidget::rightReleased, [&](const QPoint&) { ++right; });

    const QPoint onTwo = bar.tabRect(1).center();
    sendMouse(&bar, QEvent::MouseButtonPress, Qt::LeftButton, onTwo);
    sendMouse(&bar, QEvent::MouseButtonRelease, Qt::LeftButton, onTwo);
    EXPECT_EQ(model.selected(), 2);
    EXPECT_EQ(clicked, (QList<int>{2}));

    const QPoint onThree = bar.tabRect(2).center();
    sendMouse(&bar, QEvent::MouseButtonPress, Qt::MiddleButton, onThree);
    sendMouse(&bar, QEvent::MouseButtonRelease, Qt::MiddleButton, onThree);
    sendMouse(&bar, QEvent::MouseButtonPress, Qt::RightButton, onThree);
    sendMouse(&bar, QEvent::MouseButtonRelease, Qt::RightButton, onThree);
    EXPECT_EQ(middle, 1);
    EXPECT_EQ(right, 1);
    EXPECT_EQ(model.selected(), 2); // only the left button selects
    EXPECT_EQ(clicked, (QList<int>{2}));
}

TEST(TabStripWidget, KeysAndTheWheelReportTheChosenTabLikeAClick) {
    TabStripModel model;
    for (const char* caption : {"one", "two", "three"})
        model.addTab(caption, {});
    TabStripWidget bar(&model);
    bar.show();
    QList<int> chosen;
    QObject::connect(&bar, &TabStripWidget::currentChosen, [&](int at) {
        EXPECT_EQ(model.selected(), at);
        chosen.append(at);
    });

    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QApplication::sendEvent(&bar, &right);
    EXPECT_EQ(chosen, (QList<int>{2}));
    const QPointF at = bar.tabRect(0).center();
    QWheelEvent wheel(at, bar.mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&bar, &wheel);
    EXPECT_EQ(chosen, (QList<int>{2, 3}));
    // The program's own selection is no choice of the user's.
    model.select(1);
    EXPECT_EQ(chosen, (QList<int>{2, 3}));
}

TEST(ToolBarAndStatusBarWidgets, FollowTheirModels) {
    ImageListModel images;
    images.add("refresh", solid(Qt::red));
    ToolBarModel tools;
    tools.addButton("refresh", "refresh", "Refresh");
    ToolBarWidget toolBar(&tools, &images);
    tools.addButton("stop", "", "Stop"); // added after the widget was made
    const QList<QAction*> actions = toolBar.actions();
    ASSERT_EQ(actions.size(), 2);
    EXPECT_FALSE(actions[0]->icon().isNull());
    EXPECT_EQ(actions[1]->toolTip(), "Stop");
    QStringList clicked;
    QObject::connect(&tools, &ToolBarModel::buttonClicked,
                     [&](const QString& key) { clicked.append(key); });
    actions[1]->trigger();
    EXPECT_EQ(clicked, (QStringList{"stop"}));
    tools.setEnabled(false);
    EXPECT_FALSE(toolBar.isEnabled());

    StatusBarModel status(2);
    status.setPanelText(1, "<b>not markup</b>");
    StatusBarWidget statusBar(&status);
    status.setPanelText(2, "3 new");
    const QList<QLabel*> labels = statusBar.findChildren<QLabel*>();
    ASSERT_EQ(labels.size(), 2);
    EXPECT_EQ(labels[0]->text(), "<b>not markup</b>");
    EXPECT_EQ(labels[0]->textFormat(), Qt::PlainText);
    EXPECT_EQ(labels[1]->text(), "3 new");
    status.setVisible(false);
    EXPECT_TRUE(statusBar.isHidden());
}

TEST(TreeViewWidget, DroppedPlainTextIsReported) {
    TreeViewModel model;
    ImageListModel images;
    TreeViewWidget view(&model, &images);
    QStringList dropped;
    QObject::connect(&view, &TreeViewWidget::textDropped,
                     [&dropped](const QString& text) { dropped << text; });
    view.show();
    QMimeData text;
    text.setText(QStringLiteral("http://dropped.example/rss"));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &drop);
    QMimeData image;
    image.setImageData(QImage(2, 2, QImage::Format_RGB32));
    QDropEvent other(QPointF(5, 5), Qt::CopyAction, &image, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &other);
    EXPECT_EQ(dropped, QStringList{QStringLiteral("http://dropped.example/rss")});
}
