#include "framework/FileStamp.h"
#include "map/CTolveDoc.h"
#include "texture/TextureWadPrompt.h"
#include "tools/ConvertOptions.h"
#include "tools/MapCommands.h"
#include "tools/MapOpening.h"
#include "tools/StandardFormLosses.h"

#include <cstdio>
#include <string>

namespace {

bool RefuseOtherGame(const CTolveDoc& doc, const std::string& path) {
    if (!doc.IsOtherGameMap())
        return false;
    std::fprintf(stderr,
                 "tolve-map convert: %s is a %s map; Tolve edits Quake maps and does not convert "
                 "it\n",
                 path.c_str(), GetGameName(doc.m_mapGame));
    return true;
}

// Writing a map that read with problems over its own file would lose what
// could not be read, unless forced. The same file may go by another path or
// link. True when the conversion may go on.
bool AcceptOutput(MapOpening opening, const ConvertOptions& options) {
    if (opening != MapOpening::kReadWithProblems || options.force)
        return true;
    const FileStamp in = ReadFileStamp(options.in);
    const FileStamp out = ReadFileStamp(options.out);
    if (!out.exists || in.device != out.device || in.inode != out.inode)
        return true;
    std::fprintf(stderr,
                 "tolve-map convert: %s read with problems and %s is that very file: it is left "
                 "as it was, as writing it would lose what could not be read; --force writes it "
                 "all the same\n",
                 options.in.c_str(), options.out.c_str());
    return false;
}

// What the standard form cannot hold stops the conversion, unless forced.
// True when it may go on.
bool AcceptStandardFormLosses(const CTolveDoc& doc, const ConvertOptions& options) {
    if (doc.m_mapFormat != MapFormat::kStandard)
        return true;
    const StandardFormLosses losses = FindStandardFormLosses(doc);
    if (losses.IsEmpty())
        return true;
    if (!options.force) {
        PrintRefusal(losses, options.in, stderr);
        return false;
    }
    PrintForcedLosses(losses, stderr);
    return true;
}

} // namespace

int RunConvertCommand(int argc, char** argv) {
    if (WantsHelp(argc, argv)) {
        PrintConvertUsage(stdout);
        return 0;
    }
    std::string error;
    const std::optional<ConvertOptions> options = ParseConvertOptions(argc, argv, error);
    if (!options) {
        std::fprintf(stderr, "tolve-map convert: %s\n", error.c_str());
        std::fprintf(stderr, "'tolve-map convert --help' tells more.\n");
        return kConvertNotOpened;
    }
    CTolveDoc doc;
    const MapOpening opening = OpenMapReporting(doc, options->in);
    // A map the reader knows for another game's is refused before its texture
    // files are looked for; one whose files tell its game, after.
    if (opening == MapOpening::kUnreadable || RefuseOtherGame(doc, options->in))
        return kConvertNotOpened;
    if (!AcceptOutput(opening, *options))
        return kConvertReadProblems;
    doc.m_textureWad.SetTextureFolders(options->textureFolders);
    LoadTextureWadAsking(doc.m_textureWad);
    doc.RecogniseGameByTextures();
    if (RefuseOtherGame(doc, options->in))
        return kConvertNotOpened;

    if (options->format)
        doc.SetMapFormat(*options->format);
    if (!AcceptStandardFormLosses(doc, *options))
        return kConvertRefused;
    UserMessages messages;
    const bool saved = doc.OnSaveDocument(options->out, messages);
    ShowMessages(messages);
    if (!saved)
        return kConvertSaveFailed;
    return opening == MapOpening::kReadWithProblems ? kConvertReadProblems : kConvertSaved;
}
