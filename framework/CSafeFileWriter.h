#pragma once

#include "framework/FileAttributes.h"
#include "framework/FileStamp.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

// What a finished save left on disk besides the text: the file's stamp, what
// it kept of the attributes of the file it replaced, and whether the target's
// path was a symbolic link that the save followed.
struct WrittenFile {
    FileStamp stamp;
    AttributeChange attributes;
    bool throughLink = false;
};

// The state a caller last saw the target in, and agreed to replace. A link at
// the target is followed only when `followLink` (the file was reached through
// it before); otherwise the link itself is replaced, never the file it names.
struct ExpectedTarget {
    FileStamp stamp; // as ReadFileStamp, or ReadEntryStamp without followLink
    bool followLink = false;
};

// Writes a file so that the old one survives any failure: the text goes to a
// temporary file beside the target, every write and the close are checked, and
// only then is the temporary renamed over the target.
//
// A symbolic link is followed to its final target, which is written (the link
// stays a link), unless an expected target says otherwise. Just before the
// rename the target is looked at again: when another program wrote, replaced
// or removed it during the save, the save fails (WasChangedMeanwhile) and
// leaves that program's file as it is. A target that is not a regular file, or that the user may
// not write, is refused rather than replaced. The new file takes over the owner, group and
// permission bits of the one it replaces as far as the process may set them (root may give any
// owner; a user may give a group of theirs); what it could not keep is told, not refused. Temporary
// files are named
// ".NAME.tolve-save-PID-XXXXXX"; one left by a save that was killed is removed
// by the next save of the same file (see CStaleSaveSweeper).
class CSafeFileWriter {
public:
    explicit CSafeFileWriter(std::string targetPath);
    ~CSafeFileWriter(); // removes the temporary file unless committed
    CSafeFileWriter(const CSafeFileWriter&) = delete;
    CSafeFileWriter& operator=(const CSafeFileWriter&) = delete;

    // Before Open: the target must still be as `expected` when it is opened
    // and when it is replaced.
    void Expect(const ExpectedTarget& expected);
    // Creates the temporary file. False when it cannot be created or the
    // target may not be replaced.
    bool Open();
    // Appends bytes. After the first failure every call returns false.
    bool Write(const char* data, size_t size);
    // Flushes, closes and renames over the target. False on any failure.
    bool Commit();

    // The system's reason for the first failure, e.g. "No space left on device".
    const std::string& GetError() const { return m_error; }
    // The file that is written in the end: the target with its links followed.
    const std::string& GetFinalPath() const { return m_finalPath; }
    // Once open: the replaced file's attributes and the new file's.
    const AttributeChange& GetAttributeChange() const { return m_attributes; }
    // Once committed: the stamp of the file as written, and its attributes.
    WrittenFile GetWrittenFile() const {
        return {m_writtenStamp, m_attributes, m_finalPath != m_targetPath};
    }
    // The save failed because the target was not as expected or changed
    // while the text was written.
    bool WasChangedMeanwhile() const { return m_changedMeanwhile; }

    // For tests: called with the final path just before the target is looked
    // at for the last time and replaced, as another program could write it
    // then. An empty function removes the hook.
    static void SetBeforeReplaceHook(std::function<void(const std::string&)> hook);

    // The prefix of the temporary files of `target`'s saves.
    static std::string TempPrefix(const std::string& fileName);

private:
    bool Fail();
    bool Fail(std::string reason);
    bool FailChanged();
    FileStamp StampTarget() const;
    bool ResolveTarget();
    bool CheckExistingTarget();
    bool TakeOverAttributes();

    std::string m_targetPath;
    std::string m_finalPath;
    std::string m_tempPath;
    int m_fd = -1;
    bool m_failed = false;
    bool m_committed = false;
    bool m_replacing = false; // the target exists
    bool m_followLinks = true;
    bool m_changedMeanwhile = false;
    std::optional<FileStamp> m_expectedStamp;
    FileStamp m_openedStamp; // the target when the save began
    AttributeChange m_attributes;
    FileStamp m_writtenStamp;
    std::string m_error;
};
