#pragma once

#include <cstddef>
#include <cstdint>

// Bodies of the fuzz targets: each must survive any bytes without a crash, an
// out-of-bounds access or undefined behaviour. The regular tests replay the
// seed corpora through the same functions.
void FuzzMapReader(const uint8_t* data, size_t size);
void FuzzWadLoader(const uint8_t* data, size_t size);
void FuzzDefinitionReaders(const uint8_t* data, size_t size);
