#include "map/MapFragment.h"

MapContents ContentsOf(const MapFragment& fragment) {
    MapContents contents;
    if (fragment.hasWorld || !fragment.worldBrushes.empty())
        contents.world = &fragment.world;
    if (fragment.wad)
        contents.wad = *fragment.wad;
    contents.utf8Mark = fragment.utf8Mark;
    contents.header = fragment.header;
    contents.worldBrushes = &fragment.worldBrushes;
    contents.modelEntities = &fragment.modelEntities;
    contents.pointEntities = &fragment.pointEntities;
    contents.format = fragment.format;
    contents.statesMapVersion = fragment.statesMapVersion;
    return contents;
}
