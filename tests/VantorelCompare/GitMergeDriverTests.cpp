// `vantorel merge` as git's merge driver: two branches edit the example document, `git merge`
// merges them through the driver without a conflict, and the merged document builds.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "CompareFixtures.h"
#include "Vantorel/platform/AtomicFile.h"
#include "tests/support/ScratchFolder.h"

namespace vantorel::compare {
namespace {

using namespace vantorel::testing;
namespace fs = std::filesystem;

int run(const fs::path& folder, const std::string& command) {
    const std::string line = "cd '" + folder.string() + "' && " + command + " >>git.log 2>&1";
    return std::system(line.c_str());
}

void editDocument(const fs::path& file, const Edit& edit) {
    const auto contents = platform::readWholeFile(file);
    ASSERT_FALSE(contents.error);
    ASSERT_FALSE(platform::writeFileAtomically(file, edited(contents.bytes, edit)));
}

ProjectItemPtr firstOfKind(const QuenzColorProject& project, ProjectItemType kind) {
    ProjectItemPtr found;
    project.forEachItem([&](const ProjectItemPtr& item) {
        if (!found && item->itemType() == kind) found = item;
    });
    return found;
}

TEST(GitMergeDriver, BranchesThatEditTheExampleMergeAndBuild) {
    if (std::system("git --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "git is not installed";
    ScratchFolder repository("git-merge");
    const fs::path root = repository.path();
    fs::copy(fs::path(VANTOREL_SOURCE_DIR) / "examples", root, fs::copy_options::recursive);
    const fs::path document = root / "Showcase.vantorel";
    {
        std::ofstream attributes(root / ".gitattributes");
        attributes << "*.vantorel merge=vantorel diff=vantorel\n";
        std::ofstream ignore(root / ".gitignore");
        ignore << "build/\ngit.log\n";
    }
    const std::string vantorel = VANTOREL_EXECUTABLE;
    ASSERT_EQ(run(root, "git init -q -b main && git config user.email t@example.org && git config user.name Test"), 0);
    ASSERT_EQ(run(root, "git config merge.vantorel.name 'Vantorel documents' && git config merge.vantorel.driver '" +
                            vantorel + " merge %O %A %B'"),
              0);
    ASSERT_EQ(run(root, "git add -A && git commit -q -m base"), 0);

    std::string renamedNumber;
    ASSERT_EQ(run(root, "git checkout -q -b palette"), 0);
    editDocument(document, [&](QuenzColorProject& p) {
        firstOfKind(p, ProjectItemType::color)->color()->setColor(srgb(0.1, 0.2, 0.3), ColorSource::light);
        renamedNumber = firstOfKind(p, ProjectItemType::number)->uuid();
        rename(p, renamedNumber, "Renamed Spacing");
    });
    ASSERT_EQ(run(root, "git commit -q -am palette"), 0);

    ASSERT_EQ(run(root, "git checkout -q main && git checkout -q -b tokens"), 0);
    editDocument(document, [&](QuenzColorProject& p) {
        p.insert({color("C-MERGED", "Merged Color", srgb(0.9, 0.8, 0.7))});
        firstOfKind(p, ProjectItemType::number)->number()->setValue(42, ColorSource::light);
    });
    ASSERT_EQ(run(root, "git commit -q -am tokens"), 0);

    EXPECT_EQ(run(root, "git merge -q --no-edit palette"), 0) << platform::readWholeFile(root / "git.log").bytes;
    const auto merged = format::QuenzColorFileReader::read(platform::readWholeFile(document).bytes);
    ASSERT_TRUE(merged->itemWithId("C-MERGED"));
    const auto number = merged->itemWithId(renamedNumber);
    ASSERT_TRUE(number);
    EXPECT_EQ(number->name(), "Renamed Spacing");
    EXPECT_EQ(number->number()->value().lightVariant, 42);
    EXPECT_EQ(firstOfKind(*merged, ProjectItemType::color)->color()->color().lightVariant, srgb(0.1, 0.2, 0.3));

    EXPECT_EQ(run(root, "'" + vantorel + "' build Showcase.vantorel"), 0) << platform::readWholeFile(root / "git.log").bytes;
    EXPECT_TRUE(fs::exists(root / "build" / "web" / "tokens.css"));
    // As git's diff driver the command shows what the merge brought in from the other branch.
    fs::remove(root / "git.log");
    ASSERT_EQ(run(root, "git config diff.vantorel.command '" + vantorel + " diff' && git diff HEAD~1 HEAD"), 0);
    const auto diff = platform::readWholeFile(root / "git.log").bytes;
    EXPECT_NE(diff.find("renamed item 'Spacing/Renamed Spacing'"), std::string::npos) << diff;
    EXPECT_NE(diff.find("Suggested version bump: major"), std::string::npos) << diff;
}

}  // namespace
}  // namespace vantorel::compare
