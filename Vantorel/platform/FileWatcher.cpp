#include "Vantorel/platform/FileWatcher.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

namespace vantorel::platform {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr std::uint32_t folderEvents =
    IN_CLOSE_WRITE | IN_MODIFY | IN_MOVED_TO | IN_MOVED_FROM | IN_CREATE | IN_DELETE | IN_ATTRIB;

// The signal handler may only write to a pipe; everything else happens in the waiting loop.
int wakePipe[2] = {-1, -1};
volatile sig_atomic_t signalled = 0;
struct sigaction previousInterrupt {};
struct sigaction previousTerminate {};

void onSignal(int) {
    signalled = 1;
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(wakePipe[1], &byte, 1);
}

fs::path normalised(const fs::path& file) {
    std::error_code error;
    const fs::path absolute = fs::absolute(file, error);
    return (error ? file : absolute).lexically_normal();
}

}  // namespace

FileWatcher::FileWatcher() {
    fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd_ < 0) problem_ = std::string("file notifications are not available: ") + std::strerror(errno);
}

FileWatcher::~FileWatcher() {
    if (fd_ >= 0) ::close(fd_);
}

void FileWatcher::watch(const std::vector<fs::path>& files) {
    if (fd_ < 0) return;
    for (const auto& [watch, folder] : folderWatches_) ::inotify_rm_watch(fd_, watch);
    folderWatches_.clear();
    files_.clear();
    std::set<fs::path> folders;
    for (const auto& file : files) {
        const fs::path path = normalised(file);
        files_.insert(path);
        folders.insert(path.parent_path());
    }
    for (const auto& folder : folders) {
        const int watch = ::inotify_add_watch(fd_, folder.c_str(), folderEvents);
        if (watch >= 0) folderWatches_.emplace_back(watch, folder);
    }
}

FileWatcher::Wait FileWatcher::drainEvents(std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() < 0) return Wait::timedOut;
        std::array<pollfd, 2> descriptors{pollfd{fd_, POLLIN, 0}, pollfd{InterruptCatcher::wakeDescriptor(), POLLIN, 0}};
        const int ready = ::poll(descriptors.data(), descriptors[1].fd >= 0 ? 2 : 1, static_cast<int>(left.count()));
        if (InterruptCatcher::interrupted()) return Wait::interrupted;
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) return Wait::timedOut;
        alignas(inotify_event) std::array<char, 16384> buffer;
        bool matched = false;
        for (;;) {
            const ssize_t length = ::read(fd_, buffer.data(), buffer.size());
            if (length <= 0) break;
            for (ssize_t offset = 0; offset < length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer.data() + offset);
                offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
                if (event->len == 0) continue;
                // Event names are relative to their folder, and the watched folders are few.
                for (const auto& [watch, folder] : folderWatches_) {
                    if (watch == event->wd && files_.count(folder / event->name) != 0) matched = true;
                }
            }
        }
        if (matched) return Wait::changed;
    }
}

FileWatcher::Wait FileWatcher::waitForChange(std::chrono::milliseconds timeout) { return drainEvents(timeout); }

FileWatcher::Wait FileWatcher::waitForSettledChange(std::chrono::milliseconds quiet) {
    Wait first = Wait::timedOut;
    while (first == Wait::timedOut) first = drainEvents(std::chrono::hours(24));
    if (first == Wait::interrupted) return first;
    for (;;) {
        const Wait next = drainEvents(quiet);
        if (next == Wait::interrupted) return next;
        if (next == Wait::timedOut) return Wait::changed;
    }
}

InterruptCatcher::InterruptCatcher() {
    signalled = 0;
    if (::pipe2(wakePipe, O_CLOEXEC | O_NONBLOCK) != 0) wakePipe[0] = wakePipe[1] = -1;
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, &previousInterrupt);
    ::sigaction(SIGTERM, &action, &previousTerminate);
}

InterruptCatcher::~InterruptCatcher() {
    ::sigaction(SIGINT, &previousInterrupt, nullptr);
    ::sigaction(SIGTERM, &previousTerminate, nullptr);
    for (int& end : wakePipe) {
        if (end >= 0) ::close(end);
        end = -1;
    }
}

bool InterruptCatcher::interrupted() { return signalled != 0; }

int InterruptCatcher::wakeDescriptor() { return wakePipe[0]; }

}  // namespace vantorel::platform
