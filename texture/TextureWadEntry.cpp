#include "texture/TextureWadEntry.h"

#include "framework/RegularFile.h"

TextureWadEntry ReadWadEntry(std::string_view name, const TextureSearchPaths& paths,
                             std::vector<CTextureFile>& loaded) {
    TextureWadEntry entry;
    entry.name = std::string(name);
    std::optional<FoundTextureFile> found = LocateTextureFile(name, paths);
    if (!found)
        return entry;
    entry.path = found->path;
    entry.place = found->place;
    CTextureFile file(found->path);
    entry.state = file.Load();
    entry.isWad3 = file.IsWad3();
    if (entry.state == TextureFileState::kLoaded)
        loaded.push_back(std::move(file));
    return entry;
}

TextureWadEntry InspectWadEntry(std::string_view name, const TextureSearchPaths& paths) {
    std::vector<CTextureFile> discarded;
    return ReadWadEntry(name, paths, discarded);
}

const char* DescribeTextureFileState(TextureFileState state) {
    switch (state) {
    case TextureFileState::kLoaded:
        return "loaded";
    case TextureFileState::kMissing:
        return "missing";
    case TextureFileState::kUnreadable:
        return "unreadable";
    case TextureFileState::kNotWad2:
        return "not a WAD2 file";
    case TextureFileState::kTooLarge: {
        static const std::string tooLarge = "larger than " +
                                            DescribeByteCount(kMaxTextureFileBytes) +
                                            ", too large to be a texture file";
        return tooLarge.c_str();
    }
    }
    return "";
}

std::string DescribeWadEntry(const TextureWadEntry& entry) {
    if (!entry.IsFound())
        return DescribeTextureFileState(TextureFileState::kMissing);
    std::string text = entry.path;
    const std::string place = DescribeTextureFilePlace(entry.place);
    if (!place.empty())
        text += " (" + place + ")";
    if (entry.state != TextureFileState::kLoaded)
        text += std::string(": ") + DescribeTextureFileState(entry.state);
    return text;
}
