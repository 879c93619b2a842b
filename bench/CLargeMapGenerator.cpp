#include "bench/CLargeMapGenerator.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Rooms of 384 x 384 x 256 units, 28 x 28 to a storey, 11 storeys. Every
// corner stays within 8192 units of the origin; maps larger than the grid
// start over at the bottom.
constexpr int kCell = 384;
constexpr int kStorey = 256;
constexpr int kWall = 16;
constexpr int kColumns = 28;
constexpr int kStoreys = 11;
constexpr int kInteriorLow = kWall;
constexpr int kInteriorHigh = kCell - kWall;
constexpr int kFloorTop = kWall;
constexpr int kCeilingBottom = kStorey - kWall;

const char* const kWallTextures[] = {"brick1_2", "brick3_4", "stone1_3",   "stone5_1",
                                     "metal1_1", "metal4_5", "wood1_1",    "wall9_8",
                                     "tech04_3", "rock3_7",  "wizwall1_5", "city2_6"};
const char* const kFloorTextures[] = {"floor01_5",  "ground1_6", "metalfl1_2",
                                      "stonefl2_1", "tile1_3",   "wood2_4"};
const char* const kCeilingTextures[] = {"ceiling1_3", "ceil4_1", "beams1_2", "metal2_2"};
const char* const kTrimTextures[] = {"trim1_2", "rune_a", "window1_2", "light1_1", "trim3_6"};
const char* const kCrateTextures[] = {"crate1_1", "crate2_3", "box_side"};
const char* const kDoorTextures[] = {"door01_2", "door03_1", "dr_metal1"};
const char* const kMonsters[] = {"monster_army",   "monster_dog",     "monster_ogre",
                                 "monster_knight", "monster_zombie",  "monster_demon1",
                                 "monster_wizard", "monster_shambler"};
const char* const kItems[] = {"item_health",  "item_shells",        "item_spikes",
                              "item_rockets", "item_armor1",        "weapon_nailgun",
                              "item_cells",   "weapon_supershotgun"};
const char* const kMessages[] = {"A secret door opens.", "You need the silver key.",
                                 "The bridge is lowering...", "Hurry!"};
const GridPoint kSlabDirections[] = {{3, 1},  {2, 1},  {4, 1},  {3, 2},  {4, 3},  {5, 2},
                                     {1, 3},  {1, 2},  {-1, 3}, {-2, 1}, {-3, 1}, {-3, 2},
                                     {-4, 3}, {-1, 4}, {5, 1},  {2, 3}};
const int kOffsets[] = {0, 0, 0, 0, 0, 0, 0, 8, 16, -16, 32, 64};
const int kRotations[] = {0, 0, 0, 0, 0, 90};
const char* const kScales[] = {"1", "1", "1", "0.5"};
const int kAngles[] = {0, 45, 90, 135, 180, 225, 270, 315};
const int kMonsterFlags[] = {0, 0, 0, 1, 256, 512, 768, 1};

std::string Triple(int x, int y, int z) {
    return std::to_string(x) + ' ' + std::to_string(y) + ' ' + std::to_string(z);
}

IntPoint Offset(const IntPoint& p, int dx, int dy, int dz) {
    return IntPoint(p.x + dx, p.y + dy, p.z + dz);
}

} // namespace

GeneratedMap CLargeMapGenerator::GenerateMap(int brushCount, MapFormat format) {
    m_random = CMapRandom(m_seed);
    m_format = format;
    m_target = brushCount;
    m_brushCount = 0;
    m_names = 0;
    m_map = GeneratedMap();
    m_worldText.clear();
    m_entityText.clear();
    m_worldShapes.clear();
    m_entityShapes.clear();
    m_worldText.reserve(static_cast<size_t>(std::max(brushCount, 0)) * 480);
    for (int room = 0; !IsFull(); ++room)
        GenerateRoom(room);

    std::string& text = m_map.text;
    text.reserve(m_worldText.size() + m_entityText.size() + 256);
    text = WorldHeader();
    text += m_worldText;
    text += "}\n";
    text += m_entityText;
    m_map.worldBrushes = static_cast<int>(m_worldShapes.size());
    m_map.brushes = std::move(m_worldShapes);
    m_map.brushes.insert(m_map.brushes.end(), m_entityShapes.begin(), m_entityShapes.end());
    m_worldText.clear();
    m_entityText.clear();
    return std::move(m_map);
}

