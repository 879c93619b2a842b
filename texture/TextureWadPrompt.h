#pragma once

class CTextureWad;

// Loads a map's texture catalogue the way the editor does with a user at
// hand: a missing file is reported and the user is asked for another (which
// is loaded in its turn); a file that cannot be read is reported. The
// catalogue itself never talks to the user; this goes through the message and
// file-chooser services.
void LoadTextureWadAsking(CTextureWad& wad);

// Asks the user for a texture file and loads it; a cancel changes nothing.
void ChooseTextureWadAsking(CTextureWad& wad);
