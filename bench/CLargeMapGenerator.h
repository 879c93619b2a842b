#pragma once

#include "bench/CBrushShapeText.h"
#include "bench/CMapRandom.h"

#include <cstdint>
#include <string>
#include <vector>

// A generated map and what reading it must give.
struct GeneratedMap {
    std::string text;
    // In the order a document holds them: the world's brushes, then those of
    // each brush entity in file order.
    std::vector<GeneratedBrush> brushes;
    int worldBrushes = 0;
    int modelEntities = 0;
    int pointEntities = 0;
};

// Makes large maps that read like real levels: rooms on a grid of storeys,
// each with floor, ceiling, walls with doorways, pillars, ramps, stairs and
// crates, doors, platforms, triggers and trains, lights, monsters and items.
// The same seed and brush count always give the same bytes.
class CLargeMapGenerator {
public:
    static constexpr uint64_t kDefaultSeed = 0x5EED0F7011E5ull;

    explicit CLargeMapGenerator(uint64_t seed = kDefaultSeed) : m_seed(seed), m_random(seed) {}

    // A map of exactly `brushCount` (at least 1) brushes, its face lines in
    // `format`. Both forms hold the same brushes, textures and entities; the
    // Valve map says "mapversion" "220" in its world.
    GeneratedMap GenerateMap(int brushCount, MapFormat format = MapFormat::kStandard);

private:
    struct Theme {
        LineTexture wall, floor, ceiling, trim, crate;
    };
    struct Doorway {
        IntPoint min, max; // the opening
    };

    void GenerateRoom(int index);
    void AddFloorAndCeiling();
    void AddWalls();
    void AddWall(const IntPoint& min, const IntPoint& max, bool alongX);
    void AddPillars();
    void AddRampOrStairs();
    void AddCrates();
    void AddPlatform();
    void AddDoors();
    void AddPlat();
    void AddTrigger();
    void AddTrain();
    void AddTeleporter();
    void AddOtherBrushEntity();
    void AddLights();
    void AddMonstersAndItems();
    void AddSpecialPoints(int index);

    // Brushes go to the world or to the brush entity being written.
    bool IsFull() const { return m_brushCount >= m_target; }
    void AddBox(const IntPoint& min, const IntPoint& max, const LineTexture& side,
                const LineTexture& cap);
    void AddWedge(const IntPoint& min, const IntPoint& max, int rise, const LineTexture& side,
                  const LineTexture& cap);
    void AddPrism(const std::vector<GridPoint>& polygon, int32_t bottom, int32_t top,
                  const LineTexture& side, const LineTexture& cap);
    void AddRotatedSlab(const IntPoint& center, int32_t height, const LineTexture& side,
                        const LineTexture& cap);
    void Record(const GeneratedBrush& brush);
    CBrushShapeText ShapeText() {
        return CBrushShapeText(m_inBrushEntity ? m_pendingText : m_worldText, m_format);
    }
    std::string WorldHeader() const;

    void BeginBrushEntity(const char* classname);
    bool EndBrushEntity(); // false when no brush was left for it
    void BeginPointEntity(const char* classname, const IntPoint& origin);
    void EndPointEntity();
    void AddKey(const char* key, const std::string& value);
    void AddKey(const char* key, int value) { AddKey(key, std::to_string(value)); }
    std::string NewName(const char* prefix) { return prefix + std::to_string(++m_names); }

    Theme PickTheme();
    LineTexture Vary(const char* name);
    IntPoint RandomFloorPoint(int margin, int height);
    std::vector<GridPoint> RandomPolygon(int sides, int radius, int margin);

    uint64_t m_seed;
    CMapRandom m_random;
    MapFormat m_format = MapFormat::kStandard;
    int m_target = 0;
    int m_brushCount = 0;
    int m_names = 0;
    GeneratedMap m_map;
    std::string m_worldText;
    std::vector<GeneratedBrush> m_worldShapes;
    std::string m_entityText;
    std::vector<GeneratedBrush> m_entityShapes;
    // The brush entity being written, kept apart until it has a brush.
    bool m_inBrushEntity = false;
    std::string m_pendingText;
    std::vector<GeneratedBrush> m_pendingShapes;
    // The current room.
    IntPoint m_origin;
    Theme m_theme;
    std::vector<Doorway> m_doorways;
};
