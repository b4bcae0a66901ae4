#include "Vantorel/editing/EnhancedUndoManager.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vantorel {
namespace {

using Log = std::vector<std::string>;

// How a test action finishes: an asynchronous closure that completes before returning, one
// that completes in a later task on the executor, one that calls its completion twice (a
// closure's mistake that must not finish the step twice), or a synchronous generic action.
enum class ActionKind { async, later, twice, generic };

class EnhancedUndoManagerTest : public ::testing::Test {
protected:
    void SetUp() override { manager.setDocument(document); }

    UndoAction action(const std::string& tag, ActionKind kind = ActionKind::async) {
        if (kind == ActionKind::generic) {
            return GenericUndoAction{nullptr, [this, tag] { log.push_back("undo " + tag); },
                                     [this, tag] { log.push_back("redo " + tag); }};
        }
        auto closure = [this, tag, kind](const std::string& verb) {
            return [this, tag, kind, verb](UndoCompletion done) {
                log.push_back(verb + " " + tag);
                if (kind == ActionKind::later) {
                    executor.post(std::move(done));
                } else {
                    if (kind == ActionKind::twice) done();
                    done();
                }
            };
        };
        return DocumentUndoAction{nullptr, closure("undo"), closure("redo")};
    }

    void record(UndoName name, const std::string& tag, ActionKind kind = ActionKind::async) {
        manager.pushStep({name, {action(tag, kind)}});
    }

    void undo() {
        manager.undo();
        executor.runUntilIdle();
    }
    void redo() {
        manager.redo();
        executor.runUntilIdle();
    }

    // Plays a script: a = record "Add Color", b = record "Add Build Task", u = undo, r = redo,
    // s = mark the document saved, x = clear the history. Steps are tagged 1, 2, 3… as recorded.
    void play(std::string_view ops) {
        for (const char op : ops) {
            switch (op) {
                case 'a': record(UndoName::addColor, std::to_string(++recorded)); break;
                case 'b': record(UndoName::addBuildGroup, std::to_string(++recorded)); break;
                case 'u': undo(); break;
                case 'r': redo(); break;
                case 's': document->markSaved(); break;
                case 'x': manager.removeAllActions(&log); break;
                default: ADD_FAILURE() << "no operation '" << op << "'";
            }
        }
    }

