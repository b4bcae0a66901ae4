#pragma once
// `vantorel build --watch`: build, then build again whenever the document or a custom template it
// uses changes on disk, until Ctrl-C.

#include <functional>
#include <string>
#include <vector>

#include "cli/CommandRegistry.h"

namespace vantorel::cli {

// Runs `buildOnce` now and after every settled change of `documentFile` or of the custom templates
// of `groups` (all groups when empty). Returns 0 when stopped by Ctrl-C, 2 when the system cannot
// watch files.
int watchAndBuild(CommandIO& io, const std::string& documentFile, const std::vector<std::string>& groups,
                  const std::function<int(CommandIO&)>& buildOnce);

}  // namespace vantorel::cli
