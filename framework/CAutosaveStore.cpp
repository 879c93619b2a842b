#include "framework/CAutosaveStore.h"

#include "framework/CSafeFileWriter.h"
#include "framework/RegularFile.h"

#include <algorithm>
#include <cctype>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const char* const kSessionPrefix = "run-";
const char* const kSlotPrefix = "map-";
const char* const kCopyPrefix = "copy-";
const char* const kCopySuffix = ".map";
const char* const kLockName = "lock";
const char* const kOriginName = "origin";

bool StartsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

// The number in "copy-000042.map", or nothing for any other name.
std::optional<unsigned long> CopyNumber(const fs::path& file) {
    const std::string name = file.filename().string();
    const std::string suffix = kCopySuffix;
    if (!StartsWith(name, kCopyPrefix) || name.size() <= suffix.size() + 5 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return std::nullopt;
    const std::string digits = name.substr(5, name.size() - 5 - suffix.size());
    if (digits.empty() || digits.size() > 9 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return std::stoul(digits);
}

std::vector<fs::path> CopiesIn(const fs::path& folder) {
    std::vector<std::pair<unsigned long, fs::path>> numbered;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        if (std::optional<unsigned long> number = CopyNumber(entry.path()))
            numbered.emplace_back(*number, entry.path());
    }
    std::sort(numbered.begin(), numbered.end());
    std::vector<fs::path> copies;
    for (auto& [number, path] : numbered)
        copies.push_back(std::move(path));
    return copies;
}

std::string CopyName(unsigned long number) {
    std::string digits = std::to_string(number);
    digits.insert(0, digits.size() < 6 ? 6 - digits.size() : 0, '0');
    return kCopyPrefix + digits + kCopySuffix;
}

// One line per field: a line break inside a title or path would split it.
std::string OneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

// A title and a path; a file larger than this was not written by the store.
constexpr uint64_t kMaxOriginBytes = 64 << 10;

// The text up to the next line feed, which `text` then starts after.
std::string TakeLine(std::string_view& text) {
    const size_t end = std::min(text.find('\n'), text.size());
    std::string line(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
    return line;
}

// An origin that cannot be read names no map; its copies are still offered.
AutosaveOrigin ReadOrigin(const fs::path& folder) {
    AutosaveOrigin origin;
    std::string text, reason;
    if (!ReadRegularFile((folder / kOriginName).string(), text, reason, kMaxOriginBytes))
        return origin;
    std::string_view rest = text;
    origin.title = TakeLine(rest);
    origin.pathName = TakeLine(rest);
    return origin;
}

std::optional<FileError> WriteSafely(const fs::path& path, std::string_view text) {
    CSafeFileWriter writer(path.string());
    if (writer.Open() && writer.Write(text.data(), text.size()) && writer.Commit())
        return std::nullopt;
    return FileError{path.string(), writer.GetError()};
}

// Takes the lock of a session folder without waiting: false while the run
// that made it lives. The descriptor comes back through `fd`. A lock file that
// may not be written can still be locked: a folder made read-only still tells
// a live run from an ended one.
bool TryLock(const fs::path& lockFile, int& fd) {
    fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        fd = ::open(lockFile.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
        return true;
    ::close(fd);
    fd = -1;
    return false;
}

// Whether `fd` is still the lock file of its folder: not when the folder, or
// the file, was removed since it was opened.
bool IsLockFileOf(int fd, const fs::path& lockFile) {
    struct stat open {};
    struct stat named {};
    return ::fstat(fd, &open) == 0 && ::stat(lockFile.c_str(), &named) == 0 &&
           open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

// Makes the session folder and locks it. It is made under a name that nobody
// looks for and renamed once locked, so that no other run can take it for an
// abandoned one before the lock is held.
std::optional<std::string> MakeLockedSession(const fs::path& session, int& fd) {
    std::error_code error;
    const fs::path making = session.parent_path() / ("." + session.filename().string());
    fs::remove_all(making, error); // an earlier try of this run that failed half-way
    if (!fs::create_directory(making, error))
        return "Cannot make the autosave folder " + making.string() + ": " +
               (error ? error.message() : "it exists");
    if (!TryLock(making / kLockName, fd)) {
        fs::remove_all(making, error);
        return "Cannot lock the autosave folder " + making.string();
    }
    fs::rename(making, session, error);
    if (error) {
        ::close(fd);
        fd = -1;
        fs::remove_all(making, error);
        return "Cannot make the autosave folder " + session.string() + ": " + error.message();
    }
    return std::nullopt;
}

bool HasSlots(const fs::path& session) {
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(session, error)) {
        if (StartsWith(entry.path().filename().string(), kSlotPrefix))
            return true;
    }
    return false;
}

void RemoveSessionIfEmpty(const fs::path& session) {
    if (HasSlots(session))
        return;
    std::error_code error;
    fs::remove(session / kLockName, error);
    fs::remove(session, error);
}

std::string RandomTag() {
    std::random_device device;
    return std::to_string(device() % 1000000);
}

} // namespace

CAutosaveStore::CAutosaveStore(fs::path root) : m_root(std::move(root)) {}

CAutosaveStore::~CAutosaveStore() {
    m_heldSlots.clear(); // their copies stay, for the next run
    while (!m_heldSessionLocks.empty())
        ReleaseHeldSession(m_heldSessionLocks.begin()->first);
    if (m_lockFd < 0)
        return;
    RemoveSessionIfEmpty(m_session);
    ::close(m_lockFd);
}

std::optional<std::string> CAutosaveStore::Open() {
    std::error_code error;
    fs::create_directories(m_root, error);
    if (error)
        return "Cannot make the autosave folder " + m_root.string() + ": " + error.message();
    // Copies are nobody else's business; a folder its owner made read-only
    // stays so, and this run keeps no copies.
    fs::permissions(m_root, fs::perms::group_all | fs::perms::others_all, fs::perm_options::remove,
                    error);
    const fs::path session =
        m_root / (kSessionPrefix + std::to_string(::getpid()) + "-" + RandomTag());
    int fd = -1;
    if (std::optional<std::string> failed = MakeLockedSession(session, fd))
        return failed;
    m_session = session;
    m_lockFd = fd;
    return std::nullopt;
}

std::optional<std::string> CAutosaveStore::KeepSessionLocked() {
    std::lock_guard<std::mutex> guard(m_lockMutex);
    const fs::path lockFile = m_session / kLockName;
    if (IsLockFileOf(m_lockFd, lockFile))
        return std::nullopt;
    // Someone removed the folder, or its lock, while the run went on: without
    // a lock held, another run would take this run's copies for abandoned.
    std::error_code error;
    int fd = -1;
    if (fs::exists(m_session, error)) {
        if (!TryLock(lockFile, fd))
            return "Cannot lock the autosave folder " + m_session.string();
    } else {
        fs::create_directories(m_root, error);
        if (error)
            return "Cannot make the autosave folder " + m_root.string() + ": " + error.message();
        if (std::optional<std::string> failed = MakeLockedSession(m_session, fd))
            return failed;
    }
    ::close(m_lockFd.exchange(fd));
    return std::nullopt;
}

int CAutosaveStore::AddSlot() {
    return ++m_slotCount;
}

fs::path CAutosaveStore::SlotFolder(int slot) const {
    auto held = m_heldSlots.find(slot);
    if (held != m_heldSlots.end())
        return held->second;
    return m_session / (kSlotPrefix + std::to_string(slot));
}

std::optional<FileError> CAutosaveStore::SaveCopy(int slot, std::string_view text,
                                                  const AutosaveOrigin& origin) {
    if (!IsOpen())
        return FileError{m_root.string(), "The autosave folder is not open", true};
    if (std::optional<std::string> failed = KeepSessionLocked())
        return FileError{m_session.string(), *failed};
    const fs::path folder = SlotFolder(slot);
    std::error_code error;
    // Only the slot is made here: a session folder made without its lock
    // would be anybody's.
    fs::create_directory(folder, error);
    if (error)
        return FileError{folder.string(), error.message()};
    // The origin changes only when a recovered map is copied the first time;
    // it is not written, and synced, again with every copy.
    const AutosaveOrigin kept{OneLine(origin.title), OneLine(origin.pathName)};
    if (ReadOrigin(folder) != kept) {
        const std::string text = kept.title + "\n" + kept.pathName + "\n";
        if (std::optional<FileError> failed = WriteSafely(folder / kOriginName, text))
            return failed;
    }
    std::vector<fs::path> copies = CopiesIn(folder);
    const unsigned long next = copies.empty() ? 1 : *CopyNumber(copies.back()) + 1;
    if (std::optional<FileError> failed = WriteSafely(folder / CopyName(next), text))
        return failed;
    // The new copy is safely down before any old one goes.
    copies.push_back(folder / CopyName(next));
    for (size_t i = 0; i + kKeptCopies < copies.size(); ++i)
        fs::remove(copies[i], error);
    return std::nullopt;
}

std::vector<fs::path> CAutosaveStore::ListCopies(int slot) const {
    return CopiesIn(SlotFolder(slot));
}

void CAutosaveStore::RemoveSlot(int slot) {
    std::error_code error;
    auto held = m_heldSlots.find(slot);
    if (held != m_heldSlots.end()) {
        const fs::path folder = held->second;
        m_heldSlots.erase(held);
        fs::remove_all(folder, error);
        ReleaseHeldSession(folder.parent_path());
        return;
    }
    if (IsOpen())
        fs::remove_all(SlotFolder(slot), error);
}

std::vector<AbandonedAutosave> CAutosaveStore::FindAbandoned() const {
    std::vector<AbandonedAutosave> found;
    std::error_code error;
    for (const fs::directory_entry& session : fs::directory_iterator(m_root, error)) {
        if (!StartsWith(session.path().filename().string(), kSessionPrefix) ||
            session.path() == m_session || !session.is_directory(error))
            continue;
        int fd = -1;
        if (!TryLock(session.path() / kLockName, fd))
            continue; // its run is still going
        std::vector<fs::path> slots;
        for (const fs::directory_entry& slot : fs::directory_iterator(session.path(), error)) {
            if (StartsWith(slot.path().filename().string(), kSlotPrefix))
                slots.push_back(slot.path());
        }
        std::sort(slots.begin(), slots.end());
        for (const fs::path& slot : slots) {
            std::vector<fs::path> copies = CopiesIn(slot);
            if (copies.empty())
                fs::remove_all(slot, error);
            else
                found.push_back({slot, ReadOrigin(slot), std::move(copies)});
        }
        RemoveSessionIfEmpty(session.path());
        ::close(fd);
    }
    // Folders come in no particular order; maps by name are easier to find.
    std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return std::lexicographical_compare(
            a.origin.title.begin(), a.origin.title.end(), b.origin.title.begin(),
            b.origin.title.end(),
            [](unsigned char x, unsigned char y) { return std::tolower(x) < std::tolower(y); });
    });
    return found;
}

