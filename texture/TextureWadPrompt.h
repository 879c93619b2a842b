#pragma once

class CTextureWad;

// Loads a map's texture catalogue the way the editor does with a user at
// hand: the entries that failed are reported in one message, and when none of
// the files was found the user is asked for one (which joins the list and is
// loaded in its turn). The catalogue itself never talks to the user; this goes
// through the message and file-chooser services.
void LoadTextureWadAsking(CTextureWad& wad);

// Asks the user for a texture file, adds it to the list and loads the list
// again; a cancel changes nothing.
void ChooseTextureWadAsking(CTextureWad& wad);