std::string CLargeMapGenerator::WorldHeader() const {
    std::string header = "{\n\"classname\" \"worldspawn\"\n";
    if (m_format == MapFormat::kValve)
        header += "\"mapversion\" \"220\"\n";
    return header + "\"message\" \"The Endless Keep\"\n\"wad\" \"gfx/base.wad\"\n"
                    "\"worldtype\" \"2\"\n\"sounds\" \"6\"\n";
}

void CLargeMapGenerator::GenerateRoom(int index) {
    const int cell = index % (kColumns * kColumns * kStoreys);
    const int storey = cell / (kColumns * kColumns);
    const int row = cell % (kColumns * kColumns) / kColumns;
    const int column = cell % kColumns;
    m_origin = IntPoint(-kColumns * kCell / 2 + column * kCell, -kColumns * kCell / 2 + row * kCell,
                        -kStoreys * kStorey / 2 + storey * kStorey);
    m_theme = PickTheme();
    m_doorways.clear();

    AddFloorAndCeiling();
    AddWalls();
    AddPillars();
    AddRampOrStairs();
    AddCrates();
    AddPlatform();
    AddDoors();
    AddPlat();
    AddTrigger();
    AddTrain();
    AddTeleporter();
    AddOtherBrushEntity();
    AddLights();
    AddMonstersAndItems();
    AddSpecialPoints(index);
}

CLargeMapGenerator::Theme CLargeMapGenerator::PickTheme() {
    Theme theme;
    theme.wall = Vary(m_random.Pick(kWallTextures));
    theme.floor = Vary(m_random.Pick(kFloorTextures));
    theme.ceiling = Vary(m_random.Pick(kCeilingTextures));
    theme.trim = Vary(m_random.Pick(kTrimTextures));
    theme.crate = Vary(m_random.Pick(kCrateTextures));
    return theme;
}

LineTexture CLargeMapGenerator::Vary(const char* name) {
    LineTexture texture;
    texture.name = name;
    texture.xOffset = m_random.Pick(kOffsets);
    texture.yOffset = m_random.Pick(kOffsets);
    texture.rotation = m_random.Pick(kRotations);
    texture.xScale = texture.yScale = m_random.Pick(kScales);
    if (m_random.Chance(5))
        texture.xScale = "-1";
    return texture;
}

IntPoint CLargeMapGenerator::RandomFloorPoint(int margin, int height) {
    const int low = kInteriorLow + margin;
    const int span = std::max(0, kInteriorHigh - margin - low);
    return Offset(m_origin, low + m_random.NextStep(0, span, 8),
                  low + m_random.NextStep(0, span, 8), kFloorTop + height);
}

std::vector<GridPoint> CLargeMapGenerator::RandomPolygon(int sides, int radius, int margin) {
    std::vector<GridPoint> polygon =
        CBrushShapeText::MakeRoundedPolygon({0, 0}, radius, sides, m_random.NextInt(0, 359));
    int extent = 0;
    for (const GridPoint& corner : polygon)
        extent = std::max({extent, std::abs(corner.x), std::abs(corner.y)});
    const IntPoint center = RandomFloorPoint(std::min(extent + margin, kCell / 2 - kWall), 0);
    for (GridPoint& corner : polygon) {
        corner.x += center.x;
        corner.y += center.y;
    }
    return polygon;
}

