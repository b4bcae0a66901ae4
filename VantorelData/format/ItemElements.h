#pragma once
// The element of one project item (a group with its children, or any value item or alias),
// written onto a sink and read from an element. Undo snapshots and the pasteboard use
// these on single items; the document reader and writer use them for the whole tree.

#include <optional>
#include <string_view>
#include <vector>

#include "VantorelData/format/PugiElement.h"
#include "VantorelData/format/XmlSink.h"
#include "VantorelData/model/Identifier.h"
#include "VantorelData/model/ItemArena.h"
#include "VantorelData/model/Project.h"
#include "VantorelData/model/ReferenceLinker.h"

namespace vantorel::format {

// Groups nest to any depth: both walk the tree without recursion.

// Writes the item's element. False when an item in the tree has no payload (which the model
// never produces); the sink then holds a partial element.
bool writeItemElement(XmlSink& sink, const QuenzColorProjectItem& item);

// Build and test group assignments of items read before the groups they name, which a
// document writes after its items: kept by the groups' identifiers and made, just as they would
// have been at once, when the groups are known.
class PendingAssignments {
public:
    void hold(QuenzColorProjectItem& item, std::optional<std::string_view> buildGroupId,
              std::optional<std::string_view> testGroupId, TestPosition testPosition);
    // Assigns every item held the groups of `project`; the items must still be alive.
    void assign(const QuenzColorProject& project) const;

private:
    struct Held {
        QuenzColorProjectItem* item;
        std::optional<Identifier> buildGroupId;
        std::optional<Identifier> testGroupId;
        TestPosition testPosition;
    };
    std::vector<Held> held_;
};

// Reads one item element (in either element view: `PugiElement`, `FlatXmlElement`); null when
// the element names no item kind or the kind's content cannot be read. Build and test group
// assignments are looked up in `project`, or held in `pending` when the groups come later. A
// whole-tree reader passes a linker, which is offered every item read, in search order, and the
// arena the document's items and payloads are made in.
template <class Element>
ProjectItemPtr readItemElement(Element element, const QuenzColorProject& project, bool generateNewIds,
                               ReferenceLinker* linker = nullptr, const ItemArenaPtr& arena = nullptr,
                               PendingAssignments* pending = nullptr);

}  // namespace vantorel::format
