#include "cli/CommandRegistry.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <ostream>

namespace vantorel::cli {

std::vector<Command>& registeredCommands() {
    static std::vector<Command> commands;
    return commands;
}

CommandRegistration::CommandRegistration(Command command) {
    registeredCommands().push_back(std::move(command));
}

int fail(CommandIO& io, int exitCode, const std::string& message) {
    io.err << "vantorel: " << message << '\n';
    return exitCode;
}

int runVantorel(const std::vector<std::string>& args, CommandIO& io) {
    CLI::App app{"Vantorel: design values in, platform code out.", "vantorel"};
    app.require_subcommand(1);
    app.set_version_flag("--version", "vantorel 0.1.0");

    auto commands = registeredCommands();
    std::stable_sort(commands.begin(), commands.end(),
                     [](const Command& a, const Command& b) { return a.order < b.order; });

    std::vector<std::pair<CLI::App*, CommandRunner>> runners;
    for (const auto& command : commands) {
        CLI::App* sub = app.add_subcommand(command.name, command.summary);
        runners.emplace_back(sub, command.define(*sub));
    }

    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        io.out << app.help();
        return exitSuccess;
    } catch (const CLI::CallForAllHelp&) {
        io.out << app.help("", CLI::AppFormatMode::All);
        return exitSuccess;
    } catch (const CLI::CallForVersion&) {
        io.out << app.version() << '\n';
        return exitSuccess;
    } catch (const CLI::ParseError& error) {
        // Subcommand help arrives as CallForHelp from the subcommand; print its own page.
        for (auto& [sub, runner] : runners) {
            if (sub->parsed() && error.get_exit_code() == 0) {
                io.out << sub->help();
                return exitSuccess;
            }
        }
        if (error.get_exit_code() == 0) {
            io.out << app.help();
            return exitSuccess;
        }
        io.err << "vantorel: " << error.what() << '\n';
        io.err << "Run 'vantorel --help' for usage.\n";
        return exitBadUsage;
    }

    for (auto& [sub, runner] : runners) {
        if (sub->parsed()) {
            try {
                return runner(io);
            } catch (const std::exception& error) {
                return fail(io, exitJobFailed, error.what());
            }
        }
    }
    io.out << app.help();
    return exitBadUsage;
}

}  // namespace vantorel::cli
