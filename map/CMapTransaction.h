#pragma once

#include "map/CMapEdits.h"

#include <cstddef>
#include <string>

class CTolveDoc;

// The only way to change a map: a transaction is opened, its edits change the
// map and record how, and it is committed as one named step of the history or
// rolled back, leaving the map exactly as it was. One that ends neither way
// rolls back. Opened inside another, it joins that one: its commit keeps its
// edits in the outer transaction, its roll-back takes back its own only.
class CMapTransaction {
public:
    CMapTransaction(CTolveDoc& doc, std::string name);
    ~CMapTransaction();
    CMapTransaction(const CMapTransaction&) = delete;
    CMapTransaction& operator=(const CMapTransaction&) = delete;

    CMapEdits& Edits() { return m_edits; }
    CTolveDoc& GetDocument() { return m_doc; }
    bool IsOpen() const { return m_open; }
    // Whether an edit has been recorded since the transaction opened.
    bool HasChanges() const;

    void Commit();
    void RollBack();

private:
    CTolveDoc& m_doc;
    std::string m_name;
    size_t m_mark;
    bool m_open = true;
    CMapEdits m_edits;
};
