#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <optional>

#include "CliTestSupport.h"
#include "tests/support/ScopedEnvironmentVariable.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/SmallProjects.h"
#include "Vantorel/platform/UserLocale.h"

using vantorel::cli::testing::CliResult;
using vantorel::cli::testing::runCli;
namespace fs = std::filesystem;
using namespace vantorel;
using vantorel::testing::ScopedEnvironmentVariable;
using vantorel::testing::srgbColorItem;

namespace {

BuildTaskPtr task(const std::string& name, BuildFileType type, const std::string& folder, const std::string& file) {
    BuildTaskFields fields;
    fields.name = name;
    fields.exportFileType = type;
    fields.exportFileFolder = folder;
    fields.exportFileName = file;
    fields.nameTransform = BuildNameTransform::kebabCase;
    return std::make_shared<BuildTask>(fields);
}

// A document in a scratch folder that is also the current folder and the settings home, so
// that outputs print relative to it and no user settings are read.
class BuildFixture : public ::testing::Test {
protected:
    void SetUp() override {
        previousFolder_ = fs::current_path();
        fs::current_path(folder_);
        config_.emplace("XDG_CONFIG_HOME", (folder_ / "config").string());
        sandbox_.emplace("APP_SANDBOX_CONTAINER_ID", std::nullopt);
    }
    void TearDown() override {
        fs::current_path(previousFolder_);
        sandbox_.reset();
        config_.reset();
    }

    // Groups "Tokens" (JSON and Android tasks, two colors) and "Apps" (asset catalog, one color).
    QuenzColorProjectPtr tokensAndApps() {
        auto project = std::make_shared<QuenzColorProject>();
        auto tokens = std::make_shared<BuildGroup>(
            "Tokens", std::vector<BuildTaskPtr>{task("JSON", BuildFileType::jsonDesignToken, "out", "tokens"),
                                                task("Android", BuildFileType::androidResource, "out/android", "colors")});
        auto apps = std::make_shared<BuildGroup>(
            "Apps", std::vector<BuildTaskPtr>{task("Catalog", BuildFileType::assetCatalog, "apps", "Colors")});
        auto red = srgbColorItem("Red", 1, 0.5, 0.25), blue = srgbColorItem("Blue", 0, 0.5, 0.25),
             green = srgbColorItem("Green", 0.5, 0.5, 0.25);
        red->setBuildGroup(tokens);
        blue->setBuildGroup(tokens);
        green->setBuildGroup(apps);
        project->setItems({red, blue, green});
        project->setBuildGroups({tokens, apps});
        return project;
    }

    std::string save(const QuenzColorProject& project, const std::string& name = "Colors.vantorel") {
        std::ofstream(folder_ / name, std::ios::binary) << vantorel::testing::documentBytes(project);
        return name;
    }

    vantorel::testing::ScratchFolder scratch_{"cli-build"};
    fs::path folder_ = fs::canonical(scratch_.path());
    fs::path previousFolder_;
    std::optional<ScopedEnvironmentVariable> config_;
    std::optional<ScopedEnvironmentVariable> sandbox_;
};

}  // namespace

TEST_F(BuildFixture, BuildsAllGroupsOrTheNamedOnes) {
    const std::string doc = save(*tokensAndApps());
    const struct {
        std::vector<std::string> groupArgs;
        std::string out;
    } cases[] = {
        {{}, "out/tokens.json\nout/android/colors.xml\napps/Colors.xcassets\n"},
        {{"--group", "Apps"}, "apps/Colors.xcassets\n"},
        {{"--group", "Apps", "--group", "Tokens"}, "out/tokens.json\nout/android/colors.xml\napps/Colors.xcassets\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"build", doc};
        args.insert(args.end(), c.groupArgs.begin(), c.groupArgs.end());
        auto result = runCli(args);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out, c.out);
        EXPECT_EQ(result.err, "Build Completed: Colors\n");
    }
    EXPECT_TRUE(fs::is_regular_file("out/tokens.json"));
    EXPECT_TRUE(fs::is_directory("apps/Colors.xcassets"));
}

