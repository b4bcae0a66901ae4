#pragma once
// ItemTreeModel: the sidebar's item tree, a QAbstractItemModel over the project's items and
// nested groups. It keeps a light index of the tree (which also keeps the indexed items alive
// while a view may still ask for them) and rebuilds it only when the tree's shape changed;
// value changes repaint. Renaming in place and drops go through the document editor, each one
// undo step.

#include <QAbstractItemModel>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

#include "VantorelData/model/Project.h"

namespace vantorel {
class QuenzColorDocumentEditor;
}

namespace vantorel::app {

class ItemTreeModel final : public QAbstractItemModel {
    Q_OBJECT
public:
    explicit ItemTreeModel(QuenzColorDocumentEditor& editor, QObject* parent = nullptr);
    ~ItemTreeModel() override;

    void setProject(QuenzColorProjectPtr project);
    // Brings the model up to date with the project: a reset when items were added, removed or
    // moved, a repaint otherwise.
    void refresh();

    ProjectItemPtr itemAt(const QModelIndex& index) const;
    QModelIndex indexOf(const std::string& uuid) const;
    // The group whose items the content shows: drawn in bold, so that it stays recognisable
    // while one of its items is the highlighted row.
    void setChosenGroup(const std::optional<std::string>& uuid);
    // The names from the top level down to the item, the item's own last.
    QStringList pathOf(const std::string& uuid) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDropActions() const override;
    Qt::DropActions supportedDragActions() const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;

private:
    struct Node;
    void rebuild();
    bool shapeMatches(const Node& node, const std::vector<ProjectItemPtr>& items) const;
    void emitDataChanged(const Node& node, const QModelIndex& parentIndex);
    const Node* nodeAt(const QModelIndex& index) const;

    QuenzColorDocumentEditor& editor_;
    QuenzColorProjectPtr project_;
    std::unique_ptr<Node> root_;
    std::optional<std::string> chosenGroup_;
};

}  // namespace vantorel::app