void CLargeMapGenerator::AddFloorAndCeiling() {
    const IntPoint& o = m_origin;
    if (m_random.Chance(70)) {
        AddBox(o, Offset(o, kCell, kCell, kWall), m_theme.trim, m_theme.floor);
    } else {
        const LineTexture second = Vary(m_random.Pick(kFloorTextures));
        const int half = kCell / 2;
        for (int tile = 0; tile < 4; ++tile) {
            const IntPoint min = Offset(o, tile % 2 * half, tile / 2 * half, 0);
            AddBox(min, Offset(min, half, half, kWall), m_theme.trim,
                   tile == 0 || tile == 3 ? m_theme.floor : second);
        }
    }
    const IntPoint low = Offset(o, 0, 0, kCeilingBottom);
    if (m_random.Chance(75)) {
        AddBox(low, Offset(o, kCell, kCell, kStorey), m_theme.trim, m_theme.ceiling);
        return;
    }
    // A skylight: four beams around a pane of sky.
    const int hole = 128, a = (kCell - hole) / 2, b = a + hole;
    AddBox(low, Offset(o, kCell, a, kStorey), m_theme.trim, m_theme.ceiling);
    AddBox(Offset(low, 0, b, 0), Offset(o, kCell, kCell, kStorey), m_theme.trim, m_theme.ceiling);
    AddBox(Offset(low, 0, a, 0), Offset(o, a, b, kStorey), m_theme.trim, m_theme.ceiling);
    AddBox(Offset(low, b, a, 0), Offset(o, kCell, b, kStorey), m_theme.trim, m_theme.ceiling);
    AddBox(Offset(low, a, a, 8), Offset(o, b, b, kStorey), Vary("sky4"), Vary("sky4"));
}

void CLargeMapGenerator::AddWalls() {
    const IntPoint& o = m_origin;
    AddWall(Offset(o, 0, 0, kFloorTop), Offset(o, kCell, kWall, kCeilingBottom), true);
    AddWall(Offset(o, 0, kCell - kWall, kFloorTop), Offset(o, kCell, kCell, kCeilingBottom), true);
    AddWall(Offset(o, 0, kWall, kFloorTop), Offset(o, kWall, kCell - kWall, kCeilingBottom), false);
    AddWall(Offset(o, kCell - kWall, kWall, kFloorTop),
            Offset(o, kCell, kCell - kWall, kCeilingBottom), false);
}

void CLargeMapGenerator::AddWall(const IntPoint& min, const IntPoint& max, bool alongX) {
    if (!m_random.Chance(55)) {
        AddBox(min, max, m_theme.wall, m_theme.trim);
        return;
    }
    const int low = alongX ? min.x : min.y;
    const int high = alongX ? max.x : max.y;
    const int width = m_random.NextStep(64, 96, 16);
    const int start = (low + high) / 2 + m_random.NextStep(-64, 64, 16) - width / 2;
    const int doorTop = min.z + m_random.NextStep(112, 144, 16);
    auto span = [&](int from, int to, int bottom, int top, IntPoint& a, IntPoint& b) {
        a = alongX ? IntPoint(from, min.y, bottom) : IntPoint(min.x, from, bottom);
        b = alongX ? IntPoint(to, max.y, top) : IntPoint(max.x, to, top);
    };
    IntPoint a, b;
    span(low, start, min.z, max.z, a, b);
    AddBox(a, b, m_theme.wall, m_theme.trim);
    span(start + width, high, min.z, max.z, a, b);
    AddBox(a, b, m_theme.wall, m_theme.trim);
    span(start, start + width, doorTop, max.z, a, b);
    AddBox(a, b, m_theme.wall, m_theme.trim);
    span(start, start + width, min.z, doorTop, a, b);
    m_doorways.push_back({a, b});
}

void CLargeMapGenerator::AddPillars() {
    for (int count = m_random.NextInt(0, 2); count > 0; --count) {
        const int sides = m_random.NextInt(3, 24);
        const auto polygon = RandomPolygon(sides, m_random.NextStep(16, 40, 8), 8);
        const int bottom = m_origin.z + kFloorTop;
        const int top = m_random.Chance(70) ? m_origin.z + kCeilingBottom
                                            : bottom + m_random.NextStep(32, 96, 16);
        AddPrism(polygon, bottom, top, Vary(m_random.Pick(kTrimTextures)), m_theme.trim);
    }
}

