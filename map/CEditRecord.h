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
    // Told when the record is dropped for changing nothing: the objects it
    // concerns are as their text says again (see TextSpan.h).
    virtual void RestoreSource() {}
    // Told when a save wrote the map anew: the states the record holds are in
    // no text the map keeps, and are written anew when they come back.
    virtual void ForgetSource() {}
    // Told next, once every record forgot: a state of an object still in the
    // map takes the comments the save wrote before the object (the lead of
    // its new text), so that an undo past the save leaves them in place. An
    // object out of the map has no text by then.
    virtual void TakeSavedLead() {}
};
