#pragma once

#include <cstdint>

// Where an object's text stands in the text its map was last read from or
// saved as: offsets into that one buffer (MapSourceText), so that a save can
// copy an object nobody changed byte for byte. The text of an object begins
// with the comments and blank lines before its opening brace ("// brush 12"
// belongs to the brush after it) and ends with the line of its closing brace.
//
// Spans say where an object's text is, not what the object is: two objects
// alike in everything a save writes are alike whatever text they came from,
// so spans always compare equal (a dialog closed without a change still
// changes nothing).
inline constexpr uint32_t kNoText = UINT32_MAX;

// The text of a brush. An edit of the brush takes its end away (the text no
// longer says what the brush is) but keeps its beginning, so that the
// comments before the brush stay with it.
struct TextSpan {
    uint32_t begin = kNoText;
    uint32_t end = kNoText;

    bool IsKept() const { return end != kNoText; }
    bool HasLead() const { return begin != kNoText; }
    void Touch() { end = kNoText; }
    void Forget() { *this = TextSpan(); }
    // The comments before the brush, without the brush's text.
    TextSpan Lead() const { return {begin, kNoText}; }

    friend bool operator==(const TextSpan&, const TextSpan&) { return true; }
};

// The text of an entity: its head (comments, opening brace and key lines),
// its brushes, and its tail (from the end of its last brush to the line of
// its closing brace). An edit of the entity's keys takes the head's end away;
// the tail stays, whatever becomes of the brushes.
struct EntitySpan {
    uint32_t begin = kNoText;
    uint32_t headEnd = kNoText;
    uint32_t tailBegin = kNoText;
    uint32_t end = kNoText;

    bool IsHeadKept() const { return begin != kNoText && headEnd != kNoText; }
    bool HasLead() const { return begin != kNoText; }
    bool IsTailKept() const { return tailBegin != kNoText; }
    void Touch() { headEnd = kNoText; }
    void Forget() { *this = EntitySpan(); }
    // The comments before the entity and its tail, without its head.
    EntitySpan Lead() const { return {begin, kNoText, tailBegin, end}; }

    friend bool operator==(const EntitySpan&, const EntitySpan&) { return true; }
};
