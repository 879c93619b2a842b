#include "map/CMapFragment.h"

MapContents ContentsOf(const CMapFragment& fragment) {
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
