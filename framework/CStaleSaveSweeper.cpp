#include "framework/CStaleSaveSweeper.h"

#include "framework/CSafeFileWriter.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* kMarker = ".tolve-save-";
constexpr size_t kSuffixLength = 6; // mkstemp's "XXXXXX"

std::string FolderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool IsDigits(const std::string& text) {
    if (text.empty())
        return false;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

// The number of the process whose save the name belongs to, or 0 when the
// name is not that of a temporary file of a save (of `fileName`, when given).
long SavingProcess(const std::string& name, const std::string& fileName) {
    const size_t marker = name.rfind(kMarker);
    if (marker == std::string::npos || marker < 2 || name[0] != '.')
        return 0;
    if (!fileName.empty() && name.compare(0, marker + std::string(kMarker).size(),
                                          CSafeFileWriter::TempPrefix(fileName)) != 0)
        return 0;
    const std::string rest = name.substr(marker + std::string(kMarker).size());
    const size_t dash = rest.find('-');
    if (dash == std::string::npos || rest.size() - dash - 1 != kSuffixLength)
        return 0;
    const std::string pid = rest.substr(0, dash);
    if (!IsDigits(pid) || pid.size() > 10)
        return 0;
    // Beyond what a process number can be: kill() would take it for another.
    const long number = std::strtol(pid.c_str(), nullptr, 10);
    return number <= std::numeric_limits<pid_t>::max() ? number : 0;
}

// A process of another user answers "no permission", which still means it
// runs.
bool ProcessIsAlive(long pid) {
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
}

bool IsRegularFile(const std::string& path) {
    struct stat status;
    return ::lstat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

} // namespace

void CStaleSaveSweeper::SweepFolderOf(const std::string& filePath) {
    const std::string folder = FolderOf(filePath);
    if (m_sweptFolders.insert(folder).second)
        SweepFolder(folder);
}

int CStaleSaveSweeper::SweepFolder(const std::string& folder, const std::string& fileName) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return 0;
    int removed = 0;
    while (dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        const long pid = SavingProcess(name, fileName);
        if (pid <= 0 || ProcessIsAlive(pid))
            continue;
        const std::string path = folder + "/" + name;
        if (IsRegularFile(path) && ::unlink(path.c_str()) == 0)
            ++removed;
    }
    ::closedir(dir);
    return removed;
}
