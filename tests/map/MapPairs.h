#pragma once

#include <string>
#include <string_view>
#include <vector>

// The key/value pairs of map text that a save lost: per map a multiset of
// (key, value) where, within one entity, a repeated key counts once with its
// last value (the game's rule), values made only of numbers compare by number
// and a "spawnflags" of 0 may be left out. Each lost pair reads "key = value".
std::vector<std::string> FindLostPairs(std::string_view original, std::string_view saved);

// What a map text holds outside its face lines, one line each: the comment
// lines heading it, then every entity in order with its pairs in order
// (repeats included, numbers by value) and its brush count. Two texts with
// the same lines hold the same entities.
std::vector<std::string> ListEntitySequence(std::string_view text);
