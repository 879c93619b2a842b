// Reading and writing large generated maps. The maps are generated once per
// size, outside the timed loops.

#include "bench/CLargeMapGenerator.h"
#include "framework/CAutosaveStore.h"
#include "map/CMapWriter.h"
#include "map/CTolveDoc.h"
#include "map/MapOrder.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <unistd.h>

namespace {

class CCountingDiagnostics : public CMapDiagnostics {
public:
    void Report(int, int, std::string_view) override { ++m_count; }
    long m_count = 0;
};

const std::string& MapText(int brushes, MapFormat format = MapFormat::kStandard) {
    static std::map<std::pair<int, MapFormat>, std::string> s_texts;
    const std::pair<int, MapFormat> key(brushes, format);
    auto found = s_texts.find(key);
    if (found == s_texts.end())
        found = s_texts.emplace(key, CLargeMapGenerator().GenerateMap(brushes, format).text).first;
    return found->second;
}

// One loaded document at a time: the largest takes some 400 MB.
CTolveDoc& LoadedDocument(int brushes, long& diagnostics, MapFormat format = MapFormat::kStandard) {
    static std::unique_ptr<CTolveDoc> s_doc;
    static std::pair<int, MapFormat> s_loaded(-1, MapFormat::kStandard);
    static long s_diagnostics = 0;
    if (s_loaded != std::pair(brushes, format)) {
        s_doc.reset();
        s_doc = std::make_unique<CTolveDoc>();
        CCountingDiagnostics counter;
        s_doc->ReadMapText(MapText(brushes, format).c_str(), counter);
        s_loaded = {brushes, format};
        s_diagnostics = counter.m_count;
    }
    diagnostics = s_diagnostics;
    return *s_doc;
}

// The shortest printf text that reads back as the number: a whole number
// in plain digits, else the shortest "%g". For the numbers of a generated
// Valve map this is what the writer writes.
std::string ShortestG(double value) {
    char text[40];
    if (value == std::trunc(value) && std::fabs(value) < 1e15) {
        std::snprintf(text, sizeof text, "%.0f", value);
        return text;
    }
    for (int precision = 1; precision <= 17; ++precision) {
        std::snprintf(text, sizeof text, "%.*g", precision, value);
        if (std::strtod(text, nullptr) == value)
            break;
    }
    return text;
}

// Formats a document line by line with printf formats, as a check on the
// writer's own number formatting. Generated texture names never need quotes.
class CReferenceFormatter {
public:
    explicit CReferenceFormatter(const CTolveDoc& doc) : m_doc(doc) {}

    // The world, then the entities in map order, each one's keys in the order
    // of its file (CKeyLayout). The generated world has no other pairs but
    // "mapversion", which the writer writes itself.
    std::string Format() {
        Print("{\n");
        Key("classname", "\t\"classname\" \"worldspawn\"\n");
        if (m_doc.m_mapFormat == MapFormat::kValve && m_doc.m_statesMapVersion)
            Key("mapversion", "\t\"mapversion\" \"220\"\n");
        if (m_doc.m_textureWad.IsNamed())
            Key("wad", "\t\"wad\" \"%s\"\n", m_doc.m_textureWad.GetFileName().c_str());
        Text("message", m_doc.m_worldMessage);
        if (m_doc.m_worldType >= 0)
            Key("worldtype", "\t\"worldtype\" \"%u\"\n", static_cast<unsigned>(m_doc.m_worldType));
        Unsigned("sounds", m_doc.m_hasWorldSounds, m_doc.m_worldSounds);
        Unsigned("light", m_doc.m_hasWorldLight, m_doc.m_worldLight);
        PutKeys(m_doc.m_worldKeyLayout);
        Brushes(m_doc.GetWorldBrushes());
        Print("}\n");
        const ModelEntityList& models = m_doc.GetModelEntities();
        const PointEntityList& points = m_doc.GetPointEntities();
        for (const MapOrderEntry& entry : ArrangeInMapOrder(&models, &points)) {
            if (entry.point)
                PointEntity(*points[entry.index]);
            else
                ModelEntity(*models[entry.index]);
        }
        return std::move(m_text);
    }

private:
    struct KeyLine {
        std::string key;
        std::string text;
    };

