#pragma once

#include "framework/FileAttributes.h"
#include "framework/FileStamp.h"

#include <cstddef>
#include <string>

// What a finished save left on disk besides the text: the file's stamp, and
// what it kept of the attributes of the file it replaced.
struct WrittenFile {
    FileStamp stamp;
    AttributeChange attributes;
};

// Writes a file so that the old one survives any failure: the text goes to a
// temporary file beside the target, every write and the close are checked, and
// only then is the temporary renamed over the target.
//
// A symbolic link is followed to its final target, which is written (the link
// stays a link). A target that is not a regular file, or that the user may not
// write, is refused rather than replaced. The new file takes over the owner,
// group and permission bits of the one it replaces as far as the process may
// set them (root may give any owner; a user may give a group of theirs); what
// it could not keep is told, not refused. Temporary files are named
// ".NAME.tolve-save-PID-XXXXXX"; one left by a save that was killed is removed
// by the next save of the same file (see CStaleSaveSweeper).
class CSafeFileWriter {
public:
    explicit CSafeFileWriter(std::string targetPath);
    ~CSafeFileWriter(); // removes the temporary file unless committed
    CSafeFileWriter(const CSafeFileWriter&) = delete;
    CSafeFileWriter& operator=(const CSafeFileWriter&) = delete;

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
    WrittenFile GetWrittenFile() const { return {m_writtenStamp, m_attributes}; }

    // The prefix of the temporary files of `target`'s saves.
    static std::string TempPrefix(const std::string& fileName);

private:
    bool Fail();
    bool Fail(std::string reason);
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
    AttributeChange m_attributes;
    FileStamp m_writtenStamp;
    std::string m_error;
};
