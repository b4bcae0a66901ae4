#include "Vantorel/editing/PasteboardEditing.h"

#include <algorithm>
#include <memory>
#include <string>
#include <utility>

#include "Vantorel/editing/DocumentExecutor.h"
#include "Vantorel/editing/ItemTreeEditing.h"
#include "Vantorel/editing/SelectionManager.h"

namespace vantorel::pasteboard {
namespace {

std::vector<std::string> uuidsOf(const std::vector<ProjectItemPtr>& items) {
    std::vector<std::string> uuids;
    uuids.reserve(items.size());
    for (const ProjectItemPtr& item : items) {
        if (item) uuids.push_back(item->uuid());
    }
    return uuids;
}

// Pasted items are selected once the paste has finished, as new items are.
void selectLater(ColorDocumentHandle& document, std::vector<std::string> uuids) {
    QuenzColorProjectPtr project = document.project();
    SelectionManager* selection = &document.selectionManager();
    document.executor().post([weakProject = std::weak_ptr<QuenzColorProject>(project), selection,
                              uuids = std::move(uuids)] {
        // The selection belongs to the document, which owns the queue running this task; the
        // project may have been replaced meanwhile (the file was read again), and then the
        // identifiers name nothing.
        const auto current = weakProject.lock();
        if (!current) return;
        std::vector<ProjectItemPtr> items;
        for (const std::string& uuid : uuids) {
            if (ProjectItemPtr item = current->itemWithId(uuid)) items.push_back(std::move(item));
        }
        if (!items.empty()) selection->selectItems(std::move(items));
    });
}

}  // namespace

bool copyItems(Pasteboard& pasteboard, const std::vector<ProjectItemPtr>& items, const Diagnostics& diagnostics) {
    const std::optional<std::string> payload = encodeItems(items, diagnostics);
    if (!payload) return false;
    PasteboardItem entry;
    entry.setData(projectItemsPasteboardType, *payload);
    entry.setData(plainTextPasteboardType, describeItems(items));
    std::vector<PasteboardItem> entries;
    entries.push_back(std::move(entry));
    pasteboard.setItems(std::move(entries));
    return true;
}

std::vector<ProjectItemPtr> itemsToCopy(ColorDocumentHandle& document) {
    const QuenzColorProjectPtr project = document.project();
    if (!project) return {};
    const std::vector<ProjectItemPtr>& selected = document.selectionManager().selectedItems();
    const std::vector<ItemPath> topmost = itemtree::topmostPaths(*project, uuidsOf(selected));
    std::vector<ProjectItemPtr> items;
    for (const ProjectItemPtr& item : selected) {
        if (!item) continue;
        const auto path = project->indexPath(item->uuid());
        if (!path || std::find(topmost.begin(), topmost.end(), *path) == topmost.end()) continue;
        ProjectItemPtr current = project->itemAtPath(*path);
        if (std::find(items.begin(), items.end(), current) == items.end()) items.push_back(std::move(current));
    }
    return items;
}

bool copySelection(ColorDocumentHandle& document, Pasteboard& pasteboard, const Diagnostics& diagnostics) {
    const std::vector<ProjectItemPtr> items = itemsToCopy(document);
    if (items.empty()) return false;
    return copyItems(pasteboard, items, diagnostics);
}

bool cut(ColorDocumentHandle& document, QuenzColorDocumentEditor& editor, Pasteboard& pasteboard,
         const Diagnostics& diagnostics) {
    const std::vector<ProjectItemPtr> items = itemsToCopy(document);
    if (items.empty()) return false;
    // Items that could not reach the pasteboard are not taken out of the document either.
    if (!copyItems(pasteboard, items, diagnostics)) return false;
    const std::vector<std::string> uuids = uuidsOf(items);
    return editor.edit(TransactionScope::items, UndoName::cut, [&](QuenzColorProject& project) {
        const std::vector<ItemPath> paths = itemtree::topmostPaths(project, uuids);
        // From the last position up, so that the positions still to remove stay valid.
        for (auto path = paths.rbegin(); path != paths.rend(); ++path) itemtree::removeAt(project, *path);
        return !paths.empty();
    });
}

std::vector<ProjectItemPtr> readPasteboardItems(const Pasteboard& pasteboard, const QuenzColorProject& project) {
    std::vector<ProjectItemPtr> items;
    for (const PasteboardItem& entry : pasteboard.items()) {
        const auto payload = entry.data(projectItemsPasteboardType);
        if (!payload) continue;
        std::vector<ProjectItemPtr> read = readItems(*payload, project);
        items.insert(items.end(), std::make_move_iterator(read.begin()), std::make_move_iterator(read.end()));
    }
    return items;
}

std::vector<ProjectItemPtr> paste(ColorDocumentHandle& document, QuenzColorDocumentEditor& editor,
                                  const Pasteboard& pasteboard, std::optional<ItemPath> position) {
    const QuenzColorProjectPtr project = document.project();
    if (!project) return {};
    std::vector<ProjectItemPtr> items = readPasteboardItems(pasteboard, *project);
    if (items.empty()) return {};
    if (!position) position = document.selectionManager().insertionPath(/*intoGroup=*/false);

    const bool pasted = editor.edit(TransactionScope::items, UndoName::paste, [&](QuenzColorProject& target) {
        target.insert(items, position);
        // Pasted aliases find their targets when these are in this document.
        target.linkReferences();
        return true;
    });
    if (!pasted) return {};
    selectLater(document, uuidsOf(items));
    return items;
}

}  // namespace vantorel::pasteboard
