#include "platform/controls/TreeViewModel.h"

#include "platform/runtime/RuntimeError.h"

#include <algorithm>

namespace platform::controls {

struct TreeViewModel::Node {
    QString key;
    QString text;
    QString image;
    QString selectedImage;
    Node* parent = nullptr;
    QList<Node*> children;
    bool expanded = false;
    bool checked = false;
    int unread = 0; // shown beside the text; folders show their feeds' sum
    // Kept current so that numbering and Qt's parent() stay O(1): number is the
    // 1-based creation position, row the position among the siblings.
    int number = 0;
    int row = 0;
};

namespace {

// Templates, so that these helpers need not name the private node type.
template <typename Node> Node* topLevelOf(Node* node) {
    while (node->parent)
        node = node->parent;
    return node;
}

template <typename Node> bool isInSubtree(const Node* node, const Node* root) {
    for (; node; node = node->parent) {
        if (node == root)
            return true;
    }
    return false;
}

// Preorder without recursion: a deep tree must not exhaust the stack.
template <typename Node, typename Visit>
void forEachPreorder(const QList<Node*>& tops, Visit visit) {
    std::vector<Node*> stack(tops.rbegin(), tops.rend());
    while (!stack.empty()) {
        Node* node = stack.back();
        stack.pop_back();
        visit(node);
        stack.insert(stack.end(), node->children.rbegin(), node->children.rend());
    }
}

template <typename Node> QList<int> numbersOf(const QList<Node*>& nodes) {
    QList<int> numbers;
    numbers.reserve(nodes.size());
    for (const Node* node : nodes)
        numbers.append(node->number);
    return numbers;
}

} // namespace

TreeViewModel::TreeViewModel(QObject* parent) : QAbstractItemModel(parent) {}

TreeViewModel::~TreeViewModel() = default;

int TreeViewModel::addNode(const QString& parentKey, const QString& key, const QString& text,
                           const QString& image, const QString& selectedImage) {
    // An empty key means the node has none; any number of nodes may lack one.
    if (!key.isEmpty() && byKey_.contains(key))
        raiseError(err::KeyNotUnique);
    Node* parentNode = nullptr;
    if (!parentKey.isEmpty()) {
        parentNode = byKey_.value(parentKey);
        if (!parentNode)
            raiseError(err::ElementNotFound);
    }

    auto node = std::make_unique<Node>();
    node->key = key;
    node->text = text;
    node->image = image;
    node->selectedImage = selectedImage;
    node->parent = parentNode;
    node->number = static_cast<int>(nodes_.size()) + 1;

    QList<Node*>& siblings = parentNode ? parentNode->children : roots_;
    const int row = static_cast<int>(siblings.size());
    node->row = row;

    beginInsertRows(modelIndexOfNode(parentNode), row, row);
    Node* raw = node.get();
    nodes_.push_back(std::move(node));
    siblings.append(raw);
    if (!key.isEmpty())
        byKey_.insert(key, raw);
    endInsertRows();
    return raw->number;
}

void TreeViewModel::removeNode(int index) {
    Node* node = nodeAt(index);

    // The selection goes first, so a view drops it before its rows disappear.
    if (selected_ && isInSubtree<Node>(selected_, node)) {
        selected_ = nullptr;
        emit selectionChanged(0);
    }

    QList<Node*>& siblings = node->parent ? node->parent->children : roots_;
    const int row = node->row;
    beginRemoveRows(modelIndexOfNode(node->parent), row, row);

    siblings.removeAt(row);
    for (int r = row; r < siblings.size(); ++r)
        siblings[r]->row = r;
    forEachPreorder(QList<Node*>{node}, [this](Node* doomed) {
        byKey_.remove(doomed->key);
        doomed->number = 0;
    });

    // Removed nodes stay alive until the view has been told they are gone.
    std::vector<std::unique_ptr<Node>> removed;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < nodes_.size(); ++i) {
        if (nodes_[i]->number == 0) {
            removed.push_back(std::move(nodes_[i]));
            continue;
        }
        if (kept != i)
            nodes_[kept] = std::move(nodes_[i]);
        nodes_[kept]->number = static_cast<int>(kept) + 1;
        ++kept;
    }
    nodes_.resize(kept);

