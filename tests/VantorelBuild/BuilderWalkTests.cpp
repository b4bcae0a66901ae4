#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <variant>

#include "BuilderTestSupport.h"
#include "Vantorel/build/Builder.h"
#include "tests/support/FileContents.h"
#include "tests/support/NestedGroups.h"

using namespace vantorel;
using namespace vantorel::build;
using namespace vantorel::build::testing;

namespace {

enum class Outcome { success, nothingToBuild, buildError };

Outcome outcomeOf(const BuildResult& result) {
    if (!result.failure) return Outcome::success;
    return std::holds_alternative<EmptyBuildError>(*result.failure) ? Outcome::nothingToBuild : Outcome::buildError;
}

QuenzColorProjectPtr projectOf(std::vector<ProjectItemPtr> items, std::vector<BuildGroupPtr> groups) {
    auto project = std::make_shared<QuenzColorProject>();
    project->setItems(std::move(items));
    project->setBuildGroups(std::move(groups));
    return project;
}

// One color, "A", assigned to the build group "Web" of the given tasks.
QuenzColorProjectPtr oneColorIn(std::vector<BuildTaskPtr> tasks) {
    auto web = buildGroup("Web", std::move(tasks));
    auto a = colorNamed("A");
    assign({a}, web);
    return projectOf({a}, {web});
}

// Two groups, "Web" (tasks css, scss) with two top-level colors and "Apps" (task swift) with one.
QuenzColorProjectPtr webAndApps() {
    auto web = buildGroup("Web", {task("css"), task("scss")});
    auto apps = buildGroup("Apps", {task("swift")});
    auto red = colorNamed("Red"), blue = colorNamed("Blue"), green = colorNamed("Green");
    assign({red, blue}, web);
    assign({green}, apps);
    return projectOf({red, green, blue}, {web, apps});
}

// Builds with exporters that record their calls into `calls`; `fails` picks the tasks whose export fails.
BuildResult buildWith(const QuenzColorProject& project, const std::vector<std::string>& groups,
                      std::vector<ExportCall>& calls, const fs::path& document,
                      std::function<bool(const BuildTask&)> fails = {},
                      std::function<void(const BuildProgress&)> progress = {}) {
    Builder builder(project, document, "Colors", groups);
    builder.setExporterFactory([&calls, fails](BuildFileType, const QuenzColorProject&) -> BuildTaskExporterPtr {
        return std::make_unique<RecordingExporter>(calls, fails);
    });
    builder.setProgressHandler(std::move(progress));
    return builder.build();
}

}  // namespace

TEST(BuilderWalk, SelectsGroupsByExactNameAndSkipsGroupsWithoutItems) {
    const struct {
        const char* name;
        std::function<QuenzColorProjectPtr()> project;
        std::vector<std::string> groupsToBuild;
        std::vector<std::string> tasksRun;  // in order
        std::size_t exportedItemCount;
        Outcome outcome;
    } cases[] = {
        {"all groups", webAndApps, {"Web", "Apps"}, {"css", "scss", "swift"}, 3, Outcome::success},
        {"order of the project, not of the request", webAndApps, {"Apps", "Web"}, {"css", "scss", "swift"}, 3,
         Outcome::success},
        {"one group", webAndApps, {"Apps"}, {"swift"}, 1, Outcome::success},
        {"nothing asked for", webAndApps, {}, {}, 0, Outcome::nothingToBuild},
        {"names compare exactly", webAndApps, {"web", "Apps "}, {}, 0, Outcome::nothingToBuild},
        {"two groups with the same name both build",
         [] {
             auto first = buildGroup("Web", {task("first")}), second = buildGroup("Web", {task("second")});
             auto a = colorNamed("A"), b = colorNamed("B");
             assign({a}, first);
             assign({b}, second);
             return projectOf({a, b}, {first, second});
         },
         {"Web"}, {"first", "second"}, 2, Outcome::success},
        {"items but no tasks: counted, nothing written", [] { return oneColorIn({}); }, {"Web"}, {}, 1,
         Outcome::success},
        {"tasks but no items: nothing runs",
         [] { return projectOf({colorNamed("Unassigned")}, {buildGroup("Web", {task("css")})}); }, {"Web"}, {}, 0,
         Outcome::nothingToBuild},
        {"a group without items is skipped, the next one builds",
         [] {
             auto busy = buildGroup("Busy", {task("busy")});
             auto a = colorNamed("A");
             assign({a}, busy);
             return projectOf({a}, {buildGroup("Idle", {task("idle")}), busy});
         },
         {"Idle", "Busy"}, {"busy"}, 1, Outcome::success},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder scratch("walk");
        std::vector<ExportCall> calls;
        auto result = buildWith(*c.project(), c.groupsToBuild, calls, scratch.document());
        std::vector<std::string> tasksRun;
        for (const auto& call : calls) tasksRun.push_back(call.taskName);
        EXPECT_EQ(tasksRun, c.tasksRun);
        EXPECT_EQ(result.exportedItemCount, c.exportedItemCount);
        EXPECT_EQ(outcomeOf(result), c.outcome);
        EXPECT_EQ(result.outputs.size(), c.tasksRun.size());
    }
}

