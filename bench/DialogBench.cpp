// How long the entity dialogs take to open with the full class lists, and
// "Brush & Face Edit" with a large map and texture file: what a user waits for
// after New Entity, New Brush or Edit.
#include "bench/LargeFgd.h"
#include "bench/ReadGeneratedMap.h"
#include "bench/WadBytes.h"
#include "dialogs/CBrushFaceDlg.h"
#include "dialogs/CEntityVariablesDlg.h"
#include "dialogs/CWorldspawnDlg.h"
#include "entity/EntityClassNames.h"
#include "entity/EntityDefinitions.h"
#include "map/CMapTransaction.h"
#include "map/CTolveDoc.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

void BM_OpenEntityVariables(benchmark::State& state) {
    const std::vector<std::string> names = GetPointClassNames();
    for (auto _ : state) {
        CEntityVariablesDlg dialog(EntityKind::kPoint, names);
        dialog.SetFields(PointEntityFields{});
        benchmark::DoNotOptimize(dialog.sizeHint());
    }
}

// With a large mod's definitions: 240 point classes in the list, the
// captions and the offered keys of an existing entity's class.
void BM_OpenEntityVariablesWithDefinitions(benchmark::State& state) {
    CEntityDefinitions definitions;
    definitions.ReadFgd(MakeLargeFgd(), "bench.fgd");
    const std::vector<std::string> names = definitions.GetClassNames(EntityClassKind::kPoint);
    PointEntityFields fields;
    fields.text[PointField::kClassname] = "class_7";
    fields.otherKeys = {{"key1", "10"}, {"style", "3"}};
    for (auto _ : state) {
        CEntityVariablesDlg dialog(EntityKind::kPoint, names);
        dialog.SetDefinitions(&definitions);
        dialog.SetFields(fields);
        benchmark::DoNotOptimize(dialog.sizeHint());
    }
}

void BM_OpenModelEntityVariables(benchmark::State& state) {
    const std::vector<std::string> names = GetBrushClassNames();
    for (auto _ : state) {
        CEntityVariablesDlg dialog(EntityKind::kBrush, names);
        dialog.SetFields(ModelEntityFields{});
        benchmark::DoNotOptimize(dialog.sizeHint());
    }
}

void BM_OpenWorldspawn(benchmark::State& state) {
    for (auto _ : state) {
        CWorldspawnDlg dialog;
        dialog.SetFields(WorldFields{});
        benchmark::DoNotOptimize(dialog.sizeHint());
    }
}

// `count` 64 x 64 textures named "tex0".."texN", then their directory.
std::string MakeTextureWad(int count) {
    const int lumpSize = 40 + 64 * 64;
    std::string bytes = "WAD2";
    PutInt(bytes, count);
    PutInt(bytes, 12 + count * lumpSize);
    std::string directory;
    for (int i = 0; i < count; ++i) {
        std::string name(16, '\0');
        const std::string text = "tex" + std::to_string(i);
        name.replace(0, text.size(), text);
        PutWadEntry(directory, static_cast<int32_t>(bytes.size()), lumpSize, name);
        bytes += name;
        PutInt(bytes, 64);
        PutInt(bytes, 64);
        bytes += std::string(16 + 64 * 64, static_cast<char>(i));
    }
    return bytes + directory;
}

void BM_OpenBrushFace(benchmark::State& state) {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "tolve-dialog-bench.wad";
    {
        std::ofstream out(path, std::ios::binary);
        out << MakeTextureWad(static_cast<int>(state.range(1)));
    }
    CTolveDoc doc;
    ReadGeneratedMap(doc, static_cast<int>(state.range(0)));
    doc.m_textureWad.SetFileName(path.string());
    doc.m_textureWad.LoadTextureWad();
    BrushFaceFields fields;
    fields.text = {"3", "1", "64", "0", "0", "64", "0", "1"};
    fields.shape = kBoxShape;
    fields.texture = "tex1500";
    for (auto _ : state) {
        CMapTransaction transaction(doc, "New Brush");
        CBrushFaceDlg dialog(transaction, BrushFaceJob::kNewBrush, fields, nullptr);
        benchmark::DoNotOptimize(dialog.sizeHint());
    }
    state.counters["textures"] = doc.m_textureWad.GetTextureCount();
    state.counters["entities"] = static_cast<double>(doc.GetModelEntities().size());
    std::filesystem::remove(path);
}

} // namespace

BENCHMARK(BM_OpenBrushFace)->Args({100000, 2000})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenEntityVariables)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenEntityVariablesWithDefinitions)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenModelEntityVariables)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenWorldspawn)->Unit(benchmark::kMillisecond);
