#include "framework/CSafeFileWriter.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

CSafeFileWriter::CSafeFileWriter(std::string targetPath) : m_targetPath(std::move(targetPath)) {}

CSafeFileWriter::~CSafeFileWriter() {
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_committed && !m_tempPath.empty())
        ::unlink(m_tempPath.c_str());
}

bool CSafeFileWriter::Fail() {
    if (!m_failed) {
        m_failed = true;
        m_error = std::strerror(errno);
    }
    return false;
}

bool CSafeFileWriter::Open() {
    std::string pattern = m_targetPath + ".XXXXXX";
    m_fd = ::mkstemp(pattern.data());
    if (m_fd < 0)
        return Fail();
    m_tempPath = pattern;
    // Keep the permissions of the file being replaced; a new file gets the
    // usual ones.
    struct stat existing;
    mode_t mode;
    if (::stat(m_targetPath.c_str(), &existing) == 0) {
        mode = existing.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(m_fd, mode) != 0)
        return Fail();
    return true;
}

bool CSafeFileWriter::Write(const char* data, size_t size) {
    if (m_failed || m_fd < 0)
        return false;
    while (size > 0) {
        ssize_t written = ::write(m_fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return Fail();
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

bool CSafeFileWriter::Commit() {
    if (m_failed || m_fd < 0)
        return false;
    if (::fsync(m_fd) != 0)
        return Fail();
    int fd = std::exchange(m_fd, -1);
    if (::close(fd) != 0)
        return Fail();
    if (::rename(m_tempPath.c_str(), m_targetPath.c_str()) != 0)
        return Fail();
    m_committed = true;
    return true;
}
