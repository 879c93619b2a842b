#pragma once

#include <cstddef>

class CTolveDoc;

// The bytes the map model of `doc` holds by itself: every brush and entity
// object, the lists that point at them and the heap text of its strings.
// What the allocator adds per block is not counted.
size_t EstimateModelBytes(const CTolveDoc& doc);
