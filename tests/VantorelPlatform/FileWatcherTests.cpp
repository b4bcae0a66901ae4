// Which changes on disk wake a FileWatcher, and that a burst of saves settles into one change.

#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "Vantorel/platform/AtomicFile.h"
#include "Vantorel/platform/FileWatcher.h"
#include "tests/support/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;
using namespace vantorel::platform;
using namespace std::chrono_literals;
using Wait = FileWatcher::Wait;

TEST(FileWatcher, SavesOfTheWatchedFileAreSeenAndOthersAreNot) {
    const struct {
        const char* title;
        std::function<void(const fs::path& folder)> change;
        Wait expected;
    } cases[] = {
        {"written in place", [](const fs::path& f) { std::ofstream(f / "doc.vantorel", std::ios::app) << "x"; },
         Wait::changed},
        {"saved by rename", [](const fs::path& f) { ASSERT_FALSE(writeFileAtomically(f / "doc.vantorel", "new")); },
         Wait::changed},
        {"removed", [](const fs::path& f) { fs::remove(f / "doc.vantorel"); }, Wait::changed},
        {"template changed", [](const fs::path& f) { std::ofstream(f / "sub" / "t.stencil") << "{{ x }}"; },
         Wait::changed},
        {"another file of the folder", [](const fs::path& f) { std::ofstream(f / "other.txt") << "x"; },
         Wait::timedOut},
        {"nothing", [](const fs::path&) {}, Wait::timedOut},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.title);
        vantorel::testing::ScratchFolder folder("watcher");
        fs::create_directories(folder / "sub");
        std::ofstream(folder / "doc.vantorel") << "old";
        FileWatcher watcher;
        ASSERT_TRUE(watcher.isReady()) << watcher.problem();
        watcher.watch({folder / "doc.vantorel", folder / "sub" / "t.stencil"});
        row.change(folder.path());
        EXPECT_EQ(watcher.waitForChange(300ms), row.expected);
    }
}

TEST(FileWatcher, ABurstOfSavesSettlesIntoOneChangeAndCtrlCEndsTheWait) {
    vantorel::testing::ScratchFolder folder("watcher-burst");
    const fs::path document = folder / "doc.vantorel";
    FileWatcher watcher;
    watcher.watch({document});
    std::thread saves([&] {
        for (int save = 0; save < 5; ++save) {
            ASSERT_FALSE(writeFileAtomically(document, "save " + std::to_string(save)));
            std::this_thread::sleep_for(20ms);
        }
    });
    EXPECT_EQ(watcher.waitForSettledChange(200ms), Wait::changed);
    saves.join();
    EXPECT_EQ(readWholeFile(document).bytes, "save 4");
    EXPECT_EQ(watcher.waitForChange(100ms), Wait::timedOut);

    InterruptCatcher catcher;
    std::thread interrupt([] {
        std::this_thread::sleep_for(50ms);
        ::kill(::getpid(), SIGINT);
    });
    EXPECT_EQ(watcher.waitForSettledChange(200ms), Wait::interrupted);
    interrupt.join();
    EXPECT_TRUE(InterruptCatcher::interrupted());
}

}  // namespace
