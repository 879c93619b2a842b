#include "tools/samples/SampleMap.h"

#include "tools/samples/CMapTextBuilder.h"

namespace samples {

namespace {

// The south hall (player start) spans x -256..256, y -512..0; the corridor
// x -64..64, y 0..256; the north hall x -384..384, y 256..768. Floors are
// at z 0, walls 16 units thick.
constexpr int kWall = 16;
constexpr int kSouthHallTop = 192;
constexpr int kCorridorTop = 128;
constexpr int kNorthHallTop = 256;
constexpr int kPoolFloor = -80;

void AddSouthHall(CMapTextBuilder& map) {
    map.AddBox({-272, -528, -16}, {272, 16, 0}, BoxTextures{"stone1", "tile1", "stone1"});
    map.AddBox({-272, -528, kSouthHallTop}, {272, 16, kSouthHallTop + kWall}, "ceiling1");
    map.AddBox({-272, -528, 0}, {-256, 16, kSouthHallTop}, "brick_red");
    map.AddBox({256, -528, 0}, {272, 16, kSouthHallTop}, "brick_red");
    map.AddBox({-256, -528, 0}, {256, -512, kSouthHallTop}, "brick_red");
    // The north wall leaves a doorway into the corridor.
    map.AddBox({-256, 0, 0}, {-64, 16, kSouthHallTop}, "brick_red");
    map.AddBox({64, 0, 0}, {256, 16, kSouthHallTop}, "brick_red");
    map.AddBox({-64, 0, kCorridorTop}, {64, 16, kSouthHallTop}, "trim1");
    for (int x : {-160, 160}) {
        map.AddBox({x - 16, -272, 0}, {x + 16, -240, kSouthHallTop}, "pillar1");
        for (int y : {-384, -128})
            map.AddBox({x - 16, y - 16, kSouthHallTop - 8}, {x + 16, y + 16, kSouthHallTop},
                       "light1");
    }
    // A stepped dais against the south wall.
    map.AddBox({-96, -512, 0}, {96, -416, 16}, BoxTextures{"trim1", "stone1", "stone1"});
    map.AddBox({-64, -512, 16}, {64, -448, 32}, BoxTextures{"trim1", "stone1", "stone1"});
    map.AddBox({-32, -512, 32}, {32, -480, 48}, BoxTextures{"metal1", "metal2", "metal1"});
}

void AddCorridor(CMapTextBuilder& map) {
    map.AddBox({-80, 0, -16}, {80, 256, 0}, "metal2");
    map.AddBox({-80, 0, kCorridorTop}, {80, 256, kCorridorTop + kWall},
               BoxTextures{"metal1", "metal1", "lightstrip"});
    map.AddBox({-80, 16, 0}, {-64, 240, kCorridorTop}, "rustplate");
    map.AddBox({64, 16, 0}, {80, 240, kCorridorTop}, "rustplate");
}

void AddNorthHallFloor(CMapTextBuilder& map) {
    // The floor is thick and leaves a pit for the pool in the west.
    const BoxTextures floor{"rock1", "cobble1", "rock1"};
    map.AddBox({-400, 240, kPoolFloor}, {400, 432, 0}, floor);
    map.AddBox({-400, 560, kPoolFloor}, {400, 784, 0}, floor);
    map.AddBox({-400, 432, kPoolFloor}, {-320, 560, 0}, floor);
    map.AddBox({-192, 432, kPoolFloor}, {400, 560, 0}, floor);
    map.AddBox({-320, 432, kPoolFloor - kWall}, {-192, 560, kPoolFloor}, "moss1");
    map.AddBox({-320, 432, kPoolFloor}, {-192, 560, -8}, "*water1");
}

void AddNorthHallWalls(CMapTextBuilder& map) {
    map.AddBox({-400, 240, kNorthHallTop}, {400, 784, kNorthHallTop + kWall}, "sky1");
    map.AddBox({-400, 256, 0}, {-384, 768, kNorthHallTop}, "stone1");
    map.AddBox({384, 256, 0}, {400, 768, kNorthHallTop}, "stone1");
    map.AddBox({-400, 768, 0}, {400, 784, kNorthHallTop}, "brick_grey");
    map.AddBox({-400, 240, 0}, {-64, 256, kNorthHallTop}, "brick_grey");
    map.AddBox({64, 240, 0}, {400, 256, kNorthHallTop}, "brick_grey");
    map.AddBox({-64, 240, kCorridorTop}, {64, 256, kNorthHallTop}, "brick_grey");
    for (int x : {-256, 256}) {
        for (int y : {384, 640})
            map.AddBox({x - 16, y - 16, 0}, {x + 16, y + 16, kNorthHallTop}, "pillar1");
    }
}

void AddPlatform(CMapTextBuilder& map) {
    map.AddBox({-192, 640, 0}, {192, 768, 64}, BoxTextures{"trim1", "metal2", "metal1"});
    // A ramp up to the platform, rising towards +y.
    const IntPoint low0(-64, 512, 0);
    const IntPoint low1(64, 512, 0);
    const IntPoint back0(-64, 640, 0);
    const IntPoint back1(64, 640, 0);
    const IntPoint high0(-64, 640, 64);
    const IntPoint high1(64, 640, 64);
    map.AddConvexBrush(
        {
            {{low0, back0, high0}, "metal1"},
            {{low1, back1, high1}, "metal1"},
            {{back0, back1, high0}, "metal1"},
            {{low0, low1, back0}, "metal1"},
            {{low0, low1, high0}, "metal2"},
        },
        IntPoint(0, 608, 16));
    // The teleporter gate at the back of the platform.
    map.AddBox({-48, 736, 64}, {48, 768, 176}, "tech1");
    map.AddBox({-32, 728, 64}, {32, 736, 160}, "*teleport");
    map.AddBox({-32, 760, 184}, {32, 768, 216}, "exit");
    // A crate and a brazier of lava on the east side.
    map.AddBox({224, 672, 0}, {288, 736, 64}, "crate1");
    map.AddBox({272, 288, 0}, {336, 352, 24}, "rustplate");
    map.AddBox({280, 296, 24}, {328, 344, 32}, "*lava1");
}

void AddWorld(CMapTextBuilder& map) {
    map.BeginEntity("worldspawn");
    map.AddKey("wad", kSampleWadName);
    map.AddKey("message", "Tolve demo: the two halls");
    map.AddKey("worldtype", 2);
    map.AddKey("sounds", 6);
    AddSouthHall(map);
    AddCorridor(map);
    AddNorthHallFloor(map);
    AddNorthHallWalls(map);
    AddPlatform(map);
    map.EndEntity();
}

void AddBrushEntities(CMapTextBuilder& map) {
    map.BeginEntity("func_door");
    map.AddKey("targetname", "door1");
    map.AddKey("speed", 100);
    map.AddKey("wait", 4);
    map.AddKey("lip", 8);
    map.AddKey("sounds", 2);
    map.AddBox({-64, 120, 0}, {64, 136, kCorridorTop}, "door1");
    map.EndEntity();

    map.BeginEntity("trigger_multiple");
    map.AddKey("target", "door1");
    map.AddKey("message", "The door to the north hall opens.");
    map.AddKey("wait", 4);
    map.AddBox({-64, -96, 0}, {64, -32, kCorridorTop}, "trigger");
    map.EndEntity();

    map.BeginEntity("func_button");
    map.AddKey("target", "lamp1");
    map.AddKey("wait", 1);
    map.AddBox({112, 760, 88}, {136, 768, 112}, "+0button");
    map.EndEntity();

    map.BeginEntity("trigger_teleport");
    map.AddKey("target", "arrival");
    map.AddBox({-32, 704, 64}, {32, 728, 160}, "trigger");
    map.EndEntity();

    map.BeginEntity("func_wall");
    map.AddBox({-320, 424, 0}, {-192, 432, 16}, "+0slipbot");
    map.EndEntity();

    map.BeginEntity("func_illusionary");
    map.AddBox({-384, 456, 64}, {-376, 520, 96}, "grate1");
    map.EndEntity();
}

void AddPointEntity(CMapTextBuilder& map, const char* classname, IntPoint origin, int angle) {
    map.BeginEntity(classname);
    map.AddKey("origin", origin);
    map.AddKey("angle", angle);
    map.EndEntity();
}

void AddItem(CMapTextBuilder& map, const char* classname, IntPoint origin) {
    map.BeginEntity(classname);
    map.AddKey("origin", origin);
    map.EndEntity();
}

void AddLight(CMapTextBuilder& map, IntPoint origin, int light) {
    map.BeginEntity("light");
    map.AddKey("origin", origin);
    map.AddKey("light", light);
    map.EndEntity();
}

void AddLights(CMapTextBuilder& map) {
    for (int x : {-160, 160}) {
        for (int y : {-384, -128})
            AddLight(map, {x, y, kSouthHallTop - 24}, 250);
    }
    AddLight(map, {0, 64, kCorridorTop - 16}, 180);
    AddLight(map, {0, 192, kCorridorTop - 16}, 180);
    AddLight(map, {-256, 512, 200}, 300);
    AddLight(map, {256, 512, 200}, 300);
    AddLight(map, {0, 352, 200}, 300);
    AddLight(map, {-256, 496, 24}, 150);
    AddLight(map, {304, 320, 64}, 200);

    // The lamp over the platform starts off; the button switches it.
    map.BeginEntity("light");
    map.AddKey("origin", IntPoint(0, 704, 200));
    map.AddKey("light", 220);
    map.AddKey("targetname", "lamp1");
    map.AddKey("spawnflags", 1);
    map.AddKey("style", 32);
    map.EndEntity();
}

void AddActors(CMapTextBuilder& map) {
    AddPointEntity(map, "info_player_start", {0, -352, 24}, 90);
    map.BeginEntity("info_teleport_destination");
    map.AddKey("origin", IntPoint(128, -352, 24));
    map.AddKey("angle", 90);
    map.AddKey("targetname", "arrival");
    map.EndEntity();
    AddPointEntity(map, "monster_army", {-192, 576, 24}, 270);
    AddPointEntity(map, "monster_army", {192, 576, 24}, 270);
    AddPointEntity(map, "monster_dog", {0, 448, 24}, 270);
    AddPointEntity(map, "monster_ogre", {96, 704, 88}, 270);
    AddPointEntity(map, "monster_fish", {-256, 496, -40}, 0);
    AddItem(map, "item_armor1", {0, -496, 56});
    AddItem(map, "weapon_supershotgun", {-96, -256, 8});
    AddItem(map, "item_shells", {96, -256, 8});
    AddItem(map, "item_health", {-320, 704, 8});
}

} // namespace

std::string MakeSampleMap() {
    CMapTextBuilder map;
    AddWorld(map);
    AddBrushEntities(map);
    AddLights(map);
    AddActors(map);
    return map.GetText();
}

} // namespace samples
