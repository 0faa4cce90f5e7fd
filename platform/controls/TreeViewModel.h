#pragma once
// The tree view control without its widget. Nodes are numbered 1..count() in
// the order they were created (the node collection); removing a node removes
// its subtree and renumbers the rest. Keys are unique within the tree; an empty
// key means the node has no key.
// It is a QAbstractItemModel so that TreeViewWidget shows it directly.
#include <QAbstractItemModel>
#include <QHash>
#include <QList>
#include <QString>
#include <memory>
#include <vector>

namespace platform::controls {

class TreeViewModel : public QAbstractItemModel {
    Q_OBJECT
public:
    explicit TreeViewModel(QObject* parent = nullptr);
    ~TreeViewModel() override;

    // Adds a node at the top level when parentKey is empty, else as the last
    // child of the node with that key. Raises 35602 when the key is already in
    // the tree, 35601 when the parent key is not. Returns the new node's index.
    int addNode(const QString& parentKey, const QString& key, const QString& text,
                const QString& image, const QString& selectedImage = QString());
    // Removes the node and its subtree; raises 9 for an index out of range.
    void removeNode(int index);
    void clear();

    int count() const;
    int indexOfKey(const QString& key) const; // 0 when no node has the key
    bool containsKey(const QString& key) const { return indexOfKey(key) != 0; }

    // Accessors raise 9 for an index outside 1..count().
    QString key(int index) const;
    QString text(int index) const;
    QString image(int index) const;
    QString selectedImage(int index) const;
    int parentOf(int index) const;          // 0 for a top-level node
    QList<int> childrenOf(int index) const; // in display order
    QList<int> topLevelNodes() const;       // in display order
    // Every node, each parent before its children, siblings in display order.
    QList<int> treeOrder() const;

    void setText(int index, const QString& text);
    void setImage(int index, const QString& image);
    // The number of unread articles shown beside a node's name ("name (3)");
    // a folder shows the sum of the nodes below it. 0 shows nothing.
    void setUnreadCount(int index, int count);
    int unreadCount(int index) const; // with the nodes below it
    void setSelectedImage(int index, const QString& image);

    bool isExpanded(int index) const;
    void setExpanded(int index, bool expanded);

    // 0 when nothing is selected. With the single-selection style on, selecting
    // a node expands it and collapses the branch selected before. Selecting 0
    // clears the selection.
    int selectedIndex() const;
    void setSelectedIndex(int index);

    // With check boxes on, every node shows one. A check the user makes arrives
    // through setData and raises nodeCheck; setChecked does not, so a handler
    // that checks other nodes does not call itself.
    bool checkBoxes() const { return checkBoxes_; }
    void setCheckBoxes(bool on);
    bool checked(int index) const;
    void setChecked(int index, bool checked);

    // Gives the node another key; raises 35602 when another node has it.
    void setKey(int index, const QString& key);

    bool singleSel() const { return singleSel_; }
    void setSingleSel(bool on) { singleSel_ = on; }

    const QString& tag() const { return tag_; }
    void setTag(const QString& tag) { tag_ = tag; }

    // Qt model interface, for the widget.
    QModelIndex modelIndexOf(int index) const;
    int nodeIndexOf(const QModelIndex& modelIndex) const; // 0 for an invalid index
    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    static constexpr int ImageKeyRole = Qt::UserRole + 1;
    static constexpr int SelectedImageKeyRole = Qt::UserRole + 2;

signals:
    void selectionChanged(int index);
    void expandedChanged(int index, bool expanded);
    void nodeCheck(int index);

private:
    struct Node;
    Node* nodeAt(int index) const;
    static int unreadBelow(const Node* node);
    void dataChangedFor(const Node* node);
    QModelIndex modelIndexOfNode(const Node* node) const;
    void setNodeExpanded(Node* node, bool expanded);
    void applySingleExpand(Node* previous, Node* current);

    std::vector<std::unique_ptr<Node>> nodes_; // creation order
    QHash<QString, Node*> byKey_;              // feeds number in thousands: no linear lookups
    QList<Node*> roots_;
    QString tag_;
    bool singleSel_ = false;
    bool checkBoxes_ = false;
    Node* selected_ = nullptr;
};

} // namespace platform::controls