std::optional<int> CAutosaveStore::AdoptAbandoned(const AbandonedAutosave& abandoned) {
    if (!IsOpen())
        return HoldInPlace(abandoned);
    if (KeepSessionLocked())
        return std::nullopt;
    const int slot = AddSlot();
    std::error_code error;
    fs::rename(abandoned.folder, SlotFolder(slot), error);
    if (error)
        return std::nullopt;
    RemoveSessionIfEmpty(abandoned.folder.parent_path());
    return slot;
}

std::optional<int> CAutosaveStore::HoldInPlace(const AbandonedAutosave& abandoned) {
    const fs::path session = abandoned.folder.parent_path();
    if (!m_heldSessionLocks.count(session)) {
        int fd = -1;
        if (!TryLock(session / kLockName, fd))
            return std::nullopt;
        m_heldSessionLocks[session] = fd;
    }
    if (CopiesIn(abandoned.folder).empty()) { // another run took them before the lock
        ReleaseHeldSession(session);
        return std::nullopt;
    }
    const int slot = AddSlot();
    m_heldSlots[slot] = abandoned.folder;
    return slot;
}

void CAutosaveStore::ReleaseHeldSession(const fs::path& session) {
    for (const auto& [slot, folder] : m_heldSlots) {
        if (folder.parent_path() == session)
            return; // another of its slots is still held
    }
    auto lock = m_heldSessionLocks.find(session);
    if (lock == m_heldSessionLocks.end())
        return;
    RemoveSessionIfEmpty(session);
    ::close(lock->second);
    m_heldSessionLocks.erase(lock);
}

void CAutosaveStore::DiscardAbandoned(const AbandonedAutosave& abandoned) const {
    std::error_code error;
    fs::remove_all(abandoned.folder, error);
    RemoveSessionIfEmpty(abandoned.folder.parent_path());
}
