#pragma once
// What an undo step holds: named lists of recorded actions, each a pair of closures that take
// the document back to before an edit (undo) or forward to after it (redo).

#include "Vantorel/editing/UndoName.h"

#include <functional>
#include <memory>
#include <variant>
#include <vector>

namespace vantorel {

// Handed to an asynchronous undo or redo closure; the closure calls it exactly once, when its
// work is finished, possibly from a later task on the document's thread. The next action of
// the step starts only then.
using UndoCompletion = std::function<void()>;

// The action the document editor records: asynchronous closures around snapshots of what an
// edit changed. `editor` is held strongly so that the closures can run as long as the step can
// be undone or redone.
struct DocumentUndoAction {
    std::shared_ptr<void> editor;
    std::function<void(UndoCompletion)> undo;
    std::function<void(UndoCompletion)> redo;
};

// An action with synchronous closures on any object; it is finished when its closure returns.
struct GenericUndoAction {
    std::shared_ptr<void> target;
    std::function<void()> undo;
    std::function<void()> redo;
};

using UndoAction = std::variant<DocumentUndoAction, GenericUndoAction>;

// One undo step: undone as a whole (last action first) and redone as a whole (first first).
struct UndoActionList {
    UndoName name = UndoName::move;
    std::vector<UndoAction> actions;  // in the order they were recorded
    bool isProvisional = false;       // still open for merging; recorded steps start closed
};

}  // namespace vantorel
