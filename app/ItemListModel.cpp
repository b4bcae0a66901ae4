#include "app/ItemListModel.h"

#include <QMimeData>
#include <QPainter>
#include <QPixmap>

#include "Vantorel/editing/DocumentEditor.h"
#include "VantorelData/model/ItemSearch.h"
#include "app/ItemDrag.h"
#include "app/ItemPresentation.h"
#include "app/SwatchPainter.h"
#include "app/SystemClipboard.h"

namespace vantorel::app {
namespace {

std::optional<ColorSource> sourceOfColumn(int column) {
    switch (column) {
        case ItemListModel::light: return ColorSource::light;
        case ItemListModel::lightHighContrast: return ColorSource::lightHighContrast;
        case ItemListModel::dark: return ColorSource::dark;
        case ItemListModel::darkHighContrast: return ColorSource::darkHighContrast;
        default: return std::nullopt;
    }
}

}  // namespace

ItemListModel::ItemListModel(QuenzColorDocumentEditor& editor, QObject* parent)
    : QAbstractTableModel(parent), editor_(editor) {}

void ItemListModel::setProject(QuenzColorProjectPtr project) {
    beginResetModel();
    project_ = std::move(project);
    rows_ = currentRows();
    endResetModel();
}

void ItemListModel::setContainer(std::optional<std::string> groupUuid) {
    if (groupUuid == container_) return;
    beginResetModel();
    container_ = std::move(groupUuid);
    rows_ = currentRows();
    endResetModel();
}

void ItemListModel::setSearchText(const QString& text) {
    beginResetModel();
    searchText_ = text.toStdString();
    rows_ = currentRows();
    endResetModel();
}

std::vector<ProjectItemPtr> ItemListModel::currentRows() const {
    if (!project_) return {};
    const std::vector<ProjectItemPtr>* items = &project_->items();
    if (container_) {
        const ProjectItemPtr group = project_->itemWithId(*container_);
        const auto* payload = group ? group->payloadIf<QuenzColorGroup>() : nullptr;
        if (!payload) return {};  // the group has gone (deleted, or undone away)
        items = &payload->items();
    }
    if (searchText_.empty()) return *items;
    std::vector<ProjectItemPtr> shown;
    for (const ProjectItemPtr& item : *items) {
        if (item && matchesSearch(*item, searchText_)) shown.push_back(item);
    }
    return shown;
}

void ItemListModel::refresh() {
    std::vector<ProjectItemPtr> rows = currentRows();
    if (rows == rows_) {
        if (!rows_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount_ - 1));
        return;
    }
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

ProjectItemPtr ItemListModel::itemAt(int row) const {
    return row >= 0 && row < rowCount() ? rows_[static_cast<std::size_t>(row)] : nullptr;
}

int ItemListModel::rowOf(const std::string& uuid) const {
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i]->uuid() == uuid) return static_cast<int>(i);
    }
    return -1;
}

int ItemListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ItemListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columnCount_; }

QVariant ItemListModel::data(const QModelIndex& index, int role) const {
    const ProjectItemPtr item = itemAt(index.row());
    if (!item) return {};
    const int column = index.column();
    if (role == swatchRole) {
        QVariantList colors;
        for (const QColor& color : swatchColors(*item, ColorSource::light)) colors.push_back(color);
        return colors;
    }
    if (role == valueRole) return valueText(*item, ColorSource::light);
    if (role == aliasRole) return isAlias(item->itemType());
    if (role == Qt::ToolTipRole) return qText(displayName(item->itemType())) + QStringLiteral(": ") + valueText(*item, ColorSource::light);
    if (role == shadowRole) {
        QVariantList shadows;
        for (const ShadowDetails& shadow : shadowDetails(*item, ColorSource::light)) {
            shadows.push_back(QVariantList{shadow.xOffset, shadow.yOffset, shadow.blur, shadow.spread, screenColor(shadow.color)});
        }
        return shadows;
    }
    if (const auto source = sourceOfColumn(column)) {
        const auto valueItem = item->valueItem();
        const bool used = valueItem ? usesAppearance(valueItem->appearanceType(), *source) : *source == ColorSource::light;
        if (!used) return {};
        if (role == Qt::DisplayRole) return valueText(*item, *source);
        if (role == Qt::DecorationRole) {
            const std::vector<QColor> colors = swatchColors(*item, *source);
            if (colors.empty()) return {};
            QPixmap pixmap(28, 16);
            pixmap.fill(Qt::transparent);
            QPainter painter(&pixmap);
            paintSwatch(painter, QRectF(0.5, 0.5, 27, 15), colors, 3);
            return pixmap;
        }
        return {};
    }
    switch (column) {
        case name:
            if (role == Qt::DisplayRole || role == Qt::EditRole) return qText(item->name());
            if (role == Qt::DecorationRole) return kindIcon(*item, 16);
            return {};
        case kind: return role == Qt::DisplayRole ? qText(displayName(item->itemType())) : QVariant();
        case buildGroup:
            return role == Qt::DisplayRole && item->buildGroup() ? qText(item->buildGroup()->name()) : QVariant();
        case testGroup:
            return role == Qt::DisplayRole && item->testGroup() ? qText(item->testGroup()->name()) : QVariant();
        default: return {};
    }
}

QVariant ItemListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
        case name: return QStringLiteral("Name");
        case kind: return QStringLiteral("Kind");
        case buildGroup: return QStringLiteral("Build Group");
        case testGroup: return QStringLiteral("Test Group");
        default:
            if (const auto source = sourceOfColumn(section)) return qText(displayName(*source));
            return {};
    }
}

bool ItemListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    const ProjectItemPtr item = itemAt(index.row());
    if (!item || index.column() != name || role != Qt::EditRole) return false;
    return editor_.changeName(item->uuid(), value.toString().toStdString());
}

Qt::ItemFlags ItemListModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (!index.isValid()) return flags;
    flags |= Qt::ItemIsDragEnabled;
    if (index.column() == name) flags |= Qt::ItemIsEditable;
    return flags;
}

QStringList ItemListModel::mimeTypes() const { return {QString::fromLatin1(itemUuidMimeType)}; }

QMimeData* ItemListModel::mimeData(const QModelIndexList& indexes) const {
    std::vector<ProjectItemPtr> items;
    for (const QModelIndex& index : indexes) {
        if (index.column() != 0) continue;
        if (ProjectItemPtr item = itemAt(index.row())) items.push_back(std::move(item));
    }
    return itemDragData(items);
}

Qt::DropActions ItemListModel::supportedDragActions() const { return Qt::MoveAction; }

}  // namespace vantorel::app
