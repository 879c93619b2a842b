// Speed of loading a texture catalogue: the directory of a WAD2 file with
// thousands of mip textures read, listed and sorted; and of one preview build,
// what a change of the texture selection costs.
#include "bench/CMapRandom.h"
#include "bench/WadBytes.h"
#include "framework/CMessageService.h"
#include "texture/CTextureWad.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// A WAD2 file of `count` 16 x 16 mip textures with made-up names, in no
// particular order and with a few repeated.
std::string MakeWad(int count) {
    CMapRandom random(0x3AD);
    const int kTexels = 16 * 16 + 8 * 8 + 4 * 4 + 2 * 2;
    const int lumpSize = 40 + kTexels;
    std::string bytes = "WAD2";
    PutInt(bytes, count);
    PutInt(bytes, 12 + count * lumpSize);
    std::vector<std::string> names;
    const char* stems[] = {"wall", "floor",  "metal", "wood", "rock",
                           "tech", "*water", "+0btn", "sky"};
    for (int i = 0; i < count; ++i) {
        std::string name =
            std::string(random.Pick(stems)) + std::to_string(random.NextInt(0, count));
        names.push_back(name.substr(0, 15));
        std::string lump(lumpSize, '\0');
        std::memcpy(lump.data(), names.back().data(), names.back().size());
        bytes += lump;
    }
    for (int i = 0; i < count; ++i) {
        PutWadEntry(bytes, 12 + i * lumpSize, lumpSize, names[i]);
    }
    return bytes;
}

class CQuietMessages : public CMessageService {
public:
    MessageAnswer ShowMessage(const std::string&, const std::string&, MessageIcon,
                              MessageButtons) override {
        return MessageAnswer::kOk;
    }
};

void BM_LoadTextureWad(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    char path[] = "/tmp/tolve-bench-XXXXXX.wad";
    int fd = mkstemps(path, 4);
    std::string bytes = MakeWad(count);
    if (fd < 0 || write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
        state.SkipWithError("cannot write the WAD file");
        return;
    }
    close(fd);
    CQuietMessages quiet;
    CServiceGuard<CMessageService> guard(quiet);
    CTextureWad wad;
    wad.SetFileName(path);
    for (auto _ : state) {
        wad.LoadTextureWad();
        benchmark::DoNotOptimize(wad.GetTextureCount());
    }
    state.counters["textures"] = wad.GetTextureCount();
    unlink(path);
}

// One 256 x 256 texture behind its header, then its directory entry.
std::string MakeLargeTextureWad() {
    const int texels = 256 * 256;
    std::string bytes = "WAD2";
    PutInt(bytes, 1);
    PutInt(bytes, 12 + 40 + texels);
    std::string header(16, '\0');
    std::memcpy(header.data(), "big", 3);
    bytes += header;
    PutInt(bytes, 256);
    PutInt(bytes, 256);
    bytes += std::string(16, '\0');
    for (int i = 0; i < texels; ++i)
        bytes += static_cast<char>(i * 7);
    PutInt(bytes, 12);
    PutInt(bytes, 40 + texels);
    PutInt(bytes, 40 + texels);
    bytes += 'D';
    bytes += std::string(3, '\0');
    bytes += header;
    return bytes;
}

void BM_BuildTexturePreview(benchmark::State& state) {
    char path[] = "/tmp/tolve-bench-XXXXXX.wad";
    int fd = mkstemps(path, 4);
    std::string bytes = MakeLargeTextureWad();
    if (fd < 0 || write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
        state.SkipWithError("cannot write the WAD file");
        return;
    }
    close(fd);
    CTextureWad wad;
    wad.SetFileName(path);
    wad.LoadTextureWad();
    if (!wad.OpenTextureFiles()) {
        state.SkipWithError("cannot open the WAD file");
        return;
    }
    for (auto _ : state) {
        wad.BuildTexturePreview("big", 40);
        benchmark::DoNotOptimize(wad.GetPreviewImage().rgb.data());
    }
    wad.CloseTextureFiles();
    unlink(path);
}

} // namespace

BENCHMARK(BM_BuildTexturePreview)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadTextureWad)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);
