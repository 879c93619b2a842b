#include "map/MapFormat.h"

const char* DescribeMapFormat(MapFormat format) {
    return format == MapFormat::kValve ? "Valve 220" : "standard";
}

const char* GetGameName(MapGame game) {
    switch (game) {
    case MapGame::kQuake:
        return "Quake";
    case MapGame::kQuake2:
        return "Quake 2";
    case MapGame::kQuake3:
        return "Quake 3";
    case MapGame::kHalfLife:
        return "Half-Life";
    case MapGame::kHexen2:
        return "Hexen 2";
    }
    return "Quake";
}

std::optional<MapFormat> ParseMapFormatName(std::string_view name) {
    if (name == "standard")
        return MapFormat::kStandard;
    if (name == "valve")
        return MapFormat::kValve;
    return std::nullopt;
}
