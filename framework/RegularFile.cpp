#include "framework/RegularFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

const char* DescribeFileType(unsigned mode) {
    switch (mode & S_IFMT) {
    case S_IFREG:
        return "a regular file";
    case S_IFDIR:
        return "a directory";
    case S_IFIFO:
        return "a named pipe (FIFO)";
    case S_IFCHR:
        return "a character device";
    case S_IFBLK:
        return "a block device";
    case S_IFSOCK:
        return "a socket";
    case S_IFLNK:
        return "a symbolic link";
    default:
        return "not a regular file";
    }
}

namespace {

std::string NotRegular(unsigned mode) {
    return std::string("it is ") + DescribeFileType(mode) + ", not a regular file";
}

std::string TooLarge(uint64_t limit) {
    return "it is larger than " + DescribeByteCount(limit) + ", too large to be read";
}

// Why a file that looks like this is not read at all; empty when it is read.
// One that says it is smaller than the limit is held to it while it is read.
std::string Refusal(const struct stat& status, uint64_t limit) {
    if (!S_ISREG(status.st_mode))
        return NotRegular(status.st_mode);
    if (static_cast<uint64_t>(status.st_size) > limit)
        return TooLarge(limit);
    return {};
}

bool ReadAll(int fd, std::string& text, std::string& reason, uint64_t limit) {
    text.clear();
    char buffer[1 << 16];
    for (;;) {
        ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            reason = std::strerror(errno);
            return false;
        }
        if (got == 0)
            return true;
        if (static_cast<uint64_t>(got) > limit - text.size()) {
            text.clear();
            text.shrink_to_fit();
            reason = TooLarge(limit);
            return false;
        }
        text.append(buffer, static_cast<size_t>(got));
    }
}

} // namespace

std::string DescribeByteCount(uint64_t bytes) {
    const char* const units[] = {"KiB", "MiB", "GiB", "TiB"};
    if (bytes < 1024 || bytes % 1024 != 0)
        return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
    size_t unit = 0;
    bytes /= 1024;
    while (unit + 1 < std::size(units) && bytes % 1024 == 0) {
        bytes /= 1024;
        ++unit;
    }
    return std::to_string(bytes) + " " + units[unit];
}

bool ReadRegularFile(const std::string& path, std::string& text, std::string& reason,
                     uint64_t limit, FileStamp* stamp) {
    // Looked at before opening: opening a FIFO blocks and opening a device may
    // do things of its own.
    struct stat status;
    if (::stat(path.c_str(), &status) != 0) {
        reason = std::strerror(errno);
        return false;
    }
    reason = Refusal(status, limit);
    if (!reason.empty())
        return false;
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        reason = std::strerror(errno);
        return false;
    }
    // It may have been replaced in between.
    bool ok = ::fstat(fd, &status) == 0;
    if (!ok)
        reason = std::strerror(errno);
    else
        reason = Refusal(status, limit);
    ok = ok && reason.empty();
    if (ok && stamp)
        *stamp = ReadFileStamp(fd);
    if (ok)
        ok = ReadAll(fd, text, reason, limit);
    ::close(fd);
    return ok;
}
