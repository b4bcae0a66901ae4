#pragma once
// Shared fixtures of the editor, selection and snapshot tests: small projects, a compact text
// form of the item tree, and a check that cached snapshot entries still match the model.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "LZFSE/Lzfse.h"
#include "Vantorel/editing/InMemoryColorDocument.h"
#include "Vantorel/editing/SnapshotCodec.h"
#include "VantorelData/format/TaskElements.h"
#include "VantorelData/format/XmlTextSink.h"
#include "VantorelData/model/Model.h"
#include "tests/support/ItemTreeText.h"
#include "tests/support/SmallProjects.h"

namespace vantorel::testing {

inline ProjectItemPtr colorItem(const std::string& name, double red = 0.5) { return srgbColorItem(name, red, 0.25, 0.75); }

inline BuildTaskFields buildTaskNamed(const std::string& name, BuildFileType type = BuildFileType::css) {
    BuildTaskFields fields;
    fields.name = name;
    fields.exportFileType = type;
    return fields;
}

inline TestTaskFields testNamed(const std::string& name) {
    TestTaskFields fields;
    fields.name = name;
    return fields;
}

inline NewSetOptions setWithSteps(int steps) {
    NewSetOptions options;
    options.steps = steps;
    return options;
}

// A project whose top level is A,B,G[x,y],C.
inline QuenzColorProjectPtr sampleProject() {
    auto project = std::make_shared<QuenzColorProject>();
    project->setItems({colorItem("A"), colorItem("B"), groupOf("G", {colorItem("x"), colorItem("y")}), colorItem("C")});
    return project;
}

inline std::string uuidOf(const QuenzColorProject& project, const std::string& name) {
    std::string found;
    project.forEachItem([&](const ProjectItemPtr& item) {
        if (found.empty() && item->name() == name) found = item->uuid();
    });
    return found;
}

inline ProjectItemPtr itemNamed(const QuenzColorProject& project, const std::string& name) {
    return project.itemWithId(uuidOf(project, name));
}

inline std::string decoded(const CompressedElementPtr& entry) {
    if (!entry) return {};
    return lzfse::decodeToString(std::span<const std::uint8_t>(entry->data(), entry->size())).value_or("<corrupt>");
}

inline std::string freshText(const QuenzColorProjectItem& item) {
    return format::QuenzColorFileWriter::itemText(item).value_or("");
}
inline std::string freshText(const BuildGroup& group) {
    std::string text;
    format::XmlTextSink sink(text);
    format::writeBuildGroupElement(sink, group);
    return text;
}
inline std::string freshText(const TestGroup& group) {
    std::string text;
    format::XmlTextSink sink(text);
    format::writeTestGroupElement(sink, group);
    return text;
}

// Every entry the editor would reuse must equal what writing the element now gives: a cached
// entry that outlived a change of its element would make undo restore the wrong state.
template <class List>
void expectSnapshotMatches(const ScopeSnapshotPtr& snapshot, const List& list) {
    ASSERT_TRUE(snapshot);
    ASSERT_EQ(snapshot->size(), list.size());
    for (std::size_t i = 0; i < list.size(); ++i) EXPECT_EQ(decoded((*snapshot)[i]), freshText(*list[i])) << i;
}

// A document holding sampleProject(), with its editor, project and undo manager at hand.
class SampleDocumentTest : public ::testing::Test {
public:
    std::shared_ptr<InMemoryColorDocument> document = InMemoryColorDocument::make(sampleProject());
    QuenzColorDocumentEditor& editor = document->editor();
    QuenzColorProject& project = *document->project();
    EnhancedUndoManager& undo = document->enhancedUndoManager();
};

inline void expectCachesMatch(InMemoryColorDocument& document) {
    auto& editor = document.editor();
    const auto project = document.project();
    expectSnapshotMatches(editor.snapshot(TransactionScope::items), project->items());
    expectSnapshotMatches(editor.snapshot(TransactionScope::build), project->buildGroups());
    expectSnapshotMatches(editor.snapshot(TransactionScope::test), project->testGroups());
}

}  // namespace vantorel::testing