void CLargeMapGenerator::AddRampOrStairs() {
    const int kind = m_random.NextInt(0, 99);
    if (kind < 35) {
        const int width = m_random.NextStep(64, 128, 16);
        const int length = m_random.NextStep(96, 176, 16);
        const IntPoint min = RandomFloorPoint(0, 0);
        const IntPoint max(std::min(min.x + length, m_origin.x + kInteriorHigh),
                           std::min(min.y + width, m_origin.y + kInteriorHigh),
                           min.z + m_random.NextStep(32, 96, 16));
        if (max.x - min.x >= 32 && max.y - min.y >= 32)
            AddWedge(min, max, m_random.NextInt(0, 3), m_theme.wall, m_theme.floor);
    } else if (kind < 60) {
        const int steps = m_random.NextInt(3, 7);
        const int depth = m_random.NextStep(16, 32, 8);
        const IntPoint start = RandomFloorPoint(0, 0);
        const int width =
            std::min(m_random.NextStep(64, 128, 16), m_origin.y + kInteriorHigh - start.y);
        const int room = m_origin.x + kInteriorHigh;
        for (int step = 0; step < steps && width >= 32 && start.x + (step + 1) * depth <= room;
             ++step) {
            const IntPoint min = Offset(start, step * depth, 0, 0);
            AddBox(min, IntPoint(min.x + depth, min.y + width, start.z + 16 * (step + 1)),
                   m_theme.trim, m_theme.floor);
        }
    }
}

void CLargeMapGenerator::AddCrates() {
    for (int count = m_random.NextInt(0, 3); count > 0; --count)
        AddRotatedSlab(RandomFloorPoint(80, 0), m_random.NextStep(16, 64, 8), m_theme.crate,
                       m_theme.crate);
    for (int count = m_random.NextInt(0, 2); count > 0; --count) {
        const int size = m_random.NextStep(32, 64, 16);
        const IntPoint min = RandomFloorPoint(size, 0);
        AddBox(min, Offset(min, size, size, size), m_theme.crate, m_theme.crate);
    }
}

void CLargeMapGenerator::AddPlatform() {
    if (!m_random.Chance(20))
        return;
    static const int kSides[] = {6, 8, 12, 16};
    const int sides = m_random.Pick(kSides);
    const auto polygon = RandomPolygon(sides, m_random.NextStep(48, 96, 8), 0);
    const int bottom = m_origin.z + kFloorTop;
    AddPrism(polygon, bottom, bottom + m_random.NextStep(8, 24, 8), m_theme.trim, m_theme.floor);
}

void CLargeMapGenerator::AddDoors() {
    static const int kSpeeds[] = {80, 100, 120, 200};
    static const int kWaits[] = {3, 4, -1};
    for (const Doorway& doorway : m_doorways) {
        if (!m_random.Chance(45))
            continue;
        const bool alongX = doorway.max.y - doorway.min.y == kWall;
        const LineTexture texture = Vary(m_random.Pick(kDoorTextures));
        const bool locked = m_random.Chance(25);
        const std::string name = locked ? NewName("door") : std::string();
        const int leaves = m_random.Chance(30) ? 2 : 1;
        bool built = false;
        for (int leaf = 0; leaf < leaves; ++leaf) {
            IntPoint min = doorway.min, max = doorway.max;
            int& from = alongX ? min.x : min.y;
            int& to = alongX ? max.x : max.y;
            const int half = (to - from) / leaves;
            from += leaf * half;
            to = from + half;
            (alongX ? min.y : min.x) += 4;
            (alongX ? max.y : max.x) -= 4;
            BeginBrushEntity("func_door");
            AddKey("angle", leaves == 2 && leaf == 0 ? (alongX ? 180 : 270) : (alongX ? 0 : 90));
            AddKey("speed", m_random.Pick(kSpeeds));
            AddKey("wait", m_random.Pick(kWaits));
            if (m_random.Chance(50))
                AddKey("lip", 8);
            if (m_random.Chance(60))
                AddKey("sounds", m_random.NextInt(1, 4));
            if (!name.empty())
                AddKey("targetname", name);
            else if (m_random.Chance(10))
                AddKey("message", m_random.Pick(kMessages));
            AddBox(min, max, texture, m_theme.trim);
            built = EndBrushEntity() || built;
        }
        if (!built || name.empty())
            continue;
        BeginBrushEntity(m_random.Chance(50) ? "func_button" : "trigger_once");
        const IntPoint spot = RandomFloorPoint(32, 48);
        AddKey("target", name);
        AddKey("wait", 1);
        AddBox(spot, Offset(spot, 8, 24, 24), Vary("+0button"), Vary("+0button"));
        EndBrushEntity();
    }
}

