#include "tools/samples/CWad2Writer.h"

#include <cstdint>
#include <stdexcept>

namespace samples {

namespace {

constexpr size_t kMaxLumpName = 15;
constexpr int kSideStep = 16; // every mip level keeps whole pixels

void PutInt32(std::string& bytes, int32_t value) {
    uint32_t bits = static_cast<uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<char>((bits >> shift) & 0xffU));
}

void PutName(std::string& bytes, const std::string& name) {
    std::string field = name;
    field.resize(kMaxLumpName + 1, '\0');
    bytes += field;
}

int PaletteByte(const std::string& palette, int index, int channel) {
    return static_cast<unsigned char>(palette[static_cast<size_t>(index) * 4 + channel]);
}

uint8_t NearestColour(const std::string& palette, int red, int green, int blue) {
    int best = 0;
    int bestDistance = -1;
    for (int index = 0; index < 256; ++index) {
        int dr = PaletteByte(palette, index, 0) - red;
        int dg = PaletteByte(palette, index, 1) - green;
        int db = PaletteByte(palette, index, 2) - blue;
        int distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            best = index;
            bestDistance = distance;
        }
    }
    return static_cast<uint8_t>(best);
}

void CheckTexture(const std::string& name, const CIndexImage& image) {
    if (name.empty() || name.size() > kMaxLumpName)
        throw std::invalid_argument("texture name '" + name + "' is not 1 to 15 characters");
    if (image.Width() % kSideStep != 0 || image.Height() % kSideStep != 0)
        throw std::invalid_argument("texture '" + name +
                                    "' has sides that are not multiples of 16");
}

} // namespace

CIndexImage ShrinkImage(const CIndexImage& image, int factor, const std::string& palette) {
    if (palette.size() < 1024)
        throw std::invalid_argument("a palette has 1024 bytes");
    CIndexImage small(image.Width() / factor, image.Height() / factor);
    int count = factor * factor;
    for (int y = 0; y < small.Height(); ++y) {
        for (int x = 0; x < small.Width(); ++x) {
            int sum[3] = {0, 0, 0};
            for (int dy = 0; dy < factor; ++dy) {
                for (int dx = 0; dx < factor; ++dx) {
                    int index = image.At(x * factor + dx, y * factor + dy);
                    for (int channel = 0; channel < 3; ++channel)
                        sum[channel] += PaletteByte(palette, index, channel);
                }
            }
            small.Set(x, y,
                      NearestColour(palette, (sum[0] + count / 2) / count,
                                    (sum[1] + count / 2) / count, (sum[2] + count / 2) / count));
        }
    }
    return small;
}

CWad2Writer::CWad2Writer(std::string palette) : m_palette(std::move(palette)) {}

void CWad2Writer::AddMipTexture(const std::string& name, const CIndexImage& image) {
    CheckTexture(name, image);
    std::string data;
    PutName(data, name);
    PutInt32(data, image.Width());
    PutInt32(data, image.Height());
    int offset = kMipHeaderSize;
    for (int level = 0; level < kMipLevels; ++level) {
        PutInt32(data, offset);
        offset += (image.Width() >> level) * (image.Height() >> level);
    }
    data.append(image.Pixels().begin(), image.Pixels().end());
    for (int level = 1; level < kMipLevels; ++level) {
        CIndexImage mip = ShrinkImage(image, 1 << level, m_palette);
        data.append(mip.Pixels().begin(), mip.Pixels().end());
    }
    m_lumps.push_back({name, std::move(data)});
}

std::string CWad2Writer::MakeFile() const {
    std::string file = "WAD2";
    size_t directoryOffset = kWadHeaderSize;
    for (const Lump& lump : m_lumps)
        directoryOffset += lump.data.size();
    PutInt32(file, static_cast<int32_t>(m_lumps.size()));
    PutInt32(file, static_cast<int32_t>(directoryOffset));
    for (const Lump& lump : m_lumps)
        file += lump.data;
    int32_t position = kWadHeaderSize;
    for (const Lump& lump : m_lumps) {
        int32_t size = static_cast<int32_t>(lump.data.size());
        PutInt32(file, position);
        PutInt32(file, size); // stored uncompressed: size on disk = size
        PutInt32(file, size);
        file.push_back(kMipTextureType);
        file.push_back('\0'); // no compression
        file.append(2, '\0');
        PutName(file, lump.name);
        position += size;
    }
    return file;
}

} // namespace samples