    endRemoveRows();
}

void TreeViewModel::clear() {
    if (selected_) {
        selected_ = nullptr;
        emit selectionChanged(0);
    }
    beginResetModel();
    roots_.clear();
    byKey_.clear();
    std::vector<std::unique_ptr<Node>> removed;
    removed.swap(nodes_);
    endResetModel();
}

int TreeViewModel::count() const {
    return static_cast<int>(nodes_.size());
}

int TreeViewModel::indexOfKey(const QString& key) const {
    const Node* node = key.isEmpty() ? nullptr : byKey_.value(key);
    return node ? node->number : 0;
}

TreeViewModel::Node* TreeViewModel::nodeAt(int index) const {
    if (index < 1 || index > count())
        raiseError(err::SubscriptOutOfRange);
    return nodes_[static_cast<std::size_t>(index - 1)].get();
}

QString TreeViewModel::key(int index) const {
    return nodeAt(index)->key;
}

QString TreeViewModel::text(int index) const {
    return nodeAt(index)->text;
}

QString TreeViewModel::image(int index) const {
    return nodeAt(index)->image;
}

QString TreeViewModel::selectedImage(int index) const {
    return nodeAt(index)->selectedImage;
}

int TreeViewModel::parentOf(int index) const {
    const Node* parentNode = nodeAt(index)->parent;
    return parentNode ? parentNode->number : 0;
}

QList<int> TreeViewModel::childrenOf(int index) const {
    return numbersOf(nodeAt(index)->children);
}

QList<int> TreeViewModel::topLevelNodes() const {
    return numbersOf(roots_);
}

QList<int> TreeViewModel::treeOrder() const {
    QList<int> order;
    order.reserve(count());
    forEachPreorder(roots_, [&order](const Node* node) { order.append(node->number); });
    return order;
}

void TreeViewModel::setText(int index, const QString& text) {
    Node* node = nodeAt(index);
    if (node->text == text)
        return;
    node->text = text;
    dataChangedFor(node);
}

void TreeViewModel::setUnreadCount(int index, int count) {
    Node* node = nodeAt(index);
    count = std::max(count, 0);
    if (node->unread == count)
        return;
    node->unread = count;
    // The folders above show sums that changed with it.
    for (const Node* shown = node; shown != nullptr; shown = shown->parent)
        dataChangedFor(shown);
}

int TreeViewModel::unreadCount(int index) const {
    return unreadBelow(nodeAt(index));
}

int TreeViewModel::unreadBelow(const Node* node) {
    int sum = node->unread;
    for (const Node* child : node->children)
        sum += unreadBelow(child);
    return sum;
}

void TreeViewModel::setImage(int index, const QString& image) {
    Node* node = nodeAt(index);
    if (node->image == image)
        return;
    node->image = image;
    dataChangedFor(node);
}

void TreeViewModel::setSelectedImage(int index, const QString& image) {
    Node* node = nodeAt(index);
    if (node->selectedImage == image)
        return;
    node->selectedImage = image;
    dataChangedFor(node);
}

bool TreeViewModel::isExpanded(int index) const {
    return nodeAt(index)->expanded;
}

void TreeViewModel::setExpanded(int index, bool expanded) {
    setNodeExpanded(nodeAt(index), expanded);
}

void TreeViewModel::setNodeExpanded(Node* node, bool expanded) {
    if (node->expanded == expanded)
        return;
    node->expanded = expanded;
    emit expandedChanged(node->number, expanded);
}

int TreeViewModel::selectedIndex() const {
    return selected_ ? selected_->number : 0;
}

void TreeViewModel::setSelectedIndex(int index) {
    Node* node = index == 0 ? nullptr : nodeAt(index);
    if (node == selected_)
        return;
    Node* previous = selected_;
    selected_ = node;
    emit selectionChanged(index);
    // Expansion follows the selection signal so that a view has already moved
    // its current item out of the branch that is about to collapse. A handler
    // that selected something else meanwhile has had the last word.
    if (singleSel_ && node && selected_ == node)
        applySingleExpand(previous, node);
}