void CLargeMapGenerator::AddPlat() {
    if (!m_random.Chance(25))
        return;
    static const int kHeights[] = {64, 96, 128};
    BeginBrushEntity("func_plat");
    AddKey("height", m_random.Pick(kHeights));
    AddKey("speed", 150);
    if (m_random.Chance(60))
        AddKey("sounds", m_random.NextInt(1, 2));
    const int size = m_random.NextStep(64, 128, 16);
    const IntPoint min = RandomFloorPoint(size, 0);
    AddBox(min, Offset(min, size, size, m_random.NextStep(8, 16, 8)), Vary("plat_side1"),
           Vary("plat_top1"));
    EndBrushEntity();
}

void CLargeMapGenerator::AddTrigger() {
    if (!m_random.Chance(30))
        return;
    std::string target;
    if (m_random.Chance(60)) {
        target = NewName("lamp");
        BeginPointEntity("light", RandomFloorPoint(16, 160));
        AddKey("light", 300);
        AddKey("targetname", target);
        AddKey("spawnflags", 1);
        EndPointEntity();
    }
    BeginBrushEntity("trigger_multiple");
    if (!target.empty())
        AddKey("target", target);
    AddKey("wait", m_random.Chance(50) ? 2 : -1);
    if (m_random.Chance(30))
        AddKey("message", m_random.Pick(kMessages));
    if (m_random.Chance(20))
        AddKey("delay", 1);
    const int size = m_random.NextStep(64, 128, 16);
    const IntPoint min = RandomFloorPoint(size, 0);
    AddBox(min, Offset(min, size, size, m_random.NextStep(64, 128, 16)), Vary("trigger"),
           Vary("trigger"));
    EndBrushEntity();
}

void CLargeMapGenerator::AddTrain() {
    if (!m_random.Chance(10))
        return;
    const std::string path = NewName("t");
    BeginBrushEntity("func_train");
    AddKey("target", path + "_1");
    AddKey("speed", 100);
    if (m_random.Chance(50))
        AddKey("dmg", 2);
    AddKey("sounds", 1);
    const IntPoint min = RandomFloorPoint(64, 64);
    AddBox(min, Offset(min, 64, 64, 16), Vary("metal1_1"), Vary("plat_top1"));
    if (!EndBrushEntity())
        return;
    const int corners = m_random.NextInt(2, 4);
    for (int corner = 1; corner <= corners; ++corner) {
        BeginPointEntity("path_corner", RandomFloorPoint(32, 64));
        AddKey("targetname", path + '_' + std::to_string(corner));
        AddKey("target", path + '_' + std::to_string(corner % corners + 1));
        if (m_random.Chance(30))
            AddKey("wait", 1);
        EndPointEntity();
    }
}

void CLargeMapGenerator::AddTeleporter() {
    if (!m_random.Chance(5))
        return;
    const std::string name = NewName("tele");
    BeginPointEntity("info_teleport_destination", RandomFloorPoint(32, 24));
    AddKey("targetname", name);
    AddKey("angle", m_random.Pick(kAngles));
    EndPointEntity();
    BeginBrushEntity("trigger_teleport");
    AddKey("target", name);
    const IntPoint min = RandomFloorPoint(64, 0);
    AddBox(min, Offset(min, 64, 64, 96), Vary("trigger"), Vary("trigger"));
    EndBrushEntity();
}

