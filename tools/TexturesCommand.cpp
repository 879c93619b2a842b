#include "framework/CMessageService.h"
#include "texture/CTextureWad.h"
#include "texture/TextureWadPrompt.h"
#include "tools/MapCommands.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

namespace {

void PrintTexturesUsage(FILE* out) {
    std::fprintf(out,
                 "usage: tolve-map textures FILE.wad\n\n"
                 "Lists the textures of a Quake WAD2 file as the editor offers them, sorted,\n"
                 "one a line with WIDTHxHEIGHT of its mip texture (?x? when the file does not\n"
                 "hold the texture's header). Exit status 1 when the file is not a readable\n"
                 "WAD2 file.\n");
}

// The catalogue itself reads any file; the tool turns away what is not WAD2.
bool CheckWad2File(const std::string& path) {
    std::error_code error;
    std::filesystem::file_status status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status) || !std::filesystem::is_regular_file(status)) {
        std::fprintf(stderr, "tolve-map textures: '%s' %s\n", path.c_str(),
                     std::filesystem::exists(status) ? "is not a regular file" : "does not exist");
        return false;
    }
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        std::fprintf(stderr, "tolve-map textures: cannot open '%s': %s\n", path.c_str(),
                     std::strerror(errno));
        return false;
    }
    char header[kWadHeaderSize];
    size_t got = std::fread(header, 1, sizeof header, file);
    std::fclose(file);
    if (got < sizeof header) {
        std::fprintf(stderr, "tolve-map textures: '%s' is too short for a WAD2 header\n",
                     path.c_str());
        return false;
    }
    if (std::memcmp(header, "WAD2", 4) != 0) {
        std::fprintf(stderr, "tolve-map textures: '%s' is not a WAD2 file\n", path.c_str());
        return false;
    }
    return true;
}

std::string DescribeSize(const CTextureWad& wad, const std::string& name) {
    // The listed name comes from the first mip texture entry that bears it.
    std::optional<MipTexHeader> header;
    for (const WadLump& lump : wad.GetDirectory()) {
        if (lump.IsMipTexture() && lump.GetName() == name) {
            header = wad.ReadMipTexHeader(lump);
            break;
        }
    }
    if (!header)
        return "?x?";
    return std::to_string(header->width) + "x" + std::to_string(header->height);
}

} // namespace

int RunTexturesCommand(int argc, char** argv) {
    if (argc != 1 || WantsHelp(argc, argv)) {
        bool help = WantsHelp(argc, argv);
        PrintTexturesUsage(help ? stdout : stderr);
        return help ? 0 : 2;
    }
    if (!CheckWad2File(argv[0]))
        return 1;
    CTextureWad wad;
    wad.SetFileName(argv[0]);
    LoadTextureWadAsking(wad);
    if (static_cast<int64_t>(wad.GetDirectory().size()) != wad.GetDeclaredEntryCount())
        std::fprintf(stderr,
                     "tolve-map textures: warning: the header announces %d entries, the file "
                     "holds %zu of them\n",
                     static_cast<int>(wad.GetDeclaredEntryCount()), wad.GetDirectory().size());
    if (!wad.OpenTextureFile()) {
        std::fprintf(stderr, "tolve-map textures: cannot reopen '%s'\n", argv[0]);
        return 1;
    }
    for (const std::string& name : wad.GetTextureNames())
        std::printf("%s %s\n", name.c_str(), DescribeSize(wad, name).c_str());
    wad.CloseTextureFile();
    return 0;
}
