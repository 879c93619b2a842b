#pragma once

#include "map/CMapWriter.h"
#include "map/MapFragment.h"

#include <memory>
#include <string>

// The map text of one point entity alone, as a save writes it.
inline std::string WrittenText(const CPointEntity& entity) {
    PointEntityList entities;
    entities.push_back(std::make_unique<CPointEntity>(entity));
    MapContents contents;
    contents.pointEntities = &entities;
    return CMapWriter::WriteText(contents);
}
