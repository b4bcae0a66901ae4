#include <gtest/gtest.h>

#include "CliTestSupport.h"

using vantorel::cli::testing::runCli;

TEST(FrontEnd, UsageErrorsExitWithTwoAndHelpWithZero) {
    struct Case {
        std::vector<std::string> args;
        int exitCode;
    };
    const Case cases[] = {
        {{}, 2},
        {{"no-such-command"}, 2},
        {{"--help"}, 0},
        {{"--version"}, 0},
    };
    for (const auto& c : cases) {
        auto result = runCli(c.args);
        EXPECT_EQ(result.exitCode, c.exitCode) << ::testing::PrintToString(c.args) << result.err;
    }
}

TEST(FrontEnd, EveryCommandHasHelp) {
    for (const auto& command : vantorel::cli::registeredCommands()) {
        auto result = runCli({command.name, "--help"});
        EXPECT_EQ(result.exitCode, 0) << command.name;
        EXPECT_NE(result.out.find(command.name), std::string::npos) << command.name;
    }
}