void TreeViewModel::applySingleExpand(Node* previous, Node* current) {
    if (previous) {
        Node* oldBranch = topLevelOf(previous);
        if (oldBranch != topLevelOf(current))
            setNodeExpanded(oldBranch, false);
    }
    setNodeExpanded(current, true);
}

QModelIndex TreeViewModel::modelIndexOfNode(const Node* node) const {
    if (!node)
        return {};
    return createIndex(node->row, 0, const_cast<Node*>(node));
}

QModelIndex TreeViewModel::modelIndexOf(int index) const {
    return modelIndexOfNode(nodeAt(index));
}

int TreeViewModel::nodeIndexOf(const QModelIndex& modelIndex) const {
    if (!modelIndex.isValid() || modelIndex.model() != this)
        return 0;
    return static_cast<const Node*>(modelIndex.internalPointer())->number;
}

void TreeViewModel::dataChangedFor(const Node* node) {
    const QModelIndex index = modelIndexOfNode(node);
    emit dataChanged(index, index);
}

QModelIndex TreeViewModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0)
        return {};
    if (parent.isValid() && parent.column() != 0)
        return {};
    const QList<Node*>& siblings =
        parent.isValid() ? static_cast<const Node*>(parent.internalPointer())->children : roots_;
    if (row >= siblings.size())
        return {};
    return createIndex(row, 0, siblings[row]);
}

QModelIndex TreeViewModel::parent(const QModelIndex& child) const {
    if (!child.isValid())
        return {};
    return modelIndexOfNode(static_cast<const Node*>(child.internalPointer())->parent);
}

int TreeViewModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid())
        return static_cast<int>(roots_.size());
    if (parent.column() != 0)
        return 0;
    return static_cast<int>(static_cast<const Node*>(parent.internalPointer())->children.size());
}

int TreeViewModel::columnCount(const QModelIndex&) const {
    return 1;
}

QVariant TreeViewModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const Node* node = static_cast<const Node*>(index.internalPointer());
    switch (role) {
    case Qt::DisplayRole: {
        // The count is shown, never stored: text() and the saved lists keep
        // the name alone.
        const int unread = unreadBelow(node);
        return unread > 0 ? QStringLiteral("%1 (%2)").arg(node->text).arg(unread) : node->text;
    }
    case ImageKeyRole:
        return node->image;
    case SelectedImageKeyRole:
        return node->selectedImage;
    case Qt::CheckStateRole:
        if (!checkBoxes_)
            return {};
        return node->checked ? Qt::Checked : Qt::Unchecked;
    default:
        return {};
    }
}

Qt::ItemFlags TreeViewModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return checkBoxes_ ? flags | Qt::ItemIsUserCheckable : flags;
}

bool TreeViewModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::CheckStateRole || !checkBoxes_)
        return false;
    Node* node = static_cast<Node*>(index.internalPointer());
    node->checked = value.toInt() == Qt::Checked;
    dataChangedFor(node);
    emit nodeCheck(node->number);
    return true;
}

void TreeViewModel::setCheckBoxes(bool on) {
    if (checkBoxes_ == on)
        return;
    beginResetModel();
    checkBoxes_ = on;
    endResetModel();
}

bool TreeViewModel::checked(int index) const {
    return nodeAt(index)->checked;
}

void TreeViewModel::setChecked(int index, bool checked) {
    Node* node = nodeAt(index);
    if (node->checked == checked)
        return;
    node->checked = checked;
    dataChangedFor(node);
}

void TreeViewModel::setKey(int index, const QString& key) {
    Node* node = nodeAt(index);
    if (node->key == key)
        return;
    if (!key.isEmpty() && byKey_.contains(key))
        raiseError(err::KeyNotUnique);
    if (!node->key.isEmpty())
        byKey_.remove(node->key);
    node->key = key;
    if (!key.isEmpty())
        byKey_.insert(key, node);
}

} // namespace platform::controls
