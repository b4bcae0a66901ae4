// Builds the example document into a scratch folder and compares every output, byte for byte,
// with the approved copy in tests/snapshots/. After an intended change to a template or an
// exporter, run the test with VANTOREL_UPDATE_SNAPSHOTS=1 to approve the new outputs, and
// review the difference before committing it.

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "ExportFixtures.h"
#include "Vantorel/build/Builder.h"
#include "Vantorel/build/ExporterFactory.h"
#include "VantorelData/format/QuenzColorFileReader.h"

using namespace vantorel;
using namespace vantorel::build;
using namespace vantorel::build::testing;
namespace fs = std::filesystem;

namespace {

const fs::path sourceRoot{VANTOREL_SOURCE_DIR};
const fs::path snapshotRoot = sourceRoot / "tests" / "snapshots";

bool updatingSnapshots() {
    const char* flag = std::getenv("VANTOREL_UPDATE_SNAPSHOTS");
    return flag && std::string(flag) == "1";
}

// Every regular file below `root`, as paths relative to it.
std::set<fs::path> filesBelow(const fs::path& root) {
    std::set<fs::path> files;
    if (!fs::exists(root)) return files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) files.insert(fs::relative(entry.path(), root));
    }
    return files;
}

using ExampleSnapshotTest = FullStopLocaleTest;

}  // namespace

TEST_F(ExampleSnapshotTest, ShowcaseOutputsMatchTheApprovedCopies) {
    ScratchFolder folder;
    const auto document = folder.path() / "Showcase.vantorel";
    fs::copy_file(sourceRoot / "examples" / "Showcase.vantorel", document);
    if (fs::exists(sourceRoot / "examples" / "templates")) {
        fs::copy(sourceRoot / "examples" / "templates", folder.path() / "templates", fs::copy_options::recursive);
    }
    auto project = format::QuenzColorFileReader::read(fileText(document));
    ASSERT_TRUE(project);
    std::vector<std::string> groups;
    for (const auto& group : project->buildGroups()) groups.push_back(group->name());
    ASSERT_FALSE(groups.empty());

    Builder builder(*project, document, "Showcase", groups);
    // An output kind this version cannot write yet, or the custom template when the example
    // ships without it, is left out rather than stopping the build of the others; it joins the
    // snapshots once it exists.
    const bool hasCustomTemplates = fs::exists(folder.path() / "templates");
    builder.setExporterFactory([hasCustomTemplates](BuildFileType type, const QuenzColorProject& p) -> BuildTaskExporterPtr {
        auto exporter = makeExporter(type, p);
        const bool templateMissing = type == BuildFileType::customTemplate && !hasCustomTemplates;
        if (templateMissing || dynamic_cast<UnavailableExporter*>(exporter.get())) {
            struct Skipped final : BuildTaskExporter {
                ExportResult exportTask(const ExportRequest&) override { return {}; }
            };
            return std::make_unique<Skipped>();
        }
        return exporter;
    });
    const auto result = builder.build();
    ASSERT_TRUE(result.succeeded()) << alertFor(*result.failure).text;

    const auto outputRoot = folder.path() / "build";
    const auto written = filesBelow(outputRoot);
    ASSERT_FALSE(written.empty());

    if (updatingSnapshots()) {
        fs::remove_all(snapshotRoot / "build");
        for (const auto& file : written) {
            fs::create_directories((snapshotRoot / "build" / file).parent_path());
            fs::copy_file(outputRoot / file, snapshotRoot / "build" / file, fs::copy_options::overwrite_existing);
        }
        GTEST_SKIP() << "approved " << written.size() << " outputs in " << snapshotRoot;
    }

    const auto approved = filesBelow(snapshotRoot / "build");
    for (const auto& file : written) {
        SCOPED_TRACE(file.string());
        if (!approved.contains(file)) {
            ADD_FAILURE() << "new output without an approved copy (run with VANTOREL_UPDATE_SNAPSHOTS=1)";
            continue;
        }
        EXPECT_EQ(fileText(outputRoot / file), fileText(snapshotRoot / "build" / file))
            << "differs from the approved copy (run with VANTOREL_UPDATE_SNAPSHOTS=1 to approve it)";
    }
    for (const auto& file : approved) {
        EXPECT_TRUE(written.contains(file)) << file << " is approved but no longer written";
    }
}

// The document of awkward names builds every output kind; whether each output compiles is the
// ecosystem checks' part (scripts/test.sh), this checks what needs no outside tool.
TEST_F(ExampleSnapshotTest, AwkwardNamesBuildEveryOutput) {
    ScratchFolder folder;
    const auto document = folder.path() / "AwkwardNames.vantorel";
    fs::copy_file(sourceRoot / "tests" / "ecosystem" / "AwkwardNames.vantorel", document);
    auto project = format::QuenzColorFileReader::read(fileText(document));
    ASSERT_TRUE(project);
    std::vector<std::string> groups;
    for (const auto& group : project->buildGroups()) groups.push_back(group->name());
    Builder builder(*project, document, "AwkwardNames", groups);
    const auto result = builder.build();
    ASSERT_TRUE(result.succeeded()) << alertFor(*result.failure).text;

    const auto written = filesBelow(folder.path() / "build");
    EXPECT_EQ(written.size(), 16u);
    for (const auto& file : written) {
        SCOPED_TRACE(file.string());
        const auto text = fileText(folder.path() / "build" / file);
        EXPECT_TRUE(text.ends_with("\n"));
        EXPECT_EQ(text.find("failed"), std::string::npos) << text;  // no tag wrote a failure note
    }
}
