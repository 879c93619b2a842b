#include "texture/CTextureWad.h"

#include "framework/CProgressService.h"
#include "framework/CStatusNotice.h"

#include <algorithm>
#include <filesystem>

namespace {

constexpr const char* kNotFoundText = "Selected texture wad2 file was not found; please select an "
                                      "appropriate Quake texture wad2 file.";
constexpr const char* kCannotOpenText = "Couldn't open texture file!";
constexpr const char* kLoadingLabel = "Loading Texture Wad...";
constexpr const char* kOutsideMapFolder =
    "The texture file lies outside the map's folder: the map names it by its full path.";
constexpr const char* kMapNotSaved =
    "The map has no folder yet: it names the texture file by its full path.";

// The message text, and on a second line which file and what is wrong with it.
std::string Explain(const char* text, const std::string& path, const char* reason) {
    return std::string(text) + "\n" + path + ": " + reason;
}

// `path` relative to `folder` when it lies inside it or below, else nothing.
std::optional<std::filesystem::path> RelativeInside(const std::filesystem::path& path,
                                                    const std::filesystem::path& folder) {
    std::error_code error;
    const std::filesystem::path file = std::filesystem::weakly_canonical(path, error);
    if (error)
        return std::nullopt;
    const std::filesystem::path base = std::filesystem::weakly_canonical(folder, error);
    if (error)
        return std::nullopt;
    std::filesystem::path relative = file.lexically_relative(base);
    if (relative.empty() || *relative.begin() == "..")
        return std::nullopt;
    return relative;
}

// How many directory entries lie wholly inside the file. A header may claim
// more than that, or place the directory outside the file; entries the file
// does not hold count as absent, so nothing larger than the file is ever
// allocated.
size_t CountPresentEntries(int32_t count, int32_t offset, int64_t fileSize) {
    if (count <= 0 || offset < 0 || offset > fileSize)
        return 0;
    int64_t fitting = (fileSize - offset) / static_cast<int64_t>(kWadLumpSize);
    return static_cast<size_t>(std::min<int64_t>(count, fitting));
}

bool HasName(const WadLump& lump, std::string_view name) {
    return ViewWadName(lump.name) == name;
}

} // namespace

bool CTextureWad::OpenTextureFile() {
    CloseTextureFile();
    // Directories open for reading on some systems; they are not texture files.
    std::error_code error;
    const std::string path = ResolveFileName();
    if (!std::filesystem::is_regular_file(path, error))
        return false;
    std::unique_ptr<FILE, CloseFile> file(std::fopen(path.c_str(), "rb"));
    if (!file || std::fseek(file.get(), 0, SEEK_END) != 0)
        return false;
    long size = std::ftell(file.get());
    if (size < 0)
        return false;
    m_file = std::move(file);
    m_fileSize = size;
    return true;
}

void CTextureWad::CloseTextureFile() {
    m_file.reset();
    m_fileSize = 0;
}

bool CTextureWad::ReadFileBytes(int64_t offset, void* buffer, size_t count) const {
    if (!m_file || offset < 0 || offset > m_fileSize ||
        count > static_cast<uint64_t>(m_fileSize - offset))
        return false;
    if (count == 0)
        return true;
    if (std::fseek(m_file.get(), static_cast<long>(offset), SEEK_SET) != 0)
        return false;
    // The file may have shrunk since it was opened.
    return std::fread(buffer, 1, count, m_file.get()) == count;
}

std::optional<MipTexHeader> CTextureWad::ReadMipTexHeader(const WadLump& lump) const {
    unsigned char bytes[kMipTexHeaderSize];
    if (!ReadFileBytes(lump.filePos, bytes, sizeof bytes))
        return std::nullopt;
    return DecodeMipTexHeader(bytes);
}

const WadLump* CTextureWad::FindLump(std::string_view name) const {
    auto found = std::find_if(m_directory.begin(), m_directory.end(),
                              [&](const WadLump& lump) { return HasName(lump, name); });
    return found == m_directory.end() ? nullptr : &*found;
}

void CTextureWad::SetMapFolder(const std::string& folder) {
    std::error_code error;
    const std::filesystem::path name(m_fileName);
    if (!m_mapFolder.empty() && name.is_relative() &&
        std::filesystem::exists(std::filesystem::path(m_mapFolder) / name, error)) {
        const std::filesystem::path file = std::filesystem::path(m_mapFolder) / name;
        std::optional<std::filesystem::path> relative =
            folder.empty() ? std::nullopt : RelativeInside(file, folder);
        m_fileName =
            relative ? relative->string() : std::filesystem::absolute(file, error).string();
    }
    m_mapFolder = folder;
}

