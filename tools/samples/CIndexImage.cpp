#include "tools/samples/CIndexImage.h"

#include <stdexcept>

namespace samples {

namespace {

int Wrap(int value, int size) {
    int rest = value % size;
    return rest < 0 ? rest + size : rest;
}

} // namespace

CIndexImage::CIndexImage(int width, int height, uint8_t fill) : m_width(width), m_height(height) {
    if (width <= 0 || height <= 0)
        throw std::invalid_argument("an image needs a positive width and height");
    m_pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), fill);
}

void CIndexImage::FillRect(int x, int y, int width, int height, uint8_t index) {
    for (int row = y; row < y + height; ++row) {
        for (int column = x; column < x + width; ++column)
            Set(column, row, index);
    }
}

size_t CIndexImage::Index(int x, int y) const {
    return static_cast<size_t>(Wrap(y, m_height)) * static_cast<size_t>(m_width) +
           static_cast<size_t>(Wrap(x, m_width));
}

} // namespace samples
