#pragma once

#include "map/MapFormat.h"
#include "map/TextSpan.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class CMapBrush;
class CModelEntityKeys;
class CPointEntity;
class CWorldKeys;

// The text a map was last read from or saved as, one buffer shared by every
// span into it, with what the text says beyond its objects: a save that keeps
// the file's layout copies untouched objects from it.
struct MapSourceText {
    std::shared_ptr<const std::string> text; // the whole file, byte-order mark included
    uint32_t trailingBegin = kNoText;        // what follows the last entity
    // The form, "wad" and "mapversion" the world's text holds.
    MapFormat format = MapFormat::kStandard;
    std::optional<std::string> wad;
    bool statesMapVersion = true;
    // Why a save must write the whole map anew (it was read with problems,
    // say); empty when it need not.
    std::string wholeReason;

    bool HasText() const { return text != nullptr; }
};

// Where a save put each object's text, given to the objects once the file is
// safely on disk.
struct SavedSpans {
    EntitySpan world;
    std::vector<std::pair<const CMapBrush*, TextSpan>> brushes;
    std::vector<std::pair<const CPointEntity*, EntitySpan>> pointEntities;
    std::vector<std::pair<const CModelEntityKeys*, EntitySpan>> modelEntities;
    uint32_t trailingBegin = kNoText;
};

// Gives each object its span in the saved text.
void ApplySavedSpans(const SavedSpans& spans, const CWorldKeys& world);
