#pragma once
// The `vantorel` command's subcommands. Each subcommand lives in its own file under
// cli/commands/ and registers itself with a static CommandRegistration, so that adding a
// command touches only its own file.

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace vantorel::cli {

// Exit codes shared by every command.
enum ExitCode : int { exitSuccess = 0, exitJobFailed = 1, exitBadUsage = 2 };

struct CommandIO {
    std::ostream& out;
    std::ostream& err;
    std::istream& in;
    bool terminal = false;  // standard error is a terminal: show progress for long jobs
};

// Runs the parsed command and returns its exit code.
using CommandRunner = std::function<int(CommandIO&)>;

struct Command {
    std::string name;
    std::string summary;
    int order = 0;  // position in `vantorel --help`
    // Adds the command's arguments to its subcommand and returns the runner that reads them.
    std::function<CommandRunner(CLI::App&)> define;
};

std::vector<Command>& registeredCommands();

struct CommandRegistration {
    explicit CommandRegistration(Command command);
};

// Writes "vantorel: message" on the error stream and returns exitCode.
int fail(CommandIO& io, int exitCode, const std::string& message);

// Parses argv and runs the chosen command; the whole front end, callable from tests.
int runVantorel(const std::vector<std::string>& args, CommandIO& io);

}  // namespace vantorel::cli