    static std::string Format(const char* format, va_list arguments) {
        char line[512];
        const int length = std::vsnprintf(line, sizeof line, format, arguments);
        return std::string(line, static_cast<size_t>(length));
    }
    void Print(const char* format, ...) __attribute__((format(printf, 2, 3))) {
        va_list arguments;
        va_start(arguments, format);
        m_text += Format(format, arguments);
        va_end(arguments);
    }
    void Key(const char* key, const char* format, ...) __attribute__((format(printf, 3, 4))) {
        va_list arguments;
        va_start(arguments, format);
        m_lines.push_back({key, Format(format, arguments)});
        va_end(arguments);
    }
    void PutKeys(const CKeyLayout& layout) {
        std::vector<std::string_view> keys;
        for (const KeyLine& line : m_lines)
            keys.push_back(line.key);
        for (size_t index : layout.Arrange(keys))
            m_text += m_lines[index].text;
        m_lines.clear();
    }
    void Text(const char* key, const std::string& value) {
        if (!value.empty())
            Key(key, "\t\"%s\" \"%s\"\n", key, value.c_str());
    }
    void Signed(const char* key, bool present, int value) {
        if (present)
            Key(key, "\t\"%s\" \"%d\"\n", key, value);
    }
    void Unsigned(const char* key, bool present, unsigned value) {
        if (present)
            Key(key, "\t\"%s\" \"%u\"\n", key, value);
    }
    void Others(const CustomPairList& pairs) {
        for (const CustomPair& pair : pairs)
            Key(pair.key.c_str(), "\t\"%s\" \"%s\"\n", pair.key.c_str(), pair.value.c_str());
    }
    void Brushes(const BrushList& brushes) {
        for (const auto& brush : brushes) {
            Print("\t{\n");
            for (int f = 0; f < brush->m_numFaces; ++f) {
                const BrushFace& face = brush->m_faces[f];
                IntPoint points[3];
                brush->GetPlanePoints(f, points);
                Print("\t\t");
                for (const IntPoint& p : points)
                    Print("( %d %d %d ) ", p.x, p.y, p.z);
                if (brush->HasValveAxes())
                    ValveTexture(face, brush->m_valveAxes[f]);
                else
                    Print("%s %d %d %f %f %f\n", face.texture, face.xOffset, face.yOffset,
                          face.rotation, face.xScale, face.yScale);
            }
            Print("\t}\n");
        }
    }
    void ValveTexture(const BrushFace& face, const ValveAxes& axes) {
        Print("%s", face.texture);
        for (const auto& [axis, offset] : {std::pair(axes.u, axes.uOffset), {axes.v, axes.vOffset}})
            Print(" [ %s %s %s %s ]", ShortestG(axis.x).c_str(), ShortestG(axis.y).c_str(),
                  ShortestG(axis.z).c_str(), ShortestG(offset).c_str());
        Print(" %s %s %s\n", ShortestG(face.rotation).c_str(), ShortestG(face.xScale).c_str(),
              ShortestG(face.yScale).c_str());
    }
    void ModelEntity(const CModelEntity& e) {
        Print("{\n");
        Key("classname", "\t\"classname\" \"%s\"\n", e.m_classname.c_str());
        Text("target", e.m_target);
        Text("targetname", e.m_targetname);
        Text("killtarget", e.m_killtarget);
        Unsigned("spawnflags", e.m_spawnflags != 0, e.m_spawnflags);
        if (e.m_classname == "trigger_setskill")
            Key("message", "\t\"message\" \"%u\"\n", static_cast<unsigned>(e.m_skill));
        else
            Text("message", e.m_message);
        Signed("speed", e.m_hasSpeed, e.m_speed);
        Signed("wait", e.m_hasWait, e.m_wait);
        Signed("lip", e.m_hasLip, e.m_lip);
        Signed("dmg", e.m_hasDmg, e.m_dmg);
        Signed("health", e.m_hasHealth, e.m_health);
        Signed("delay", e.m_hasDelay, e.m_delay);
        Unsigned("sounds", e.m_hasSounds, e.m_sounds);
        Signed("height", e.m_hasHeight, e.m_height);
        Text("map", e.m_map);
        Others(e.m_otherPairs);
        PutKeys(e.m_keyLayout);
        Brushes(e.m_brushes);
        Print("}\n");
    }
    void PointEntity(const CPointEntity& e) {
        Print("{\n");
        Key("classname", "\t\"classname\" \"%s\"\n", e.m_classname.c_str());
        if (e.m_hasOrigin)
            Key("origin", "\t\"origin\" \"%d %d %d\"\n", e.m_origin.x, e.m_origin.y, e.m_origin.z);
        Signed("angle", e.m_hasAngle, e.m_angle);
        Unsigned("light", e.m_hasLight, e.m_light);
        Text("target", e.m_target);
        Text("targetname", e.m_targetname);
        Text("killtarget", e.m_killtarget);
        Unsigned("spawnflags", e.m_spawnflags != 0, e.m_spawnflags);
        Unsigned("style", e.m_style != 0, e.m_style);
        Text("message", e.m_message);
        if (e.m_hasMangle)
            Key("mangle", "\t\"mangle\" \"%d %d %d\"\n", e.m_mangle.x, e.m_mangle.y, e.m_mangle.z);
        Unsigned("nextthink", e.m_hasNextthink,
                 static_cast<uint32_t>(static_cast<int32_t>(e.m_nextthink)));
        Others(e.m_otherPairs);
        PutKeys(e.m_keyLayout);
        Print("}\n");
    }

