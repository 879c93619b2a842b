#include "texture/CTextureWad.h"

#include "framework/CFileChooser.h"
#include "framework/CMessageService.h"
#include "framework/CProgressService.h"

#include <algorithm>
#include <filesystem>

namespace {

constexpr const char* kMessageTitle = "Texture File Initialization";
constexpr const char* kNotFoundText = "Selected texture wad2 file was not found; please select an "
                                      "appropriate Quake texture wad2 file.";
constexpr const char* kCannotOpenText = "Couldn't open texture file!";
constexpr const char* kLoadingLabel = "Loading Texture Wad...";

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
    if (!std::filesystem::is_regular_file(m_fileName, error))
        return false;
    std::unique_ptr<FILE, CloseFile> file(std::fopen(m_fileName.c_str(), "rb"));
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

void CTextureWad::LoadTextureWad() {
    // A failed load leaves no entries behind that belong to another file.
    m_textureNames.clear();
    m_directory.clear();
    m_declaredEntryCount = 0;
    std::error_code error;
    if (!std::filesystem::exists(m_fileName, error)) {
        ShowMessageBox(kMessageTitle, kNotFoundText, MessageIcon::Warning);
        ChooseTextureWad();
        return;
    }
    if (!OpenTextureFile()) {
        ShowMessageBox(kMessageTitle, kCannotOpenText, MessageIcon::Warning);
        return;
    }
    ReadDirectory();
    ListTextures();
    CloseTextureFile();
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

void CTextureWad::ChooseTextureWad() {
    FileChooserRequest request;
    request.filterText = "Quake Texture Wad2 files (*.wad)";
    request.pattern = "*.wad";
    request.defaultExtension = "wad";
    request.mustExist = true;
    std::optional<std::string> chosen = FileChooserSlot::Get().ChooseFileToOpen(request);
    if (!chosen)
        return;
    std::error_code error;
    std::filesystem::path fullPath = std::filesystem::absolute(*chosen, error);
    SetFileName(error ? *chosen : fullPath.string());
    LoadTextureWad();
}
