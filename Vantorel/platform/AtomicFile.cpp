#include "Vantorel/platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <fstream>
#include <sstream>

namespace vantorel::platform {
namespace {

FileError errorFor(const std::filesystem::path& path, std::string_view what, int code) {
    return FileError{"Could not " + std::string(what) + " \"" + path.string() + "\": " + std::strerror(code)};
}

// Temporary files being written, so that an interrupt or termination signal removes them before
// the process ends: the handler may only read fixed storage and call async-signal-safe functions.
// Each slot is claimed by one write at a time.
struct InterruptibleSlot {
    std::atomic<bool> claimed{false};
    std::atomic<bool> active{false};
    char path[PATH_MAX]{};
};
constexpr std::size_t interruptibleSlotCount = 16;
InterruptibleSlot interruptibleSlots[interruptibleSlotCount];
constexpr int cleanedUpSignals[] = {SIGINT, SIGTERM, SIGHUP};

extern "C" void removeTemporaryFilesAndEnd(int number) {
    for (InterruptibleSlot& slot : interruptibleSlots) {
        if (slot.active.load()) ::unlink(slot.path);
    }
    // End the way the signal would have ended the process without us.
    ::signal(number, SIG_DFL);
    ::raise(number);
}

// Installs the handler for the signals that would end the process as they stand; signals that a
// host application handles or ignores itself are left to it (a handler that returns must not find
// its save's file gone).
void installSignalCleanup() {
    static const bool installed = [] {
        for (const int number : cleanedUpSignals) {
            struct sigaction current {};
            if (::sigaction(number, nullptr, &current) != 0 || current.sa_handler != SIG_DFL) continue;
            struct sigaction cleanup {};
            cleanup.sa_handler = removeTemporaryFilesAndEnd;
            sigemptyset(&cleanup.sa_mask);
            for (const int other : cleanedUpSignals) sigaddset(&cleanup.sa_mask, other);
            ::sigaction(number, &cleanup, nullptr);
        }
        return true;
    }();
    (void)installed;
}

// Holds the cleaned-up signals back while a temporary file is created and its name recorded: a
// signal in between would end the process with the file left behind. A held signal arrives when
// released, and the handler then finds the name.
class CleanupSignalsHeldBack {
public:
    CleanupSignalsHeldBack() {
        installSignalCleanup();
        sigset_t held;
        sigemptyset(&held);
        for (const int number : cleanedUpSignals) sigaddset(&held, number);
        holding_ = ::pthread_sigmask(SIG_BLOCK, &held, &previous_) == 0;
    }
    CleanupSignalsHeldBack(const CleanupSignalsHeldBack&) = delete;
    CleanupSignalsHeldBack& operator=(const CleanupSignalsHeldBack&) = delete;
    ~CleanupSignalsHeldBack() { release(); }
    void release() {
        if (holding_) ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
        holding_ = false;
    }

private:
    sigset_t previous_{};
    bool holding_ = false;
};

// Closes the descriptor and removes the temporary file unless released after a successful rename.
class TemporaryFile {
public:
    TemporaryFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {
        installSignalCleanup();
        for (InterruptibleSlot& candidate : interruptibleSlots) {
            bool expected = false;
            if (path_.size() < sizeof candidate.path && candidate.claimed.compare_exchange_strong(expected, true)) {
                std::memcpy(candidate.path, path_.c_str(), path_.size() + 1);
                candidate.active.store(true);
                slot_ = &candidate;
                break;
            }
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        closeDescriptor();
        if (!path_.empty()) ::unlink(path_.c_str());
        forget();
    }
    int fd() const { return fd_; }
    const std::string& path() const { return path_; }
    int closeDescriptor() {
        int result = 0;
        if (fd_ >= 0) result = ::close(fd_);
        fd_ = -1;
        return result;
    }
    // After the rename: the path is the document's now and must survive a signal.
    void release() {
        forget();
        path_.clear();
    }

private:
    void forget() {
        if (!slot_) return;
        slot_->active.store(false);
        slot_->claimed.store(false);
        slot_ = nullptr;
    }

    int fd_;
    std::string path_;
    InterruptibleSlot* slot_ = nullptr;
};

// The file a write to `path` replaces: through symbolic links to the file they name, so that a
// link (to a document kept elsewhere, say) stays a link. A link that names no file yet gives the
// path of the file to create; a loop of links leaves the path as it is, and the rename replaces
// the link.
std::filesystem::path replacedFile(const std::filesystem::path& path) {
    constexpr int linkLimit = 40;  // the kernel's own limit when it follows links
    std::filesystem::path current = path;
    for (int i = 0; i < linkLimit; ++i) {
        std::error_code error;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(current, error))) return current;
        const std::filesystem::path target = std::filesystem::read_symlink(current, error);
        if (error) return current;
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    return path;
}

}  // namespace

std::optional<FileError> writeFileAtomically(const std::filesystem::path& requested, std::string_view bytes,
                                             Durability durability) {
    const std::filesystem::path path = replacedFile(requested);
    const bool flush = durability == Durability::flushedToDisk;
    std::filesystem::path folder = path.parent_path();
    if (folder.empty()) folder = ".";
    std::string pattern = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
    CleanupSignalsHeldBack held;
    int fd = ::mkstemp(pattern.data());
    if (fd < 0) return errorFor(path, "create a temporary file beside", errno);
    TemporaryFile temporary(fd, pattern);
    held.release();

    // Keep the permissions of the file being replaced; new files get the usual 0666 & ~umask.
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) {
        ::fchmod(fd, existing.st_mode & 07777);
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }

    const char* data = bytes.data();
    size_t remaining = bytes.size();
    while (remaining > 0) {
        ssize_t written = ::write(fd, data, remaining);
        if (written < 0) {
            if (errno == EINTR) continue;
            return errorFor(path, "write", errno);
        }
        data += written;
        remaining -= static_cast<size_t>(written);
    }
    if (flush && ::fsync(fd) != 0) return errorFor(path, "flush", errno);
    if (temporary.closeDescriptor() != 0) return errorFor(path, "close", errno);
    if (::rename(temporary.path().c_str(), path.c_str()) != 0) return errorFor(path, "replace", errno);
    temporary.release();
    if (!flush) return std::nullopt;

    // Make the rename itself durable.
    int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
    return std::nullopt;
}

FileContents readWholeFile(const std::filesystem::path& path) {
    std::ifstream stream(path, std::ios::binary);
    if (!stream) return {{}, errorFor(path, "read", errno ? errno : ENOENT)};
    std::ostringstream buffer;
    buffer << stream.rdbuf();
    if (stream.bad()) return {{}, errorFor(path, "read", errno)};
    return {std::move(buffer).str(), std::nullopt};
}

}  // namespace vantorel::platform
