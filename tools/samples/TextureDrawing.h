#pragma once

#include "tools/samples/CIndexImage.h"
#include "tools/samples/CTileNoise.h"
#include "tools/samples/SamplePalette.h"

#include <string_view>

namespace samples {

// Shared strokes of the sample texture painters.

// Maps a noise value 0..255 onto a level offset of -spread..+spread.
int NoiseOffset(int noise, int spread);
// The slope of the noise field towards the upper left: positive where the
// surface faces the light. Gives rough surfaces their relief.
int Relief(const CTileNoise& noise, int x, int y, int cell, int octaves);

// How a raised rectangle (a brick, a panel, a tile) is painted.
struct BlockStyle {
    Ramp ramp = Ramp::kGrey;
    int grain = 2; // strength of the surface noise, in levels
    int cell = 8;  // size of the surface noise
    int bevel = 2; // lighter upper-left and darker lower-right edge, in levels
    uint32_t salt = 0;
};

void DrawBlock(CIndexImage& image, const CTileNoise& noise, const BlockStyle& style, int x, int y,
               int width, int height, int level);
// A one-pixel frame: upper and left edges `light`, lower and right `dark`.
void DrawBevel(CIndexImage& image, int x, int y, int width, int height, uint8_t light,
               uint8_t dark);
// A 3x3 rivet head lit from the upper left.
void DrawRivet(CIndexImage& image, int x, int y, Ramp ramp);
// Text in a 5x7 capital font, each font pixel `scale` pixels wide, with a
// shadow one pixel down and right. Letters the font lacks are left blank.
void DrawText(CIndexImage& image, int x, int y, std::string_view text, int scale, uint8_t colour,
              uint8_t shadow);
int TextWidth(std::string_view text, int scale);

// The painters, grouped by material.
CIndexImage DrawBrickWall(Ramp brick, int width, int height, int brickWidth, int brickHeight,
                          uint32_t seed);
CIndexImage DrawStoneWall();
CIndexImage DrawCobbles();
CIndexImage DrawCheckerTiles();
CIndexImage DrawMosaic();
CIndexImage DrawConcrete();
CIndexImage DrawPillar();
CIndexImage DrawRock(Ramp ramp, uint32_t seed);
CIndexImage DrawPlanks();
CIndexImage DrawCrate();

CIndexImage DrawMetalPlate();
CIndexImage DrawTreadPlate();
CIndexImage DrawRustPlate();
CIndexImage DrawCeilingPanels();
CIndexImage DrawDoor();
CIndexImage DrawGrate();
CIndexImage DrawTechPanel();
CIndexImage DrawTrim();
CIndexImage DrawLightPanel();
CIndexImage DrawLightStrip();
CIndexImage DrawButton(bool lit);
CIndexImage DrawSlipFrame(int frame);
CIndexImage DrawExitSign();

CIndexImage DrawTrigger();
CIndexImage DrawClip();
CIndexImage DrawSky();
CIndexImage DrawWater();
CIndexImage DrawLava();
CIndexImage DrawSlime();
CIndexImage DrawTeleport();

} // namespace samples
