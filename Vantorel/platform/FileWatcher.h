#pragma once
// Waiting for files to change on disk (Linux inotify). Files are watched through their folders,
// so that editors which save by writing a new file and renaming it over the old one are seen as
// well as those that write in place, and a file that does not exist yet is seen when it appears.

#include <chrono>
#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace vantorel::platform {

class FileWatcher {
public:
    FileWatcher();
    ~FileWatcher();
    FileWatcher(const FileWatcher&) = delete;
    FileWatcher& operator=(const FileWatcher&) = delete;

    // False when the system offers no file notifications (the reason is in `problem`).
    bool isReady() const { return fd_ >= 0; }
    const std::string& problem() const { return problem_; }

    // Watches exactly these files from now on.
    void watch(const std::vector<std::filesystem::path>& files);

    enum class Wait { changed, timedOut, interrupted };
    // Waits up to `timeout` for a watched file to be written, replaced, created or removed.
    Wait waitForChange(std::chrono::milliseconds timeout);
    // Waits for a change and then until the files have been quiet for `quiet`: a burst of saves,
    // or a save written in several pieces, counts as one change.
    Wait waitForSettledChange(std::chrono::milliseconds quiet);

private:
    Wait drainEvents(std::chrono::milliseconds timeout);

    int fd_ = -1;
    std::string problem_;
    std::vector<std::pair<int, std::filesystem::path>> folderWatches_;
    std::set<std::filesystem::path> files_;
};

// Catches Ctrl-C (SIGINT) and SIGTERM while it lives: a FileWatcher's wait then returns
// `interrupted` instead of the program ending in the middle of a build.
class InterruptCatcher {
public:
    InterruptCatcher();
    ~InterruptCatcher();
    InterruptCatcher(const InterruptCatcher&) = delete;
    InterruptCatcher& operator=(const InterruptCatcher&) = delete;

    static bool interrupted();
    static int wakeDescriptor();  // readable once a signal came; -1 when no catcher lives
};

}  // namespace vantorel::platform
