#include "platform/controls/TreeViewModel.h"
#include "RaisedError.h"
#include <gtest/gtest.h>

using controls_test::raisedError;
using platform::controls::TreeViewModel;

namespace {

// Walks the Qt side of the model and checks it against the numbered side:
// index/parent round trips, row counts and the node behind every index.
void expectConsistent(const TreeViewModel& model, const QModelIndex& parent, int& seen) {
    const int parentNode = model.nodeIndexOf(parent);
    const QList<int> children = parentNode ? model.childrenOf(parentNode) : model.topLevelNodes();
    ASSERT_EQ(model.rowCount(parent), children.size());
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex child = model.index(row, 0, parent);
        ASSERT_TRUE(child.isValid());
        EXPECT_EQ(child.row(), row);
        EXPECT_EQ(model.parent(child), parent);
        const int node = model.nodeIndexOf(child);
        EXPECT_EQ(node, children[row]);
        EXPECT_EQ(model.parentOf(node), parentNode);
        EXPECT_EQ(model.modelIndexOf(node), child);
        EXPECT_EQ(model.data(child, Qt::DisplayRole).toString(), model.text(node));
        if (!model.key(node).isEmpty()) {
            EXPECT_EQ(model.indexOfKey(model.key(node)), node);
        }
        ++seen;
        expectConsistent(model, child, seen);
    }
    EXPECT_FALSE(model.index(model.rowCount(parent), 0, parent).isValid());
    EXPECT_FALSE(model.index(0, 1, parent).isValid());
}

void expectConsistent(const TreeViewModel& model) {
    int seen = 0;
    expectConsistent(model, QModelIndex(), seen);
    EXPECT_EQ(seen, model.count());
}

// A{a1{a1x}}, B{b1}: two branches, one of them two levels deep.
struct TwoBranches {
    TreeViewModel model;
    int A = model.addNode({}, "A", "Folder A", "closed", "open");
    int a1 = model.addNode("A", "a1", "Feed a1", "feed");
    int a1x = model.addNode("a1", "a1x", "Item a1x", "feed");
    int B = model.addNode({}, "B", "Folder B", "closed", "open");
    int b1 = model.addNode("B", "b1", "Feed b1", "feed");
};

} // namespace

TEST(TreeViewModelNumbering, CreationOrderNumbersAndTreeOrderForAMixedBuild) {
    TreeViewModel model;
    EXPECT_EQ(model.addNode({}, "A", "A", "i"), 1);
    EXPECT_EQ(model.addNode({}, "B", "B", "i"), 2);
    EXPECT_EQ(model.addNode("A", "a1", "a1", "i"), 3); // a child of A made after B
    model.addNode("B", "b1", "b1", "i");               // 4
    model.addNode("a1", "ax", "ax", "i");              // 5
    model.addNode("A", "a2", "a2", "i");               // 6
    EXPECT_EQ(model.indexOfKey("ax"), 5);
    EXPECT_EQ(model.parentOf(5), 3);
    EXPECT_EQ(model.indexOfKey("nobody"), 0);
    EXPECT_EQ(model.treeOrder(), (QList<int>{1, 3, 5, 6, 2, 4}));
    EXPECT_EQ(model.topLevelNodes(), (QList<int>{1, 2}));
    EXPECT_EQ(model.childrenOf(1), (QList<int>{3, 6}));
}

TEST(TreeViewModelErrors, DuplicateKeyAndMissingParentAreRefusedWithoutChangingTheTree) {
    TwoBranches t;
    int inserted = 0;
    QObject::connect(&t.model, &QAbstractItemModel::rowsInserted, [&] { ++inserted; });

    EXPECT_EQ(raisedError([&] { t.model.addNode("B", "a1x", "again", "i"); }),
              platform::err::KeyNotUnique);
    EXPECT_EQ(raisedError([&] { t.model.addNode("missing", "new", "new", "i"); }),
              platform::err::ElementNotFound);
    EXPECT_EQ(t.model.count(), 5);
    EXPECT_EQ(inserted, 0);
    // Nodes without a key are not duplicates of each other.
    t.model.addNode("B", {}, "no key", "i");
    EXPECT_EQ(raisedError([&] { t.model.addNode("B", {}, "no key either", "i"); }), 0);
    EXPECT_EQ(t.model.indexOfKey({}), 0);
    EXPECT_FALSE(t.model.containsKey("new"));
    expectConsistent(t.model);
}

TEST(TreeViewModelErrors, IndexesOutsideTheNodesRaiseNine) {
    TwoBranches t;
    const int nine = platform::err::SubscriptOutOfRange;
    EXPECT_EQ(raisedError([&] { t.model.key(0); }), nine);
    EXPECT_EQ(raisedError([&] { t.model.text(6); }), nine);
    EXPECT_EQ(raisedError([&] { t.model.removeNode(6); }), nine);
    EXPECT_EQ(raisedError([&] { t.model.setExpanded(-1, true); }), nine);
    EXPECT_EQ(raisedError([&] { t.model.setSelectedIndex(6); }), nine);
    EXPECT_EQ(raisedError([&] { t.model.setSelectedIndex(0); }), 0); // clears
}

