#pragma once

#include <string>
#include <vector>

// Numeric hint of a change notification; the object it refers to depends on
// the hint and is interpreted by the views.
using UpdateHint = int;

// Something that shows a document and wants to hear about its changes.
class CDocumentObserver {
public:
    virtual ~CDocumentObserver() = default;
    virtual void OnDocumentUpdate(UpdateHint hint, void* object) = 0;
};

// Base of every document: its title and path, the modified flag and the views
// that show it. Notifications are delivered synchronously, in registration order.
class CDocument {
public:
    virtual ~CDocument() = default;

    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true) { m_modified = modified; }

    const std::string& GetTitle() const { return m_title; }
    void SetTitle(const std::string& title) { m_title = title; }
    const std::string& GetPathName() const { return m_pathName; }
    void SetPathName(const std::string& path) { m_pathName = path; }

    void AddView(CDocumentObserver* view);
    void RemoveView(CDocumentObserver* view);
    const std::vector<CDocumentObserver*>& GetViews() const { return m_views; }
    void UpdateAllViews(UpdateHint hint, void* object = nullptr);

    // Empties the document; the base only clears the modified flag.
    virtual void DeleteContents() { m_modified = false; }
    // Makes a new, empty document. The base empties it.
    virtual bool OnNewDocument();
    virtual bool OnOpenDocument(const std::string& path) = 0;
    virtual bool OnSaveDocument(const std::string& path) = 0;

private:
    bool m_modified = false;
    std::string m_title;
    std::string m_pathName;
    std::vector<CDocumentObserver*> m_views;
};
