#include <gtest/gtest.h>

#include "BuilderTestSupport.h"
#include "Vantorel/build/FileAccessManager.h"
#include "Vantorel/build/GrantedLocation.h"
#include "Vantorel/build/MissingBuildItemsModel.h"

using namespace vantorel;
using namespace vantorel::build;
using namespace vantorel::build::testing;
using Kind = BuildRequirement::Kind;
using Problem = BuildRequirement::Problem;

TEST(GrantedLocations, RoundTripThroughTheSettingsAndSkipDamagedEntries) {
    ScratchFolder scratch("grants");
    const fs::path file = scratch.path() / "settings.json";
    {
        platform::ApplicationSettings settings(file);
        ASSERT_FALSE(storeGrantedLocations(settings, {{"ID-1", "/a", "/a"}, {"ID-2", "/b c", "/b c"}}));
    }
    platform::ApplicationSettings reread(file);
    EXPECT_EQ(storedGrantedLocations(reread),
              (std::vector<GrantedLocation>{{"ID-1", "/a", "/a"}, {"ID-2", "/b c", "/b c"}}));
    EXPECT_EQ(reread.value("GrantedLocations")->at(0), (nlohmann::json{{"id", "ID-1"}, {"path", "/a"}, {"bookmark", "/a"}}));

    ASSERT_FALSE(reread.setValue("GrantedLocations",
                                 nlohmann::json::parse(R"([{"id":"X","path":"/x"}, 7, {"id":"Y","path":"/y","bookmark":"/y"}])")));
    EXPECT_EQ(storedGrantedLocations(reread), (std::vector<GrantedLocation>{{"Y", "/y", "/y"}}));
    ASSERT_FALSE(reread.setValue("GrantedLocations", "not a list"));
    EXPECT_TRUE(storedGrantedLocations(reread).empty());
}

TEST(FileAccessManager, RestoresGrantsOnceAndLogsWhatItCouldNot) {
    ScratchFolder scratch("restore");
    const fs::path root = fs::canonical(scratch.path());
    fs::create_directories(root / "kept");
    fs::create_directories(root / "real");
    fs::create_directory_symlink(root / "real", root / "moved");
    platform::ApplicationSettings settings(root / "settings.json");
    const std::string moved = (root / "moved").string();
    ASSERT_FALSE(storeGrantedLocations(settings, {{"1", (root / "kept").string(), (root / "kept").string()},
                                                  {"2", (root / "gone").string(), (root / "gone").string()},
                                                  {"3", moved, moved}}));

    CapturedLog log;
    FileAccessManager access(settings, true);
    EXPECT_FALSE(access.hasStarted());
    access.start();
    access.start();
    EXPECT_TRUE(access.hasStarted());

    ASSERT_EQ(log.lines.size(), 3u) << ::testing::PrintToString(log.lines);
    EXPECT_EQ(log.lines[0].rfind("FileAccessManager: Couldn't resolve the granted location " + (root / "gone").string(), 0), 0u);
    EXPECT_EQ(log.lines[1], "FileAccessManager: Refreshed granted location " + moved + " -> " + (root / "real").string());
    EXPECT_EQ(log.lines[2], "FileAccessManager: Restored 2 of 3 granted locations");

    EXPECT_EQ(access.accessedUrls().size(), 2u);
    EXPECT_EQ(access.accessedUrls().at(root / "kept"), root / "kept");
    EXPECT_EQ(access.accessedUrls().at(moved), root / "real");
    // The stale grant is stored again under its new path; the unresolvable one is kept.
    auto stored = storedGrantedLocations(platform::ApplicationSettings(root / "settings.json"));
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[2].path, (root / "real").string());
    EXPECT_EQ(stored[2].bookmark, (root / "real").string());
}

TEST(FileAccessManager, GrantingRemembersEachLocationOnce) {
    ScratchFolder scratch("grant");
    const fs::path root = fs::canonical(scratch.path());
    fs::create_directories(root / "out");
    platform::ApplicationSettings settings(root / "settings.json");
    FileAccessManager access(settings, true);
    CapturedLog log;

    auto first = access.grant(root / "out");
    auto again = access.grant(root / "out" / ".." / "out");
    ASSERT_TRUE(first && again);
    EXPECT_EQ(first->id, again->id);
    EXPECT_EQ(first->path, (root / "out").string());
    EXPECT_EQ(first->bookmark, first->path);
    EXPECT_EQ(storedGrantedLocations(settings).size(), 1u);

    EXPECT_FALSE(access.grant(root / "missing"));
    ASSERT_FALSE(log.lines.empty());
    EXPECT_EQ(log.lines.back(), "FileAccessManager: Couldn't bookmark " + (root / "missing").string());

    // A second run finds the grant again.
    FileAccessManager nextRun(settings, true);
    EXPECT_TRUE(nextRun.isReachable(root / "out" / "web"));
    EXPECT_FALSE(nextRun.isReachable(root));
}

TEST(MissingBuildItemsModel, ChoosingLocationsFixesRowsAndStoresThemInTheTasks) {
    ScratchFolder scratch("model");
    const fs::path root = fs::canonical(scratch.path());
    fs::create_directories(root / "exports");
    fs::create_directories(root / "templates");
    std::ofstream(root / "templates" / "colors.stencil") << "{{ items }}";

    QuenzColorProject project;
    auto custom = task("Colors", BuildFileType::customTemplate, "elsewhere");
    project.setBuildGroups({buildGroup("Web", {custom})});
    platform::ApplicationSettings settings(root / "settings.json");
    FileAccessManager access(settings, true);
    const fs::path document = root / "Colors.vantorel";

    auto unmet = unmetBuildRequirements(project, {"Web"}, document, access);
    ASSERT_EQ(unmet.size(), 2u);
    EXPECT_EQ(unmet[0].problem, Problem::noAccess);
    EXPECT_EQ(unmet[1].problem, Problem::missing);  // no template chosen yet

    int continued = 0;
    MissingBuildItemsModel model(unmet, document, access, [&continued] { ++continued; });
    EXPECT_EQ(missingBuildItemsTitle, "Missing Build Items");
    EXPECT_EQ(model.confirmButtonTitle(), "Continue Anyway");

    ASSERT_TRUE(model.choose(0, root / "exports"));
    EXPECT_EQ(custom->exportFileFolder(), "exports");
    EXPECT_TRUE(model.requirements()[0].isReady());
    EXPECT_EQ(model.confirmButtonTitle(), "Continue Anyway");

    ASSERT_TRUE(model.choose(1, root / "templates" / "colors.stencil"));
    EXPECT_EQ(custom->customValue<CustomTemplateLocation>()->location, "templates/colors.stencil");
    EXPECT_TRUE(model.allReady());
    EXPECT_EQ(model.confirmButtonTitle(), "Continue");

    EXPECT_FALSE(model.choose(1, root / "templates" / "missing.stencil"));
    EXPECT_FALSE(model.choose(7, root));
    model.confirm();
    EXPECT_EQ(continued, 1);
    EXPECT_EQ(storedGrantedLocations(settings).size(), 2u);
    EXPECT_TRUE(unmetBuildRequirements(project, {"Web"}, document, access).empty());
}
