#pragma once
// The `--locale` option of the commands that write numbers and dates for people: a POSIX
// locale name ("de_DE", "de_DE.UTF-8"); a name that no locale answers to is bad usage.

#include <CLI/CLI.hpp>

#include <string>

#include "Vantorel/platform/UserLocale.h"

namespace vantorel::cli {

inline CLI::Option* addLocaleOption(CLI::App& app, std::string& locale, const std::string& description) {
    return app.add_option("--locale", locale, description)
        ->check(CLI::Validator(
            [](std::string& name) {
                return platform::isKnownLocale(name) ? std::string()
                                                     : "unknown locale '" + name + "' (for example en_US, de_DE, fr_CH)";
            },
            "LOCALE"));
}

}  // namespace vantorel::cli
