#pragma once
// Files and folders named on a command line, checked the same way by every command, so that a
// new user always learns which path is wrong and why: "'x' does not exist", "'x' is a folder,
// not a file", "cannot write 'a/b/x': the folder 'a/b' does not exist". Every such problem is
// bad usage (exit 2).

#include <optional>
#include <string>

#include "cli/CommandRegistry.h"

namespace vantorel::cli {

// Why `path` cannot be read as a file; none when it can.
std::optional<std::string> inputFileProblem(const std::string& path);

// The bytes of the file at `path`, or none after writing why it cannot be read and setting
// `exitCode` to `exitBadUsage`.
std::optional<std::string> readInputFile(CommandIO& io, const std::string& path, int& exitCode);

// Why a file cannot be written at `path`: a folder stands there, or the folder it goes into is
// missing, is not a folder or does not take new files.
std::optional<std::string> outputFileProblem(const std::string& path);

}  // namespace vantorel::cli
