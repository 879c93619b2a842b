#pragma once

#include <cstdint>

struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kGrey{160, 160, 160};
inline constexpr Rgb kNavy{0, 0, 160};
inline constexpr Rgb kPurple{160, 0, 160};
inline constexpr Rgb kDarkGreen{0, 160, 0};
inline constexpr Rgb kOlive{160, 160, 0};
inline constexpr Rgb kTeal{0, 160, 160};
inline constexpr Rgb kDarkRed{160, 0, 0};
inline constexpr Rgb kOrange{230, 110, 0}; // the selection set

// What the map drawing needs from a surface; pens are solid and one pixel wide.
class CCanvas {
public:
    virtual ~CCanvas() = default;
    virtual void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Rgb colour) = 0;
    // The outline of the rectangle with these two corners.
    virtual void DrawRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Rgb colour) = 0;
    // An ellipse in the box from (left, top) to (right, bottom), filled and outlined.
    virtual void DrawEllipse(int32_t left, int32_t top, int32_t right, int32_t bottom, Rgb fill,
                             Rgb outline) = 0;
    // Text with its top-left corner at (x, y), in the surface's default font,
    // black on the window background.
    virtual void DrawText(int32_t x, int32_t y, const char* text) = 0;
    // A line across the surface at column `at` (vertical) or row `at`, from 0
    // to `length`: the same pixels as DrawLine, which a surface may fill faster.
    virtual void DrawRule(bool vertical, int32_t at, int32_t length, Rgb colour) {
        if (vertical)
            DrawLine(at, 0, at, length, colour);
        else
            DrawLine(0, at, length, at, colour);
    }
};
