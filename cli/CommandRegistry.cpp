#include "cli/CommandRegistry.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <optional>
#include <ostream>
#include <string_view>

namespace vantorel::cli {
namespace {

// Edits between two words, a swap of neighbours counting as one ("biuld" is one from "build").
std::size_t editDistance(std::string_view a, std::string_view b) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
            }
        }
    }
    return d[a.size()][b.size()];
}

// The command a mistyped word most likely meant: the closest within two edits, or the one it
// begins.
std::optional<std::string> nearestCommand(const std::string& word, const std::vector<Command>& commands) {
    std::optional<std::string> nearest;
    std::size_t best = 3;
    for (const auto& command : commands) {
        const std::size_t distance = editDistance(word, command.name);
        if (distance < best) {
            best = distance;
            nearest = command.name;
        }
    }
    if (nearest || word.size() < 2) return nearest;
    for (const auto& command : commands) {
        if (command.name.starts_with(word)) return command.name;
    }
    return std::nullopt;
}

// The first option or argument given an empty text: a path, a name or a locale can never be
// empty, and an empty one must not quietly stand for the default.
std::optional<std::string> emptyValueOf(const CLI::App& command) {
    for (const CLI::Option* option : command.get_options()) {
        if (option->count() == 0 || option->get_items_expected_min() == 0) continue;
        for (const std::string& value : option->results()) {
            if (value.empty()) return option->get_name(false, false);
        }
    }
    return std::nullopt;
}

int usageError(CommandIO& io, const std::string& message, const std::string& helpCommand) {
    io.err << "vantorel: " << message << '\n';
    io.err << "Run '" << helpCommand << " --help' for usage.\n";
    return exitBadUsage;
}

}  // namespace

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

    if (!args.empty() && !args.front().starts_with("-")) {
        const bool known = std::any_of(commands.begin(), commands.end(),
                                       [&](const Command& command) { return command.name == args.front(); });
        if (!known) {
            const auto nearest = nearestCommand(args.front(), commands);
            return usageError(io,
                              "unknown command '" + args.front() + "'" +
                                  (nearest ? " (did you mean '" + *nearest + "'?)" : std::string()),
                              "vantorel");
        }
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
        for (auto& [sub, runner] : runners) {
            if (sub->parsed()) return usageError(io, error.what(), "vantorel " + sub->get_name());
        }
        return usageError(io, error.what(), "vantorel");
    }

    for (auto& [sub, runner] : runners) {
        if (sub->parsed()) {
            if (const auto empty = emptyValueOf(*sub)) {
                return usageError(io, *empty + " is empty", "vantorel " + sub->get_name());
            }
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
