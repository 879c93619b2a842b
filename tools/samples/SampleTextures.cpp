#include "tools/samples/SampleTextures.h"

#include "tools/samples/TextureDrawing.h"

namespace samples {

std::vector<SampleTexture> DrawSampleTextures() {
    std::vector<SampleTexture> textures;
    auto add = [&](const char* name, CIndexImage image) {
        textures.push_back({name, std::move(image)});
    };
    add("brick_red", DrawBrickWall(Ramp::kBrick, 64, 64, 32, 16, 1001));
    add("brick_grey", DrawBrickWall(Ramp::kGrey, 128, 64, 64, 32, 1101));
    add("stone1", DrawStoneWall());
    add("cobble1", DrawCobbles());
    add("tile1", DrawCheckerTiles());
    add("tile2", DrawMosaic());
    add("floor1", DrawConcrete());
    add("pillar1", DrawPillar());
    add("rock1", DrawRock(Ramp::kEarth, 1961));
    add("moss1", DrawRock(Ramp::kMoss, 1951));
    add("wood1", DrawPlanks());
    add("crate1", DrawCrate());
    add("metal1", DrawMetalPlate());
    add("metal2", DrawTreadPlate());
    add("rustplate", DrawRustPlate());
    add("ceiling1", DrawCeilingPanels());
    add("door1", DrawDoor());
    add("grate1", DrawGrate());
    add("tech1", DrawTechPanel());
    add("trim1", DrawTrim());
    add("light1", DrawLightPanel());
    add("lightstrip", DrawLightStrip());
    add("exit", DrawExitSign());
    add("+0button", DrawButton(false));
    add("+1button", DrawButton(true));
    add("+0slipbot", DrawSlipFrame(0));
    add("+1slipbot", DrawSlipFrame(1));
    add("+2slipbot", DrawSlipFrame(2));
    add("+3slipbot", DrawSlipFrame(3));
    add("trigger", DrawTrigger());
    add("clip", DrawClip());
    add("sky1", DrawSky());
    add("*water1", DrawWater());
    add("*lava1", DrawLava());
    add("*slime1", DrawSlime());
    add("*teleport", DrawTeleport());
    return textures;
}

} // namespace samples
