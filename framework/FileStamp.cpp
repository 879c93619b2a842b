#include "framework/FileStamp.h"

#include <sys/stat.h>

namespace {

FileStamp StampOf(const struct stat& status) {
    FileStamp stamp;
    stamp.exists = true;
    stamp.type = static_cast<uint32_t>(status.st_mode & S_IFMT);
    stamp.device = static_cast<uint64_t>(status.st_dev);
    stamp.inode = static_cast<uint64_t>(status.st_ino);
    stamp.size = static_cast<int64_t>(status.st_size);
    stamp.modifiedSeconds = static_cast<int64_t>(status.st_mtim.tv_sec);
    stamp.modifiedNanoseconds = static_cast<int64_t>(status.st_mtim.tv_nsec);
    return stamp;
}

} // namespace

FileStamp ReadFileStamp(const std::string& path) {
    struct stat status;
    return ::stat(path.c_str(), &status) == 0 ? StampOf(status) : FileStamp();
}

FileStamp ReadFileStamp(int fd) {
    struct stat status;
    return ::fstat(fd, &status) == 0 ? StampOf(status) : FileStamp();
}

FileStamp ReadEntryStamp(const std::string& path) {
    struct stat status;
    return ::lstat(path.c_str(), &status) == 0 ? StampOf(status) : FileStamp();
}

bool IsSymbolicLink(const std::string& path) {
    return ReadEntryStamp(path).type == S_IFLNK;
}