    DocumentExecutor executor;
    EnhancedUndoManager manager{executor};
    std::shared_ptr<DocumentEditedState> document = std::make_shared<DocumentEditedState>();
    Log log;
    int recorded = 0;
};

TEST_F(EnhancedUndoManagerTest, UndoRunsAStepsActionsInReverseAndRedoInOrder) {
    using K = ActionKind;
    const struct {
        const char* label;
        std::vector<ActionKind> kinds;
    } cases[] = {
        {"asynchronous", {K::async, K::async, K::async}},
        {"generic", {K::generic, K::generic, K::generic}},
        {"completing in later tasks", {K::later, K::later, K::later}},
        {"mixed", {K::async, K::later, K::generic}},
        {"single", {K::later}},
        {"a completion called twice counts once", {K::twice, K::async}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        log.clear();
        manager.removeAllActions();
        document->markSaved();
        UndoActionList step{UndoName::paste, {}};
        Log expectUndo, expectRedo;
        for (std::size_t i = 0; i < c.kinds.size(); ++i) {
            const std::string tag(1, static_cast<char>('a' + i));
            step.actions.push_back(action(tag, c.kinds[i]));
            expectRedo.push_back("redo " + tag);
            expectUndo.insert(expectUndo.begin(), "undo " + tag);
        }
        manager.pushStep(std::move(step));

        undo();
        EXPECT_EQ(log, expectUndo);
        EXPECT_FALSE(manager.isUndoing());
        EXPECT_EQ(manager.stackPosition(), -1);
        EXPECT_EQ(document->changeCount(), 0) << "the step is undone once";

        log.clear();
        redo();
        EXPECT_EQ(log, expectRedo);
        EXPECT_FALSE(manager.isRedoing());
        EXPECT_EQ(manager.stackPosition(), 0);
        EXPECT_EQ(document->changeCount(), 1);
    }
}

TEST_F(EnhancedUndoManagerTest, RegistrationsWhileAStepRunsAreDropped) {
    const struct {
        const char* label;
        bool undoing;
        bool fromAnotherTask;  // made while the step awaits a closure, not inside the closure
    } cases[] = {
        {"inside an undo closure", true, false},
        {"inside a redo closure", false, false},
        {"while an undo awaits its closure", true, true},
        {"while a redo awaits its closure", false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        manager.removeAllActions();
        record(UndoName::addColor, "first");
        bool flagSeen = false;
        auto registerMeanwhile = [&](UndoCompletion done) {
            flagSeen = c.undoing ? manager.isUndoing() : manager.isRedoing();
            if (c.fromAnotherTask) {
                executor.post([&] { record(UndoName::changeColor, "intruder"); });
                executor.post(std::move(done));
            } else {
                record(UndoName::changeColor, "intruder");
                done();
            }
        };
        manager.pushStep(
            {UndoName::changeName, {DocumentUndoAction{nullptr, registerMeanwhile, registerMeanwhile}}});
        if (!c.undoing) undo();

        if (c.undoing) undo(); else redo();

        EXPECT_TRUE(flagSeen);
        EXPECT_EQ(manager.stepCount(), 2u);
        EXPECT_EQ(manager.stackPosition(), c.undoing ? 0 : 1);
        EXPECT_EQ(manager.undoActionName(), c.undoing ? "Add Color" : "Change Name");
        EXPECT_EQ(manager.redoActionName(), c.undoing ? "Change Name" : "");
    }
}

TEST_F(EnhancedUndoManagerTest, TheHundredAndTwentyNinthStepDropsTheOldest) {
    play(std::string(129, 'a'));
    EXPECT_EQ(manager.stepCount(), 128u);
    EXPECT_EQ(manager.stackPosition(), 127);
    EXPECT_EQ(manager.undoCount(), 128);

    play(std::string(130, 'u'));  // two more than there are steps: no-ops
    ASSERT_EQ(log.size(), 128u);
    EXPECT_EQ(log.front(), "undo 129");
    EXPECT_EQ(log.back(), "undo 2") << "step 1 was dropped";
    EXPECT_FALSE(manager.canUndo());
    EXPECT_EQ(manager.redoCount(), 128);
}

TEST_F(EnhancedUndoManagerTest, AFullHistoryWithRedoStepsDropsThemBeforeTheOldest) {
    play(std::string(128, 'a') + "ub");
    EXPECT_EQ(manager.stepCount(), 128u) << "the discarded redo step made room";
    EXPECT_EQ(manager.undoActionName(), "Add Build Task");
    play(std::string(128, 'u'));
    EXPECT_EQ(log.back(), "undo 1");
}

TEST_F(EnhancedUndoManagerTest, MenuTitlesFollowThePosition) {
    const struct {
        const char* ops;  // played before the titles are read
        const char* undoTitle;
        const char* redoTitle;
        const char* undoItem;
        const char* redoItem;
    } steps[] = {
        {"", "", "", "Undo", "Redo"},
        {"u", "", "", "Undo", "Redo"},
        {"a", "Add Color", "", "Undo Add Color", "Redo"},
        {"b", "Add Build Task", "", "Undo Add Build Task", "Redo"},
        {"u", "Add Color", "Add Build Task", "Undo Add Color", "Redo Add Build Task"},
        {"u", "", "Add Color", "Undo", "Redo Add Color"},
        {"r", "Add Color", "Add Build Task", "Undo Add Color", "Redo Add Build Task"},
        {"r", "Add Build Task", "", "Undo Add Build Task", "Redo"},
        {"r", "Add Build Task", "", "Undo Add Build Task", "Redo"},
        {"x", "", "", "Undo", "Redo"},
    };
    for (const auto& s : steps) {
        play(s.ops);
        SCOPED_TRACE(std::string("after '") + s.ops + "'");
        EXPECT_EQ(manager.undoActionName(), s.undoTitle);
        EXPECT_EQ(manager.redoActionName(), s.redoTitle);
        EXPECT_EQ(manager.undoMenuItemTitle(), s.undoItem);
        EXPECT_EQ(manager.redoMenuItemTitle(), s.redoItem);
        EXPECT_EQ(manager.canUndo(), *s.undoTitle != '\0');
        EXPECT_EQ(manager.canRedo(), *s.redoTitle != '\0');
    }
}

TEST_F(EnhancedUndoManagerTest, DocumentIsEditedUnlessAtItsSavePoint) {
    const struct {
        std::string ops;
        std::string edited;  // one 'E' (edited) or '.' (clean) per operation
    } cases[] = {
        // The mark is read after every operation, so each row also covers its prefixes; the
        // edited state's own rules (a discarded save point, saving with steps undone) are
        // checked with it, here only that every step done, undone and redone reaches it.
        {"asur", "E.E."},
        {"aasuurr", "EE.EEE."},
        {"uur", "..."},  // nothing to undo or redo leaves the mark alone
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ops);
        manager.removeAllActions();
        document->markSaved();
        std::string seen;
        for (const char op : c.ops) {
            play(std::string_view(&op, 1));
            seen += document->isEdited() ? 'E' : '.';
        }
        EXPECT_EQ(seen, c.edited);
    }
}

TEST_F(EnhancedUndoManagerTest, WithoutItsOwnDocumentTheCurrentDocumentIsMarked) {
    auto current = std::make_shared<DocumentEditedState>();
    manager.setDocument({});
    record(UndoName::addColor, "unmarked");  // no document at all: nothing to mark
    manager.setCurrentDocumentLookup([&] { return current; });
    record(UndoName::addColor, "a");
    EXPECT_TRUE(current->isEdited());
    EXPECT_FALSE(document->isEdited());

    manager.setDocument(document);
    undo();
    EXPECT_EQ(document->changeCount(), -1);
    EXPECT_EQ(current->changeCount(), 1);

    document.reset();  // the document is gone: the current one is marked again
    undo();
    EXPECT_EQ(current->changeCount(), 0);
}

TEST_F(EnhancedUndoManagerTest, ANewStepDiscardsEveryRedoStep) {
    play("aaauu");
    EXPECT_EQ(manager.redoCount(), 2);
    play("a");
    EXPECT_FALSE(manager.canRedo());
    EXPECT_EQ(manager.stepCount(), 2u);
    EXPECT_EQ(manager.stackPosition(), 1);
    log.clear();
    play("uu");
    EXPECT_EQ(log, (Log{"undo 4", "undo 1"}));
}

TEST_F(EnhancedUndoManagerTest, UndoAndRedoAreQueuedOneStepAtATime) {
    manager.undo();
    manager.redo();
    EXPECT_FALSE(executor.hasPendingTasks()) << "nothing to undo or redo queues nothing";
    EXPECT_EQ(manager.undoActionName(), "");
    EXPECT_EQ(manager.undoCount(), 0);

    for (const char* tag : {"1", "2", "3"}) record(UndoName::addColor, tag, ActionKind::later);

    manager.undo();
    manager.undo();
    EXPECT_TRUE(log.empty()) << "undo only queues a task";
    EXPECT_EQ(manager.stackPosition(), 2);
    executor.runUntilIdle();
    EXPECT_EQ(log, (Log{"undo 3", "undo 2"})) << "two requests revert two steps";
    EXPECT_EQ(manager.stackPosition(), 0);

    log.clear();
    manager.redo();
    manager.undo();
    manager.undo();  // finds nothing left once the first undo has run
    manager.undo();
    executor.runUntilIdle();
    EXPECT_EQ(log, (Log{"redo 2", "undo 2", "undo 1"}));
    EXPECT_EQ(manager.stackPosition(), -1);
    EXPECT_FALSE(executor.hasPendingTasks());
}

TEST_F(EnhancedUndoManagerTest, ObserversHearEveryChangeAfterItIsMade) {
    std::vector<std::string> heard;
    const auto id = manager.addObserver([&](const EnhancedUndoManager& m, UndoEvent event) {
        static constexpr const char* names[] = {"checkpoint", "willUndo", "willRedo",
                                                "didUndo",    "didRedo",  "removedAllSteps"};
        heard.push_back(std::string(names[static_cast<int>(event)]) + "@" +
                        std::to_string(m.stackPosition()) + (m.isUndoing() ? "u" : "") +
                        (m.isRedoing() ? "r" : ""));
    });
    record(UndoName::addColor, "a");
    undo();
    redo();
    manager.removeAllActions();
    manager.removeObserver(id);
    record(UndoName::addColor, "unheard");
    EXPECT_EQ(heard, (std::vector<std::string>{"checkpoint@0", "willUndo@0u", "didUndo@-1",
                                               "willRedo@-1r", "didRedo@0", "removedAllSteps@-1"}));
}

struct FakeEditor {
    Log calls;
};

TEST_F(EnhancedUndoManagerTest, RegisteredClosuresReceiveTheEditorWhichTheStepKeepsAlive) {
    auto editor = std::make_shared<FakeEditor>();
    std::weak_ptr<FakeEditor> watch = editor;
    manager.registerUndo(
        UndoName::addColor,
        [](FakeEditor& e, UndoCompletion done) { e.calls.push_back("undo"); done(); },
        [](FakeEditor& e, UndoCompletion done) { e.calls.push_back("redo"); done(); },
        std::move(editor));
    manager.registerUndo(
        UndoName::addColor, [](FakeEditor&, UndoCompletion done) { done(); },
        [](FakeEditor&, UndoCompletion done) { done(); }, std::shared_ptr<FakeEditor>{});
    EXPECT_EQ(manager.stepCount(), 1u) << "a registration without an editor is dropped";

    ASSERT_FALSE(watch.expired());
    undo();
    redo();
    EXPECT_EQ(watch.lock()->calls, (Log{"undo", "redo"}));
    manager.removeAllActions();
    EXPECT_TRUE(watch.expired());
}

TEST(EnhancedUndoManagerLifetime, QueuedAndPendingWorkOutlivingTheManagerDoesNothing) {
    DocumentExecutor executor;
    UndoCompletion pending;
    {
        EnhancedUndoManager manager(executor);
        auto keep = [&](UndoCompletion done) { pending = std::move(done); };
        const UndoActionList step{UndoName::addColor, {DocumentUndoAction{nullptr, keep, keep}}};
        manager.pushStep(step);
        manager.pushStep(step);
        manager.undo();
        executor.runUntilIdle();  // the first undo now awaits `pending`
        manager.undo();           // queued behind it
    }
    executor.runUntilIdle();
    ASSERT_TRUE(pending);
    pending();
    executor.runUntilIdle();
}

TEST(EnhancedUndoManagerLifetime, AClosureMayCloseTheDocument) {
    DocumentExecutor executor;
    auto manager = std::make_unique<EnhancedUndoManager>(executor);
    bool secondRan = false;
    manager->pushStep({UndoName::delete_, {GenericUndoAction{nullptr, [&] { secondRan = true; }, [] {}},
                                           GenericUndoAction{nullptr, [&] { manager.reset(); }, [] {}}}});
    manager->undo();
    executor.runUntilIdle();
    EXPECT_EQ(manager, nullptr);
    EXPECT_FALSE(secondRan);
}

}  // namespace
}  // namespace vantorel