TEST(TreeViewModelRemoval, RemovingABranchTakesItsSubtreeRenumbersAndClearsTheSelection) {
    TwoBranches t;
    t.model.setSelectedIndex(t.a1x);
    QList<int> selections;
    QObject::connect(&t.model, &TreeViewModel::selectionChanged,
                     [&](int index) { selections.append(index); });
    QList<int> removedRows;
    QObject::connect(&t.model, &QAbstractItemModel::rowsAboutToBeRemoved,
                     [&](const QModelIndex& parent, int first, int last) {
                         EXPECT_FALSE(parent.isValid());
                         removedRows << first << last;
                         // The selection is already gone when rows start to go.
                         EXPECT_EQ(t.model.selectedIndex(), 0);
                     });

    t.model.removeNode(t.A);

    EXPECT_EQ(removedRows, (QList<int>{0, 0}));
    EXPECT_EQ(selections, (QList<int>{0}));
    EXPECT_EQ(t.model.count(), 2);
    EXPECT_EQ(t.model.indexOfKey("B"), 1);
    EXPECT_EQ(t.model.indexOfKey("b1"), 2);
    EXPECT_EQ(t.model.indexOfKey("a1x"), 0);
    EXPECT_EQ(t.model.treeOrder(), (QList<int>{1, 2}));
    expectConsistent(t.model);
    // The keys of removed nodes are free again.
    EXPECT_EQ(t.model.addNode("B", "a1", "back", "i"), 3);
}

TEST(TreeViewModelRemoval, SelectionOutsideTheRemovedBranchSurvivesWithItsNewNumber) {
    TwoBranches t;
    t.model.setSelectedIndex(t.b1);
    t.model.removeNode(t.a1);
    EXPECT_EQ(t.model.selectedIndex(), 3);
    EXPECT_EQ(t.model.key(3), "b1");
    expectConsistent(t.model);
}

TEST(TreeViewModelRemoval, RemovingAMiddleSiblingKeepsLaterSiblingsReachable) {
    TreeViewModel model;
    model.addNode({}, "A", "A", "i");
    model.addNode({}, "B", "B", "i");
    model.addNode({}, "C", "C", "i");
    model.addNode("C", "c1", "c1", "i");
    model.removeNode(2);
    const QModelIndex c = model.index(1, 0);
    EXPECT_EQ(model.nodeIndexOf(c), model.indexOfKey("C"));
    EXPECT_EQ(model.parent(model.modelIndexOf(model.indexOfKey("c1"))), c);
    expectConsistent(model);
}

TEST(TreeViewModelRemoval, NumbersStayExactInALargeTreeAfterRemoval) {
    // The reader loads thousands of feeds; numbering must not go stale.
    TreeViewModel model;
    for (int folder = 0; folder < 50; ++folder) {
        const QString folderKey = QStringLiteral("f%1").arg(folder);
        model.addNode({}, folderKey, folderKey, "closed");
        for (int feed = 0; feed < 100; ++feed)
            model.addNode(folderKey, folderKey + QStringLiteral("-%1").arg(feed), "feed", "feed");
    }
    model.removeNode(model.indexOfKey("f20"));
    model.removeNode(model.indexOfKey("f3-7"));
    ASSERT_EQ(model.count(), 5050 - 101 - 1);
    for (int index = 1; index <= model.count(); ++index)
        ASSERT_EQ(model.indexOfKey(model.key(index)), index);
    expectConsistent(model);
}

TEST(TreeViewModelQt, InsertionsAreAnnouncedAtTheirParentAndRow) {
    TreeViewModel model;
    model.addNode({}, "A", "A", "i");
    model.addNode({}, "B", "B", "i");
    QList<QPair<int, int>> announced; // (parent node, row)
    QObject::connect(&model, &QAbstractItemModel::rowsAboutToBeInserted,
                     [&](const QModelIndex& parent, int first, int last) {
                         EXPECT_EQ(first, last);
                         // Before the insertion the parent still has the old count.
                         EXPECT_EQ(model.rowCount(parent), first);
                         announced.append({model.nodeIndexOf(parent), first});
                     });
    model.addNode("A", "a1", "a1", "i");
    model.addNode("A", "a2", "a2", "i");
    model.addNode({}, "C", "C", "i");
    EXPECT_EQ(announced, (QList<QPair<int, int>>{{1, 0}, {1, 1}, {0, 2}}));
    expectConsistent(model);
}

