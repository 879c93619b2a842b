#pragma once

#include "map/CModelEntity.h"
#include "map/CPointEntity.h"
#include "map/CWorldKeys.h"
#include "map/MapFormat.h"
#include "map/MapSourceText.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using ModelEntityList = std::vector<std::unique_ptr<CModelEntity>>;
using PointEntityList = std::vector<std::unique_ptr<CPointEntity>>;

// Entities and brushes that belong to no document: a map as read before a
// document takes it over, or the objects on their way to the clipboard.
struct MapFragment {
    bool hasWorld = false; // a "worldspawn" was read, or is to be written
    CWorldKeys world;
    std::optional<std::string> wad; // the world's "wad", when it had one
    std::string header;             // the comment lines heading the file (see MapHeader.h)
    bool utf8Mark = false;          // the file began with a UTF-8 byte-order mark
    BrushList worldBrushes;
    ModelEntityList modelEntities;
    PointEntityList pointEntities;
    MapFormat format = MapFormat::kStandard;
    // A Valve map says so in the world key "mapversion"; one read without it
    // is saved without it.
    bool statesMapVersion = true;
    MapGame game = MapGame::kQuake;
    // The line of the opening brace (counted from 0) of each brush read
    // with plane points that are not whole numbers.
    std::vector<int> fractionalBrushLines;
    // The text read, which the objects' spans point into; the reader leaves
    // the buffer itself to whoever holds the text.
    MapSourceText source;

    bool IsEmpty() const {
        return !hasWorld && worldBrushes.empty() && modelEntities.empty() && pointEntities.empty();
    }
};

// What the writer writes: the header, the world entity when there is one,
// then the entities in map order. Points into a document or a fragment.
struct MapContents {
    // A map read with a byte-order mark is written with it: the compilers
    // take its bytes, all above 127, for blanks, as the reader does.
    bool utf8Mark = false;
    std::string_view header;
    const CWorldKeys* world = nullptr;   // null: no world entity
    std::optional<std::string_view> wad; // none: the map names no texture files
    const BrushList* worldBrushes = nullptr;
    const ModelEntityList* modelEntities = nullptr;
    const PointEntityList* pointEntities = nullptr;
    MapFormat format = MapFormat::kStandard; // how every face line is written
    bool statesMapVersion = true;            // a Valve map's world says "mapversion" "220"
    // The text the objects' spans point into, if any, and whether a save
    // copies what nobody changed from it rather than write the whole map anew.
    const MapSourceText* source = nullptr;
    bool keepLayout = false;
};

// A fragment's world is written when it was read or holds brushes.
MapContents ContentsOf(const MapFragment& fragment);
