#include "app/TaskGroupListModel.h"

#include <QMimeData>

#include "Vantorel/editing/DocumentEditor.h"
#include "app/ItemDrag.h"
#include "app/ItemPresentation.h"
#include "app/SystemClipboard.h"

namespace vantorel::app {

TaskGroupListModel::TaskGroupListModel(Kind kind, QuenzColorDocumentEditor& editor, QObject* parent)
    : QAbstractListModel(parent), kind_(kind), editor_(editor) {}

void TaskGroupListModel::setProject(QuenzColorProjectPtr project) {
    beginResetModel();
    project_ = std::move(project);
    rows_ = currentRows();
    endResetModel();
}

std::vector<TaskGroupListModel::Row> TaskGroupListModel::currentRows() const {
    std::vector<Row> rows;
    if (!project_) return rows;
    if (kind_ == Kind::build) {
        for (const auto& group : project_->buildGroups()) rows.push_back({group->uuid(), group->name(), group->tasks().size()});
    } else {
        for (const auto& group : project_->testGroups()) rows.push_back({group->uuid(), group->name(), group->tests().size()});
    }
    return rows;
}

void TaskGroupListModel::refresh() {
    std::vector<Row> rows = currentRows();
    if (rows == rows_) return;
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

std::string TaskGroupListModel::uuidAt(int row) const {
    return row >= 0 && row < rowCount() ? rows_[static_cast<std::size_t>(row)].uuid : std::string();
}

int TaskGroupListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant TaskGroupListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const Row& row = rows_[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole) return qText(row.name);
    if (role == Qt::ToolTipRole) {
        const QString noun = kind_ == Kind::build ? QStringLiteral("build task") : QStringLiteral("test");
        return QStringLiteral("%1 %2%3 — drop items here to assign them")
            .arg(row.taskCount)
            .arg(noun)
            .arg(row.taskCount == 1 ? QString() : QStringLiteral("s"));
    }
    return {};
}

Qt::ItemFlags TaskGroupListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled;
}

QStringList TaskGroupListModel::mimeTypes() const { return {QString::fromLatin1(itemUuidMimeType)}; }

Qt::DropActions TaskGroupListModel::supportedDropActions() const { return Qt::MoveAction | Qt::CopyAction | Qt::LinkAction; }

bool TaskGroupListModel::canDropMimeData(const QMimeData* data, Qt::DropAction, int, int,
                                         const QModelIndex& parent) const {
    return parent.isValid() && !draggedItemUuids(data).empty();
}

bool TaskGroupListModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                                      const QModelIndex& parent) {
    if (!canDropMimeData(data, action, row, column, parent)) return false;
    const std::string group = uuidAt(parent.row());
    for (const std::string& item : draggedItemUuids(data)) {
        if (kind_ == Kind::build) {
            editor_.changeBuildGroup(item, group);
        } else {
            editor_.changeTestGroup(item, group);
        }
    }
    return false;  // an assignment: the dragged items stay where they are
}

}  // namespace vantorel::app
