#pragma once

#include <string>
#include <vector>

// One key/value pair of an entity that has no field of its own in the model:
// "_color", "wait" of a light, a key typed into a Custom row. Kept in file order
// and written back after the entity's own keys.
struct CustomPair {
    std::string key;
    std::string value;

    friend bool operator==(const CustomPair&, const CustomPair&) = default;
};

using CustomPairList = std::vector<CustomPair>;
