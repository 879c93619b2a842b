#include "map/CTolveDoc.h"
#include "texture/TextureWadPrompt.h"
#include "tools/MapCommands.h"
#include "tools/MapOpening.h"

#include <cstdio>

int RunConvertCommand(int argc, char** argv) {
    if (argc != 2 || WantsHelp(argc, argv)) {
        bool help = WantsHelp(argc, argv);
        std::fprintf(help ? stdout : stderr,
                     "usage: tolve-map convert IN OUT\n\n"
                     "Opens IN and saves it as OUT exactly as the editor's Open and Save do.\n"
                     "Problems are printed as the editor's message boxes would show them.\n"
                     "Exit status: 0 when saved, 1 when the save failed, 2 when IN cannot be "
                     "read.\n");
        return help ? 0 : 2;
    }
    CTolveDoc doc;
    if (!OpenMapForCommand(doc, argv[0]))
        return 2;
    LoadTextureWadAsking(doc.m_textureWad);
    UserMessages messages;
    const bool saved = doc.OnSaveDocument(argv[1], messages);
    ShowMessages(messages);
    return saved ? 0 : 1;
}
