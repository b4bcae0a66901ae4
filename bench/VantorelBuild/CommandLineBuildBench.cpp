// `vantorel build` of the 10,000-item document end to end, through the command line's own code
// path: the document is read from its file, every build group is built, and the five usual
// outputs (CSS, SCSS, Android resources, SwiftUI, design-token JSON) are written beside it.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "VantorelData/format/QuenzColorFileWriter.h"
#include "bench/VantorelBuild/LargeProject.h"
#include "cli/CommandRegistry.h"

namespace {

using namespace vantorel;
namespace fs = std::filesystem;

void BM_CommandLineBuild(benchmark::State& state) {
    const fs::path folder = fs::temp_directory_path() / ("vantorel-cli-build-bench-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const fs::path document = folder / "Large.vantorel";
    {
        auto group = std::make_shared<BuildGroup>("All", bench::fiveOutputTasks());
        auto written = format::QuenzColorFileWriter::write(*bench::largeProject(group));
        std::ofstream(document, std::ios::binary) << written.bytes;
    }
    const std::vector<std::string> arguments = {"build", document.string()};
    for (auto _ : state) {
        std::ostringstream out, err;
        std::istringstream in;
        cli::CommandIO io{out, err, in, false};
        if (cli::runVantorel(arguments, io) != cli::exitSuccess) {
            state.SkipWithError(("the build failed: " + err.str()).c_str());
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * bench::largeItemCount);
    fs::remove_all(folder);
}
BENCHMARK(BM_CommandLineBuild)->Unit(benchmark::kMillisecond);

}  // namespace
