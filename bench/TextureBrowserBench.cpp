// Speed of the texture browser on a large texture set: ten WAD files of 300
// textures each. What a user waits for: the browser opened with its first
// screenful of pictures, the list narrowed by one more typed letter, and
// Apply Texture on 10,000 faces as one step.
#include "bench/CMapRandom.h"
#include "bench/ReadGeneratedMap.h"
#include "bench/WadBytes.h"
#include "docks/CTextureBrowserDock.h"
#include "docks/CTextureListModel.h"
#include "map/CMapTransaction.h"
#include "map/CTolveDoc.h"
#include "map/TextureApplication.h"
#include "map/TextureUses.h"
#include "texture/CTextureBrowserModel.h"

#include <QApplication>
#include <QListView>

#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kFiles = 10;
constexpr int kTexturesPerFile = 300;

// A WAD2 file of mip textures of the sizes maps use, each with its four
// levels, named "<stem><file>_<n>".
std::string MakeWad(int file, CMapRandom& random) {
    const char* stems[] = {"wall", "floor", "metal", "wood", "rock", "tech", "*water", "sky"};
    const int sides[] = {16, 32, 64, 128, 256};
    std::vector<std::string> lumps;
    std::vector<std::string> names;
    for (int i = 0; i < kTexturesPerFile; ++i) {
        const int width = random.Pick(sides);
        const int height = random.Pick(sides);
        std::string name =
            std::string(random.Pick(stems)) + std::to_string(file) + "_" + std::to_string(i);
        std::string lump(40, '\0');
        std::memcpy(lump.data(), name.data(), name.size());
        std::string header;
        PutInt(header, width);
        PutInt(header, height);
        int offset = 40;
        for (int level = 0; level < 4; ++level) {
            PutInt(header, offset);
            offset += (width >> level) * (height >> level);
        }
        std::memcpy(lump.data() + 16, header.data(), header.size());
        for (int texel = 0; texel < offset - 40; ++texel)
            lump.push_back(static_cast<char>(random.NextInt(0, 255)));
        names.push_back(name);
        lumps.push_back(std::move(lump));
    }
    std::string bytes = "WAD2";
    PutInt(bytes, kTexturesPerFile);
    std::vector<int32_t> offsets;
    int32_t at = 12;
    for (const std::string& lump : lumps) {
        offsets.push_back(at);
        at += static_cast<int32_t>(lump.size());
    }
    PutInt(bytes, at);
    for (const std::string& lump : lumps)
        bytes += lump;
    for (size_t i = 0; i < lumps.size(); ++i) {
        PutWadEntry(bytes, offsets[i], static_cast<int32_t>(lumps[i].size()), names[i]);
    }
    return bytes;
}

// The ten files in a folder of their own, and a map of 2,000 brushes that
// names them, made once.
struct TextureSet {
    std::filesystem::path folder;
    CTolveDoc doc;

    TextureSet() {
        folder = std::filesystem::temp_directory_path() / "tolve-texture-browser-bench";
        std::filesystem::create_directories(folder);
        CMapRandom random(0x7E8);
        std::string list;
        for (int file = 0; file < kFiles; ++file) {
            const std::string name = "set" + std::to_string(file) + ".wad";
            std::ofstream(folder / name, std::ios::binary) << MakeWad(file, random);
            list += (list.empty() ? "" : ";") + name;
        }
        ReadGeneratedMap(doc, 2000);
        doc.m_textureWad.SetFileName(list);
        doc.m_textureWad.SetMapFolder(folder.string());
        doc.m_textureWad.LoadTextureWad();
    }
    ~TextureSet() { std::filesystem::remove_all(folder); }
};

TextureSet& GetTextureSet() {
    static TextureSet set;
    return set;
}

// From nothing to the first screenful of pictures drawn: the browser made,
// its list built and counted, drawn once (which asks for the pictures in
// sight), the pictures made on the event loop, and drawn again.
void BM_OpenBrowserFirstScreenful(benchmark::State& state) {
    TextureSet& set = GetTextureSet();
    size_t made = 0;
    for (auto _ : state) {
        CTextureBrowserDock dock;
        QObject::connect(&dock.GetModel().GetThumbnails(), &CTextureThumbnails::ThumbnailsMade,
                         [&made](const std::vector<int>& textures) { made += textures.size(); });
        dock.resize(480, 900);
        dock.SetDocument(&set.doc);
        benchmark::DoNotOptimize(dock.grab().cacheKey());
        while (dock.GetModel().GetThumbnails().HasWanted())
            QCoreApplication::processEvents();
        benchmark::DoNotOptimize(dock.grab().cacheKey());
    }
    state.counters["textures"] = set.doc.m_textureWad.GetTextureCount();
    state.counters["pictures"] =
        benchmark::Counter(static_cast<double>(made), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_OpenBrowserFirstScreenful)->Unit(benchmark::kMillisecond);

// One more letter typed: the 3,000 names narrowed again.
void BM_FilterPerKeystroke(benchmark::State& state) {
    TextureSet& set = GetTextureSet();
    CTextureBrowserModel model;
    model.Rebuild(set.doc.m_textureWad, CountTextureUses(set.doc));
    const std::string typed = "metal3_1";
    size_t letters = 1;
    for (auto _ : state) {
        model.SetFilter(std::string_view(typed).substr(0, letters), false);
        benchmark::DoNotOptimize(model.GetRows().size());
        letters = letters % typed.size() + 1;
    }
    state.counters["textures"] = static_cast<double>(model.GetTextures().size());
}
BENCHMARK(BM_FilterPerKeystroke)->Unit(benchmark::kMicrosecond);

// Apply Texture on every face of the selected brushes: 10,000 faces or more,
// one step, taken back untimed.
void BM_ApplyTextureToFaces(benchmark::State& state) {
    CTolveDoc doc;
    ReadGeneratedMap(doc, static_cast<int>(state.range(0)));
    CSelectionSet set;
    size_t faces = 0;
    for (const auto& brush : doc.GetWorldBrushes()) {
        if (faces >= 10000)
            break;
        set.Add(*brush, CSelectionSet::kWholeBrush);
        faces += brush->m_numFaces;
    }
    for (auto _ : state) {
        CMapTransaction transaction(doc, "Apply Texture");
        benchmark::DoNotOptimize(
            ApplyTextureToSet(transaction.Edits(), doc, set, kBrushMode, "metal3_1"));
        transaction.Commit();
        state.PauseTiming();
        doc.GetHistory().Undo(doc);
        state.ResumeTiming();
    }
    state.counters["faces"] = static_cast<double>(faces);
}
BENCHMARK(BM_ApplyTextureToFaces)->Arg(4000)->Unit(benchmark::kMillisecond);

} // namespace
