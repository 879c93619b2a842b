#include "tools/samples/TextureDrawing.h"

#include <cstdlib>

namespace samples {

namespace {

// Diagonal stripes of two colours, `width` units each, with a label box.
CIndexImage DrawToolTexture(std::string_view label, Ramp ramp, uint8_t other) {
    CIndexImage image(64, 64);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x)
            image.Set(x, y, (x + y) / 8 % 2 == 0 ? Shade(ramp, 8) : other);
    }
    image.FillRect(2, 24, 60, 16, Shade(Ramp::kGrey, 1));
    DrawBevel(image, 2, 24, 60, 16, Shade(ramp, 12), Shade(ramp, 4));
    DrawText(image, (64 - TextWidth(label, 1)) / 2, 28, label, 1, Shade(ramp, 15), Shade(ramp, 3));
    return image;
}

} // namespace

CIndexImage DrawTrigger() {
    return DrawToolTexture("TRIGGER", Ramp::kViolet, Shade(Ramp::kGold, 9));
}

CIndexImage DrawClip() {
    return DrawToolTexture("CLIP", Ramp::kSky, Shade(Ramp::kGrey, 5));
}

CIndexImage DrawSky() {
    // The game scrolls two 128-unit layers: clouds on the left half (black
    // shows the layer behind), open sky on the right.
    constexpr int kLayer = 128;
    CIndexImage image(2 * kLayer, kLayer);
    CTileNoise back(kLayer, kLayer, 3401);
    CTileNoise front(kLayer, kLayer, 3402);
    for (int y = 0; y < kLayer; ++y) {
        for (int x = 0; x < kLayer; ++x) {
            int haze = back.Fractal(x, y, 64, 5);
            image.Set(kLayer + x, y, Shade(Ramp::kSky, 3 + haze * 10 / 256));
            int cloud = front.Fractal(x, y, 64, 5);
            image.Set(x, y, cloud < 118 ? 0 : Shade(Ramp::kGrey, 7 + (cloud - 118) / 6));
        }
    }
    return image;
}

CIndexImage DrawWater() {
    CIndexImage image(64, 64);
    CTileNoise noise(64, 64, 3501);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            int swell = noise.Fractal(x, y, 32, 4);
            int ripple = 255 - 2 * std::abs(noise.Fractal(x, y, 16, 2, 8) - 128);
            int level = 4 + swell * 5 / 256 + (ripple > 225 ? 4 : (ripple > 200 ? 2 : 0));
            image.Set(x, y, Shade(Ramp::kWater, level));
        }
    }
    return image;
}

CIndexImage DrawLava() {
    CIndexImage image(64, 64);
    CTileNoise noise(64, 64, 3601);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            int heat = noise.Fractal(x, y, 32, 4);
            int vein = 255 - 2 * std::abs(noise.Fractal(x, y, 16, 3, 4) - 128);
            if (heat < 110 && vein < 200)
                image.Set(x, y, Shade(Ramp::kRust, 2 + heat / 40 + noise.Random(x, y) % 2));
            else
                image.Set(x, y, Shade(Ramp::kFire, 7 + heat / 64 + (vein > 215 ? 4 : 0)));
        }
    }
    return image;
}

CIndexImage DrawSlime() {
    CIndexImage image(64, 64);
    CTileNoise noise(64, 64, 3701);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x)
            image.Set(x, y, Shade(Ramp::kSlime, 6 + NoiseOffset(noise.Fractal(x, y, 32, 4), 6)));
    }
    // Bubbles: light rings with a bright glint.
    for (int bubble = 0; bubble < 9; ++bubble) {
        uint32_t hash = noise.Hash(bubble, 0, 77);
        int centreX = static_cast<int>(hash % 64);
        int centreY = static_cast<int>((hash >> 8) % 64);
        int radius = 2 + static_cast<int>((hash >> 16) % 3);
        for (int dy = -radius; dy <= radius; ++dy) {
            for (int dx = -radius; dx <= radius; ++dx) {
                int distance = dx * dx + dy * dy;
                if (distance <= radius * radius && distance > (radius - 1) * (radius - 1))
                    image.Set(centreX + dx, centreY + dy, Shade(Ramp::kSlime, 12));
            }
        }
        image.Set(centreX - 1, centreY - 1, Shade(Ramp::kSlime, 15));
    }
    return image;
}

CIndexImage DrawTeleport() {
    CIndexImage image(64, 64);
    CTileNoise noise(64, 64, 3801);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            int swirl = 255 - 2 * std::abs(noise.Fractal(x, y, 32, 4) - 128);
            int level = 2 + swirl * 8 / 256;
            int spark = noise.Random(x, y, 3);
            if (spark > 251)
                image.Set(x, y, Shade(Ramp::kGrey, 15));
            else if (spark > 245)
                image.Set(x, y, Shade(Ramp::kViolet, 14));
            else
                image.Set(x, y, Shade(Ramp::kViolet, level));
        }
    }
    return image;
}

} // namespace samples