void CLargeMapGenerator::AddOtherBrushEntity() {
    const int kind = m_random.NextInt(0, 99);
    if (kind < 15) {
        BeginBrushEntity("func_wall");
        if (m_random.Chance(30))
            AddKey("spawnflags", 1);
        AddRotatedSlab(RandomFloorPoint(80, 0), m_random.NextStep(32, 96, 16), m_theme.wall,
                       m_theme.trim);
    } else if (kind < 22) {
        BeginBrushEntity("func_illusionary");
        const auto polygon = RandomPolygon(m_random.NextInt(3, 24), 32, 8);
        AddPrism(polygon, m_origin.z + kFloorTop, m_origin.z + kFloorTop + 64, m_theme.wall,
                 m_theme.trim);
    } else if (kind < 28) {
        BeginBrushEntity("trigger_hurt");
        AddKey("dmg", 10);
        const IntPoint min = RandomFloorPoint(64, 0);
        AddBox(min, Offset(min, 64, 64, 32), Vary("trigger"), Vary("trigger"));
    } else if (kind < 34) {
        BeginBrushEntity("func_door_secret");
        AddKey("sounds", 3);
        AddKey("wait", 5);
        AddKey("spawnflags", 2);
        if (m_random.Chance(30))
            AddKey("health", 1);
        const IntPoint min = RandomFloorPoint(64, 0);
        AddBox(min, Offset(min, 64, 16, 112), m_theme.wall, m_theme.trim);
    } else if (kind < 36) {
        BeginBrushEntity("trigger_setskill");
        AddKey("message", m_random.NextInt(0, 3));
        const IntPoint min = RandomFloorPoint(64, 0);
        AddBox(min, Offset(min, 64, 64, 64), Vary("trigger"), Vary("trigger"));
    } else if (kind < 37) {
        BeginBrushEntity("trigger_changelevel");
        AddKey("map", "e1m2");
        const IntPoint min = RandomFloorPoint(64, 0);
        AddBox(min, Offset(min, 64, 64, 96), Vary("trigger"), Vary("trigger"));
    } else {
        return;
    }
    EndBrushEntity();
}

void CLargeMapGenerator::AddLights() {
    static const char* const kLightClasses[] = {
        "light", "light", "light", "light", "light", "light_fluoro", "light_torch_small_walltorch"};
    for (int count = m_random.NextInt(1, 3); count > 0; --count) {
        BeginPointEntity(m_random.Pick(kLightClasses), RandomFloorPoint(16, 176));
        AddKey("light", m_random.NextStep(150, 350, 25));
        if (m_random.Chance(15))
            AddKey("style", m_random.NextInt(1, 11));
        if (m_random.Chance(5)) {
            AddKey("mangle", Triple(m_random.NextStep(0, 315, 45), -90, 0));
            AddKey("angle", 30);
        }
        EndPointEntity();
    }
}

void CLargeMapGenerator::AddMonstersAndItems() {
    for (int count = m_random.NextInt(0, 3); count > 0; --count) {
        BeginPointEntity(m_random.Pick(kMonsters), RandomFloorPoint(32, 24));
        AddKey("angle", m_random.Pick(kAngles));
        const int flags = m_random.Pick(kMonsterFlags);
        if (flags != 0)
            AddKey("spawnflags", flags);
        EndPointEntity();
    }
    for (int count = m_random.NextInt(0, 2); count > 0; --count) {
        const char* item = m_random.Pick(kItems);
        BeginPointEntity(item, RandomFloorPoint(16, 0));
        if (m_random.Chance(20))
            AddKey("spawnflags", m_random.NextInt(1, 2));
        EndPointEntity();
    }
}

