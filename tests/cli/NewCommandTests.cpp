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

namespace fs = std::filesystem;

struct NewCommandTest : ::testing::Test {
    fs::path folder = fs::temp_directory_path() / ("vantorel-new-" + std::to_string(::getpid()));
    void SetUp() override { fs::create_directories(folder); }
    void TearDown() override { fs::remove_all(folder); }
};

TEST_F(NewCommandTest, CreatesACopyOfTheDefaultDocument) {
    const fs::path file = folder / "Tokens.vantorel";
    const auto result = runCli({"new", file.string()});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(fileContents(file), fileContents(fs::path(VANTOREL_SOURCE_DIR) / "resources/Defaults/Default.vantorel"));
}

TEST_F(NewCommandTest, ReplacesAnExistingFileOnlyWithForce) {
    const fs::path file = folder / "Existing.vantorel";
    std::ofstream(file) << "keep me";
    struct Case {
        std::vector<std::string> extra;
        int exitCode;
        bool replaced;
    };
    const Case cases[] = {{{}, 2, false}, {{"--force"}, 0, true}};
    for (const auto& c : cases) {
        std::vector<std::string> args = {"new", file.string()};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        const auto result = runCli(args);
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
        EXPECT_EQ(fileContents(file) != "keep me", c.replaced);
    }
}

}  // namespace
