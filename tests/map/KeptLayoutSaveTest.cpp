#include "map/CMapTransaction.h"
#include "map/CMapWriter.h"
#include "map/FragmentPlacement.h"
#include "map/PastedMapText.h"
#include "map/SourceLayout.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

namespace {

// Counts the problems of a read, not what it kept as written.
class CProblemCount : public CMapDiagnostics {
public:
    void Report(int, int, std::string_view) override { ++m_problems; }
    void ReportKept(int, int, std::string_view) override {}
    int m_problems = 0;
};

// A map read from `text` and saved as a file, as the editor saves it.
struct SavedMap {
    explicit SavedMap(std::string text) : original(std::move(text)) {
        doc.ReadMapText(original, problems);
    }
    std::string Save() {
        const std::filesystem::path path = dir.Path("saved.map");
        EXPECT_FALSE(doc.WriteMapFile(path.string()));
        return ReadFileText(path);
    }
    // What a save would write now, leaving the map as it is.
    std::string SaveText() const {
        MapContents contents = doc.GetContents();
        contents.source = &doc.m_source;
        contents.keepLayout = true;
        return CMapWriter::WriteText(contents);
    }
    CModelEntity& Entity(size_t index) { return *doc.GetModelEntities()[index]; }

    CTempDir dir;
    std::string original;
    CProblemCount problems;
    CTolveDoc doc;
};

// The part of `before` a save changed: from the first byte that differs to
// the last, counted from either end.
struct Change {
    size_t begin = 0;
    size_t end = 0;
};

Change FindChange(std::string_view before, std::string_view after) {
    const size_t shorter = std::min(before.size(), after.size());
    size_t head = 0;
    while (head < shorter && before[head] == after[head])
        ++head;
    size_t tail = 0;
    while (tail < shorter - head &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    return {head, before.size() - tail};
}

// `saved` is `original` with text put in at `at` and nothing else changed;
// gives that text.
std::string InsertedAt(const std::string& original, const std::string& saved, size_t at) {
    EXPECT_GT(saved.size(), original.size());
    EXPECT_EQ(saved.substr(0, at), original.substr(0, at));
    EXPECT_TRUE(saved.ends_with(original.substr(at)));
    return saved.substr(at, saved.size() - original.size());
}

std::string TestMapText(const std::string& name) {
    return ReadFileText(TestDataPath(name));
}

size_t CountOf(std::string_view text, std::string_view part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string_view::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

std::string WithCrLf(const std::string& text) {
    std::string crlf;
    for (char c : text) {
        if (c == '\n')
            crlf.push_back('\r');
        crlf.push_back(c);
    }
    return crlf;
}

// A map of brush entities whose brushes are numbered in comments
// ("// brush 1"), none indented.
constexpr const char* kCommentedMap = "maps/ericw_q1_tjunc_matrix.map";

class KeptLayoutRealMap : public ::testing::TestWithParam<std::filesystem::path> {};

// A map read without problems comes back byte for byte, comments, blank lines,
// line ends and all, and so does the text saved; one read with problems is
// written anew whole, saying why.
TEST_P(KeptLayoutRealMap, SaveWithoutAnEditGivesTheFileBackByteForByte) {
    SavedMap map(ReadFileText(GetParam()));
    const std::string saved = map.Save();
    if (map.problems.m_problems > 0) {
        EXPECT_EQ(map.doc.GetWholeSaveReason(), "the map was read with problems");
        return;
    }
    EXPECT_TRUE(saved == map.original)
        << "first change at " << FindChange(map.original, saved).begin;
    EXPECT_EQ(map.doc.GetWholeSaveReason(), "");
    EXPECT_TRUE(map.Save() == map.original);
}

INSTANTIATE_TEST_SUITE_P(
    EveryTestMap, KeptLayoutRealMap, ::testing::ValuesIn([] {
        std::vector<std::filesystem::path> maps;
        for (const char* folder : {"maps", "maps-valve", "maps-other-formats"})
            for (const auto& entry : std::filesystem::directory_iterator(TestDataPath(folder)))
                maps.push_back(entry.path());
        std::sort(maps.begin(), maps.end());
        return maps;
    }()),
    [](const auto& info) {
        std::string name = info.param.stem().string();
        std::replace_if(
            name.begin(), name.end(),
            [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
        return name;
    });

// One edit of the commented map, and the part of the file it may change,
// found before the edit.
struct EditCase {
    const char* name;
    std::function<Change(SavedMap&)> region;
    std::function<void(SavedMap&, CMapEdits&)> edit;
    bool crlf = false;
};

// The lines of the brush from its opening brace on: its comment stays.
Change BrushLines(SavedMap& map, const CMapBrush& brush) {
    return {FindLeadEnd(map.original, brush.m_source.begin), brush.m_source.end};
}

Change LineHolding(SavedMap& map, const std::string& text, size_t from) {
    const size_t at = map.original.find(text, from);
    return {map.original.rfind('\n', at) + 1, map.original.find('\n', at)};
}

const EditCase kEditCases[] = {
    {"MoveBrush", [](SavedMap& m) { return BrushLines(m, *m.Entity(0).m_brushes[1]); },
     [](SavedMap& m, CMapEdits& edits) {
         edits.MoveBrush(*m.Entity(0).m_brushes[1], {16, 0, 0});
     }},
    {"MoveBrushInACrLfFile", [](SavedMap& m) { return BrushLines(m, *m.Entity(0).m_brushes[1]); },
     [](SavedMap& m, CMapEdits& edits) {
         edits.MoveBrush(*m.Entity(0).m_brushes[1], {16, 0, 0});
     },
     true},
    {"TurnBrush", [](SavedMap& m) { return BrushLines(m, *m.Entity(1).m_brushes[0]); },
     [](SavedMap& m, CMapEdits& edits) {
         edits.TurnBrush(*m.Entity(1).m_brushes[0], PlaneTurn{});
     }},
    {"SetOneKey",
     [](SavedMap& m) {
         return LineHolding(m, "\"angle\" \"270\"", m.doc.GetPointEntities()[0]->m_source.begin);
     },
     [](SavedMap& m, CMapEdits& edits) {
         CPointEntity keys = *m.doc.GetPointEntities()[0];
         keys.m_angle = 90;
         edits.SetPointEntityKeys(*m.doc.GetPointEntities()[0], keys);
     }},
    {"SetOneKeyOfABrushEntity",
     [](SavedMap& m) { return LineHolding(m, "\"_tb_name\" \"Sky\"", m.Entity(0).m_source.begin); },
     [](SavedMap& m, CMapEdits& edits) {
         CModelEntityKeys keys = m.Entity(0);
         keys.m_otherPairs[1].value = "Sky above";
         edits.SetModelEntityKeys(m.Entity(0), keys);
     }},
};

class KeptLayoutEdit : public ::testing::TestWithParam<EditCase> {};

// Only the lines of what the edit changed differ, in the file's own layout;
// the undo gives the file back byte for byte.
TEST_P(KeptLayoutEdit, ChangesOnlyTheLinesOfWhatItChangedAndUndoGivesTheFileBack) {
    const std::string text = TestMapText(kCommentedMap);
    SavedMap map(GetParam().crlf ? WithCrLf(text) : text);
    const Change region = GetParam().region(map);
    Edit(map.doc, [&](CMapEdits& edits) { GetParam().edit(map, edits); });
    const std::string saved = map.SaveText();

    ASSERT_NE(saved, map.original);
    const Change change = FindChange(map.original, saved);
    EXPECT_GE(change.begin, region.begin);
    EXPECT_LE(change.end, region.end);
    const std::string written =
        saved.substr(change.begin, saved.size() - map.original.size() + change.end - change.begin);
    EXPECT_EQ(written.find('\t'), std::string::npos) << written;
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'),
              std::count(map.original.begin(), map.original.end(), '\n'));
    if (GetParam().crlf) {
        EXPECT_EQ(CountOf(saved, "\n"), CountOf(saved, "\r\n"));
    }

    map.doc.GetHistory().Undo(map.doc);
    EXPECT_TRUE(map.Save() == map.original);
}

INSTANTIATE_TEST_SUITE_P(EachKind, KeptLayoutEdit, ::testing::ValuesIn(kEditCases),
                         [](const auto& info) { return std::string(info.param.name); });

// An entity deleted goes with its lines and the comment before it; undone, it
// comes back in its place as it was.
TEST(KeptLayoutSave, DeletedEntityTakesItsLinesAndCommentAlongAndComesBackOnUndo) {
    SavedMap map(TestMapText(kCommentedMap));
    const EntitySpan span = map.Entity(1).m_source;
    ASSERT_EQ(map.original.substr(span.begin, 11), "// entity 4");
    Edit(map.doc, [&](CMapEdits& edits) { edits.RemoveModelEntity(map.Entity(1)); });
    EXPECT_TRUE(map.SaveText() ==
                std::string(map.original).erase(span.begin, span.end - span.begin));

    map.doc.GetHistory().Undo(map.doc);
    EXPECT_TRUE(map.Save() == map.original);
}

// A copy of a brush is new text at the end of its entity, not its original's
// text with the original's comment; the original stays as it was.
TEST(KeptLayoutSave, DuplicatedBrushIsWrittenAnewAtTheEndOfItsEntity) {
    SavedMap map(TestMapText(kCommentedMap));
    CModelEntity& entity = map.Entity(0);
    const uint32_t tail = entity.m_source.tailBegin;
    auto copy = std::make_unique<CMapBrush>(*entity.m_brushes[1]);
    Edit(map.doc, [&](CMapEdits& edits) {
        edits.MoveBrush(edits.AddBrush(&entity, std::move(copy)), {0, 0, 64});
    });
    const std::string inserted = InsertedAt(map.original, map.SaveText(), tail);
    EXPECT_EQ(inserted.front(), '{');
    EXPECT_EQ(inserted.find("//"), std::string::npos);
    EXPECT_EQ(std::count(inserted.begin(), inserted.end(), '\n'), 8); // braces and six faces

    map.doc.GetHistory().Undo(map.doc);
    EXPECT_TRUE(map.Save() == map.original);
}

// Pasted objects are new text where the paste puts them: world brushes at the
// world's end, entities after the last; the clipboard's comments stay behind.
TEST(KeptLayoutSave, PastedBrushAndEntityAreNewTextWhereThePasteAddsThem) {
    const std::string cube = CubeMapText();
    SavedMap map(cube + "// the last entity's comment\n");
    const uint32_t worldTail = map.doc.m_worldSource.tailBegin;
    PastedMapText pasted =
        ReadPastedMapText("// clipboard\n{\n\"classname\" \"worldspawn\"\n// copied brush\n{\n" +
                          BoxFaceLines(64, 96, "pasted") +
                          "}\n}\n{\n\"classname\" \"light\"\n\"origin\" \"0 0 "
                          "0\"\n}\n");
    ASSERT_FALSE(pasted.problem);
    Edit(map.doc, [&](CMapEdits& edits) { AddFragment(edits, std::move(pasted.fragment)); });
    const std::string saved = map.Save();

    const std::string before = cube.substr(0, worldTail);
    const std::string after = cube.substr(worldTail) +
                              "{\n\"classname\" \"light\"\n\"origin\" \"0 0 0\"\n}\n"
                              "// the last entity's comment\n";
    ASSERT_TRUE(saved.starts_with(before));
    ASSERT_TRUE(saved.ends_with(after)) << saved;
    const std::string brush =
        saved.substr(before.size(), saved.size() - before.size() - after.size());
    EXPECT_TRUE(brush.starts_with("{\n(")) << brush; // the file indents nothing
    EXPECT_EQ(std::count(brush.begin(), brush.end(), '\n'), 8);
    EXPECT_EQ(CountOf(brush, "pasted"), 6u);
    EXPECT_EQ(brush.find("//"), std::string::npos);
}

// An undo past a save gives back the map, if not its text: what the save
// wrote is the text kept from then on.
TEST(KeptLayoutSave, UndoPastASaveGivesTheMapBack) {
    SavedMap map(TestMapText(kCommentedMap));
    const std::string before = MapText(map.doc);
    Edit(map.doc, [&](CMapEdits& edits) {
        edits.MoveBrush(*map.Entity(0).m_brushes[1], {16, 0, 0});
        edits.RemoveModelEntity(map.Entity(1));
    });
    const std::string edited = map.Save();
    map.doc.GetHistory().Undo(map.doc);
    const std::string undone = map.Save();
    EXPECT_EQ(MapText(*Read(undone)->doc), before);
    EXPECT_EQ(map.SaveText(), undone);
    // The moved brush goes back with the comment the save left before it.
    auto comments = [](const std::string& text) {
        size_t count = 0;
        for (size_t at = text.find("// brush"); at != std::string::npos;
             at = text.find("// brush", at + 1))
            ++count;
        return count;
    };
    EXPECT_EQ(comments(undone), comments(edited));
}

// A key added to the world is the one new line; the byte-order mark and the
// header before the world stay.
TEST(KeptLayoutSave, WorldKeyAddedIsOneNewLineAfterTheMarkAndHeader) {
    SavedMap map("\xEF\xBB\xBF// Game: Quake\n" + CubeMapText());
    CWorldKeys keys = map.doc;
    keys.m_worldMessage = "Hall";
    Edit(map.doc, [&](CMapEdits& edits) { edits.SetWorldKeys(keys); });
    const size_t afterClass = map.original.find("{\n(");
    EXPECT_EQ(InsertedAt(map.original, map.Save(), afterClass), "\"message\" \"Hall\"\n");
}

// Saved in another form, or after a read with problems, the whole map is
// written anew and the save says why; the text saved is kept from then on.
TEST(KeptLayoutSave, WholeRewriteSaysWhyAndItsTextIsKeptFromThenOn) {
    SavedMap map("// map\n" + CubeDoorLightMapText());
    map.doc.SetMapFormat(MapFormat::kValve);
    const std::string converted = map.Save();
    EXPECT_EQ(map.doc.GetWholeSaveReason(), "its face lines are saved in another form");
    EXPECT_NE(converted, map.original);
    EXPECT_EQ(map.Save(), converted);
    EXPECT_EQ(map.doc.GetWholeSaveReason(), "");

    SavedMap broken("{\n\"classname\" \"worldspawn\"\n{\n( 0 0 0 ) ( 1 0 0 )\n}\n}\n");
    ASSERT_GT(broken.problems.m_problems, 0);
    broken.Save();
    EXPECT_EQ(broken.doc.GetWholeSaveReason(), "the map was read with problems");
}

// With the layout not kept, a save writes the whole map in the writer's own
// layout, as it always did.
TEST(KeptLayoutSave, OffWritesTheWholeMapInTheWritersLayout) {
    SavedMap map(TestMapText(kCommentedMap));
    map.doc.m_keepLayout = false;
    const std::string saved = map.Save();
    EXPECT_EQ(saved, MapText(map.doc));
    EXPECT_EQ(saved.find("// brush"), std::string::npos);
    EXPECT_EQ(map.doc.GetWholeSaveReason(), "");
}

// What the writer lays out takes the file's line ends and indentation.
TEST(SourceLayout, TakesTheFilesLineEndsAndIndentationOfEachKindOfLine) {
    const SourceLayout layout = FindSourceLayout(
        "// c\r\n{\r\n  \"classname\" \"worldspawn\"\r\n {\r\n    ( 1 2 3 )\r\n }\r\n}");
    std::string laidOut;
    AppendInLayout("{\n\t\"a\" \"b\"\n\t{\n\t\t( 0 0 0 ) x\n\t}\n}\n", layout, laidOut);
    EXPECT_EQ(laidOut, "{\r\n  \"a\" \"b\"\r\n {\r\n    ( 0 0 0 ) x\r\n }\r\n}\r\n");
    EXPECT_TRUE(FindSourceLayout("{\n}\n").IsWritersOwn());
}

} // namespace
