#include "Vantorel/editing/DocumentEditedState.h"

#include <gtest/gtest.h>

#include <string>

namespace vantorel {
namespace {

// d = a step done, u = undone, r = redone, s = saved.
void applyChange(DocumentEditedState& state, char change) {
    switch (change) {
        case 'd': state.updateChangeCount(DocumentChange::done); break;
        case 'u': state.updateChangeCount(DocumentChange::undone); break;
        case 'r': state.updateChangeCount(DocumentChange::redone); break;
        case 's': state.markSaved(); break;
        default: FAIL() << "unknown change " << change;
    }
}

TEST(DocumentEditedState, EditedUnlessBackAtTheSavedState) {
    EXPECT_FALSE(DocumentEditedState().isEdited());
    const struct {
        std::string changes;
        std::string edited;  // the mark after each change: 'E' edited, '.' clean
    } cases[] = {
        {"dur", "E.E"},
        {"dduu", "EEE."},
        {"dsur", "E.E."},
        {"dsdu", "E.E."},
        // The saved state was a redo step when the new step discarded it: no way back.
        {"dsuduu", "E.EEEE"},
        {"dsuds", "E.EE."},
        // Saved with everything undone; redoing moves away, undoing comes back.
        {"ddduuusrruu", "EEEEE..EEE."},
    };
    for (const auto& c : cases) {
        DocumentEditedState state;
        std::string seen;
        for (const char change : c.changes) {
            applyChange(state, change);
            seen += state.isEdited() ? 'E' : '.';
        }
        EXPECT_EQ(seen, c.edited) << '"' << c.changes << '"';
    }
}

}  // namespace
}  // namespace vantorel
