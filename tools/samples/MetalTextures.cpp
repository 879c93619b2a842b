#include "tools/samples/TextureDrawing.h"

#include <algorithm>
#include <cstdlib>

namespace samples {

namespace {

// Brushed steel: faint horizontal streaks over soft noise.
void FillBrushedSteel(CIndexImage& image, const CTileNoise& noise, Ramp ramp, int level) {
    for (int y = 0; y < image.Height(); ++y) {
        int streak = noise.Random(0, y, 21) % 3 - 1;
        for (int x = 0; x < image.Width(); ++x)
            image.Set(x, y,
                      Shade(ramp, level + streak + NoiseOffset(noise.Fractal(x, y, 16, 3), 1)));
    }
}

void DrawPanel(CIndexImage& image, const CTileNoise& noise, Ramp ramp, int x, int y, int width,
               int height, int level) {
    BlockStyle style{ramp, 1, 16, 3, 17};
    DrawBlock(image, noise, style, x, y, width, height, level);
}

// A round lamp: bright in the middle, with a highlight to the upper left.
void DrawLamp(CIndexImage& image, int centreX, int centreY, int radius, Ramp ramp, int level) {
    for (int y = -radius; y <= radius; ++y) {
        for (int x = -radius; x <= radius; ++x) {
            int distance = x * x + y * y;
            if (distance > radius * radius)
                continue;
            int shade = level - distance * 4 / (radius * radius);
            if (distance >= (radius - 1) * (radius - 1))
                shade = 2;
            image.Set(centreX + x, centreY + y, Shade(ramp, shade));
        }
    }
    image.Set(centreX - radius / 2, centreY - radius / 2, Shade(Ramp::kGrey, 15));
}

} // namespace

CIndexImage DrawMetalPlate() {
    CIndexImage image(64, 64);
    CTileNoise noise(64, 64, 2101);
    FillBrushedSteel(image, noise, Ramp::kSteel, 8);
    DrawBevel(image, 0, 0, 64, 64, Shade(Ramp::kSteel, 12), Shade(Ramp::kSteel, 3));
    for (int x : {4, 30, 57}) {
        for (int y : {4, 57})
            DrawRivet(image, x, y, Ramp::kSteel);
    }
    return image;
}

CIndexImage DrawTreadPlate() {
    CIndexImage image(64, 64);
    CTileNoise noise(64, 64, 2201);
    FillBrushedSteel(image, noise, Ramp::kSteel, 6);
    // Raised diamonds on a 16-unit grid, alternately leaning left and right.
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            int u = x % 16 - 8;
            int v = y % 16 - 8;
            if ((x / 16 + y / 16) % 2 == 1)
                u = -u;
            if (std::abs(u - v) < 2 && std::abs(u + v) < 10)
                image.Set(x, y, Shade(Ramp::kSteel, u + v < 0 ? 12 : 9));
            else if (std::abs(u - v) == 2 && std::abs(u + v) < 10)
                image.Set(x, y, Shade(Ramp::kSteel, u > v ? 3 : 10));
        }
    }
    return image;
}

CIndexImage DrawRustPlate() {
    CIndexImage image(64, 64);
    CTileNoise noise(64, 64, 2301);
    FillBrushedSteel(image, noise, Ramp::kSteel, 7);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            int rust = noise.Fractal(x, y, 32, 4, 40);
            if (rust > 128)
                image.Set(x, y, Shade(Ramp::kRust, 3 + (rust - 128) / 12 + noise.Random(x, y) % 2));
        }
    }
    for (int panel = 0; panel < 2; ++panel) {
        DrawBevel(image, panel * 32, 0, 32, 64, Shade(Ramp::kSteel, 11), Shade(Ramp::kSteel, 2));
        DrawRivet(image, panel * 32 + 3, 3, Ramp::kSteel);
        DrawRivet(image, panel * 32 + 26, 58, Ramp::kSteel);
    }
    return image;
}

CIndexImage DrawCeilingPanels() {
    CIndexImage image(64, 64, Shade(Ramp::kSteel, 2));
    CTileNoise noise(64, 64, 2401);
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 2; ++column) {
            DrawPanel(image, noise, Ramp::kSteel, column * 32 + 1, row * 32 + 1, 30, 30, 7);
            DrawRivet(image, column * 32 + 15, row * 32 + 15, Ramp::kSteel);
        }
    }
    return image;
}

CIndexImage DrawDoor() {
    CIndexImage image(64, 128);
    CTileNoise noise(64, 128, 2501);
    FillBrushedSteel(image, noise, Ramp::kSteel, 7);
    DrawBevel(image, 0, 0, 64, 128, Shade(Ramp::kSteel, 12), Shade(Ramp::kSteel, 2));
    DrawBevel(image, 3, 3, 58, 122, Shade(Ramp::kSteel, 3), Shade(Ramp::kSteel, 11));
    image.FillRect(31, 4, 1, 104, Shade(Ramp::kSteel, 1));
    image.FillRect(32, 4, 1, 104, Shade(Ramp::kSteel, 10));
    for (int barY : {24, 72}) {
        DrawPanel(image, noise, Ramp::kRust, 4, barY, 56, 10, 7);
        for (int x : {7, 22, 39, 54})
            DrawRivet(image, x, barY + 3, Ramp::kSteel);
    }
    // Hazard stripes along the foot of the door.
    for (int y = 108; y < 124; ++y) {
        for (int x = 4; x < 60; ++x)
            image.Set(x, y, (x + y) / 8 % 2 == 0 ? Shade(Ramp::kGold, 11) : Shade(Ramp::kGrey, 2));
    }
    DrawBevel(image, 4, 108, 56, 16, Shade(Ramp::kSteel, 3), Shade(Ramp::kSteel, 11));
    return image;
}

