#include "app/ItemTreeModel.h"

#include <QFont>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <functional>

#include "Vantorel/editing/DocumentEditor.h"
#include "app/ItemDrag.h"
#include "app/ItemPresentation.h"
#include "app/SwatchPainter.h"
#include "app/SystemClipboard.h"

namespace vantorel::app {

struct ItemTreeModel::Node {
    ProjectItemPtr item;  // null for the root
    Node* parent = nullptr;
    int row = 0;
    std::vector<std::unique_ptr<Node>> children;
};

namespace {

const std::vector<ProjectItemPtr>& childrenOf(const ProjectItemPtr& item, const QuenzColorProject& project) {
    static const std::vector<ProjectItemPtr> none;
    if (!item) return project.items();
    if (auto* group = item->payloadIf<QuenzColorGroup>()) return group->items();
    return none;
}


}  // namespace

ItemTreeModel::ItemTreeModel(QuenzColorDocumentEditor& editor, QObject* parent)
    : QAbstractItemModel(parent), editor_(editor), root_(std::make_unique<Node>()) {}

ItemTreeModel::~ItemTreeModel() = default;

void ItemTreeModel::setProject(QuenzColorProjectPtr project) {
    beginResetModel();
    project_ = std::move(project);
    rebuild();
    endResetModel();
}

void ItemTreeModel::rebuild() {
    root_ = std::make_unique<Node>();
    if (!project_) return;
    std::function<void(Node&)> fillNode = [&](Node& node) {
        const auto& items = childrenOf(node.item, *project_);
        node.children.reserve(items.size());
        for (std::size_t i = 0; i < items.size(); ++i) {
            auto child = std::make_unique<Node>();
            child->item = items[i];
            child->parent = &node;
            child->row = static_cast<int>(i);
            fillNode(*child);
            node.children.push_back(std::move(child));
        }
    };
    fillNode(*root_);
}

bool ItemTreeModel::shapeMatches(const Node& node, const std::vector<ProjectItemPtr>& items) const {
    if (node.children.size() != items.size()) return false;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const Node& child = *node.children[i];
        if (child.item != items[i]) return false;
        if (!shapeMatches(child, childrenOf(child.item, *project_))) return false;
    }
    return true;
}

void ItemTreeModel::emitDataChanged(const Node& node, const QModelIndex& parentIndex) {
    if (node.children.empty()) return;
    emit dataChanged(index(0, 0, parentIndex), index(static_cast<int>(node.children.size()) - 1, 0, parentIndex));
    for (const auto& child : node.children) {
        if (!child->children.empty()) emitDataChanged(*child, createIndex(child->row, 0, child.get()));
    }
}

void ItemTreeModel::refresh() {
    if (!project_) return;
    if (shapeMatches(*root_, project_->items())) {
        emitDataChanged(*root_, {});
        return;
    }
    beginResetModel();
    rebuild();
    endResetModel();
}

const ItemTreeModel::Node* ItemTreeModel::nodeAt(const QModelIndex& index) const {
    return index.isValid() ? static_cast<const Node*>(index.internalPointer()) : root_.get();
}

ProjectItemPtr ItemTreeModel::itemAt(const QModelIndex& index) const {
    const Node* node = nodeAt(index);
    return node ? node->item : nullptr;
}

QModelIndex ItemTreeModel::indexOf(const std::string& uuid) const {
    std::function<QModelIndex(const Node&)> find = [&](const Node& node) -> QModelIndex {
        for (const auto& child : node.children) {
            if (child->item->uuid() == uuid) return createIndex(child->row, 0, child.get());
            if (QModelIndex found = find(*child); found.isValid()) return found;
        }
        return {};
    };
    return find(*root_);
}

QModelIndex ItemTreeModel::index(int row, int column, const QModelIndex& parent) const {
    const Node* node = nodeAt(parent);
    if (!node || column != 0 || row < 0 || row >= static_cast<int>(node->children.size())) return {};
    return createIndex(row, 0, node->children[static_cast<std::size_t>(row)].get());
}

