#pragma once

#include <string>
#include <string_view>
#include <vector>

// The key/value pairs of map text that a save lost: per map a multiset of
// (key, value) where, within one entity, a repeated key counts once with its
// last value (the game's rule), values made only of numbers compare by number
// and a "spawnflags" of 0 may be left out. Each lost pair reads "key = value".
std::vector<std::string> FindLostPairs(std::string_view original, std::string_view saved);
