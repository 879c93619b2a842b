#pragma once

#include <string>
#include <vector>

// The entity classes the entity dialogs offer, in their stored order. The map
// reader and writer accept any class name; these lists only fill the choices.
const std::vector<std::string>& GetPointClassNames();
const std::vector<std::string>& GetBrushClassNames();
