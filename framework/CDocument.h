#pragma once

#include "framework/CKnownFile.h"
#include "framework/UserMessage.h"

#include <string>

// Base of every document: its title and path and the modified flag. What a
// document tells its views is its own business.
class CDocument {
public:
    virtual ~CDocument() = default;

    bool IsModified() const { return m_modified; }
    // Every change marks the document modified and counts, so that a copy
    // can tell whether it is out of date.
    void SetModifiedFlag(bool modified = true) {
        m_modified = modified;
        if (modified)
            ++m_revision;
    }
    unsigned long GetRevision() const { return m_revision; }

    const std::string& GetTitle() const { return m_title; }
    void SetTitle(const std::string& title) { m_title = title; }
    const std::string& GetPathName() const { return m_pathName; }
    void SetPathName(const std::string& path) { m_pathName = path; }
    // The file under the path as the document last read or wrote it.
    CKnownFile& GetKnownFile() { return m_knownFile; }
    const CKnownFile& GetKnownFile() const { return m_knownFile; }

    // Empties the document; the base only clears the modified flag.
    virtual void DeleteContents() { m_modified = false; }
    // Makes a new, empty document. The base empties it.
    virtual bool OnNewDocument();
    // Open and save say what the user should hear in `messages`, in order;
    // the caller shows them.
    virtual bool OnOpenDocument(const std::string& path, UserMessages& messages) = 0;
    virtual bool OnSaveDocument(const std::string& path, UserMessages& messages) = 0;

private:
    bool m_modified = false;
    unsigned long m_revision = 0;
    std::string m_title;
    std::string m_pathName;
    CKnownFile m_knownFile;
};
