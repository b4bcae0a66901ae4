#include "Vantorel/shell/DocumentFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <pugixml.hpp>

#include <cerrno>
#include <cstring>

#include "VantorelData/format/QuenzColorFileReader.h"

namespace vantorel::shell {
namespace {

FileStamp stampFrom(const struct stat& info) {
    FileStamp stamp;
    stamp.modifiedSeconds = static_cast<std::int64_t>(info.st_mtim.tv_sec);
    stamp.modifiedNanoseconds = static_cast<std::int64_t>(info.st_mtim.tv_nsec);
    stamp.size = static_cast<std::int64_t>(info.st_size);
    stamp.device = static_cast<std::uint64_t>(info.st_dev);
    stamp.inode = static_cast<std::uint64_t>(info.st_ino);
    return stamp;
}

std::string failure(const std::filesystem::path& path, int code) {
    return "Could not read \"" + path.string() + "\": " + std::strerror(code);
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

std::optional<FileStamp> stampOf(const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return stampFrom(info);
}

DocumentFileContents readDocumentFile(const std::filesystem::path& path) {
    DocumentFileContents contents;
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) {
        contents.error = failure(path, errno);
        return contents;
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) {
        contents.error = failure(path, errno);
        return contents;
    }
    if (S_ISDIR(info.st_mode)) {
        contents.error = failure(path, EISDIR);
        return contents;
    }
    contents.stamp = stampFrom(info);
    if (info.st_size > 0) contents.bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t count = ::read(file.get(), buffer, sizeof buffer);
        if (count == 0) break;
        if (count < 0) {
            if (errno == EINTR) continue;
            contents.error = failure(path, errno);
            contents.bytes.clear();
            return contents;
        }
        contents.bytes.append(buffer, static_cast<std::size_t>(count));
    }
    return contents;
}

bool isDocument(std::string_view bytes) {
    pugi::xml_document document;
    if (!format::parseDocumentXml(document, bytes)) return false;
    return std::string_view(document.document_element().name()) == "vantorel";
}

}  // namespace vantorel::shell
