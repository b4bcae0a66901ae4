#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

#include "CliTestSupport.h"
#include "tests/support/FileContents.h"

using vantorel::cli::testing::runCli;

namespace {

using vantorel::testing::fileContents;
using vantorel::testing::writeFileContents;

namespace fs = std::filesystem;


struct SaveCommandTest : ::testing::Test {
    fs::path folder = fs::temp_directory_path() / ("vantorel-save-" + std::to_string(::getpid()));
    void SetUp() override { fs::create_directories(folder); }
    void TearDown() override { fs::remove_all(folder); }
};

const std::string looseDocument =
    "<vantorel><project><header><description>Loose</description></header><colorItems>"
    "<numberItem><id>N</id><name>Gap</name><number><variants><variant><value>8.00</value></variant></variants></number>"
    "</numberItem><mystery/></colorItems></project></vantorel>";

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

TEST_F(SaveCommandTest, NeverOverwritesBytesThatAreNotWellFormed) {
    struct Case {
        std::string bytes;
        const char* what;
    };
    const Case cases[] = {{"<vantorel><project>", "unclosed"}, {"just text", "not XML"}, {"", "empty"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path file = folder / "Broken.vantorel";
        writeFileContents(file, c.bytes);
        const auto result = runCli({"save", file.string()});
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_NE(result.err.find(file.string()), std::string::npos) << result.err;
        EXPECT_EQ(fileContents(file), c.bytes);
    }
    const auto missing = runCli({"save", (folder / "None.vantorel").string()});
    EXPECT_EQ(missing.exitCode, 2);
}

TEST_F(SaveCommandTest, TextThatCannotBeEncodedFailsTheJobAndKeepsTheFile) {
    const fs::path file = folder / "Latin.vantorel";
    const std::string bytes = "<vantorel><project><header><description>caf\xE9</description></header></project></vantorel>";
    writeFileContents(file, bytes);
    const auto result = runCli({"save", file.string()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(fileContents(file), bytes);
}

}  // namespace