void CLargeMapGenerator::AddSpecialPoints(int index) {
    if (index == 0) {
        BeginPointEntity("info_player_start", RandomFloorPoint(32, 24));
        AddKey("angle", 90);
        EndPointEntity();
    }
    if (index % 50 == 0) {
        BeginPointEntity("info_intermission", RandomFloorPoint(32, 128));
        AddKey("mangle", Triple(15, m_random.Pick(kAngles), 0));
        EndPointEntity();
    }
    if (index % 16 == 5) {
        BeginPointEntity("info_player_deathmatch", RandomFloorPoint(32, 24));
        AddKey("angle", m_random.Pick(kAngles));
        EndPointEntity();
    }
    if (m_random.Chance(5)) {
        const std::string lamp = NewName("lamp");
        BeginPointEntity("light", RandomFloorPoint(16, 160));
        AddKey("light", 200);
        AddKey("targetname", lamp);
        EndPointEntity();
        BeginPointEntity("trigger_relay", RandomFloorPoint(16, 32));
        AddKey("targetname", NewName("relay"));
        AddKey("killtarget", lamp);
        AddKey("delay", 2);
        EndPointEntity();
    }
    if (m_random.Chance(8)) {
        BeginPointEntity("ambient_drip", RandomFloorPoint(16, 96));
        EndPointEntity();
    }
}

void CLargeMapGenerator::Record(const GeneratedBrush& brush) {
    ++m_brushCount;
    (m_inBrushEntity ? m_pendingShapes : m_worldShapes).push_back(brush);
}

void CLargeMapGenerator::AddBox(const IntPoint& min, const IntPoint& max, const LineTexture& side,
                                const LineTexture& cap) {
    if (!IsFull())
        Record(ShapeText().AppendBox(min, max, side, cap));
}

void CLargeMapGenerator::AddWedge(const IntPoint& min, const IntPoint& max, int rise,
                                  const LineTexture& side, const LineTexture& cap) {
    if (!IsFull())
        Record(ShapeText().AppendWedge(min, max, rise, side, cap));
}

void CLargeMapGenerator::AddPrism(const std::vector<GridPoint>& polygon, int32_t bottom,
                                  int32_t top, const LineTexture& side, const LineTexture& cap) {
    if (!IsFull())
        Record(ShapeText().AppendPrism(polygon, bottom, top, side, cap));
}

void CLargeMapGenerator::AddRotatedSlab(const IntPoint& center, int32_t height,
                                        const LineTexture& side, const LineTexture& cap) {
    const GridPoint direction = m_random.Pick(kSlabDirections);
    const int halfLength = m_random.NextStep(16, 48, 8);
    const int halfWidth = m_random.NextStep(16, 32, 8);
    if (!IsFull())
        Record(ShapeText().AppendRotatedSlab(center, direction, halfLength, halfWidth, height, side,
                                             cap));
}

void CLargeMapGenerator::BeginBrushEntity(const char* classname) {
    m_inBrushEntity = true;
    m_pendingText = "{\n";
    m_pendingShapes.clear();
    AddKey("classname", classname);
}

bool CLargeMapGenerator::EndBrushEntity() {
    m_inBrushEntity = false;
    if (m_pendingShapes.empty())
        return false; // it would read back as a point entity
    m_entityText += m_pendingText;
    m_entityText += "}\n";
    m_entityShapes.insert(m_entityShapes.end(), m_pendingShapes.begin(), m_pendingShapes.end());
    ++m_map.modelEntities;
    return true;
}

void CLargeMapGenerator::BeginPointEntity(const char* classname, const IntPoint& origin) {
    m_entityText += "{\n";
    AddKey("classname", classname);
    AddKey("origin", Triple(origin.x, origin.y, origin.z));
}

void CLargeMapGenerator::EndPointEntity() {
    m_entityText += "}\n";
    ++m_map.pointEntities;
}

void CLargeMapGenerator::AddKey(const char* key, const std::string& value) {
    std::string& text = m_inBrushEntity ? m_pendingText : m_entityText;
    text += '"';
    text += key;
    text += "\" \"";
    text += value;
    text += "\"\n";
}
