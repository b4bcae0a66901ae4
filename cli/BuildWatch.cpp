#include "cli/BuildWatch.h"

#include <fmt/format.h>

#include <array>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <ostream>

#include "Vantorel/build/BuildRequirement.h"
#include "Vantorel/build/Builder.h"
#include "Vantorel/platform/AtomicFile.h"
#include "Vantorel/platform/FileWatcher.h"
#include "VantorelData/format/QuenzColorFileReader.h"

namespace vantorel::cli {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Saves that arrive closer together than this are built once, after the last of them.
constexpr std::chrono::milliseconds settleTime{300};

std::string clockTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    std::array<char, 16> text{};
    std::strftime(text.data(), text.size(), "%H:%M:%S", &local);
    return text.data();
}

// The document and the custom templates its build reads: the files whose change calls for a build.
std::vector<fs::path> filesToWatch(const fs::path& document, const std::string& bytes,
                                   const std::vector<std::string>& groups) {
    std::vector<fs::path> files{document};
    const auto project = format::QuenzColorFileReader::read(bytes);
    const auto names = groups.empty() ? build::allBuildGroupNames(*project) : groups;
    for (const auto& requirement : build::buildRequirements(*project, names, document)) {
        if (requirement.kind == build::BuildRequirement::Kind::customTemplate && requirement.location) {
            files.push_back(*requirement.location);
        }
    }
    return files;
}

}  // namespace

int watchAndBuild(CommandIO& io, const std::string& documentFile, const std::vector<std::string>& groups,
                  const std::function<int(CommandIO&)>& buildOnce) {
    platform::InterruptCatcher interrupts;
    platform::FileWatcher watcher;
    if (!watcher.isReady()) return fail(io, exitBadUsage, "cannot watch '" + documentFile + "': " + watcher.problem());
    const fs::path document = fs::absolute(documentFile);
    for (;;) {
        // A document caught while it is being written is not yet well-formed XML: it is not built,
        // the end of the write brings the next round.
        const auto contents = platform::readWholeFile(document);
        if (contents.error || !format::QuenzColorFileReader::isWellFormed(contents.bytes)) {
            io.err << fmt::format("[{}] '{}' is not a complete document yet; waiting for the next save\n", clockTime(),
                                  documentFile);
            watcher.watch({document});
        } else {
            watcher.watch(filesToWatch(document, contents.bytes, groups));
            io.out << fmt::format("[{}] Building {}\n", clockTime(), documentFile) << std::flush;
            const auto started = Clock::now();
            const int status = buildOnce(io);
            const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started);
            io.out << fmt::format("[{}] {} in {} ms; watching for changes (Ctrl-C ends)\n", clockTime(),
                                  status == exitSuccess ? "Built" : "Build failed", took.count())
                   << std::flush;
        }
        if (watcher.waitForSettledChange(settleTime) == platform::FileWatcher::Wait::interrupted) {
            io.out << "Stopped watching\n" << std::flush;
            return exitSuccess;
        }
    }
}

}  // namespace vantorel::cli
