#include "framework/CSafeFileWriter.h"

#include "framework/CStaleSaveSweeper.h"
#include "framework/RegularFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr int kMaxLinks = 40; // as the kernel's own limit on a chain of links

std::function<void(const std::string&)>& BeforeReplaceHook() {
    static std::function<void(const std::string&)> hook;
    return hook;
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A link's target, relative to the folder of the link when it is relative.
bool FollowLink(std::string& path) {
    std::string target(4096, '\0');
    ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    if (length < 0)
        return false;
    target.resize(static_cast<size_t>(length));
    if (!target.empty() && target[0] != '/')
        target = FolderOf(path) + "/" + target;
    path = target;
    return true;
}

} // namespace

CSafeFileWriter::CSafeFileWriter(std::string targetPath) : m_targetPath(std::move(targetPath)) {}

CSafeFileWriter::~CSafeFileWriter() {
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_committed && !m_tempPath.empty())
        ::unlink(m_tempPath.c_str());
}

std::string CSafeFileWriter::TempPrefix(const std::string& fileName) {
    return "." + fileName + ".tolve-save-";
}

bool CSafeFileWriter::Fail() {
    return Fail(std::strerror(errno));
}

bool CSafeFileWriter::Fail(std::string reason) {
    if (!m_failed) {
        m_failed = true;
        m_error = std::move(reason);
    }
    return false;
}

void CSafeFileWriter::SetBeforeReplaceHook(std::function<void(const std::string&)> hook) {
    BeforeReplaceHook() = std::move(hook);
}

void CSafeFileWriter::Expect(const ExpectedTarget& expected) {
    m_expectedStamp = expected.stamp;
    m_followLinks = expected.followLink;
}

bool CSafeFileWriter::FailChanged() {
    m_changedMeanwhile = true;
    return Fail("another program changed it while Tolve was saving; the file was left as that "
                "program wrote it");
}

FileStamp CSafeFileWriter::StampTarget() const {
    return m_followLinks ? ReadFileStamp(m_finalPath) : ReadEntryStamp(m_finalPath);
}

bool CSafeFileWriter::ResolveTarget() {
    m_finalPath = m_targetPath;
    if (!m_followLinks)
        return true;
    for (int links = 0;; ++links) {
        struct stat status;
        if (::lstat(m_finalPath.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
            return true;
        if (links == kMaxLinks) {
            errno = ELOOP;
            return Fail();
        }
        if (!FollowLink(m_finalPath))
            return Fail();
    }
}

// Replacing a file the user may not write, or a device, would destroy what
// the permissions or the file type protect.
bool CSafeFileWriter::CheckExistingTarget() {
    struct stat status;
    const int looked = m_followLinks ? ::stat(m_finalPath.c_str(), &status)
                                     : ::lstat(m_finalPath.c_str(), &status);
    // A link that is not followed is replaced as a name, like a new file.
    const bool newFile = looked != 0 || S_ISLNK(status.st_mode);
    if (newFile) {
        if (looked != 0 && errno != ENOENT)
            return Fail();
        mode_t mask = ::umask(0);
        ::umask(mask);
        m_attributes.before.mode = 0666u & ~mask; // as any new file of the user
        return true;
    }
    if (!S_ISREG(status.st_mode))
        return Fail(std::string("it is ") + DescribeFileType(status.st_mode) +
                    ", not a regular file");
    if (::access(m_finalPath.c_str(), W_OK) != 0)
        return Fail();
    m_replacing = true;
    m_attributes.before = {status.st_uid, status.st_gid, status.st_mode & 07777u};
    return true;
}

// Done before anything is written, so that the text is never readable by more
// people than the old file allowed.
bool CSafeFileWriter::TakeOverAttributes() {
    const FileAttributes& wanted = m_attributes.before;
    // Only root may give a file away; anyone may give it a group of theirs.
    if (m_replacing && ::fchown(m_fd, wanted.owner, wanted.group) != 0)
        (void)::fchown(m_fd, static_cast<uid_t>(-1), wanted.group);
    // After the owner: changing it clears the set-id bits.
    if (::fchmod(m_fd, static_cast<mode_t>(wanted.mode)) != 0)
        return Fail();
    struct stat status;
    if (::fstat(m_fd, &status) != 0)
        return Fail();
    m_attributes.after = {status.st_uid, status.st_gid, status.st_mode & 07777u};
    if (!m_replacing)
        m_attributes.before = m_attributes.after; // nothing was there to keep
    return true;
}

bool CSafeFileWriter::Open() {
    if (!ResolveTarget() || !CheckExistingTarget())
        return false;
    m_openedStamp = StampTarget();
    if (m_expectedStamp && m_openedStamp != *m_expectedStamp)
        return FailChanged();
    CStaleSaveSweeper::SweepFolder(FolderOf(m_finalPath), NameOf(m_finalPath));
    std::string pattern = FolderOf(m_finalPath) + "/" + TempPrefix(NameOf(m_finalPath)) +
                          std::to_string(::getpid()) + "-XXXXXX";
    m_fd = ::mkstemp(pattern.data());
    if (m_fd < 0)
        return Fail();
    m_tempPath = pattern;
    return TakeOverAttributes();
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
    // The rename keeps all of it, and nothing writes the file after this.
    m_writtenStamp = ReadFileStamp(m_fd);
    int fd = std::exchange(m_fd, -1);
    if (::close(fd) != 0)
        return Fail();
    if (BeforeReplaceHook())
        BeforeReplaceHook()(m_finalPath);
    if (StampTarget() != m_openedStamp)
        return FailChanged();
    if (::rename(m_tempPath.c_str(), m_finalPath.c_str()) != 0)
        return Fail();
    m_committed = true;
    return true;
}
