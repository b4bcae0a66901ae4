// The transaction every undoable edit runs through, and the restore its undo and redo run.

#include <type_traits>
#include <utility>

#include "Vantorel/editing/DocumentEditor.h"
#include "Vantorel/editing/DocumentExecutor.h"
#include "Vantorel/editing/EnhancedUndoManager.h"
#include "Vantorel/editing/SelectionManager.h"

namespace vantorel {
namespace {

void refreshSelection(SelectionManager& selection, TransactionScope scope, const QuenzColorProject& project) {
    switch (scope) {
        case TransactionScope::items:
            selection.refreshItems(project.items());
            return;
        case TransactionScope::build:
            selection.refreshBuildSelection(project.buildGroups());
            return;
        case TransactionScope::test:
            selection.refreshTestSelection(project.testGroups());
            return;
    }
}

// Replaces the list; observers hear of it even when the restored list holds the same objects.
template <class List, class Current, class Set>
void replaceList(QuenzColorProject& project, List restored, Current current, Set set, PropertyId property) {
    if ((project.*current)() == restored) {
        project.notifyChanged(property);
    } else {
        (project.*set)(std::move(restored));
    }
}

// Runs `work` with the document and its project after the work queued before it, so that a
// selection lands on the items an edit has just put in place; nothing happens when the
// document has closed by then.
template <class Work>
void whenSettled(const std::weak_ptr<ColorDocumentHandle>& weakDocument, Work work) {
    const auto document = weakDocument.lock();
    if (!document) return;
    document->executor().post([weakDocument, work = std::move(work)] {
        const auto alive = weakDocument.lock();
        const QuenzColorProjectPtr project = alive ? alive->project() : nullptr;
        if (project) work(*alive, *project);
    });
}

// Selects the group with `groupUuid` and, inside it, the task with `taskUuid` (none when the
// task has gone); build groups and test groups alike.
template <class Groups, class TasksOf, class Select>
void selectGroupAndTask(const Groups& groups, const std::string& groupUuid, const std::string& taskUuid,
                        TasksOf tasksOf, Select select) {
    for (const auto& group : groups) {
        if (!group || group->uuid() != groupUuid) continue;
        const auto& tasks = tasksOf(*group);
        typename std::remove_cvref_t<decltype(tasks)>::value_type task;
        for (const auto& candidate : tasks) {
            if (candidate && candidate->uuid() == taskUuid) task = candidate;
        }
        select(group, task);
        return;
    }
}

}  // namespace

QuenzColorDocumentEditor::QuenzColorDocumentEditor(std::weak_ptr<ColorDocumentHandle> document)
    : document_(std::move(document)) {}

std::shared_ptr<QuenzColorDocumentEditor> QuenzColorDocumentEditor::make(
    std::weak_ptr<ColorDocumentHandle> document) {
    return std::shared_ptr<QuenzColorDocumentEditor>(new QuenzColorDocumentEditor(std::move(document)));
}

ProjectSnapshots& QuenzColorDocumentEditor::snapshotsFor(const QuenzColorProjectPtr& project) {
    // A document read again has a new project; the old one's cached bytes no longer apply.
    if (!snapshots_ || !snapshots_->isFor(project)) snapshots_ = std::make_unique<ProjectSnapshots>(project);
    return *snapshots_;
}

std::size_t QuenzColorDocumentEditor::compressedElementCount() const {
    return snapshots_ ? snapshots_->compressedCount() : 0;
}

ScopeSnapshotPtr QuenzColorDocumentEditor::snapshot(TransactionScope scope) {
    const auto document = document_.lock();
    const QuenzColorProjectPtr project = document ? document->project() : nullptr;
    if (!project) return nullptr;
    return snapshotsFor(project).take(scope, *project);
}

bool QuenzColorDocumentEditor::edit(TransactionScope scope, UndoName name, const Change& change) {
    const auto document = document_.lock();
    const QuenzColorProjectPtr project = document ? document->project() : nullptr;
    if (!project || !change) return false;

    ScopeSnapshotPtr before = snapshotsFor(project).take(scope, *project);
    if (!change(*project)) return false;
    refreshSelection(document->selectionManager(), scope, *project);
    ScopeSnapshotPtr after = snapshotsFor(project).take(scope, *project);

    if (EnhancedUndoManager* undoManager = document->undoManager()) {
        undoManager->registerUndo(
            name,
            [scope, before = std::move(before)](QuenzColorDocumentEditor& editor, UndoCompletion done) {
                editor.restore(scope, before);
                done();
            },
            [scope, after = std::move(after)](QuenzColorDocumentEditor& editor, UndoCompletion done) {
                editor.restore(scope, after);
                done();
            },
            shared_from_this());
    }
    return true;
}

void QuenzColorDocumentEditor::restore(TransactionScope scope, const ScopeSnapshotPtr& snapshot) {
    const auto document = document_.lock();
    const QuenzColorProjectPtr project = document ? document->project() : nullptr;
    if (!project || !snapshot) return;
    ProjectSnapshots& snapshots = snapshotsFor(project);
    SelectionManager& selection = document->selectionManager();

    switch (scope) {
        case TransactionScope::items: {
            bool anyRead = false;
            std::vector<ProjectItemPtr> items = snapshots.restoreItems(snapshot, *project, &anyRead);
            selection.refreshItems(items);
            replaceList(*project, std::move(items), &QuenzColorProject::items, &QuenzColorProject::setItems,
                        PropertyId::items);
            // Aliases find re-created targets again (and lose deleted ones).
            if (anyRead) project->linkReferences();
            return;
        }
        case TransactionScope::build: {
            std::vector<BuildGroupPtr> groups = snapshots.restoreBuildGroups(snapshot, *project);
            selection.refreshBuildSelection(groups);
            snapshots.followRestoredBuildGroups(*project, groups);
            replaceList(*project, std::move(groups), &QuenzColorProject::buildGroups,
                        &QuenzColorProject::setBuildGroups, PropertyId::buildGroups);
            return;
        }
        case TransactionScope::test: {
            std::vector<TestGroupPtr> groups = snapshots.restoreTestGroups(snapshot, *project);
            selection.refreshTestSelection(groups);
            snapshots.followRestoredTestGroups(*project, groups);
            replaceList(*project, std::move(groups), &QuenzColorProject::testGroups,
                        &QuenzColorProject::setTestGroups, PropertyId::testGroups);
            return;
        }
    }
}

bool QuenzColorDocumentEditor::changeDocumentDescription(std::string text) {
    const auto document = document_.lock();
    const QuenzColorProjectPtr project = document ? document->project() : nullptr;
    if (!project || project->projectDescription() == text) return false;
    std::string old = project->projectDescription();
    project->setProjectDescription(text);
    if (EnhancedUndoManager* undoManager = document->undoManager()) {
        // The description is one string: the step keeps the two texts, not snapshots.
        const std::weak_ptr<ColorDocumentHandle> weakDocument = document_;
        const auto setText = [weakDocument](std::string value) {
            return [weakDocument, value = std::move(value)](QuenzColorDocumentEditor&, UndoCompletion done) {
                if (const auto alive = weakDocument.lock()) {
                    if (const auto p = alive->project()) p->setProjectDescription(value);
                }
                done();
            };
        };
        undoManager->registerUndo(UndoName::changeDocumentDescription, setText(std::move(old)),
                                  setText(std::move(text)), shared_from_this());
    }
    return true;
}

NewColorDefaults QuenzColorDocumentEditor::newColorDefaults() const {
    return newColorDefaults_ ? newColorDefaults_() : NewColorDefaults{};
}

void QuenzColorDocumentEditor::selectItemsLater(std::vector<std::string> itemUuids) {
    whenSettled(document_,
                [uuids = std::move(itemUuids)](ColorDocumentHandle& document, QuenzColorProject& project) {
                    std::vector<ProjectItemPtr> items;
                    for (const std::string& uuid : uuids) {
                        if (ProjectItemPtr item = project.itemWithId(uuid)) items.push_back(std::move(item));
                    }
                    document.selectionManager().selectItems(std::move(items));
                });
}

void QuenzColorDocumentEditor::selectBuildLater(std::string groupUuid, std::string taskUuid) {
    whenSettled(document_, [groupUuid = std::move(groupUuid), taskUuid = std::move(taskUuid)](
                               ColorDocumentHandle& document, QuenzColorProject& project) {
        SelectionManager& selection = document.selectionManager();
        selectGroupAndTask(
            project.buildGroups(), groupUuid, taskUuid,
            [](const BuildGroup& group) -> const auto& { return group.tasks(); },
            [&selection](const BuildGroupPtr& group, const BuildTaskPtr& task) {
                selection.setSelectedBuildGroup(group);
                selection.setSelectedBuildTask(task);
            });
    });
}

void QuenzColorDocumentEditor::selectTestLater(std::string groupUuid, std::string taskUuid) {
    whenSettled(document_, [groupUuid = std::move(groupUuid), taskUuid = std::move(taskUuid)](
                               ColorDocumentHandle& document, QuenzColorProject& project) {
        SelectionManager& selection = document.selectionManager();
        selectGroupAndTask(
            project.testGroups(), groupUuid, taskUuid,
            [](const TestGroup& group) -> const auto& { return group.tests(); },
            [&selection](const TestGroupPtr& group, const TestTaskPtr& task) {
                selection.setSelectedTestGroup(group);
                selection.setSelectedTestTask(task);
            });
    });
}

}  // namespace vantorel
