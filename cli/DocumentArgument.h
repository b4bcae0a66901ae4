#pragma once
// The document named on a command line, read the same way by every command that takes one.

#include <string>

#include "VantorelData/model/Project.h"
#include "cli/CommandRegistry.h"

namespace vantorel::cli {

// The project in `file`, or null after writing why it cannot be read ("vantorel: 'x' is not a
// Vantorel document: …") and setting `exitCode` to `exitBadUsage`. A document whose XML is
// well-formed always opens: the reader skips what it does not understand.
QuenzColorProjectPtr readDocumentArgument(CommandIO& io, const std::string& file, int& exitCode);

}  // namespace vantorel::cli
