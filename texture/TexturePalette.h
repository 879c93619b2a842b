#pragma once

#include <array>
#include <cstdint>
#include <string>

inline constexpr const char* kDefaultPaletteFile = "quake.pal";

struct PaletteEntry {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t flags = 0;
};

// The colours of the 256 palette indices that texture pixels hold. Black until
// a palette file has been read.
class TexturePalette {
public:
    static constexpr int kEntryCount = 256;

    const PaletteEntry& operator[](uint8_t index) const { return m_entries[index]; }

    // Reads a palette file of 256 records (red, green, blue, unused) holding
    // 6-bit intensities. Bytes the file does not reach keep their value, so
    // after a short file the remaining entries of a fresh palette stay black.
    // A file that cannot be opened changes nothing.
    void ReadPaletteFile(const std::string& path);

    void ClearPalette() { m_entries = {}; }
    void SetEntry(uint8_t index, PaletteEntry entry) { m_entries[index] = entry; }

private:
    std::array<PaletteEntry, kEntryCount> m_entries{};
};

// The one palette of the program, shared by every document's previews.
TexturePalette& GetTexturePalette();

// Fills the program's palette from the palette file in the working directory;
// silent when there is none.
void LoadTexturePalette(const std::string& path = kDefaultPaletteFile);
