#pragma once
// TaskGroupListModel: the sidebar's list of build groups or of test groups. Dropping items on a
// group assigns them to it through the document editor.

#include <QAbstractListModel>

#include "VantorelData/model/Project.h"

namespace vantorel {
class QuenzColorDocumentEditor;
}

namespace vantorel::app {

class TaskGroupListModel final : public QAbstractListModel {
    Q_OBJECT
public:
    enum class Kind { build, test };

    TaskGroupListModel(Kind kind, QuenzColorDocumentEditor& editor, QObject* parent = nullptr);

    void setProject(QuenzColorProjectPtr project);
    void refresh();
    // The group's identifier at `row`, "" when there is none.
    std::string uuidAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    Qt::DropActions supportedDropActions() const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;

private:
    struct Row {
        std::string uuid;
        std::string name;
        std::size_t taskCount = 0;
        friend bool operator==(const Row&, const Row&) = default;
    };
    std::vector<Row> currentRows() const;

    Kind kind_;
    QuenzColorDocumentEditor& editor_;
    QuenzColorProjectPtr project_;
    std::vector<Row> rows_;
};

}  // namespace vantorel::app
