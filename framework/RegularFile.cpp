#include "framework/RegularFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
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

bool ReadAll(int fd, std::string& text, std::string& reason) {
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
        text.append(buffer, static_cast<size_t>(got));
    }
}

} // namespace

bool ReadRegularFile(const std::string& path, std::string& text, std::string& reason,
                     FileStamp* stamp) {
    // Looked at before opening: opening a FIFO blocks and opening a device may
    // do things of its own.
    struct stat status;
    if (::stat(path.c_str(), &status) != 0) {
        reason = std::strerror(errno);
        return false;
    }
    if (!S_ISREG(status.st_mode)) {
        reason = NotRegular(status.st_mode);
        return false;
    }
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        reason = std::strerror(errno);
        return false;
    }
    // It may have been replaced in between.
    bool ok = ::fstat(fd, &status) == 0;
    if (!ok)
        reason = std::strerror(errno);
    else if (!S_ISREG(status.st_mode)) {
        reason = NotRegular(status.st_mode);
        ok = false;
    }
    if (ok && stamp)
        *stamp = ReadFileStamp(fd);
    if (ok) {
        text.reserve(static_cast<size_t>(status.st_size) + 1);
        ok = ReadAll(fd, text, reason);
    }
    ::close(fd);
    return ok;
}
