#pragma once

#include "tools/samples/CIndexImage.h"

#include <string>
#include <vector>

namespace samples {

struct SampleTexture {
    std::string name;
    CIndexImage image;
};

// Every texture of the sample texture file, in file order.
std::vector<SampleTexture> DrawSampleTextures();

} // namespace samples