// A task failing after another wrote its file is the --continue-anyway case further down; that
// the build stops there and keeps the earlier file is checked with the builder.
TEST_F(BuildFixture, ResultAsJSONAndNothingToBuildExitsWithOne) {
    const std::string doc = save(*tokensAndApps());
    auto built = runCli({"build", doc, "--json", "--group", "Tokens"});
    ASSERT_EQ(built.exitCode, 0) << built.err;
    EXPECT_EQ(built.err, "");
    EXPECT_EQ(nlohmann::json::parse(built.out),
              (nlohmann::json{{"outputs", {"out/tokens.json", "out/android/colors.xml"}},
                              {"exportedItems", 2},
                              {"error", nullptr}}));

    auto project = tokensAndApps();
    for (const auto& item : project->items()) item->setBuildGroup(nullptr);
    save(*project, "Empty.vantorel");
    auto nothing = runCli({"build", "Empty.vantorel"});
    EXPECT_EQ(nothing.exitCode, 1);
    EXPECT_EQ(nothing.out, "");
    EXPECT_EQ(nothing.err,
              "vantorel: Nothing to Build: To export, create a build group with at least one build task, and "
              "assign colors to the build group.\n");
    auto empty = runCli({"build", "Empty.vantorel", "--json"});
    EXPECT_EQ(empty.exitCode, 1);
    auto data = nlohmann::json::parse(empty.out);
    EXPECT_EQ(data["outputs"], nlohmann::json::array());
    EXPECT_EQ(data["error"]["title"], "Nothing to Build");
}

TEST_F(BuildFixture, UnreachableLocationsStopTheBuildUnlessToldToContinue) {
    std::ofstream("blocked") << "a file where a folder should be";
    auto project = tokensAndApps();
    project->buildGroups()[0]->setTasks({task("JSON", BuildFileType::jsonDesignToken, "out", "tokens"),
                                         task("Blocked", BuildFileType::androidResource, "blocked/android", "colors")});
    const std::string doc = save(*project);
    const std::string blocked = (folder_ / "blocked" / "android").string();

    auto stopped = runCli({"build", doc});
    EXPECT_EQ(stopped.exitCode, 1);
    EXPECT_EQ(stopped.out, "");
    EXPECT_EQ(stopped.err,
              "Missing Build Items\n"
              "  Tokens › Blocked: Export folder · " + blocked + "\n"
              "    Missing: Vantorel can't create this folder: a file is in its place.\n"
              "vantorel: some output folders or templates can't be reached; fix them, or build with "
              "--continue-anyway\n");
    EXPECT_FALSE(fs::exists("out"));

    auto json = runCli({"build", doc, "--json"});
    EXPECT_EQ(json.exitCode, 1);
    auto data = nlohmann::json::parse(json.out);
    ASSERT_EQ(data["missingBuildItems"].size(), 1u);
    EXPECT_EQ(data["missingBuildItems"][0]["status"], "Missing");
    EXPECT_EQ(data["missingBuildItems"][0]["kind"], "exportFolder");
    EXPECT_EQ(data["error"]["title"], "Missing Build Items");

    auto continued = runCli({"build", doc, "--continue-anyway"});
    EXPECT_EQ(continued.exitCode, 1);
    EXPECT_EQ(continued.out, "out/tokens.json\n");
    EXPECT_NE(continued.err.find("vantorel: Build Error: An error occurred while building: "), std::string::npos)
        << continued.err;
}

TEST_F(BuildFixture, InsideTheSandboxOnlyGrantedFoldersAreReachable) {
    const std::string doc = save(*tokensAndApps());
    const ScopedEnvironmentVariable sandbox("APP_SANDBOX_CONTAINER_ID", std::string("com.example.vantorel"));
    auto refused = runCli({"build", doc, "--group", "Apps"});
    EXPECT_EQ(refused.exitCode, 1);
    // A terminal has no window to choose the folder in: the message says what to change.
    EXPECT_NE(refused.err.find("    Need Permission: Vantorel isn't allowed to write to this folder. Give Vantorel "
                               "write access to it, or export into another folder.\n"),
              std::string::npos)
        << refused.err;

    fs::create_directories("config/vantorel");
    const std::string granted = folder_.string();
    std::ofstream("config/vantorel/settings.json")
        << nlohmann::json{{"GrantedLocations", {{{"id", "1"}, {"path", granted}, {"bookmark", granted}}}}}.dump();
    auto allowed = runCli({"build", doc, "--group", "Apps"});
    EXPECT_EQ(allowed.exitCode, 0) << allowed.err;
    EXPECT_EQ(allowed.out, "apps/Colors.xcassets\n");
}

TEST_F(BuildFixture, LocaleOptionIsAcceptedAndDoesNotOutliveTheCommand) {
    const std::string doc = save(*tokensAndApps());
    const std::string before = platform::userLocaleName();
    auto result = runCli({"build", doc, "--locale", "de_DE.UTF-8", "--group", "Apps"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(platform::userLocaleName(), before);
}