QModelIndex ItemTreeModel::parent(const QModelIndex& child) const {
    const Node* node = nodeAt(child);
    if (!child.isValid() || !node->parent || node->parent == root_.get()) return {};
    return createIndex(node->parent->row, 0, node->parent);
}

int ItemTreeModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0) return 0;
    const Node* node = nodeAt(parent);
    return node ? static_cast<int>(node->children.size()) : 0;
}

int ItemTreeModel::columnCount(const QModelIndex&) const { return 1; }

QVariant ItemTreeModel::data(const QModelIndex& index, int role) const {
    const Node* node = nodeAt(index);
    if (!index.isValid() || !node || !node->item) return {};
    const QuenzColorProjectItem& item = *node->item;
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole: return qText(item.name());
        case Qt::ToolTipRole: return qText(displayName(item.itemType()));
        case Qt::DecorationRole: return kindIcon(item, 16);
        case Qt::FontRole: {
            if (!chosenGroup_ || item.uuid() != *chosenGroup_) return {};
            QFont font;
            font.setBold(true);
            return font;
        }
        default: return {};
    }
}

void ItemTreeModel::setChosenGroup(const std::optional<std::string>& uuid) {
    if (uuid == chosenGroup_) return;
    const std::optional<std::string> previous = std::exchange(chosenGroup_, uuid);
    for (const auto& changed : {previous, chosenGroup_}) {
        if (!changed) continue;
        const QModelIndex index = indexOf(*changed);
        if (index.isValid()) emit dataChanged(index, index, {Qt::FontRole});
    }
}

QStringList ItemTreeModel::pathOf(const std::string& uuid) const {
    QStringList names;
    for (QModelIndex index = indexOf(uuid); index.isValid(); index = parent(index)) {
        names.prepend(data(index, Qt::DisplayRole).toString());
    }
    return names;
}

bool ItemTreeModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    const ProjectItemPtr item = itemAt(index);
    if (!item || role != Qt::EditRole) return false;
    return editor_.changeName(item->uuid(), value.toString().toStdString());
}

Qt::ItemFlags ItemTreeModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::ItemIsDropEnabled;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsDragEnabled;
    if (const ProjectItemPtr item = itemAt(index); item && item->isGroup()) flags |= Qt::ItemIsDropEnabled;
    return flags;
}

QStringList ItemTreeModel::mimeTypes() const { return {QString::fromLatin1(itemUuidMimeType)}; }

QMimeData* ItemTreeModel::mimeData(const QModelIndexList& indexes) const {
    std::vector<ProjectItemPtr> items;
    for (const QModelIndex& index : indexes) {
        if (ProjectItemPtr item = itemAt(index)) items.push_back(std::move(item));
    }
    return itemDragData(items);
}

Qt::DropActions ItemTreeModel::supportedDropActions() const { return Qt::MoveAction; }
Qt::DropActions ItemTreeModel::supportedDragActions() const { return Qt::MoveAction; }

bool ItemTreeModel::canDropMimeData(const QMimeData* data, Qt::DropAction, int, int, const QModelIndex& parent) const {
    if (draggedItemUuids(data).empty()) return false;
    const ProjectItemPtr target = itemAt(parent);
    return !parent.isValid() || (target && target->isGroup());
}

bool ItemTreeModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                                 const QModelIndex& parent) {
    if (!canDropMimeData(data, action, row, column, parent)) return false;
    const ProjectItemPtr target = itemAt(parent);
    std::optional<std::string> toParent;
    if (target) toParent = target->uuid();
    const int atIndex = row >= 0 ? row : rowCount(parent);
    editor_.move(draggedItemUuids(data), toParent, atIndex);
    // The move is done; the view must not remove the dragged rows itself.
    return false;
}

}  // namespace vantorel::app
