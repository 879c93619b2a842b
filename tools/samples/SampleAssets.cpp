#include "tools/samples/SampleAssets.h"

#include "framework/CSafeFileWriter.h"
#include "tools/samples/CWad2Writer.h"
#include "tools/samples/SampleMap.h"
#include "tools/samples/SamplePalette.h"
#include "tools/samples/SampleTextures.h"

#include <system_error>

namespace samples {

namespace {

std::string MakeSampleWad(const std::string& palette) {
    CWad2Writer wad(palette);
    for (const SampleTexture& texture : DrawSampleTextures())
        wad.AddMipTexture(texture.name, texture.image);
    return wad.MakeFile();
}

} // namespace

std::vector<SampleFile> MakeSampleFiles() {
    std::string palette = MakeSamplePalette();
    std::string wad = MakeSampleWad(palette);
    return {
        {"quake.pal", std::move(palette)},
        {kSampleWadName, std::move(wad)},
        {"demo.map", MakeSampleMap()},
    };
}

bool WriteSampleFiles(const std::filesystem::path& folder, std::string& error) {
    std::error_code code;
    std::filesystem::create_directories(folder, code);
    if (code) {
        error = "cannot make folder " + folder.string() + ": " + code.message();
        return false;
    }
    for (const SampleFile& file : MakeSampleFiles()) {
        std::string path = (folder / file.name).string();
        CSafeFileWriter writer(path);
        if (!writer.Open() || !writer.Write(file.bytes.data(), file.bytes.size()) ||
            !writer.Commit()) {
            error = "cannot write " + path + ": " + writer.GetError();
            return false;
        }
    }
    return true;
}

} // namespace samples