TEST(TreeViewModelSelection, SingleSelectionExpandsTheNewNodeAndCollapsesTheOldBranch) {
    TwoBranches t;
    t.model.setSingleSel(true);
    t.model.setExpanded(t.A, true);
    QList<QPair<int, bool>> changes;
    QObject::connect(&t.model, &TreeViewModel::expandedChanged, [&](int index, bool expanded) {
        changes.append({index, expanded});
    });

    t.model.setSelectedIndex(t.a1);
    EXPECT_TRUE(t.model.isExpanded(t.a1));
    EXPECT_TRUE(t.model.isExpanded(t.A));

    // Within the same branch nothing collapses.
    t.model.setSelectedIndex(t.a1x);
    EXPECT_TRUE(t.model.isExpanded(t.A));
    EXPECT_TRUE(t.model.isExpanded(t.a1));

    // Into the other branch: the old top-level folder closes.
    t.model.setSelectedIndex(t.b1);
    EXPECT_FALSE(t.model.isExpanded(t.A));
    EXPECT_TRUE(t.model.isExpanded(t.b1));

    // Selecting the top-level folder of the current branch keeps it open.
    t.model.setSelectedIndex(t.B);
    EXPECT_TRUE(t.model.isExpanded(t.B));

    EXPECT_EQ(changes, (QList<QPair<int, bool>>{
                           {t.a1, true}, {t.a1x, true}, {t.A, false}, {t.b1, true}, {t.B, true}}));
}

TEST(TreeViewModelSelection, WithoutSingleSelectionSelectingLeavesExpansionAlone) {
    TwoBranches t;
    t.model.setExpanded(t.A, true);
    t.model.setSelectedIndex(t.a1);
    t.model.setSelectedIndex(t.b1);
    EXPECT_TRUE(t.model.isExpanded(t.A));
    EXPECT_FALSE(t.model.isExpanded(t.a1));
    EXPECT_FALSE(t.model.isExpanded(t.b1));
}

TEST(TreeViewModelChecks, OnlyTheUsersCheckRaisesTheNodeCheckEvent) {
    TwoBranches t;
    const QModelIndex a1 = t.model.modelIndexOf(t.a1);
    // Without check boxes the nodes offer none and a check is refused.
    EXPECT_FALSE(t.model.flags(a1).testFlag(Qt::ItemIsUserCheckable));
    EXPECT_FALSE(t.model.data(a1, Qt::CheckStateRole).isValid());
    EXPECT_FALSE(t.model.setData(a1, Qt::Checked, Qt::CheckStateRole));

    t.model.setCheckBoxes(true);
    QList<int> events;
    QObject::connect(&t.model, &TreeViewModel::nodeCheck, [&](int node) {
        events << node;
        // A handler that checks other nodes must not be called back for them.
        t.model.setChecked(t.b1, t.model.checked(node));
    });
    EXPECT_TRUE(t.model.flags(a1).testFlag(Qt::ItemIsUserCheckable));
    EXPECT_EQ(t.model.data(a1, Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_TRUE(t.model.setData(a1, Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(t.model.checked(t.a1));
    EXPECT_TRUE(t.model.checked(t.b1));
    EXPECT_EQ(t.model.data(a1, Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_EQ(events, QList<int>{t.a1});
    EXPECT_EQ(raisedError([&] { t.model.checked(99); }), 9);
}

TEST(TreeViewModelKeys, ChangingAKeyKeepsThePlaceAndTheChildren) {
    TwoBranches t;
    t.model.setKey(t.a1, "a1-new");
    EXPECT_EQ(t.model.indexOfKey("a1-new"), t.a1);
    EXPECT_EQ(t.model.indexOfKey("a1"), 0);
    EXPECT_EQ(t.model.parentOf(t.a1x), t.a1);
    EXPECT_EQ(t.model.childrenOf(t.A), QList<int>{t.a1});
    // A child can still be added under the new key; the old one is free again.
    t.model.addNode("a1-new", "a1y", "Item a1y", "feed");
    t.model.addNode({}, "a1", "Reused", "feed");
    EXPECT_EQ(raisedError([&] { t.model.setKey(t.b1, "A"); }), 35602);
    EXPECT_EQ(t.model.key(t.b1), QStringLiteral("b1"));
    expectConsistent(t.model);
}

TEST(TreeViewModelQt, UnreadCountsShowBesideTheNameAndFoldersShowTheirSum) {
    TwoBranches tree;
    std::vector<int> changed;
    QObject::connect(&tree.model, &QAbstractItemModel::dataChanged,
                     [&](const QModelIndex& index, const QModelIndex&) {
                         changed.push_back(tree.model.nodeIndexOf(index));
                     });
    tree.model.setUnreadCount(tree.a1x, 2);
    tree.model.setUnreadCount(tree.a1, 3);
    const auto shown = [&](int node) {
        return tree.model.data(tree.model.modelIndexOf(node), Qt::DisplayRole).toString();
    };
    EXPECT_EQ(shown(tree.a1x), "Item a1x (2)");
    EXPECT_EQ(shown(tree.a1), "Feed a1 (5)");
    EXPECT_EQ(shown(tree.A), "Folder A (5)");
    EXPECT_EQ(shown(tree.B), "Folder B") << "nothing to read: no count";
    EXPECT_EQ(tree.model.text(tree.A), "Folder A") << "the stored name keeps no count";
    EXPECT_EQ(tree.model.unreadCount(tree.A), 5);
    // Every node whose shown text changed was announced, the folders above too.
    EXPECT_EQ(changed, (std::vector<int>{tree.a1x, tree.a1, tree.A, tree.a1, tree.A}));

    tree.model.setUnreadCount(tree.a1x, -4);
    EXPECT_EQ(shown(tree.A), "Folder A (3)") << "a negative count counts as none";
}
