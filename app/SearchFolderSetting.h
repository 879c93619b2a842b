#pragma once

#include <string>
#include <vector>

// The folders the user keeps where the files a map names are looked for by
// file name, one setting for all maps: the texture folders
// ("Textures/Folders") and the entity definition folders
// ("Definitions/Folders").
std::vector<std::string> LoadTextureFolders();
void StoreTextureFolders(const std::vector<std::string>& folders);
std::vector<std::string> LoadDefinitionFolders();
void StoreDefinitionFolders(const std::vector<std::string>& folders);
