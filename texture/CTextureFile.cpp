#include "texture/CTextureFile.h"

#include <algorithm>
#include <filesystem>

namespace {

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

} // namespace

TextureFileState CTextureFile::Load() {
    // A failed load leaves no entries behind of what the file held before.
    m_directory.clear();
    m_declaredEntryCount = 0;
    m_isWad3 = false;
    if (!Open()) {
        if (m_tooLarge)
            return TextureFileState::kTooLarge;
        std::error_code error;
        return std::filesystem::exists(m_path, error) ? TextureFileState::kUnreadable
                                                      : TextureFileState::kMissing;
    }
    TextureFileState state = ReadMagic();
    if (state == TextureFileState::kLoaded)
        ReadDirectory();
    Close();
    return state;
}

TextureFileState CTextureFile::ReadMagic() {
    unsigned char header[kWadHeaderSize];
    if (!ReadBytes(0, header, sizeof header))
        return TextureFileState::kNotWad2;
    m_isWad3 = std::equal(header, header + 4, "WAD3");
    return std::equal(header, header + 4, "WAD2") ? TextureFileState::kLoaded
                                                  : TextureFileState::kNotWad2;
}

void CTextureFile::ReadDirectory() {
    unsigned char header[kWadHeaderSize];
    if (!ReadBytes(0, header, sizeof header))
        return;
    m_declaredEntryCount = DecodeInt32(header + 4);
    int32_t offset = DecodeInt32(header + 8);
    size_t present = CountPresentEntries(m_declaredEntryCount, offset, m_size);
    std::vector<unsigned char> bytes(present * kWadLumpSize);
    if (!ReadBytes(offset, bytes.data(), bytes.size()))
        return;
    m_directory.reserve(present);
    for (size_t entry = 0; entry < present; ++entry)
        m_directory.push_back(DecodeWadLump(bytes.data() + entry * kWadLumpSize));
}

const WadLump* CTextureFile::FindLump(std::string_view name) const {
    auto found = std::find_if(m_directory.begin(), m_directory.end(),
                              [&](const WadLump& lump) { return ViewWadName(lump.name) == name; });
    return found == m_directory.end() ? nullptr : &*found;
}

bool CTextureFile::Open() {
    Close();
    m_tooLarge = false;
    // Directories open for reading on some systems; they are not texture files.
    std::error_code error;
    if (!std::filesystem::is_regular_file(m_path, error))
        return false;
    std::unique_ptr<FILE, CloseFile> file(std::fopen(m_path.c_str(), "rb"));
    if (!file || std::fseek(file.get(), 0, SEEK_END) != 0)
        return false;
    long size = std::ftell(file.get());
    if (size < 0)
        return false;
    if (size > kMaxTextureFileBytes) {
        m_tooLarge = true;
        return false;
    }
    m_file = std::move(file);
    m_size = size;
    return true;
}

void CTextureFile::Close() {
    m_file.reset();
    m_size = 0;
}

bool CTextureFile::ReadBytes(int64_t offset, void* buffer, size_t count) const {
    if (!m_file || offset < 0 || offset > m_size || count > static_cast<uint64_t>(m_size - offset))
        return false;
    if (count == 0)
        return true;
    if (std::fseek(m_file.get(), static_cast<long>(offset), SEEK_SET) != 0)
        return false;
    // The file may have shrunk since it was opened.
    return std::fread(buffer, 1, count, m_file.get()) == count;
}

std::optional<MipTexHeader> CTextureFile::ReadMipTexHeader(const WadLump& lump) const {
    unsigned char bytes[kMipTexHeaderSize];
    if (!ReadBytes(lump.filePos, bytes, sizeof bytes))
        return std::nullopt;
    return DecodeMipTexHeader(bytes);
}
