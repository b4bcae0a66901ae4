#pragma once
// TaskGroupEditor: what the build group and test group windows share. On the left the groups
// with their tasks as a tree, with buttons to add, delete and run; on the right a form for the
// chosen group or task. Every field commits through the core's document editor, one undo step
// per change, and the window follows every change of the document (undo included).

#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "Vantorel/editing/DocumentEditor.h"
#include "Vantorel/editing/SelectionManager.h"
#include "app/DocumentSession.h"
#include "app/ItemPresentation.h"

class QFormLayout;
class QHBoxLayout;
class QPushButton;
class QTreeWidget;

namespace vantorel::app {

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

// One sort of group as a window edits it: where the project keeps the groups, the tasks of a
// group, the word that describes a task in the tree, and the document editor's operations.
template <class Group, class Task>
struct GroupKind {
    const std::vector<std::shared_ptr<Group>>& (QuenzColorProject::*groups)() const;
    const std::vector<std::shared_ptr<Task>>& (Group::*tasks)() const;
    std::string_view (*detail)(const Task&);
    std::shared_ptr<Group> (QuenzColorDocumentEditor::*addGroup)();
    void (SelectionManager::*choose)(std::shared_ptr<Group>);
    bool (QuenzColorDocumentEditor::*deleteGroup)(const std::string&);
    bool (QuenzColorDocumentEditor::*deleteTask)(const std::string&);
};

// The window over one sort of group; the window itself only fills the forms.
template <class Group, class Task>
class GroupEditorOf : public TaskGroupEditor {
public:
    GroupEditorOf(DocumentSession& session, const QString& title, const GroupKind<Group, Task>& kind, QWidget* parent)
        : TaskGroupEditor(session, title, parent), kind_(kind) {}

protected:
    virtual void fillGroupForm(QFormLayout& form, const Group& group) = 0;
    virtual void fillTaskForm(QFormLayout& form, const Task& task) = 0;

    void addGroup() {
        if (const auto group = (session().editor().*kind_.addGroup)()) select(group->uuid());
    }
    // Adds a task made by `add` to the chosen group (the editor adds to its selected group) and
    // chooses it.
    template <class Add>
    void addTask(Add add) {
        for (const auto& group : groups()) {
            if (group->uuid() == selectedGroup()) (session().selection().*kind_.choose)(group);
        }
        const auto task = add(session().editor());
        if (!task) return;
        for (const auto& group : groups()) {
            for (const auto& each : tasks(*group)) {
                if (each->uuid() == task->uuid()) select(group->uuid(), task->uuid());
            }
        }
    }
    void deleteSelected() {
        if (!selectedTask().empty()) {
            (session().editor().*kind_.deleteTask)(selectedTask());
        } else if (!selectedGroup().empty()) {
            (session().editor().*kind_.deleteGroup)(selectedGroup());
        }
    }

    std::vector<GroupRow> rows() const final {
        std::vector<GroupRow> rows;
        for (const auto& group : groups()) {
            GroupRow row{group->uuid(), qText(group->name()), {}};
            for (const auto& task : tasks(*group)) row.tasks.push_back({task->uuid(), qText(task->name()), qText(kind_.detail(*task))});
            rows.push_back(std::move(row));
        }
        return rows;
    }

    void fillForm(QFormLayout& form, const std::string& groupUuid, const std::string& taskUuid) final {
        for (const auto& group : groups()) {
            if (group->uuid() != groupUuid) continue;
            if (taskUuid.empty()) return fillGroupForm(form, *group);
            for (const auto& task : tasks(*group)) {
                if (task->uuid() == taskUuid) return fillTaskForm(form, *task);
            }
        }
    }

private:
    const auto& groups() const { return ((*session().project()).*kind_.groups)(); }
    const auto& tasks(const Group& group) const { return (group.*kind_.tasks)(); }

    GroupKind<Group, Task> kind_;
};

}  // namespace vantorel::app
