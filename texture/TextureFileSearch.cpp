#include "texture/TextureFileSearch.h"

#include "framework/CStatusNotice.h"
#include "texture/WadListText.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr const char* kOutsideMapFolder =
    "The texture file lies outside the map's folder: the map names it by its full path.";
constexpr const char* kMapNotSaved =
    "The map has no folder yet: it names the texture file by its full path.";

bool Exists(const fs::path& path) {
    std::error_code error;
    return fs::exists(path, error);
}

// The entry as written, and with '\' read as '/' when that differs.
std::vector<std::string> Spellings(std::string_view entry) {
    std::vector<std::string> spellings{std::string(entry)};
    std::string slashed(entry);
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    if (slashed != spellings.front())
        spellings.push_back(std::move(slashed));
    return spellings;
}

std::optional<FoundTextureFile> FindAsNamed(std::string_view entry,
                                            const TextureSearchPaths& paths) {
    if (IsAbsoluteWadEntry(entry)) {
        if (Exists(fs::path(entry)))
            return FoundTextureFile{std::string(entry), TextureFilePlace::kAsNamed};
        return std::nullopt;
    }
    if (std::optional<std::string> inFolder = FindInFolder(entry, paths.mapFolder))
        return FoundTextureFile{*inFolder, TextureFilePlace::kMapFolder};
    for (const std::string& spelling : Spellings(entry)) {
        if (Exists(spelling))
            return FoundTextureFile{spelling, TextureFilePlace::kAsNamed};
    }
    return std::nullopt;
}

std::optional<FoundTextureFile> FindByFileName(std::string_view entry,
                                               const TextureSearchPaths& paths) {
    const std::string_view fileName = WadEntryFileName(entry);
    if (fileName.empty() || fileName == "." || fileName == "..")
        return std::nullopt;
    auto inFolder = [&](const std::string& folder) -> std::optional<std::string> {
        if (folder.empty())
            return std::nullopt;
        const fs::path path = fs::path(folder) / fileName;
        return Exists(path) ? std::optional(path.string()) : std::nullopt;
    };
    if (std::optional<std::string> path = inFolder(paths.mapFolder))
        return FoundTextureFile{*path, TextureFilePlace::kMapFolderByName};
    for (const std::string& folder : paths.textureFolders) {
        if (std::optional<std::string> path = inFolder(folder))
            return FoundTextureFile{*path, TextureFilePlace::kTextureFolderByName};
    }
    return std::nullopt;
}

// `path` relative to `folder` when it lies inside it or below, else nothing.
std::optional<fs::path> RelativeInside(const fs::path& path, const fs::path& folder) {
    std::error_code error;
    const fs::path file = fs::weakly_canonical(path, error);
    if (error)
        return std::nullopt;
    const fs::path base = fs::weakly_canonical(folder, error);
    if (error)
        return std::nullopt;
    fs::path relative = file.lexically_relative(base);
    if (relative.empty() || *relative.begin() == "..")
        return std::nullopt;
    return relative;
}

} // namespace

std::optional<FoundTextureFile> LocateTextureFile(std::string_view entry,
                                                  const TextureSearchPaths& paths) {
    if (entry.empty())
        return std::nullopt;
    if (std::optional<FoundTextureFile> found = FindAsNamed(entry, paths))
        return found;
    return FindByFileName(entry, paths);
}

std::optional<std::string> FindInFolder(std::string_view entry, const std::string& folder) {
    if (folder.empty() || entry.empty() || IsAbsoluteWadEntry(entry))
        return std::nullopt;
    for (const std::string& spelling : Spellings(entry)) {
        const fs::path path = fs::path(folder) / spelling;
        if (Exists(path))
            return path.string();
    }
    return std::nullopt;
}

std::optional<std::string> MoveWadEntry(std::string_view entry, const std::string& oldFolder,
                                        const std::string& newFolder) {
    const std::optional<std::string> file = FindInFolder(entry, oldFolder);
    if (!file)
        return std::nullopt;
    std::error_code error;
    const std::optional<std::string> there = FindInFolder(entry, newFolder);
    if (there && fs::equivalent(*there, *file, error))
        return std::nullopt;
    std::optional<fs::path> relative =
        newFolder.empty() ? std::nullopt : RelativeInside(*file, newFolder);
    if (relative)
        return relative->string();
    const fs::path full = fs::absolute(*file, error);
    return (error ? fs::path(*file) : full).lexically_normal().string();
}

std::optional<std::string> MakeEntryRelative(std::string_view entry, const std::string& folder) {
    if (!IsAbsoluteWadEntry(entry) || folder.empty() || !Exists(fs::path(entry)))
        return std::nullopt;
    if (std::optional<fs::path> relative = RelativeInside(fs::path(entry), folder))
        return relative->string();
    return std::nullopt;
}

const char* DescribeTextureFilePlace(TextureFilePlace place) {
    switch (place) {
    case TextureFilePlace::kAsNamed:
    case TextureFilePlace::kMapFolder:
        return "";
    case TextureFilePlace::kMapFolderByName:
        return "by its file name, in the map's folder";
    case TextureFilePlace::kTextureFolderByName:
        return "by its file name, in a texture folder";
    }
    return "";
}

std::string MakeStoredWadName(const std::string& chosenPath, const std::string& mapFolder) {
    std::error_code error;
    fs::path fullPath = fs::absolute(chosenPath, error);
    if (error)
        fullPath = chosenPath;
    if (mapFolder.empty()) {
        ShowStatusNotice(kMapNotSaved);
        return fullPath.string();
    }
    if (std::optional<fs::path> relative = RelativeInside(fullPath, mapFolder))
        return relative->string();
    ShowStatusNotice(kOutsideMapFolder);
    return fullPath.string();
}
