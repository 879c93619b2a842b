#pragma once

#include <cstdio>

class CEntityDefinitions;
class CTolveDoc;

// Prints to `out`, as "PATH: notice: ...", each entity of the map whose class
// the definitions do not name and each key that its class, read from an FGD
// file, does not declare. The map keeps no lines for its entities, so they are
// named by class and origin, or by class and number among the brush entities.
// Passed over: "classname", "origin", keys starting with "_" (compiler and
// editor keys), "spawnflags" of a class with flags, and the world's "wad" and
// "mapversion". QUAKED comments declare no keys, so their classes' keys are
// not checked.
void PrintDefinitionNotices(const CTolveDoc& doc, const CEntityDefinitions& definitions,
                            const char* path, FILE* out);
