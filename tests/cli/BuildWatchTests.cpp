// `vantorel build --watch` as a user runs it: a real process, a document saved several times in
// quick succession, in place and by rename, and Ctrl-C at the end.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "Vantorel/platform/AtomicFile.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/SmallProjects.h"

namespace {

using namespace vantorel;
namespace fs = std::filesystem;
using namespace std::chrono_literals;

// One color named `name` in the build group Web, whose CSS task writes out/tokens.css.
std::string documentWith(const std::string& name) {
    BuildTaskFields css;
    css.name = "CSS";
    css.exportFileType = BuildFileType::css;
    css.exportFileFolder = "out";
    css.exportFileName = "tokens";
    auto web = std::make_shared<BuildGroup>("Web", std::vector<BuildTaskPtr>{std::make_shared<BuildTask>(css)});
    auto item = vantorel::testing::srgbColorItem(name, 1, 0.5, 0);
    item->setBuildGroup(web);
    QuenzColorProject project;
    project.setItems({item});
    project.setBuildGroups({web});
    return vantorel::testing::documentBytes(project);
}

std::string contents(const fs::path& file) { return platform::readWholeFile(file).bytes; }

std::size_t count(const std::string& text, const std::string& part) {
    std::size_t found = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++found;
    return found;
}

bool waitFor(const std::function<bool()>& condition) {
    for (auto waited = 0ms; waited < 30s; waited += 50ms) {
        if (condition()) return true;
        std::this_thread::sleep_for(50ms);
    }
    return false;
}

TEST(BuildWatch, RapidSavesBuildTheLastCompleteDocument) {
    vantorel::testing::ScratchFolder folder("watch");
    const fs::path document = folder.document();
    ASSERT_FALSE(platform::writeFileAtomically(document, documentWith("first")));
    const fs::path out = folder / "stdout.txt", err = folder / "stderr.txt";

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
        ::freopen(out.c_str(), "w", stdout);
        ::freopen(err.c_str(), "w", stderr);
        ::execl(VANTOREL_EXECUTABLE, "vantorel", "build", document.c_str(), "--watch", "--group", "Web",
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    const fs::path css = folder / "out" / "tokens.css";
    ASSERT_TRUE(waitFor([&] { return count(contents(out), "Built in") == 1; })) << contents(out) << contents(err);
    EXPECT_NE(contents(css).find("first"), std::string::npos);

    // Saves in place written in two pieces, and saves by rename, all within a moment.
    for (int save = 0; save < 6; ++save) {
        const std::string bytes = documentWith("save-" + std::to_string(save));
        if (save % 2 == 0) {
            std::ofstream inPlace(document, std::ios::trunc);
            inPlace << bytes.substr(0, bytes.size() / 2) << std::flush;
            std::this_thread::sleep_for(20ms);
            inPlace << bytes.substr(bytes.size() / 2);
        } else {
            ASSERT_FALSE(platform::writeFileAtomically(document, bytes));
        }
        std::this_thread::sleep_for(30ms);
    }
    ASSERT_TRUE(waitFor([&] { return contents(css).find("save-5") != std::string::npos; }))
        << contents(out) << contents(err);
    ASSERT_TRUE(waitFor([&] { return count(contents(out), "Built in") >= 2; }));
    std::this_thread::sleep_for(500ms);

    ::kill(child, SIGINT);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    const auto printed = contents(out);
    // The burst was built once (a slow machine may split it), never from a partial file.
    EXPECT_LE(count(printed, "Built in"), 3u) << printed;
    EXPECT_EQ(count(printed, "Build failed"), 0u) << printed;
    EXPECT_EQ(contents(err).find("vantorel:"), std::string::npos) << contents(err);
    EXPECT_NE(printed.find("Stopped watching"), std::string::npos);
    EXPECT_NE(printed.find("out/tokens.css"), std::string::npos);
}

}  // namespace
