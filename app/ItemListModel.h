#pragma once
// ItemListModel: the items of the group chosen in the sidebar (or of the top level), as rows
// for the swatch grid and the two tables. Columns: name, kind, the value in each appearance,
// build group and test group. It holds the shown items (so a view never asks about an item
// that is gone) and resets only when the rows changed; value changes repaint.

#include <QAbstractTableModel>
#include <optional>
#include <string>
#include <vector>

#include "VantorelData/model/Project.h"

namespace vantorel {
class QuenzColorDocumentEditor;
}

namespace vantorel::app {

class ItemListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { name, kind, light, lightHighContrast, dark, darkHighContrast, buildGroup, testGroup, columnCount_ };
    // The swatch colors of the light appearance (a QVariantList of QColor), for the grid.
    static constexpr int swatchRole = Qt::UserRole + 1;
    // The value text of the light appearance, for the grid's cards of numbers and strings.
    static constexpr int valueRole = Qt::UserRole + 2;
    // The light shadows of shadow kinds (a QVariantList of QVariantLists: x, y, blur, spread,
    // color), for the grid's shadow previews.
    static constexpr int shadowRole = Qt::UserRole + 3;
    // Whether the item is an alias, which the grid marks.
    static constexpr int aliasRole = Qt::UserRole + 4;

    explicit ItemListModel(QuenzColorDocumentEditor& editor, QObject* parent = nullptr);

    void setProject(QuenzColorProjectPtr project);
    // The group whose items are shown; none for the top level.
    void setContainer(std::optional<std::string> groupUuid);
    const std::optional<std::string>& container() const { return container_; }
    void setSearchText(const QString& text);
    void refresh();

    ProjectItemPtr itemAt(int row) const;
    int rowOf(const std::string& uuid) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDragActions() const override;

private:
    std::vector<ProjectItemPtr> currentRows() const;

    QuenzColorDocumentEditor& editor_;
    QuenzColorProjectPtr project_;
    std::optional<std::string> container_;
    std::string searchText_;
    std::vector<ProjectItemPtr> rows_;
};

}  // namespace vantorel::app
