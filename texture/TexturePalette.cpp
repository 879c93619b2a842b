#include "texture/TexturePalette.h"

#include <cstdio>
#include <memory>

namespace {

constexpr size_t kRecordSize = 4;

struct CloseFile {
    void operator()(FILE* file) const { std::fclose(file); }
};

// The file holds intensities 0..63; four times that, kept to 8 bits, is the
// colour byte.
uint8_t WidenIntensity(unsigned char stored) {
    return static_cast<uint8_t>(stored * 4u);
}

} // namespace

void TexturePalette::ReadPaletteFile(const std::string& path) {
    std::unique_ptr<FILE, CloseFile> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return;
    unsigned char bytes[kEntryCount * kRecordSize];
    size_t got = std::fread(bytes, 1, sizeof bytes, file.get());
    for (size_t entry = 0; entry < kEntryCount; ++entry) {
        uint8_t* channels[] = {&m_entries[entry].red, &m_entries[entry].green,
                               &m_entries[entry].blue};
        for (size_t channel = 0; channel < 3; ++channel) {
            size_t at = entry * kRecordSize + channel;
            if (at < got)
                *channels[channel] = WidenIntensity(bytes[at]);
        }
        m_entries[entry].flags = 0;
    }
}

TexturePalette& GetTexturePalette() {
    static TexturePalette palette;
    return palette;
}

void LoadTexturePalette(const std::string& path) {
    GetTexturePalette().ReadPaletteFile(path);
}
