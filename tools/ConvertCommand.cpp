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

// The same file under two names, or through a link.
bool SameFile(const std::string& a, const std::string& b) {
    const FileStamp first = ReadFileStamp(a), second = ReadFileStamp(b);
    return first.exists && second.exists && first.device == second.device &&
           first.inode == second.inode;
}

// A map that read with problems holds only what was understood of it: saved
// over its own file, the rest would be gone. True when it may go on.
bool AcceptWritingOverInput(MapOpening opening, const ConvertOptions& options) {
    if (opening != MapOpening::kReadWithProblems || options.force ||
        !SameFile(options.in, options.out))
        return true;
    std::fprintf(stderr,
                 "tolve-map convert: %s read with problems; saving it over itself would keep only "
                 "what was understood of it. It was left as it is: give another OUT, or --force "
                 "to write over it anyway\n",
                 options.in.c_str());
    return false;
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
    doc.m_textureWad.SetTextureFolders(options->textureFolders);
    LoadTextureWadAsking(doc.m_textureWad);
    doc.RecogniseGameByTextures();
    if (RefuseOtherGame(doc, options->in))
        return kConvertNotOpened;

    if (options->format)
        doc.SetMapFormat(*options->format);
    if (!AcceptStandardFormLosses(doc, *options))
        return kConvertRefused;
    if (!AcceptWritingOverInput(opening, *options))
        return kConvertReadProblems;
    UserMessages messages;
    doc.m_keepLayout = options->keepLayout;
    const bool saved = doc.OnSaveDocument(options->out, messages);
    ShowMessages(messages);
    if (!saved)
        return kConvertSaveFailed;
    if (!doc.GetWholeSaveReason().empty())
        std::fprintf(stderr, "tolve-map convert: %s was written whole anew: %s\n",
                     options->out.c_str(), doc.GetWholeSaveReason().c_str());
    return opening == MapOpening::kReadWithProblems ? kConvertReadProblems : kConvertSaved;
}