TEST(BuilderWalk, HandsEachTaskTheGroupsItemsDepthFirstIncludingAssignedGroups) {
    ScratchFolder scratch("items");
    auto web = buildGroup("Web", {task("css")});
    auto inner = colorNamed("Inner"), last = colorNamed("Last");
    auto folder = groupNamed("Brand", {inner, colorNamed("Unassigned")});
    assign({folder, inner, last}, web);
    std::vector<ExportCall> calls;
    auto result = buildWith(*projectOf({folder, last}, {web}), {"Web"}, calls, scratch.document());
    ASSERT_TRUE(result.succeeded());
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].itemNames, (std::vector<std::string>{"Brand", "Inner", "Last"}));
    EXPECT_EQ(result.exportedItemCount, 3u);
}

TEST(BuilderWalk, OutputFoldersAreCreatedBesideTheDocument) {
    const struct {
        const char* exportFileFolder;
        const char* expectedBelowDocumentFolder;  // "" is the document's own folder
        bool relativeDocument = false;            // the document given relative to the working folder
    } cases[] = {
        {"", ""},
        {"./", ""},
        {".", ""},
        {"out", "out"},
        {"out/", "out"},
        {"./build/web/tokens", "build/web/tokens"},
        {"/absolute/stays/inside", "absolute/stays/inside"},
        {"a/../b", "b"},
        {"out", "out", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.exportFileFolder) + (c.relativeDocument ? ", relative document" : ""));
        ScratchFolder scratch("folders");
        auto project = oneColorIn({task("css", BuildFileType::css, c.exportFileFolder, "colors")});
        const fs::path previous = fs::current_path();
        if (c.relativeDocument) fs::current_path(scratch.path());
        // A relative document path is taken from the working folder, as the builder sees it.
        const fs::path documentFolder = c.relativeDocument ? fs::current_path() : scratch.path();
        std::vector<ExportCall> calls;
        auto result =
            buildWith(*project, {"Web"}, calls, c.relativeDocument ? fs::path("Colors.vantorel") : scratch.document());
        fs::current_path(previous);
        ASSERT_TRUE(result.succeeded());
        const fs::path expected = std::string(c.expectedBelowDocumentFolder).empty()
                                      ? documentFolder
                                      : documentFolder / c.expectedBelowDocumentFolder;
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].outputFolder, expected);
        EXPECT_TRUE(fs::is_regular_file(expected / "colors.css"));
    }
}

TEST(BuilderWalk, StopsAtTheFirstErrorAndKeepsWhatWasWritten) {
    ScratchFolder scratch("stop");
    std::vector<ExportCall> calls;
    auto result = buildWith(*webAndApps(), {"Web", "Apps"}, calls, scratch.document(),
                            [](const BuildTask& t) { return t.name() == "scss"; });
    ASSERT_TRUE(result.failure);
    ASSERT_TRUE(std::holds_alternative<BuildError>(*result.failure));
    EXPECT_EQ(std::get<BuildError>(*result.failure).message, "The task \"scss\" failed.");
    ASSERT_EQ(calls.size(), 2u);  // "swift" never ran
    EXPECT_EQ(result.outputs, std::vector<fs::path>{scratch.path() / "css.txt"});
    EXPECT_TRUE(fs::exists(scratch.path() / "css.txt"));
    EXPECT_FALSE(fs::exists(scratch.path() / "swift.txt"));
}

