#include <gtest/gtest.h>

#include <set>

#include "BuilderTestSupport.h"
#include "Vantorel/build/BuildRequirement.h"
#include "Vantorel/build/MissingBuildItemsModel.h"
#include "Vantorel/platform/ApplicationSettings.h"

using namespace vantorel;
using namespace vantorel::build;
using namespace vantorel::build::testing;
using Kind = BuildRequirement::Kind;
using Problem = BuildRequirement::Problem;

namespace {

// The real file system, except that the listed paths refuse writing and reading, as they do
// for an ordinary user (tests may run as root, who may write anywhere).
FileProbe probeRefusing(std::set<fs::path> unwritable, std::set<fs::path> unreadable = {}) {
    FileProbe probe = FileProbe::system();
    auto systemWritable = probe.isWritable;
    auto systemReadable = probe.isReadable;
    probe.isWritable = [=](const fs::path& path) { return !unwritable.count(path) && systemWritable(path); };
    probe.isReadable = [=](const fs::path& path) { return !unreadable.count(path) && systemReadable(path); };
    return probe;
}

BuildTaskPtr templateTask(const std::string& name, std::optional<std::string> location) {
    auto t = task(name, BuildFileType::customTemplate, "out");
    if (location) t->setCustomValue(std::optional(CustomTemplateLocation{*location}));
    return t;
}

}  // namespace

TEST(BuildRequirementTexts, RowTitlesAndChooserMessages) {
    auto css = task("Web CSS");
    BuildRequirement folder{css, "Web", Kind::exportFolder, std::nullopt, fs::path("/work/out")};
    BuildRequirement unset{css, "Web", Kind::customTemplate, Problem::missing, std::nullopt};
    EXPECT_EQ(requirementTitle(folder), "Export folder · /work/out");
    EXPECT_EQ(requirementTitle(unset), "Template");
    EXPECT_EQ(locationText(unset), "Not set");
    EXPECT_EQ(chooserMessage(folder), "Choose the folder “Web CSS” exports into.");
    EXPECT_EQ(chooserMessage(unset), "Locate the template file “Web CSS” uses.");
}

TEST(BuildRequirementRows, OneFolderPerTaskAndATemplateForCustomTemplates) {
    ScratchFolder scratch("rows");
    QuenzColorProject project;
    auto css = task("css", BuildFileType::css, "web");
    auto custom = templateTask("custom", "templates/colors.stencil");
    auto swift = task("swift", BuildFileType::swiftUIEnum, "apps");
    project.setBuildGroups({buildGroup("Web", {css, custom}), buildGroup("Apps", {swift})});

    auto rows = buildRequirements(project, {"Web"}, scratch.document());
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].task, css);
    EXPECT_EQ(rows[0].kind, Kind::exportFolder);
    EXPECT_EQ(rows[0].location, scratch.path() / "web");
    EXPECT_EQ(rows[1].task, custom);
    EXPECT_EQ(rows[1].kind, Kind::exportFolder);
    EXPECT_EQ(rows[2].task, custom);
    EXPECT_EQ(rows[2].kind, Kind::customTemplate);
    EXPECT_EQ(rows[2].location, scratch.path() / "templates" / "colors.stencil");
    for (const auto& row : rows) EXPECT_EQ(row.groupName, "Web");
    EXPECT_TRUE(buildRequirements(project, {}, scratch.document()).empty());
}

