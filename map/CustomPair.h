#pragma once

#include <string>

// A free key/value slot of an entity; free while its key is empty.
struct CustomPair {
    std::string key;
    std::string value;
};