std::string CTextureWad::ResolveFileName() const {
    const std::filesystem::path name(m_fileName);
    if (m_mapFolder.empty() || !name.is_relative())
        return m_fileName;
    std::error_code error;
    const std::filesystem::path inFolder = std::filesystem::path(m_mapFolder) / name;
    return std::filesystem::exists(inFolder, error) ? inFolder.string() : m_fileName;
}

bool CTextureWad::HasWad2Header() const {
    unsigned char header[kWadHeaderSize];
    return ReadFileBytes(0, header, sizeof header) && std::equal(header, header + 4, "WAD2");
}

CTextureWad::LoadResult CTextureWad::LoadTextureWad() {
    // A failed load leaves no entries behind that belong to another file.
    m_textureNames.clear();
    m_directory.clear();
    m_declaredEntryCount = 0;
    std::error_code error;
    if (!std::filesystem::exists(ResolveFileName(), error))
        return LoadResult::kMissing;
    if (!OpenTextureFile())
        return LoadResult::kUnreadable;
    if (!HasWad2Header()) {
        CloseTextureFile();
        return LoadResult::kNotWad2;
    }
    ReadDirectory();
    ListTextures();
    CloseTextureFile();
    return LoadResult::kLoaded;
}

std::string CTextureWad::DescribeLoadProblem(LoadResult result) const {
    const std::string path = ResolveFileName();
    switch (result) {
    case LoadResult::kMissing:
        return Explain(kNotFoundText, path, "missing");
    case LoadResult::kUnreadable:
        return Explain(kCannotOpenText, path, "unreadable");
    case LoadResult::kNotWad2:
        return Explain(kCannotOpenText, path, "not a WAD2 file");
    case LoadResult::kLoaded:
        break;
    }
    return {};
}

void CTextureWad::ReadDirectory() {
    // A file too short for a header is read as one without entries.
    unsigned char header[kWadHeaderSize];
    if (!ReadFileBytes(0, header, sizeof header))
        return;
    m_declaredEntryCount = DecodeInt32(header + 4);
    int32_t offset = DecodeInt32(header + 8);
    size_t present = CountPresentEntries(m_declaredEntryCount, offset, m_fileSize);
    std::vector<unsigned char> bytes(present * kWadLumpSize);
    if (!ReadFileBytes(offset, bytes.data(), bytes.size()))
        return;
    m_directory.reserve(present);
    for (size_t entry = 0; entry < present; ++entry)
        m_directory.push_back(DecodeWadLump(bytes.data() + entry * kWadLumpSize));
}

void CTextureWad::ListTextures() {
    // The bar counts the entries actually read, which is the header's count
    // unless the file is cut short or the count is nonsense.
    auto progress =
        ProgressServiceSlot::Get().Begin(kLoadingLabel, static_cast<int>(m_directory.size()));
    for (const WadLump& lump : m_directory) {
        if (lump.IsMipTexture() && lump.name[0] != '\0')
            m_textureNames.push_back(lump.GetName());
        progress->Step();
    }
    progress.reset();
    // std::string compares its bytes as unsigned char, which is the order the
    // list is shown in: "*" < "+" < digits < upper case < lower case < 0x80..0xFF.
    std::sort(m_textureNames.begin(), m_textureNames.end());
    m_textureNames.erase(std::unique(m_textureNames.begin(), m_textureNames.end()),
                         m_textureNames.end());
}

FileChooserRequest CTextureWad::MakeChooserRequest() {
    FileChooserRequest request;
    request.filterText = "Quake Texture Wad2 files (*.wad)";
    request.pattern = "*.wad";
    request.defaultExtension = "wad";
    request.mustExist = true;
    return request;
}

void CTextureWad::AdoptChosenFile(const std::string& chosenPath) {
    SetFileName(MakeStoredName(chosenPath));
}

// Inside the map's folder the name travels with the map; anywhere else only
// the full path finds the file, which the status bar points out.
std::string CTextureWad::MakeStoredName(const std::string& chosenPath) const {
    std::error_code error;
    std::filesystem::path fullPath = std::filesystem::absolute(chosenPath, error);
    if (error)
        fullPath = chosenPath;
    if (m_mapFolder.empty()) {
        ShowStatusNotice(kMapNotSaved);
        return fullPath.string();
    }
    if (std::optional<std::filesystem::path> relative = RelativeInside(fullPath, m_mapFolder))
        return relative->string();
    ShowStatusNotice(kOutsideMapFolder);
    return fullPath.string();
}