TEST(BuilderWalk, AFolderThatCannotBeCreatedStopsTheBuild) {
    ScratchFolder scratch("blocked");
    std::ofstream(scratch.path() / "blocked") << "a file, not a folder";
    auto project = oneColorIn({task("first"), task("second", BuildFileType::text, "blocked/inner"), task("third")});
    std::vector<ExportCall> calls;
    auto result = buildWith(*project, {"Web"}, calls, scratch.document());
    ASSERT_TRUE(result.failure);
    const auto& message = std::get<BuildError>(*result.failure).message;
    EXPECT_NE(message.find((scratch.path() / "blocked" / "inner").string()), std::string::npos) << message;
    EXPECT_EQ(calls.size(), 1u);
    EXPECT_EQ(result.outputs, std::vector<fs::path>{scratch.path() / "first.txt"});
}

TEST(BuilderWalk, AnExporterThatThrowsFailsOnlyItsTask) {
    ScratchFolder scratch("throw");
    std::vector<ExportCall> calls;
    // The recording exporter asks whether to fail from inside its export, so the export throws.
    auto result = buildWith(*webAndApps(), {"Web"}, calls, scratch.document(),
                            [](const BuildTask&) -> bool { throw std::runtime_error("disk on fire"); });
    ASSERT_TRUE(result.failure);
    EXPECT_EQ(std::get<BuildError>(*result.failure).message, "disk on fire");
}

TEST(BuilderWalk, ReportsProgressOverTheTasksThatRun) {
    ScratchFolder scratch("progress");
    auto project = webAndApps();
    project->appendBuildGroup(buildGroup("No items", {task("never")}));
    std::vector<std::string> seen;
    std::vector<ExportCall> calls;
    auto result = buildWith(*project, allBuildGroupNames(*project), calls, scratch.document(), {},
                            [&seen](const BuildProgress& progress) {
                                seen.push_back(std::to_string(progress.taskNumber) + "/" +
                                               std::to_string(progress.taskCount) + " " + progress.group.name() +
                                               ":" + progress.task.name());
                            });
    ASSERT_TRUE(result.succeeded());
    EXPECT_EQ(seen, (std::vector<std::string>{"1/3 Web:css", "2/3 Web:scss", "3/3 Apps:swift"}));
}

TEST(BuilderAlerts, TitlesAndTextsOfFailedBuilds) {
    auto empty = alertFor(EmptyBuildError{});
    EXPECT_EQ(empty.title, "Nothing to Build");
    EXPECT_EQ(empty.text,
              "To export, create a build group with at least one build task, and assign colors to the build group.");
    EXPECT_TRUE(empty.offersHelp);
    auto error = alertFor(BuildError{"Unable to export JSON file: disk full"});
    EXPECT_EQ(error.title, "Build Error");
    EXPECT_EQ(error.text, "An error occurred while building: Unable to export JSON file: disk full");
    EXPECT_FALSE(error.offersHelp);
}

// Groups nest to any depth: collecting the items of a build group and naming them by their
// namespaces walks the tree without recursion, and the innermost color reaches every output.
TEST(BuilderWalk, AColorUnderDeeplyNestedGroupsReachesEveryOutput) {
    ScratchFolder scratch("deep");
    auto project = vantorel::testing::nestedGroupsProject(vantorel::testing::deepNesting);
    project->buildGroups()[0]->setTasks({task("style", BuildFileType::css), task("colors", BuildFileType::swiftUIEnum),
                                         task("values", BuildFileType::androidResource)});
    Builder builder(*project, scratch.document(), "Colors", {"Web"});
    const BuildResult result = builder.build();
    ASSERT_TRUE(result.succeeded());
    ASSERT_EQ(result.outputs.size(), 3u);
    for (const auto& output : result.outputs) {
        // The innermost color's name follows its namespaces: every other group provides one.
        std::string text = vantorel::testing::fileContents(output);
        std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
        EXPECT_NE(text.find("g99998"), std::string::npos) << output;
    }
}
