#pragma once

class CTextureWad;

// Loads a map's texture catalogue the way the editor does with a user at
// hand: the entries that failed are reported in one message, and when none of
// the files was found the user is asked for one (which joins the list and is
// loaded in its turn). A map without a "wad" key is left as it is. The catalogue itself never talks
// to the user; this goes through the message and file-chooser services.
void LoadTextureWadAsking(CTextureWad& wad);

// A new map names the standard texture file when it is at hand (beside the
// editor or in a texture folder) and loads it; without it the map names
// none, and nobody is asked for a file before one is wanted.
void StartNewMapTextures(CTextureWad& wad);

// Asks the user for a texture file, adds it to the list and loads the list
// again; a cancel changes nothing.
void ChooseTextureWadAsking(CTextureWad& wad);
