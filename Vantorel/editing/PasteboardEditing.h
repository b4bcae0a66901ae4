#pragma once
// Copy, cut and paste of project items through a pasteboard. Copy writes one pasteboard item
// with the items type and plain text; cut copies the selected items and removes them in one
// undo step "Cut"; paste reads every pasteboard item that carries the items type and inserts
// what it can read, with fresh identifiers, in one undo step "Paste" at the position the
// selection gives for pasted items. A paste that finds nothing readable changes nothing and
// records no step. Confined to the document's thread.

#include <optional>
#include <vector>

#include "Vantorel/editing/ColorDocumentHandle.h"
#include "Vantorel/editing/DocumentEditor.h"
#include "Vantorel/editing/Pasteboard.h"
#include "Vantorel/editing/PasteboardPayload.h"

namespace vantorel::pasteboard {

// Puts `items` on the pasteboard, replacing its content. False (and the pasteboard untouched)
// when the items could not be encoded.
bool copyItems(Pasteboard& pasteboard, const std::vector<ProjectItemPtr>& items, const Diagnostics& diagnostics = {});

// The selected items to copy, in selection order, without items that lie inside another
// selected item (the group already carries them) and without items no longer in the tree.
std::vector<ProjectItemPtr> itemsToCopy(ColorDocumentHandle& document);

// Copies the selection; false when nothing is selected.
bool copySelection(ColorDocumentHandle& document, Pasteboard& pasteboard, const Diagnostics& diagnostics = {});

// Copies the selection, then removes it in one transaction named "Cut". False when nothing was
// selected (the pasteboard is then left as it was).
bool cut(ColorDocumentHandle& document, QuenzColorDocumentEditor& editor, Pasteboard& pasteboard,
         const Diagnostics& diagnostics = {});

// The items of every pasteboard item carrying the items type, in pasteboard order, read for
// `project` (fresh identifiers; group assignments looked up in `project`).
std::vector<ProjectItemPtr> readPasteboardItems(const Pasteboard& pasteboard, const QuenzColorProject& project);

// Inserts the readable items of the pasteboard in one transaction named "Paste", at `position`
// (a path for the project's insert) or, when none is given, where the selection puts pasted
// items. The pasted items become the selection on the next turn of the document's queue.
// Returns the pasted items; empty when nothing was readable (nothing changes then).
std::vector<ProjectItemPtr> paste(ColorDocumentHandle& document, QuenzColorDocumentEditor& editor,
                                  const Pasteboard& pasteboard, std::optional<ItemPath> position = std::nullopt);

}  // namespace vantorel::pasteboard
