#include "Vantorel/platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace vantorel::platform {
namespace {

FileError errorFor(const std::filesystem::path& path, std::string_view what, int code) {
    return FileError{"Could not " + std::string(what) + " \"" + path.string() + "\": " + std::strerror(code)};
}

// Closes the descriptor and removes the temporary file unless released after a successful rename.
class TemporaryFile {
public:
    TemporaryFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        closeDescriptor();
        if (!path_.empty()) ::unlink(path_.c_str());
    }
    int fd() const { return fd_; }
    const std::string& path() const { return path_; }
    int closeDescriptor() {
        int result = 0;
        if (fd_ >= 0) result = ::close(fd_);
        fd_ = -1;
        return result;
    }
    void release() { path_.clear(); }

private:
    int fd_;
    std::string path_;
};

}  // namespace

std::optional<FileError> writeFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                                             Durability durability) {
    const bool flush = durability == Durability::flushedToDisk;
    std::filesystem::path folder = path.parent_path();
    if (folder.empty()) folder = ".";
    std::string pattern = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
    int fd = ::mkstemp(pattern.data());
    if (fd < 0) return errorFor(path, "create a temporary file beside", errno);
    TemporaryFile temporary(fd, pattern);

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
