#pragma once

#include "framework/FileStamp.h"

#include <optional>
#include <string>

// What a document knows of its file on disk: the file's stamp as the document
// last read or wrote it, and a later state of the file the user has already
// been told of and chose to keep the document over. Comparing the file with
// these tells whether another program wrote it in between.
class CKnownFile {
public:
    enum class Change { kNone, kChanged, kRemoved };

    // After the document read or wrote the file; `throughLink` when its path
    // named a symbolic link to it then, which later saves may follow again.
    void Remember(const FileStamp& stamp, bool throughLink = false) {
        m_stamp = stamp;
        m_throughLink = throughLink;
        m_dismissed.reset();
    }
    // The document no longer stands for a file it read (a recovered copy).
    void Forget() {
        m_stamp.reset();
        m_dismissed.reset();
    }
    bool IsKnown() const { return m_stamp.has_value(); }
    // A link found at the path is followed only when the file was reached
    // through one: a link another program put there is a change of its own.
    bool IsThroughLink() const { return m_throughLink; }

    // How the file at `path` differs from what the document last read or
    // wrote. A change the user dismissed counts as none, so that the same
    // change is never asked about twice. `seen`, when given, gets the stamp
    // the file was compared by.
    Change Compare(const std::string& path, FileStamp* seen = nullptr) const;
    // The user was told of the file as `seen` and keeps the document as it
    // is. The stamp is the one the user was told of, not the file's state
    // after the answer, so that a write during the question is news again.
    void Dismiss(const FileStamp& seen) { m_dismissed = seen; }

private:
    std::optional<FileStamp> m_stamp;
    std::optional<FileStamp> m_dismissed;
    bool m_throughLink = false;
};
