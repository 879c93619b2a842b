#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace samples {

// An image of palette indices, row by row from the top. Coordinates wrap
// around both edges, so shapes drawn across an edge continue on the other
// side and every texture tiles seamlessly.
class CIndexImage {
public:
    CIndexImage(int width, int height, uint8_t fill = 0);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    const std::vector<uint8_t>& Pixels() const { return m_pixels; }

    uint8_t At(int x, int y) const { return m_pixels[Index(x, y)]; }
    void Set(int x, int y, uint8_t index) { m_pixels[Index(x, y)] = index; }
    void FillRect(int x, int y, int width, int height, uint8_t index);

private:
    size_t Index(int x, int y) const;

    int m_width;
    int m_height;
    std::vector<uint8_t> m_pixels;
};

} // namespace samples
