#include "map/SnapFields.h"

#include "framework/FieldMessages.h"
#include "framework/TextToNumber.h"

SnapFields LoadSnapFields(int16_t snap) {
    return {std::to_string(snap)};
}

std::optional<std::string> FindSnapProblem(const SnapFields& fields) {
    std::optional<int32_t> value = ParseWholeInteger(fields.snap);
    if (!value)
        return std::string(kPositiveIntegerMessage);
    if (*value < kMinSnap || *value > kMaxSnap)
        return DescribeIntegerRange(kMinSnap, kMaxSnap);
    return std::nullopt;
}

int16_t StoreSnap(const SnapFields& fields) {
    return static_cast<int16_t>(ParseInt(fields.snap.c_str()));
}
