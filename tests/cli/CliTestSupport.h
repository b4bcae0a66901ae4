#pragma once
// Runs the `vantorel` front end in-process and captures what it prints.

#include <sstream>
#include <string>
#include <vector>

#include "cli/CommandRegistry.h"

namespace vantorel::cli::testing {

struct CliResult {
    int exitCode = 0;
    std::string out;
    std::string err;
};

inline CliResult runCli(const std::vector<std::string>& args, const std::string& input = {}) {
    std::ostringstream out, err;
    std::istringstream in(input);
    CommandIO io{out, err, in, false};
    int code = runVantorel(args, io);
    return {code, out.str(), err.str()};
}

}  // namespace vantorel::cli::testing
