#include "texture/CTextureWad.h"

#include "framework/CProgressService.h"
#include "texture/WadListText.h"

#include <algorithm>
#include <utility>

namespace {

constexpr const char* kNotFoundText = "Selected texture wad2 file was not found; please select an "
                                      "appropriate Quake texture wad2 file.";
constexpr const char* kNoneFoundText = " texture files of the map was found; please select an "
                                       "appropriate Quake texture wad2 file.";
constexpr const char* kCannotOpenText = "Couldn't open texture file!";
constexpr const char* kSomeNotLoadedText = "Some texture files of the map could not be loaded:";
constexpr const char* kNoEntriesText = "The map names no texture file.";
constexpr const char* kLoadingLabel = "Loading Texture Wad...";

// A failed entry on a line of its own: the file when it was found, else the
// name the map gives it.
std::string DescribeFailure(const TextureWadEntry& entry) {
    return (entry.IsFound() ? entry.path : entry.name) + ": " +
           DescribeTextureFileState(entry.state);
}

} // namespace

void CTextureWad::SetMapFolder(const std::string& folder) {
    const bool firstFolder = m_search.mapFolder.empty() && !folder.empty();
    if ((firstFolder || !m_search.mapFolder.empty()) && folder != m_search.mapFolder) {
        // From the last entry back, so that the offsets of those before stay.
        const std::vector<WadListEntry> entries = SplitWadList(m_fileName);
        for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
            const std::optional<std::string> moved =
                firstFolder ? MakeEntryRelative(entry->name, folder)
                            : MoveWadEntry(entry->name, m_search.mapFolder, folder);
            if (moved)
                m_fileName = ReplaceWadListEntry(m_fileName, *entry, *moved);
        }
    }
    m_search.mapFolder = folder;
}

bool CTextureWad::LoadTextureWad() {
    // Nothing of an earlier list may stay behind.
    m_entries.clear();
    m_files.clear();
    ++m_loadCount;
    for (const WadListEntry& listed : SplitWadList(m_fileName))
        m_entries.push_back(ReadWadEntry(listed.name, m_search, m_files));
    ListTextures();
    return !m_entries.empty() && m_files.size() == m_entries.size();
}

void CTextureWad::ListTextures() {
    m_textureNames.clear();
    m_textureFiles.clear();
    if (m_files.empty())
        return;
    // One display for all files; the bar counts the entries actually read,
    // which is the headers' count unless a file is cut short or its count is
    // nonsense.
    size_t total = 0;
    for (const CTextureFile& file : m_files)
        total += file.GetDirectory().size();
    auto progress = ProgressServiceSlot::Get().Begin(kLoadingLabel, static_cast<int>(total));
    std::vector<std::pair<std::string, size_t>> listed;
    for (size_t index = 0; index < m_files.size(); ++index) {
        for (const WadLump& lump : m_files[index].GetDirectory()) {
            if (lump.IsMipTexture() && lump.name[0] != '\0')
                listed.emplace_back(lump.GetName(), index);
            progress->Step();
        }
    }
    progress.reset();
    // std::string compares its bytes as unsigned char, which is the order the
    // list is shown in: "*" < "+" < digits < upper case < lower case < 0x80..0xFF.
    // The sort is stable and the files were taken in list order, so the first
    // of equal names is that of the first file holding it.
    std::stable_sort(listed.begin(), listed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& [name, file] : listed) {
        if (!m_textureNames.empty() && m_textureNames.back() == name)
            continue;
        m_textureNames.push_back(std::move(name));
        m_textureFiles.push_back(file);
    }
}

bool CTextureWad::HasFoundFile() const {
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [](const TextureWadEntry& entry) { return entry.IsFound(); });
}

bool CTextureWad::HasWad3File() const {
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [](const TextureWadEntry& entry) { return entry.isWad3; });
}

std::string CTextureWad::DescribeLoadProblems() const {
    std::vector<const TextureWadEntry*> failed;
    for (const TextureWadEntry& entry : m_entries) {
        if (entry.state != TextureFileState::kLoaded)
            failed.push_back(&entry);
    }
    if (failed.empty() && !m_entries.empty())
        return {};
    return Describe(failed, !HasFoundFile());
}

std::string CTextureWad::DescribeEntryProblem(size_t index) const {
    const TextureWadEntry& entry = m_entries.at(index);
    if (entry.state == TextureFileState::kLoaded)
        return {};
    return Describe({&entry}, !entry.IsFound());
}

// The first line says what follows: the user is asked for a file only when
// nothing was found, and a lone file that would not open keeps its old words.
std::string CTextureWad::Describe(const std::vector<const TextureWadEntry*>& failed,
                                  bool noneFound) {
    const bool oneUnreadable = failed.size() == 1 && failed[0]->IsFound();
    std::string text;
    if (noneFound && failed.size() > 1)
        text.append("None of the ").append(std::to_string(failed.size())).append(kNoneFoundText);
    else
        text = noneFound ? kNotFoundText : oneUnreadable ? kCannotOpenText : kSomeNotLoadedText;
    // Appended piece by piece: "\n" + string trips a false -Wrestrict of gcc 12.
    if (failed.empty())
        text.append("\n").append(kNoEntriesText);
    for (const TextureWadEntry* entry : failed)
        text.append("\n").append(DescribeFailure(*entry));
    return text;
}

FileChooserRequest CTextureWad::MakeChooserRequest() {
    FileChooserRequest request;
    request.filterText = "Quake Texture Wad2 files (*.wad)";
    request.pattern = "*.wad";
    request.defaultExtension = "wad";
    request.mustExist = true;
    return request;
}

// The default name stands for a map that named no file at all; a chosen file
// takes its place. A list the map did name is kept, and the file joins it.
bool CTextureWad::IsDefaultList() const {
    const std::vector<WadListEntry> entries = SplitWadList(m_fileName);
    return entries.empty() || (entries.size() == 1 && entries[0].name == kDefaultTextureWad);
}

size_t CTextureWad::AdoptChosenFile(const std::string& chosenPath) {
    const std::string stored = MakeStoredWadName(chosenPath, m_search.mapFolder);
    m_fileName = IsDefaultList() ? stored : AppendToWadList(m_fileName, stored);
    m_named = true;
    return SplitWadList(m_fileName).size() - 1;
}

const CTextureFile& CTextureWad::GetTextureFile(int index) const {
    return m_files.at(m_textureFiles.at(static_cast<size_t>(index)));
}

const CTextureFile* CTextureWad::FindTextureFile(std::string_view name) const {
    auto found = std::lower_bound(m_textureNames.begin(), m_textureNames.end(), name);
    if (found == m_textureNames.end() || *found != name)
        return nullptr;
    return &m_files.at(m_textureFiles.at(static_cast<size_t>(found - m_textureNames.begin())));
}

bool CTextureWad::OpenTextureFiles() {
    bool allOpen = true;
    for (CTextureFile& file : m_files)
        allOpen = file.Open() && allOpen;
    return allOpen;
}

void CTextureWad::CloseTextureFiles() {
    for (CTextureFile& file : m_files)
        file.Close();
}
