#include "map/CTolveDoc.h"
#include "texture/CTextureWad.h"
#include "texture/WadListText.h"
#include "tools/MapCommands.h"
#include "tools/MapOpening.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

void PrintTexturesUsage(FILE* out) {
    std::fprintf(out,
                 "usage: tolve-map textures [--texture-folder DIR]... FILE.wad...\n"
                 "       tolve-map textures [--texture-folder DIR]... MAP.map\n\n"
                 "Lists the textures of WAD2 files as the editor offers them, sorted, one a\n"
                 "line: the name, WIDTHxHEIGHT of its mip texture (?x? when the file does not\n"
                 "hold the texture's header) and the file it comes from. A name held by several\n"
                 "files comes from the first of them. Given a map, the files of its \"wad\" list\n"
                 "are looked for as the editor does: relative to the map's folder, then to the\n"
                 "working directory, then by file name alone in the map's folder and in each\n"
                 "texture folder. Files that are missing, unreadable or not WAD2 files are named\n"
                 "on standard error, and the exit status is then 1.\n");
}

struct TexturesArguments {
    std::vector<std::string> files;
    std::vector<std::string> textureFolders;
};

std::optional<TexturesArguments> ParseArguments(int argc, char** argv) {
    TexturesArguments arguments;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--texture-folder") == 0) {
            if (++i == argc)
                return std::nullopt;
            arguments.textureFolders.push_back(argv[i]);
        } else {
            arguments.files.push_back(argv[i]);
        }
    }
    if (arguments.files.empty())
        return std::nullopt;
    return arguments;
}

bool IsMapFile(const std::string& path) {
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos)
        return false;
    std::string extension = path.substr(dot);
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == ".map";
}

// The catalogue's list names the files, or the map's "wad" value does. False
// when the arguments cannot become a list.
bool PrepareCatalogue(const TexturesArguments& arguments, CTolveDoc& doc) {
    const std::string& first = arguments.files.front();
    if (arguments.files.size() == 1 && IsMapFile(first))
        return OpenMapForCommand(doc, first);
    std::vector<std::string> names;
    for (const std::string& file : arguments.files) {
        if (IsMapFile(file) || file.find(';') != std::string::npos) {
            std::fprintf(stderr, "tolve-map textures: '%s' %s\n", file.c_str(),
                         IsMapFile(file) ? "is a map: give it alone"
                                         : "holds a ';', which separates texture files");
            return false;
        }
        names.push_back(file);
    }
    doc.m_textureWad.SetFileName(JoinWadList(names));
    return true;
}

// The first mip texture entry of each name in a file, which the listed name
// comes from: found in one walk over the directory, not in one for each name.
using MipTextureIndex = std::unordered_map<std::string, const WadLump*>;

MipTextureIndex IndexMipTextures(const CTextureFile& file) {
    MipTextureIndex index;
    for (const WadLump& lump : file.GetDirectory()) {
        if (lump.IsMipTexture())
            index.try_emplace(lump.GetName(), &lump);
    }
    return index;
}

std::string DescribeSize(const CTextureFile& file, const MipTextureIndex& index,
                         const std::string& name) {
    auto found = index.find(name);
    const std::optional<MipTexHeader> header =
        found == index.end() ? std::nullopt : file.ReadMipTexHeader(*found->second);
    if (!header)
        return "?x?";
    return std::to_string(header->width) + "x" + std::to_string(header->height);
}

// Names every entry that did not load, and warns of files whose header
// promises more entries than they hold. True when all loaded.
bool ReportEntries(const CTextureWad& wad) {
    bool allLoaded = !wad.GetEntries().empty();
    if (!allLoaded)
        std::fprintf(stderr, "tolve-map textures: the map names no texture file\n");
    for (const TextureWadEntry& entry : wad.GetEntries()) {
        if (entry.state == TextureFileState::kLoaded)
            continue;
        allLoaded = false;
        // A file found under the name it was given is not named twice.
        const std::string what = entry.IsFound() && entry.path == entry.name
                                     ? DescribeTextureFileState(entry.state)
                                     : DescribeWadEntry(entry);
        std::fprintf(stderr, "tolve-map textures: %s: %s\n", entry.name.c_str(), what.c_str());
    }
    for (const CTextureFile& file : wad.GetFiles()) {
        if (static_cast<int64_t>(file.GetDirectory().size()) != file.GetDeclaredEntryCount())
            std::fprintf(stderr,
                         "tolve-map textures: warning: the header of '%s' announces %d entries, "
                         "the file holds %zu of them\n",
                         file.GetPath().c_str(), static_cast<int>(file.GetDeclaredEntryCount()),
                         file.GetDirectory().size());
    }
    return allLoaded;
}

} // namespace

int RunTexturesCommand(int argc, char** argv) {
    std::optional<TexturesArguments> arguments = ParseArguments(argc, argv);
    if (!arguments || WantsHelp(argc, argv)) {
        bool help = WantsHelp(argc, argv);
        PrintTexturesUsage(help ? stdout : stderr);
        return help ? 0 : 2;
    }
    CTolveDoc doc;
    if (!PrepareCatalogue(*arguments, doc))
        return 2;
    CTextureWad& wad = doc.m_textureWad;
    wad.SetTextureFolders(arguments->textureFolders);
    wad.LoadTextureWad();
    bool allLoaded = ReportEntries(wad);
    if (!wad.OpenTextureFiles()) {
        std::fprintf(stderr, "tolve-map textures: cannot reopen every texture file\n");
        allLoaded = false;
    }
    std::map<const CTextureFile*, MipTextureIndex> indexes;
    for (int i = 0; i < wad.GetTextureCount(); ++i) {
        const std::string& name = wad.GetTextureName(i);
        const CTextureFile& file = wad.GetTextureFile(i);
        auto [index, added] = indexes.try_emplace(&file);
        if (added)
            index->second = IndexMipTextures(file);
        std::printf("%s %s %s\n", name.c_str(), DescribeSize(file, index->second, name).c_str(),
                    file.GetPath().c_str());
    }
    wad.CloseTextureFiles();
    return allLoaded ? 0 : 1;
}
