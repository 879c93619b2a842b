#pragma once

#include "tools/samples/CIndexImage.h"

#include <string>
#include <vector>

namespace samples {

inline constexpr int kWadHeaderSize = 12;
inline constexpr int kMipHeaderSize = 40;
inline constexpr int kMipLevels = 4;
inline constexpr char kMipTextureType = 'D';

// Builds a WAD2 texture file: the header, every mip texture lump in the order
// added (with all four mip levels, as the game's tools expect), then the
// directory.
class CWad2Writer {
public:
    // `palette` is the 1024-byte palette file the pixels index; the smaller
    // mip levels are matched against it.
    explicit CWad2Writer(std::string palette);

    // Names are at most 15 characters; sides are positive multiples of 16.
    void AddMipTexture(const std::string& name, const CIndexImage& image);
    std::string MakeFile() const;

private:
    struct Lump {
        std::string name;
        std::string data;
    };

    std::string m_palette;
    std::vector<Lump> m_lumps;
};

// A copy of `image` `factor` times smaller on each side: each block of pixels
// becomes the palette colour nearest to the block's average colour.
CIndexImage ShrinkImage(const CIndexImage& image, int factor, const std::string& palette);

} // namespace samples
