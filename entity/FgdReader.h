#pragma once

#include "entity/EntityDefinitions.h"

#include <string>
#include <string_view>
#include <vector>

// A class as an FGD file writes it, its bases not yet folded in.
struct FgdClass {
    bool isBase = false; // @BaseClass: lends its keys to others, placed in no map
    EntityClassDefinition definition;
    std::vector<std::string> bases; // as listed in base(...)
};

// The classes of FGD text in file order. A definition with a syntax error is
// left out with a problem at the line where the error was found; reading
// goes on at the next "@".
std::vector<FgdClass> ReadFgdClasses(std::string_view text, const std::string& file,
                                     CDefinitionProblems& problems);
