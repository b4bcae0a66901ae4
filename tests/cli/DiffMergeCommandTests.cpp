// `vantorel diff` and `vantorel merge` on files: exit statuses, the output forms and the
// conflict listing on standard error.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <filesystem>

#include "CliTestSupport.h"
#include "Vantorel/platform/AtomicFile.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/SmallProjects.h"

namespace {

using namespace vantorel;
using vantorel::cli::testing::runCli;

std::string documentWith(const std::string& colorName, double red, const std::string& description = {}) {
    QuenzColorProject project;
    project.setProjectDescription(description);
    project.setItems({QuenzColorProjectItem::make(
        "C-ONE", colorName,
        std::make_shared<QuenzColorItem>(ThemeableColor(quenz::ColorValue{quenz::RGBSpace::sRGB, red, 0, 0, 1, 0})))});
    return vantorel::testing::documentBytes(project);
}

class DiffMergeCommands : public ::testing::Test {
protected:
    std::string file(const std::string& name, const std::string& bytes) {
        const auto path = folder_ / name;
        EXPECT_FALSE(platform::writeFileAtomically(path, bytes));
        return path.string();
    }
    vantorel::testing::ScratchFolder folder_{"diff-merge"};
};

TEST_F(DiffMergeCommands, DiffExitsLikeDiff) {
    const auto base = file("base.vantorel", documentWith("Red", 1));
    const auto renamed = file("renamed.vantorel", documentWith("Crimson", 1));
    const auto broken = file("broken.vantorel", "<vantorel><project>");
    const struct {
        std::vector<std::string> args;
        int exitCode;
        const char* printed;
    } cases[] = {
        {{"diff", base, base}, 0, "No differences"},
        {{"diff", base, renamed}, 1, "renamed item 'Crimson' name: Red → Crimson"},
        {{"diff", base, renamed, "--markdown"}, 1, "| renamed | item | Crimson | name | Red | Crimson |"},
        {{"diff", base, renamed, "--json"}, 1, "\"bump\": \"major\""},
        {{"diff", base, broken}, 2, ""},
        {{"diff", base}, 2, ""},
        // git's external diff: path, old file, hash, mode, new file, hash, mode; exit 0 when it worked.
        {{"diff", "Colors.vantorel", "/dev/null", "0000", "100644", renamed, "abcd", "100644"}, 0,
         "added item 'Crimson'"},
    };
    for (const auto& row : cases) {
        const auto result = runCli(row.args);
        SCOPED_TRACE(row.args.back());
        EXPECT_EQ(result.exitCode, row.exitCode) << result.err;
        EXPECT_NE(result.out.find(row.printed), std::string::npos) << result.out;
    }
}

TEST_F(DiffMergeCommands, MergeWritesTheResultAndListsConflicts) {
    const auto base = file("base.vantorel", documentWith("Red", 1));
    const auto ours = file("ours.vantorel", documentWith("Crimson", 0.5, "ours"));
    const auto theirs = file("theirs.vantorel", documentWith("Red", 0.25, "theirs"));
    const auto merged = (folder_ / "merged.vantorel").string();

    const auto result = runCli({"merge", base, ours, theirs, "-o", merged});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("conflict: document description: base , ours ours, theirs theirs (kept ours)"),
              std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("conflict: 'Crimson' color:"), std::string::npos) << result.err;
    EXPECT_EQ(platform::readWholeFile(merged).bytes, documentWith("Crimson", 0.5, "ours"));

    // Without -o the result replaces ours, as git expects of a merge driver.
    const auto clean = file("clean.vantorel", documentWith("Red", 0.25));
    EXPECT_EQ(runCli({"merge", base, ours, clean}).exitCode, 1);
    const auto oneSided = file("one.vantorel", documentWith("Crimson", 1));
    EXPECT_EQ(runCli({"merge", base, oneSided, clean}).exitCode, 0);
    EXPECT_EQ(platform::readWholeFile(oneSided).bytes, documentWith("Crimson", 0.25));
    EXPECT_EQ(runCli({"merge", base, file("bad.vantorel", "not xml"), clean}).exitCode, 2);
}

}  // namespace
