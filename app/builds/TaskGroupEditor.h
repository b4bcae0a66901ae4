#pragma once
// TaskGroupEditor: what the build group and test group windows share. On the left the groups
// with their tasks as a tree, with buttons to add, delete and run; on the right a form for the
// chosen group or task. Every field commits through the core's document editor, one undo step
// per change, and the window follows every change of the document (undo included).

#include <QWidget>
#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/ItemPresentation.h"

class QFormLayout;
class QHBoxLayout;
class QPushButton;
class QTreeWidget;

namespace vantorel::app {

class DocumentSession;

// The entries of a choice field: title and value.
using FieldChoices = std::vector<std::pair<QString, int>>;
// The value of a choice that leaves an optional setting unset.
inline constexpr int unsetChoice = -1;

// One entry per case with its display name, after an entry `unsetTitle` for "unset" if given.
template <class Enum, std::size_t count>
FieldChoices enumChoices(const std::array<Enum, count>& cases, const QString& unsetTitle = {}) {
    FieldChoices choices;
    if (!unsetTitle.isEmpty()) choices.emplace_back(unsetTitle, unsetChoice);
    for (Enum value : cases) choices.emplace_back(qText(displayName(value)), static_cast<int>(value));
    return choices;
}

class TaskGroupEditor : public QWidget {
    Q_OBJECT
public:
    TaskGroupEditor(DocumentSession& session, const QString& title, QWidget* parent);

    QTreeWidget& tree() { return *tree_; }
    // The chosen group and task ("" when none); a chosen task implies its group.
    std::string selectedGroup() const { return groupUuid_; }
    std::string selectedTask() const { return taskUuid_; }
    void select(const std::string& groupUuid, const std::string& taskUuid = {});
    // Reads the document again: the tree and, unless the user is typing in it, the form.
    void refresh();

protected:
    struct TaskRow {
        std::string uuid;
        QString name;
        QString detail;
    };
    struct GroupRow {
        std::string uuid;
        QString name;
        std::vector<TaskRow> tasks;
    };
    virtual std::vector<GroupRow> rows() const = 0;
    // Fills the form of the chosen group (taskUuid empty) or task.
    virtual void fillForm(QFormLayout& form, const std::string& groupUuid, const std::string& taskUuid) = 0;

    DocumentSession& session() const { return session_; }
    QPushButton* addButton(const QString& title, const QString& objectName, std::function<void()> action);

    // Form fields. Each commits when the user finishes editing, through `commit`.
    void addTextField(QFormLayout& form, const QString& label, const QString& objectName, const QString& value,
                      std::function<void(const QString&)> commit, QWidget* trailing = nullptr);
    void addChoiceField(QFormLayout& form, const QString& label, const QString& objectName, const FieldChoices& choices,
                        int current, std::function<void(int)> commit);
    void addNote(QFormLayout& form, const QString& text);

private:
    void fillTree();
    void rebuildForm();

    DocumentSession& session_;
    QTreeWidget* tree_ = nullptr;
    QHBoxLayout* buttons_ = nullptr;
    QWidget* formHolder_ = nullptr;
    std::string groupUuid_;
    std::string taskUuid_;
    bool filling_ = false;
    bool refreshQueued_ = false;
};

}  // namespace vantorel::app
