#include "map/MapFragment.h"

MapContents ContentsOf(const MapFragment& fragment) {
    MapContents contents;
    if (fragment.hasWorld || !fragment.worldBrushes.empty())
        contents.world = &fragment.world;
    contents.wad = fragment.wad ? std::string_view(*fragment.wad) : std::string_view();
    contents.worldBrushes = &fragment.worldBrushes;
    contents.modelEntities = &fragment.modelEntities;
    contents.pointEntities = &fragment.pointEntities;
    contents.format = fragment.format;
    return contents;
}
