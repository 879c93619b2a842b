#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

// Texture names are told apart without regard to case, as the map compilers
// and the engine tell them apart: "WALL" on a face shows "wall" of a file.
std::string FoldTextureName(std::string_view name);

// How many faces of a map show one texture, and the name as the first of
// them spells it.
struct TextureUse {
    std::string name;
    int faces = 0;
};

// Every texture a map's faces show, by its folded name.
using TextureUses = std::unordered_map<std::string, TextureUse>;