CIndexImage DrawGrate() {
    CIndexImage image(64, 64, Shade(Ramp::kGrey, 1));
    CTileNoise noise(64, 64, 2601);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            int across = y % 16;
            int along = x % 8;
            if (across < 4)
                image.Set(x, y, Shade(Ramp::kSteel, 11 - across * 2 + noise.Random(x, y) % 2));
            else if (along < 2)
                image.Set(x, y, Shade(Ramp::kSteel, along == 0 ? 9 : 5));
            else if (across == 4)
                image.Set(x, y, Shade(Ramp::kGrey, 0));
        }
    }
    return image;
}

CIndexImage DrawTechPanel() {
    CIndexImage image(64, 64, Shade(Ramp::kSteel, 2));
    CTileNoise noise(64, 64, 2701);
    DrawPanel(image, noise, Ramp::kSteel, 0, 0, 64, 64, 6);
    DrawPanel(image, noise, Ramp::kSteel, 6, 6, 24, 20, 9);
    // Glowing conduits and status lights.
    image.FillRect(0, 40, 64, 2, Shade(Ramp::kTeal, 13));
    image.FillRect(0, 42, 64, 1, Shade(Ramp::kTeal, 7));
    image.FillRect(44, 0, 2, 40, Shade(Ramp::kTeal, 13));
    image.FillRect(46, 0, 1, 40, Shade(Ramp::kTeal, 7));
    for (int i = 0; i < 4; ++i) {
        image.FillRect(10 + i * 5, 32, 3, 3, Shade(i % 2 == 0 ? Ramp::kSlime : Ramp::kFire, 15));
        image.FillRect(50, 8 + i * 6, 8, 2, Shade(Ramp::kGrey, 1));
    }
    for (int x = 8; x < 40; x += 4)
        image.FillRect(x, 50, 2, 8, Shade(Ramp::kGrey, 1));
    return image;
}

CIndexImage DrawTrim() {
    CIndexImage image(64, 16);
    CTileNoise noise(64, 16, 2801);
    DrawPanel(image, noise, Ramp::kGold, 0, 0, 64, 16, 8);
    // An embossed diamond every 16 units.
    for (int y = 3; y < 13; ++y) {
        for (int x = 0; x < 64; ++x) {
            int u = x % 16 - 8;
            int v = y - 8;
            int size = std::abs(u) + std::abs(v);
            if (size < 5)
                image.Set(x, y, Shade(Ramp::kGold, u + v < 0 ? 13 : 10));
            else if (size == 5)
                image.Set(x, y, Shade(Ramp::kGold, u + v < 0 ? 11 : 4));
        }
    }
    return image;
}

CIndexImage DrawLightPanel() {
    CIndexImage image(32, 32);
    CTileNoise noise(32, 32, 2901);
    DrawPanel(image, noise, Ramp::kSteel, 0, 0, 32, 32, 6);
    for (int y = 4; y < 28; ++y) {
        for (int x = 4; x < 28; ++x) {
            int edge = std::min(std::min(x - 4, 27 - x), std::min(y - 4, 27 - y));
            image.Set(x, y, Shade(Ramp::kFire, 10 + std::min(edge, 5)));
        }
    }
    DrawBevel(image, 4, 4, 24, 24, Shade(Ramp::kSteel, 2), Shade(Ramp::kSteel, 12));
    return image;
}

CIndexImage DrawLightStrip() {
    CIndexImage image(64, 16);
    CTileNoise noise(64, 16, 3001);
    DrawPanel(image, noise, Ramp::kSteel, 0, 0, 64, 16, 6);
    for (int x = 0; x < 64; ++x) {
        if (x % 32 < 3)
            continue;
        image.FillRect(x, 5, 1, 6, Shade(Ramp::kSky, 13));
        image.FillRect(x, 7, 1, 2, Shade(Ramp::kSky, 15));
    }
    return image;
}

CIndexImage DrawButton(bool lit) {
    CIndexImage image(32, 32);
    CTileNoise noise(32, 32, 3101);
    DrawPanel(image, noise, Ramp::kSteel, 0, 0, 32, 32, 7);
    DrawLamp(image, 16, 16, 9, lit ? Ramp::kFire : Ramp::kBrick, lit ? 15 : 6);
    return image;
}

CIndexImage DrawSlipFrame(int frame) {
    CIndexImage image(64, 64);
    CTileNoise noise(64, 64, 3201);
    FillBrushedSteel(image, noise, Ramp::kGrey, 3);
    // Chevrons pointing along +x; each frame moves them a quarter period on.
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            int u = (x - frame * 4 + 64) % 16;
            int dv = std::abs(y % 16 - 8);
            int stripe = (u + dv) % 16;
            if (stripe < 4)
                image.Set(x, y, Shade(Ramp::kGold, 9 + (stripe == 0 ? 3 : 0)));
        }
    }
    return image;
}

CIndexImage DrawExitSign() {
    CIndexImage image(64, 32);
    CTileNoise noise(64, 32, 3301);
    DrawPanel(image, noise, Ramp::kSteel, 0, 0, 64, 32, 3);
    int width = TextWidth("EXIT", 2);
    DrawText(image, (64 - width) / 2, 9, "EXIT", 2, Shade(Ramp::kSlime, 15),
             Shade(Ramp::kSlime, 3));
    return image;
}

} // namespace samples