    const CTolveDoc& m_doc;
    std::string m_text;
    std::vector<KeyLine> m_lines;
};

void CountBrushes(benchmark::State& state, int brushes) {
    state.counters["brushes/s"] =
        benchmark::Counter(static_cast<double>(brushes) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}

void ReadMapText(benchmark::State& state, MapFormat format) {
    const int brushes = static_cast<int>(state.range(0));
    const std::string& text = MapText(brushes, format);
    CCountingDiagnostics diagnostics;
    for (auto _ : state) {
        auto doc = std::make_unique<CTolveDoc>();
        doc->ReadMapText(text.c_str(), diagnostics);
        benchmark::DoNotOptimize(doc->GetWorldBrushes().data());
        state.PauseTiming(); // freeing the map is not part of reading it
        doc.reset();
        state.ResumeTiming();
    }
    if (diagnostics.m_count != 0)
        state.SkipWithError("the generated map was read with diagnostics");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
    CountBrushes(state, brushes);
}

void BM_ReadMapText(benchmark::State& state) {
    ReadMapText(state, MapFormat::kStandard);
}

// The same map with every face line in the Valve 220 form.
void BM_ReadValveMapText(benchmark::State& state) {
    ReadMapText(state, MapFormat::kValve);
}

std::string TempMapPath(const char* what, int brushes) {
    return "/tmp/tolve_bench_" + std::string(what) + "_" + std::to_string(brushes) + "_" +
           std::to_string(::getpid()) + ".map";
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The same, from a file (in the page cache after the first round).
void ReadMapFile(benchmark::State& state, MapFormat format) {
    const int brushes = static_cast<int>(state.range(0));
    const std::string path = TempMapPath("read", brushes);
    const std::string& text = MapText(brushes, format);
    std::ofstream(path, std::ios::binary)
        .write(text.data(), static_cast<std::streamsize>(text.size()));
    CCountingDiagnostics diagnostics;
    for (auto _ : state) {
        auto doc = std::make_unique<CTolveDoc>();
        if (doc->ReadMapFile(path, diagnostics)) {
            state.SkipWithError("the map file could not be read");
            break;
        }
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
    std::filesystem::remove(path);
    if (diagnostics.m_count != 0)
        state.SkipWithError("the generated map was read with diagnostics");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
    CountBrushes(state, brushes);
}

void BM_ReadMapFile(benchmark::State& state) {
    ReadMapFile(state, MapFormat::kStandard);
}

void BM_ReadValveMapFile(benchmark::State& state) {
    ReadMapFile(state, MapFormat::kValve);
}

// The document read from the generated map written again in its own form.
void WriteMapText(benchmark::State& state, MapFormat format) {
    const int brushes = static_cast<int>(state.range(0));
    long diagnostics = 0;
    const CTolveDoc& doc = LoadedDocument(brushes, diagnostics, format);
    std::string out;
    out.reserve(MapText(brushes, format).size() * 2);
    bool failed = false;
    for (auto _ : state) {
        out.clear();
        CMapWriter writer(doc, [&out](const char* data, size_t size) {
            out.append(data, size);
            return true;
        });
        failed = !writer.WriteMap() || failed;
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(out.size()));
    CountBrushes(state, brushes);
    if (diagnostics != 0)
        state.SkipWithError("the generated map was read with diagnostics");
    else if (failed)
        state.SkipWithError("the writer reported a failing sink");
    else if (out != CReferenceFormatter(doc).Format())
        state.SkipWithError("the writer's text differs from the printf reference");
}

void BM_WriteMapText(benchmark::State& state) {
    WriteMapText(state, MapFormat::kStandard);
}

void BM_WriteValveMapText(benchmark::State& state) {
    WriteMapText(state, MapFormat::kValve);
}

// A real save: temporary file, every write checked, fsync, rename.
void BM_WriteMapFile(benchmark::State& state) {
    const int brushes = static_cast<int>(state.range(0));
    long diagnostics = 0;
    CTolveDoc& doc = LoadedDocument(brushes, diagnostics);
    // Every brush written by the writer, as the reference formats it; a save
    // that keeps the layout is KeptLayoutSaveBench's.
    doc.m_keepLayout = false;
    const std::string path = TempMapPath("write", brushes);
    bool failed = false;
    for (auto _ : state) {
        if (doc.WriteMapFile(path)) {
            failed = true;
            break;
        }
    }
    const std::string written = failed ? std::string() : ReadWholeFile(path);
    std::filesystem::remove(path);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(written.size()));
    CountBrushes(state, brushes);
    if (diagnostics != 0)
        state.SkipWithError("the generated map was read with diagnostics");
    else if (failed)
        state.SkipWithError("the map file could not be written");
    else if (written != CReferenceFormatter(doc).Format())
        state.SkipWithError("the saved file differs from the printf reference");
}

// What an autosave holds the editor up for: checking that the map can be
// written and making its text, as the autosaver does before it hands the text
// to its writing thread.
void BM_AutosaveSnapshot(benchmark::State& state) {
    const int brushes = static_cast<int>(state.range(0));
    long diagnostics = 0;
    const CTolveDoc& doc = LoadedDocument(brushes, diagnostics);
    size_t size = 0;
    bool writable = true;
    for (auto _ : state) {
        const MapContents contents = doc.GetContents();
        writable = !CMapWriter::FindUnwritableText(contents) && writable;
        std::string text = CMapWriter::WriteText(contents);
        size = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(size));
    if (diagnostics != 0 || !writable)
        state.SkipWithError("the generated map could not be written");
}

// The part on the writing thread: the copy goes down safely, and the oldest
// of the kept copies goes.
void BM_AutosaveCopy(benchmark::State& state) {
    const int brushes = static_cast<int>(state.range(0));
    long diagnostics = 0;
    const std::string text =
        CMapWriter::WriteText(LoadedDocument(brushes, diagnostics).GetContents());
    const std::filesystem::path root = TempMapPath("autosave", brushes) + ".d";
    bool failed = false;
    {
        CAutosaveStore store(root);
        failed = store.Open().has_value();
        const int slot = store.AddSlot();
        for (auto _ : state) {
            if (failed || store.SaveCopy(slot, text, {"bench.map", ""})) {
                failed = true;
                break;
            }
        }
        failed = failed || store.ListCopies(slot).size() !=
                               std::min<size_t>(state.iterations(), CAutosaveStore::kKeptCopies);
        store.RemoveSlot(slot);
    }
    std::filesystem::remove_all(root);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
    if (failed)
        state.SkipWithError("the autosave copies could not be written");
}

} // namespace

BENCHMARK(BM_AutosaveSnapshot)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AutosaveCopy)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadMapText)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadMapFile)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadValveMapText)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadValveMapFile)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteMapText)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteValveMapText)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteMapFile)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
