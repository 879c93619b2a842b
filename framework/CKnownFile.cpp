#include "framework/CKnownFile.h"

CKnownFile::Change CKnownFile::Compare(const std::string& path, FileStamp* seen) const {
    if (!m_stamp)
        return Change::kNone;
    const FileStamp now = m_throughLink ? ReadFileStamp(path) : ReadEntryStamp(path);
    if (seen)
        *seen = now;
    if (now == *m_stamp || now == m_dismissed)
        return Change::kNone;
    return now.exists ? Change::kChanged : Change::kRemoved;
}
