#pragma once

#include "entity/EntityDefinitions.h"

#include <string>
#include <string_view>
#include <vector>

// The classes of the QUAKED comments of a .def or .qc text, in file order:
// "/*QUAKED name (r g b) (x y z) (x y z) FLAG ..." or, for a brush class,
// "/*QUAKED name (r g b) ? FLAG ...", then the description up to "*/".
// Everything outside those comments is passed over. A comment whose first
// line cannot be read is left out with a problem at its line. A comment
// without its "*/" ends where the next one begins, or with the text: its
// class is read, with a problem.
std::vector<EntityClassDefinition> ReadQuakedClasses(std::string_view text, const std::string& file,
                                                     CDefinitionProblems& problems);
