#pragma once

#include <cstddef>
#include <string>

// Writes a file so that the old one survives any failure: the text goes to a
// temporary file beside the target, every write and the close are checked, and
// only then is the temporary renamed over the target.
class CSafeFileWriter {
public:
    explicit CSafeFileWriter(std::string targetPath);
    ~CSafeFileWriter(); // removes the temporary file unless committed
    CSafeFileWriter(const CSafeFileWriter&) = delete;
    CSafeFileWriter& operator=(const CSafeFileWriter&) = delete;

    // Creates the temporary file. False when it cannot be created.
    bool Open();
    // Appends bytes. After the first failure every call returns false.
    bool Write(const char* data, size_t size);
    // Flushes, closes and renames over the target. False on any failure.
    bool Commit();

    // The system's reason for the first failure, e.g. "No space left on device".
    const std::string& GetError() const { return m_error; }

private:
    bool Fail();

    std::string m_targetPath;
    std::string m_tempPath;
    int m_fd = -1;
    bool m_failed = false;
    bool m_committed = false;
    std::string m_error;
};
