#pragma once

class CTolveDoc;

// One change inside a step of the history: it can take itself back and make
// itself again, exactly, on the map it was made on.
class CEditRecord {
public:
    virtual ~CEditRecord() = default;

    virtual void Undo(CTolveDoc& doc) = 0;
    virtual void Redo(CTolveDoc& doc) = 0;
    // Whether the map is as the record found it, as far as the record goes:
    // such records are dropped when their transaction commits.
    virtual bool ChangesNothing() const { return false; }
};
