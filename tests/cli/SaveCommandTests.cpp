// `vantorel new` and `vantorel save`: documents written whole, never over what is not a document.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <fstream>

#include "CliTestSupport.h"
#include "VantorelData/format/QuenzColorFileWriter.h"
#include "tests/support/FileContents.h"
#include "tests/support/NestedGroups.h"
#include "tests/support/ScratchFolder.h"

using vantorel::cli::testing::runCli;

namespace {

using vantorel::testing::fileContents;
using vantorel::testing::writeFileContents;
namespace fs = std::filesystem;

struct SaveCommandTest : ::testing::Test {
    vantorel::testing::ScratchFolder folder{"save"};
};

const std::string looseDocument =
    "<vantorel><project><header><description>Loose</description></header><colorItems>"
    "<numberItem><id>N</id><name>Gap</name><number><variants><variant><value>8.00</value></variant></variants></number>"
    "</numberItem><mystery/></colorItems></project></vantorel>";

TEST_F(SaveCommandTest, NewCopiesTheDefaultDocumentAndReplacesAFileOnlyWithForce) {
    const fs::path file = folder / "Tokens.vantorel";
    EXPECT_EQ(runCli({"new", file.string()}).exitCode, 0);
    EXPECT_EQ(fileContents(file), fileContents(fs::path(VANTOREL_SOURCE_DIR) / "resources/Defaults/Default.vantorel"));

    writeFileContents(file, "keep me");
    EXPECT_EQ(runCli({"new", file.string()}).exitCode, 2);
    EXPECT_EQ(fileContents(file), "keep me");
    EXPECT_EQ(runCli({"new", file.string(), "--force"}).exitCode, 0);
    EXPECT_NE(fileContents(file), "keep me");
}

TEST_F(SaveCommandTest, RewritesInThisVersionsFormInPlaceOrToAnotherFile) {
    const fs::path file = folder / "Loose.vantorel";
    writeFileContents(file, looseDocument);
    const fs::path other = folder / "Other.vantorel";

    const auto toOther = runCli({"save", file.string(), "-o", other.string()});
    EXPECT_EQ(toOther.exitCode, 0) << toOther.err;
    EXPECT_EQ(fileContents(file), looseDocument);  // the source is untouched
    const std::string saved = fileContents(other);
    EXPECT_TRUE(saved.starts_with("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<vantorel xmlns="));
    EXPECT_NE(saved.find("<version>1.7</version>"), std::string::npos);
    EXPECT_NE(saved.find("<value>8</value>"), std::string::npos);
    EXPECT_EQ(saved.find("mystery"), std::string::npos);

    const auto inPlace = runCli({"save", file.string()});
    EXPECT_EQ(inPlace.exitCode, 0) << inPlace.err;
    EXPECT_EQ(fileContents(file), saved);
}

// Bytes that are not a document read as an empty project: saving would destroy them, whether
// they are the input or an existing output. Text that cannot be encoded fails the job alike.
TEST_F(SaveCommandTest, NeverOverwritesWhatIsNotADocument) {
    const struct {
        std::string bytes;
        const char* what;
    } cases[] = {{"<vantorel><project>", "unclosed"},
                 {"just text", "not XML"},
                 {"", "empty"},
                 {"<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\"><g/></svg>", "other XML"},
                 {"<project><colorItems/></project>", "a document's inner element as root"}};
    const fs::path document = folder / "Loose.vantorel";
    writeFileContents(document, looseDocument);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path file = folder / "Broken.vantorel";
        writeFileContents(file, c.bytes);
        const auto result = runCli({"save", file.string()});
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_NE(result.err.find(file.string()), std::string::npos) << result.err;
        EXPECT_EQ(fileContents(file), c.bytes);

        const auto over = runCli({"save", document.string(), "-o", file.string()});
        EXPECT_EQ(over.exitCode, c.bytes.empty() ? 0 : 2) << over.err;
        if (!c.bytes.empty()) {
            EXPECT_EQ(fileContents(file), c.bytes);
        }
    }
    EXPECT_EQ(runCli({"save", (folder / "None.vantorel").string()}).exitCode, 2);

    const std::string latin = "<vantorel><project><header><description>caf\xE9</description></header></project></vantorel>";
    writeFileContents(document, latin);
    EXPECT_EQ(runCli({"save", document.string()}).exitCode, 1);
    EXPECT_EQ(fileContents(document), latin);
}

// Groups nest to any depth: the command reads, writes and describes such a document whole.
TEST_F(SaveCommandTest, DeeplyNestedGroupsRoundTripUnchanged) {
    const fs::path file = folder / "Deep.vantorel";
    const auto written = vantorel::format::QuenzColorFileWriter::write(
        *vantorel::testing::nestedGroupsProject(vantorel::testing::deepNesting));
    ASSERT_FALSE(written.error);
    writeFileContents(file, written.bytes);
    const auto result = runCli({"save", file.string()});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(fileContents(file) == written.bytes);

    const auto info = runCli({"info", file.string(), "--tree"});
    EXPECT_EQ(info.exitCode, 0) << info.err;
    EXPECT_NE(info.out.find("colorAlias 'Top'"), std::string::npos);
    EXPECT_NE(info.out.find("color 'Deep'"), std::string::npos);

    // As JSON data too, valid and with blanks that grow no faster than the depth.
    const auto data = runCli({"info", file.string(), "--json", "--tree"});
    EXPECT_EQ(data.exitCode, 0) << data.err;
    EXPECT_TRUE(nlohmann::json::accept(data.out));
    EXPECT_NE(data.out.find("\"name\": \"Deep\""), std::string::npos);
    EXPECT_LT(data.out.size(), vantorel::testing::deepNesting * 1000);
}

}  // namespace
