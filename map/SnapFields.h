#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The snap step the "Snap" dialog accepts.
inline constexpr int kMinSnap = 1;
inline constexpr int kMaxSnap = 1024;

// What the "Snap" dialog edits: the text of its one box.
struct SnapFields {
    std::string snap;
};

SnapFields LoadSnapFields(int16_t snap);

// The message that keeps the dialog open, or none when the text is a step
// between the bounds.
std::optional<std::string> FindSnapProblem(const SnapFields& fields);

// The step of a record FindSnapProblem accepts.
int16_t StoreSnap(const SnapFields& fields);