TEST(BuildRequirementCheck, FoldersAndTemplatesOutsideTheSandbox) {
    ScratchFolder scratch("check");
    const fs::path root = scratch.path();
    fs::create_directories(root / "locked");
    fs::create_directories(root / "templates");
    std::ofstream(root / "templates" / "colors.stencil") << "{{ items }}";
    std::ofstream(root / "templates" / "secret.stencil") << "{{ items }}";
    std::ofstream(root / "a-file") << "not a folder";
    const FileProbe probe = probeRefusing({root / "locked"}, {root / "templates" / "secret.stencil"});

    const struct {
        const char* name;
        BuildTaskPtr task;
        Kind kind;
        std::optional<Problem> problem;
    } cases[] = {
        {"existing folder", task("t", BuildFileType::css, "."), Kind::exportFolder, std::nullopt},
        {"missing folder whose ancestor is writable", task("t", BuildFileType::css, "new/deeper/still"),
         Kind::exportFolder, std::nullopt},
        {"unwritable folder", task("t", BuildFileType::css, "locked"), Kind::exportFolder, Problem::noAccess},
        {"missing folder below an unwritable one", task("t", BuildFileType::css, "locked/new"), Kind::exportFolder,
         Problem::noAccess},
        {"a file where the folder should be", task("t", BuildFileType::css, "a-file/out"), Kind::exportFolder,
         Problem::missing},
        {"template that exists", templateTask("t", "templates/colors.stencil"), Kind::customTemplate, std::nullopt},
        {"template by absolute path", templateTask("t", (root / "templates" / "colors.stencil").string()),
         Kind::customTemplate, std::nullopt},
        {"missing template", templateTask("t", "templates/gone.stencil"), Kind::customTemplate, Problem::missing},
        {"unset template", templateTask("t", std::nullopt), Kind::customTemplate, Problem::missing},
        {"empty template location", templateTask("t", ""), Kind::customTemplate, Problem::missing},
        {"unreadable template", templateTask("t", "templates/secret.stencil"), Kind::customTemplate,
         Problem::noAccess},
        {"template row of a task that is not a template task", task("t", BuildFileType::css), Kind::customTemplate,
         std::nullopt},
    };
    platform::ApplicationSettings settings(root / "settings.json");
    FileAccessManager access(settings, false);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        BuildRequirement requirement{c.task, "Web", c.kind, std::nullopt, std::nullopt};
        checkRequirement(requirement, scratch.document(), access, probe);
        EXPECT_EQ(requirement.problem, c.problem);
    }
    EXPECT_FALSE(access.hasStarted());  // outside the sandbox grants are never consulted
}

TEST(BuildRequirementCheck, AnUnwritableFolderOnTheRealFileSystem) {
    if (::geteuid() == 0) GTEST_SKIP() << "root may write to any folder";
    ScratchFolder scratch("chmod");
    fs::create_directories(scratch.path() / "locked");
    fs::permissions(scratch.path() / "locked", fs::perms::owner_read | fs::perms::owner_exec);
    platform::ApplicationSettings settings(scratch.path() / "settings.json");
    FileAccessManager access(settings, false);
    BuildRequirement requirement{task("t", BuildFileType::css, "locked/new"), "Web", Kind::exportFolder,
                                 std::nullopt, std::nullopt};
    checkRequirement(requirement, scratch.document(), access);
    EXPECT_EQ(requirement.problem, Problem::noAccess);
    fs::permissions(scratch.path() / "locked", fs::perms::owner_all);
}

TEST(BuildRequirementCheck, InsideTheSandboxOnlyGrantedLocationsAreReachable) {
    ScratchFolder scratch("sandbox");
    const fs::path root = scratch.path();
    fs::create_directories(root / "granted" / "sub");
    fs::create_directories(root / "granted-not");
    fs::create_directories(root / "elsewhere");
    fs::create_symlink(root / "granted" / "sub", root / "elsewhere" / "link");

    platform::ApplicationSettings settings(root / "settings.json");
    FileAccessManager access(settings, true);
    ASSERT_TRUE(access.grant(root / "granted"));

    const struct {
        const char* folder;
        bool reachable;
    } cases[] = {
        {"granted", true},
        {"granted/sub", true},
        {"granted/new/deeper", true},
        {"granted/../granted/sub", true},
        {"elsewhere/link", true},  // a link into a granted folder
        {"granted-not", false},    // shares the text, not the folder
        {"elsewhere", false},
        {"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        BuildRequirement requirement{task("t", BuildFileType::css, c.folder), "Web", Kind::exportFolder,
                                     std::nullopt, std::nullopt};
        checkRequirement(requirement, scratch.document(), access);
        EXPECT_EQ(requirement.problem, c.reachable ? std::nullopt : std::optional(Problem::noAccess));
    }
}
