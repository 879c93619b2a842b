#include "texture/CTextureWad.h"
#include "texture/TextureWadPrompt.h"

#include "TestDoubles.h"
#include "TestSupport.h"
#include "WadBuilder.h"

#include <cctype>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

const char* const kTitle = "Texture File Initialization";
const char* const kNotFound = "Selected texture wad2 file was not found; please select an "
                              "appropriate Quake texture wad2 file.";

// A catalogue loaded from bytes written to a temporary file, with every
// service recorded.
class TextureWadTest : public ::testing::Test {
protected:
    void LoadBytes(const std::string& bytes) {
        WriteFileText(m_dir.Path("test.wad"), bytes);
        m_wad.SetFileName(m_dir.Path("test.wad").string());
        LoadTextureWadAsking(m_wad);
    }
    void Load(const CWadBuilder& builder) { LoadBytes(builder.Build()); }
    void LoadDataFile(const std::string& name) {
        m_wad.SetFileName(TestDataPath("wads/" + name).string());
        LoadTextureWadAsking(m_wad);
    }

    // The one file of a single-file list that loaded.
    const CTextureFile& File() const { return m_wad.GetFiles().at(0); }

    CTempDir m_dir;
    CRecordingMessages m_messages;
    CScriptedFileChooser m_chooser;
    CRecordingProgress m_progress;
    CRecordingNotices m_notices;
    CTextureWad m_wad;
};

TEST_F(TextureWadTest, ListsMipTexturesSortedByUnsignedByteValue) {
    CWadBuilder wad;
    for (const char* name : {"wall", "+0button", "Wall", "*water", "\xe9tage", "3floor", "WALL"})
        wad.AddMipTexture(name, 16, 16);
    Load(wad);
    EXPECT_THAT(m_wad.GetTextureNames(),
                ElementsAre("*water", "+0button", "3floor", "WALL", "Wall", "wall", "\xe9tage"));
    ASSERT_EQ(m_wad.GetTextureCount(), 7);
    EXPECT_EQ(m_wad.GetTextureName(3), "WALL");
    EXPECT_THAT(m_messages.m_boxes, IsEmpty());
    EXPECT_FALSE(File().IsOpen());
}

TEST_F(TextureWadTest, ListsRepeatedNamesOnceButKeepsEveryDirectoryEntry) {
    Load(CWadBuilder()
             .AddMipTexture("brick", 16, 16)
             .AddMipTexture("stone", 16, 16)
             .AddMipTexture("brick", 32, 32)
             .AddMipTexture("brick", 64, 64));
    EXPECT_THAT(m_wad.GetTextureNames(), ElementsAre("brick", "stone"));
    EXPECT_EQ(File().GetDirectory().size(), 4u);
}

TEST_F(TextureWadTest, LeavesOutOtherLumpsAndEmptyNamesButStepsForEveryEntry) {
    Load(CWadBuilder()
             .AddLump("palette", 0x40, std::string(768, '\0'))
             .AddMipTexture("metal", 16, 16)
             .AddLump("conback", 'B', "qpic")
             .AddMipTexture(std::string("\0hidden", 7), 16, 16)
             .AddLump("", 'D', "")
             .AddLump("lower", 'd', ""));
    EXPECT_THAT(m_wad.GetTextureNames(), ElementsAre("metal"));
    ASSERT_EQ(m_progress.m_displays.size(), 1u);
    const CRecordingProgress::Display& display = m_progress.m_displays[0];
    EXPECT_EQ(display.label, "Loading Texture Wad...");
    EXPECT_EQ(display.range, 6);
    EXPECT_EQ(display.steps, 6);
    EXPECT_TRUE(display.closed);
}

TEST_F(TextureWadTest, EmptyDirectoryStillOpensAndClosesTheProgressDisplay) {
    LoadDataFile("lq_eye_empty.wad");
    EXPECT_THAT(m_wad.GetTextureNames(), IsEmpty());
    ASSERT_EQ(m_progress.m_displays.size(), 1u);
    EXPECT_EQ(m_progress.m_displays[0].range, 0);
    EXPECT_EQ(m_progress.m_displays[0].steps, 0);
    EXPECT_TRUE(m_progress.m_displays[0].closed);
    EXPECT_THAT(m_messages.m_boxes, IsEmpty());
}

TEST_F(TextureWadTest, NameFillingTheWholeFieldEndsWithTheField) {
    std::string full = "abcdefghijklmnop";
    // The next directory entry follows the field and must not join the name.
    Load(CWadBuilder().AddMipTexture(full, 16, 16).AddMipTexture("zz", 16, 16));
    EXPECT_THAT(m_wad.GetTextureNames(), ElementsAre(full, "zz"));
    ASSERT_NE(File().FindLump(full), nullptr);
    EXPECT_EQ(File().FindLump("abcdefghijklmno"), nullptr);
}

TEST_F(TextureWadTest, ReloadReplacesTheListOfTheFileBefore) {
    Load(CWadBuilder().AddMipTexture("first", 16, 16));
    Load(CWadBuilder().AddMipTexture("second", 16, 16));
    EXPECT_THAT(m_wad.GetTextureNames(), ElementsAre("second"));
    EXPECT_EQ(File().GetDirectory().size(), 1u);
}

TEST_F(TextureWadTest, RealWadListsItsTexturesInOrder) {
    LoadDataFile("lq_utility.wad");
    EXPECT_THAT(m_wad.GetTextureNames(),
                ElementsAre("*h2oteleskip", "*lavaskip", "*slimeskip", "black", "clip", "hint",
                            "hintskip", "light", "origin", "skip", "trigger"));
    EXPECT_EQ(m_progress.m_displays.at(0).steps, 11);
    ASSERT_TRUE(m_wad.OpenTextureFiles());
    const WadLump* black = File().FindLump("black");
    ASSERT_NE(black, nullptr);
    std::optional<MipTexHeader> header = File().ReadMipTexHeader(*black);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->width, 16);
    EXPECT_EQ(header->height, 16);
    EXPECT_STREQ(header->name, "black");
    EXPECT_EQ(File().ReadMipTexHeader(*File().FindLump("trigger"))->width, 64);
}

TEST_F(TextureWadTest, MissingFileIsReportedAndThenTheChooserAsked) {
    Load(CWadBuilder().AddMipTexture("old", 16, 16));
    m_wad.SetFileName(m_dir.Path("absent.wad").string());
    size_t boxesAtRequest = 0;
    m_chooser.m_onRequest = [&] { boxesAtRequest = m_messages.m_boxes.size(); };
    LoadTextureWadAsking(m_wad);

    ASSERT_EQ(m_messages.m_boxes.size(), 1u);
    EXPECT_EQ(m_messages.m_boxes[0].title, kTitle);
    EXPECT_EQ(m_messages.m_boxes[0].text,
              std::string(kNotFound) + "\n" + m_dir.Path("absent.wad").string() + ": missing");
    EXPECT_EQ(m_messages.m_boxes[0].icon, MessageIcon::kWarning);
    ASSERT_EQ(m_chooser.m_requests.size(), 1u);
    EXPECT_EQ(boxesAtRequest, 1u);
    const FileChooserRequest& request = m_chooser.m_requests[0];
    EXPECT_EQ(request.filterText, "Quake Texture Wad2 files (*.wad)");
    EXPECT_EQ(request.pattern, "*.wad");
    EXPECT_EQ(request.defaultExtension, "wad");
    EXPECT_TRUE(request.mustExist);
    // Cancelled: the list is empty and the name the map asked for stays.
    EXPECT_THAT(m_wad.GetTextureNames(), IsEmpty());
    EXPECT_EQ(m_wad.GetFileName(), m_dir.Path("absent.wad").string());
}

// The map's own entries are its author's data: the chosen file joins them
// under its full path instead of taking their place. Only the default name,
// which stands for no list at all, is replaced.
TEST_F(TextureWadTest, FileChosenAfterTheMissingOnesJoinsTheList) {
    CWadBuilder().AddMipTexture("chosen", 16, 16).WriteTo(m_dir.Path("good.wad"));
    CWorkingDirectoryGuard inTemp(m_dir.Root());
    for (const std::string list : {"absent.wad", " a.wad ; b.wad;", "quake101.wad", ""}) {
        SCOPED_TRACE(list);
        m_messages.m_boxes.clear();
        m_wad.SetFileName(list);
        m_chooser.m_answers.push_back("good.wad");
        LoadTextureWadAsking(m_wad);
        const std::string full = (m_dir.Root() / "good.wad").string();
        EXPECT_EQ(m_wad.GetFileName(), list == "absent.wad"        ? "absent.wad;" + full
                                       : list == " a.wad ; b.wad;" ? " a.wad ; b.wad;" + full
                                                                   : full);
        EXPECT_THAT(m_wad.GetTextureNames(), ElementsAre("chosen"));
        EXPECT_EQ(m_messages.m_boxes.size(), 1u) << "the entries still missing are not told again";
    }
}

TEST_F(TextureWadTest, ChosenFileThatIsNoWad2FileIsReportedAlone) {
    m_wad.SetFileName("absent.wad;gone.wad");
    m_chooser.m_answers.push_back(TestDataPath("wads/tb_bad_magic.wad").string());
    LoadTextureWadAsking(m_wad);
    ASSERT_EQ(m_messages.m_boxes.size(), 2u);
    EXPECT_EQ(m_messages.m_boxes[1].text, "Couldn't open texture file!\n" +
                                              TestDataPath("wads/tb_bad_magic.wad").string() +
                                              ": not a WAD2 file");
    EXPECT_EQ(m_chooser.m_requests.size(), 1u) << "a file was found, if a bad one";
}

TEST_F(TextureWadTest, CancelledChoiceKeepsTheLoadedListAndName) {
    Load(CWadBuilder().AddMipTexture("kept", 16, 16));
    std::string name = m_wad.GetFileName();
    ChooseTextureWadAsking(m_wad);
    EXPECT_EQ(m_chooser.m_requests.size(), 1u);
    EXPECT_EQ(m_wad.GetFileName(), name);
    EXPECT_THAT(m_wad.GetTextureNames(), ElementsAre("kept"));
    EXPECT_EQ(m_progress.m_displays.size(), 1u);
}

TEST_F(TextureWadTest, FileThatCannotBeOpenedIsReportedWithoutAChooser) {
    Load(CWadBuilder().AddMipTexture("old", 16, 16));
    std::filesystem::create_directory(m_dir.Path("folder.wad"));
    m_wad.SetFileName(m_dir.Path("folder.wad").string());
    LoadTextureWadAsking(m_wad);
    ASSERT_EQ(m_messages.m_boxes.size(), 1u);
    EXPECT_EQ(m_messages.m_boxes[0].title, kTitle);
    EXPECT_EQ(m_messages.m_boxes[0].text,
              "Couldn't open texture file!\n" + m_dir.Path("folder.wad").string() + ": unreadable");
    EXPECT_EQ(m_messages.m_boxes[0].icon, MessageIcon::kWarning);
    EXPECT_THAT(m_chooser.m_requests, IsEmpty());
    EXPECT_THAT(m_wad.GetTextureNames(), IsEmpty());
    EXPECT_THAT(m_wad.GetFiles(), IsEmpty());
}

// Broken headers: whatever the header claims, only entries wholly inside the
// file are read, and the progress range counts exactly those.
struct BrokenHeaderCase {
    const char* what;
    int32_t count;
    std::optional<int32_t> offset; // none: where the builder put the directory
    size_t entriesRead;
};

void PrintTo(const BrokenHeaderCase& c, std::ostream* out) {
    *out << c.what;
}

class BrokenHeaderTest : public TextureWadTest,
                         public ::testing::WithParamInterface<BrokenHeaderCase> {};

TEST_P(BrokenHeaderTest, ReadsOnlyWhatTheFileHolds) {
    CWadBuilder wad;
    wad.AddMipTexture("alpha", 4, 4).AddMipTexture("beta", 4, 4).AddMipTexture("gamma", 4, 4);
    std::string bytes = wad.Build();
    PatchInt32(bytes, 4, GetParam().count);
    if (GetParam().offset)
        PatchInt32(bytes, 8, *GetParam().offset);
    LoadBytes(bytes);
    EXPECT_EQ(File().GetDirectory().size(), GetParam().entriesRead);
    EXPECT_EQ(File().GetDeclaredEntryCount(), GetParam().count);
    ASSERT_EQ(m_progress.m_displays.size(), 1u);
    EXPECT_EQ(m_progress.m_displays[0].range, static_cast<int>(GetParam().entriesRead));
    EXPECT_EQ(m_progress.m_displays[0].steps, static_cast<int>(GetParam().entriesRead));
    EXPECT_THAT(m_messages.m_boxes, IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Headers, BrokenHeaderTest,
    ::testing::Values(BrokenHeaderCase{"negative count", -3, std::nullopt, 0},
                      BrokenHeaderCase{"huge count", INT32_MAX, std::nullopt, 3},
                      BrokenHeaderCase{"count one too many", 4, std::nullopt, 3},
                      BrokenHeaderCase{"fewer than present", 2, std::nullopt, 2},
                      BrokenHeaderCase{"directory past the end", 3, 100000, 0},
                      // The file is 12 + 3 * 56 + 3 * 32 = 276 bytes long.
                      BrokenHeaderCase{"directory at the very end", 3, 276, 0},
                      BrokenHeaderCase{"directory one byte past the end", 3, 277, 0},
                      BrokenHeaderCase{"directory one entry past the end", 3, 276 + 32, 0},
                      BrokenHeaderCase{"last entry ending at the end", 3, 276 - 32, 1},
                      BrokenHeaderCase{"negative directory offset", 3, -32, 0},
                      BrokenHeaderCase{"directory overlapping the end", 3, 12 + 3 * 56 + 40, 1},
                      BrokenHeaderCase{"largest offset", 3, INT32_MAX, 0}),
    [](const auto& info) {
        std::string name = info.param.what;
        for (char& c : name)
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

TEST_F(TextureWadTest, MalformedCorpusFilesLoadWithoutComplaint) {
    struct Expected {
        const char* file;
        std::vector<std::string> names;
    };
    const Expected cases[] = {
        {"tb_directory_out_of_bounds.wad", {}},
        {"tb_entry_count_too_large.wad", {}},
        {"tb_entry_out_of_bounds.wad", {"toofar"}},
        {"tb_skips_empty_entry_name.wad", {"real"}},
    };
    for (const Expected& expected : cases) {
        SCOPED_TRACE(expected.file);
        LoadDataFile(expected.file);
        EXPECT_EQ(m_wad.GetTextureNames(), expected.names);
        EXPECT_TRUE(m_progress.m_displays.back().closed);
    }
    EXPECT_THAT(m_messages.m_boxes, IsEmpty());
    EXPECT_THAT(m_chooser.m_requests, IsEmpty());
}

TEST_F(TextureWadTest, FilesThatAreNotWad2AreReportedAsSuchAndWad3IsTold) {
    for (const char* file : {"tb_bad_magic.wad", "tb_wad3_empty.wad", "tb_too_small.wad"}) {
        SCOPED_TRACE(file);
        m_messages.m_boxes.clear();
        LoadDataFile(file);
        ASSERT_EQ(m_messages.m_boxes.size(), 1u);
        EXPECT_EQ(m_messages.m_boxes[0].title, kTitle);
        EXPECT_EQ(m_messages.m_boxes[0].text,
                  "Couldn't open texture file!\n" +
                      TestDataPath(std::string("wads/") + file).string() + ": not a WAD2 file");
        EXPECT_THAT(m_wad.GetTextureNames(), IsEmpty());
        EXPECT_THAT(m_wad.GetFiles(), IsEmpty());
        EXPECT_EQ(m_wad.HasWad3File(), std::string(file) == "tb_wad3_empty.wad");
    }
    EXPECT_THAT(m_chooser.m_requests, IsEmpty());
}

TEST_F(TextureWadTest, AFileInsideTheMapsFolderIsStoredRelativeToTheMap) {
    std::filesystem::create_directories(m_dir.Path("maps/textures"));
    CWadBuilder().AddMipTexture("inside", 16, 16).WriteTo(m_dir.Path("maps/textures/own.wad"));
    CWadBuilder().AddMipTexture("outside", 16, 16).WriteTo(m_dir.Path("shared.wad"));
    m_wad.SetMapFolder(m_dir.Path("maps").string());

    m_chooser.m_answers.push_back(m_dir.Path("maps/textures/own.wad").string());
    ChooseTextureWadAsking(m_wad);
    EXPECT_EQ(m_wad.GetFileName(), "textures/own.wad");
    EXPECT_THAT(m_wad.GetTextureNames(), ElementsAre("inside")); // found from anywhere
    EXPECT_THAT(m_notices.m_notices, IsEmpty());

    // One folder up is outside: the full path, and the status bar says why.
    // The file joins the list.
    m_chooser.m_answers.push_back(m_dir.Path("maps/../shared.wad").string());
    ChooseTextureWadAsking(m_wad);
    EXPECT_EQ(m_wad.GetFileName(), "textures/own.wad;" + m_dir.Path("maps/../shared.wad").string());
    EXPECT_THAT(m_wad.GetTextureNames(), ElementsAre("inside", "outside"));
    ASSERT_EQ(m_notices.m_notices.size(), 1u);
    EXPECT_THAT(m_notices.m_notices[0], ::testing::HasSubstr("full path"));
    EXPECT_THAT(m_messages.m_boxes, IsEmpty());
}

TEST_F(TextureWadTest, ARelativeNameFollowsTheMapToAnotherFolder) {
    std::filesystem::create_directories(m_dir.Path("maps/deeper"));
    CWadBuilder().AddMipTexture("kept", 16, 16).WriteTo(m_dir.Path("maps/own.wad"));
    m_wad.SetMapFolder(m_dir.Path("maps").string());
    m_wad.SetFileName("own.wad");

    m_wad.SetMapFolder(m_dir.Path("maps/deeper").string()); // saved one folder down
    EXPECT_EQ(m_wad.GetFileName(), m_dir.Path("maps/own.wad").string());

    m_wad.SetFileName("own.wad");
    m_wad.SetMapFolder(m_dir.Path("maps").string());
    m_wad.SetMapFolder(m_dir.Root().string()); // saved one folder up: still inside
    EXPECT_EQ(m_wad.GetFileName(), "maps/own.wad");
    LoadTextureWadAsking(m_wad);
    EXPECT_THAT(m_wad.GetTextureNames(), ElementsAre("kept"));
}

TEST_F(TextureWadTest, HeadersOutsideTheFileAreNotRead) {
    LoadDataFile("tb_entry_out_of_bounds.wad");
    ASSERT_TRUE(m_wad.OpenTextureFiles());
    const WadLump* lump = File().FindLump("toofar");
    ASSERT_NE(lump, nullptr);
    EXPECT_EQ(File().ReadMipTexHeader(*lump), std::nullopt);

    LoadDataFile("tb_skips_empty_entry_name.wad");
    ASSERT_TRUE(m_wad.OpenTextureFiles());
    // "real" holds 5 bytes, far less than a header.
    EXPECT_EQ(File().ReadMipTexHeader(*File().FindLump("real")), std::nullopt);
}

TEST_F(TextureWadTest, FindLumpTakesTheFirstEntryOfAnyType) {
    Load(CWadBuilder()
             .AddLump("shared", 'B', "picture")
             .AddMipTexture("shared", 8, 8)
             .AddMipTexture("Shared", 4, 4));
    const WadLump* found = File().FindLump("shared");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->type, 'B');
    ASSERT_NE(File().FindLump("Shared"), nullptr);
    EXPECT_EQ(File().FindLump("Shared")->type, 'D');
    EXPECT_EQ(File().FindLump("missing"), nullptr);
}

TEST_F(TextureWadTest, FileReadsStayInsideTheOpenFile) {
    Load(CWadBuilder().AddMipTexture("tiny", 2, 2, 7));
    char byte = 0;
    EXPECT_FALSE(File().ReadBytes(0, &byte, 1)) << "the file is closed after a load";
    ASSERT_TRUE(m_wad.OpenTextureFiles());
    int64_t size = File().GetSize();
    EXPECT_EQ(size, 12 + 44 + 32);
    EXPECT_TRUE(File().ReadBytes(12 + 40, &byte, 1));
    EXPECT_EQ(byte, 7);
    EXPECT_TRUE(File().ReadBytes(size, &byte, 0));
    EXPECT_FALSE(File().ReadBytes(size, &byte, 1));
    EXPECT_FALSE(File().ReadBytes(size + 1, &byte, 0)) << "even nothing beyond the end";
    EXPECT_FALSE(File().ReadBytes(-1, &byte, 1));
    char buffer[8];
    EXPECT_FALSE(File().ReadBytes(size - 4, buffer, sizeof buffer));
    EXPECT_FALSE(File().ReadBytes(1, buffer, SIZE_MAX));
    m_wad.CloseTextureFiles();
    EXPECT_FALSE(File().IsOpen());
    EXPECT_FALSE(File().ReadBytes(0, &byte, 1));
}

TEST_F(TextureWadTest, FilesThatVanishedSinceTheLoadDoNotOpen) {
    Load(CWadBuilder().AddMipTexture("tiny", 2, 2, 7));
    std::filesystem::remove(m_dir.Path("test.wad"));
    EXPECT_FALSE(m_wad.OpenTextureFiles());
    EXPECT_FALSE(File().IsOpen());
    EXPECT_EQ(CTextureFile(m_dir.Path("test.wad").string()).Load(), TextureFileState::kMissing);
}

// --- Several files in one list ---

std::string DataWad(const char* name) {
    return TestDataPath(std::string("wads/") + name).string();
}

std::string FileNameOf(const CTextureFile& file) {
    return std::filesystem::path(file.GetPath()).filename().string();
}

TEST_F(TextureWadTest, TheFirstFileHoldingANameWinsAndEveryNameKnowsItsFile) {
    // Both LibreQuake's utility textures and ericw-tools' origin.wad hold "origin".
    m_wad.SetFileName(DataWad("lq_utility.wad") + ";" + DataWad("ericw_origin.wad") + ";" +
                      DataWad("ericw_fence.wad"));
    LoadTextureWadAsking(m_wad);
    EXPECT_THAT(m_wad.GetTextureNames(),
                ElementsAre("*h2oteleskip", "*lavaskip", "*slimeskip", "black", "clip", "hint",
                            "hintskip", "light", "origin", "skip", "trigger", "{trigger"));
    EXPECT_EQ(FileNameOf(*m_wad.FindTextureFile("origin")), "lq_utility.wad");
    EXPECT_EQ(FileNameOf(*m_wad.FindTextureFile("{trigger")), "ericw_fence.wad");
    EXPECT_EQ(FileNameOf(m_wad.GetTextureFile(m_wad.GetTextureCount() - 1)), "ericw_fence.wad");
    EXPECT_EQ(m_wad.FindTextureFile("Origin"), nullptr);
    // One display for the three files' 13 entries.
    ASSERT_EQ(m_progress.m_displays.size(), 1u);
    EXPECT_EQ(m_progress.m_displays[0].range, 13);
    EXPECT_EQ(m_progress.m_displays[0].steps, 13);
    EXPECT_THAT(m_messages.m_boxes, IsEmpty());

    m_wad.SetFileName(DataWad("ericw_origin.wad") + ";" + DataWad("lq_utility.wad"));
    LoadTextureWadAsking(m_wad);
    EXPECT_EQ(FileNameOf(*m_wad.FindTextureFile("origin")), "ericw_origin.wad");
    EXPECT_EQ(FileNameOf(*m_wad.FindTextureFile("clip")), "lq_utility.wad");
    EXPECT_EQ(m_wad.GetTextureCount(), 11);
}

TEST_F(TextureWadTest, OneMessageNamesEveryEntryThatFailedAndNothingIsAsked) {
    std::filesystem::create_directory(m_dir.Path("folder.wad"));
    m_wad.SetMapFolder(m_dir.Root().string());
    m_wad.SetFileName(" lost.wad ;" + DataWad("lq_utility.wad") + ";C:\\q\\gone.wad;;" +
                      DataWad("tb_wad3_empty.wad") + "; folder.wad");
    LoadTextureWadAsking(m_wad);
    ASSERT_EQ(m_messages.m_boxes.size(), 1u);
    EXPECT_EQ(m_messages.m_boxes[0].title, kTitle);
    EXPECT_EQ(m_messages.m_boxes[0].text,
              "Some texture files of the map could not be loaded:\nlost.wad: missing\n"
              "C:\\q\\gone.wad: missing\n" +
                  DataWad("tb_wad3_empty.wad") + ": not a WAD2 file\n" +
                  m_dir.Path("folder.wad").string() + ": unreadable");
    EXPECT_THAT(m_chooser.m_requests, IsEmpty());
    EXPECT_EQ(m_wad.GetTextureCount(), 11);
    EXPECT_TRUE(m_wad.HasWad3File()) << "a WAD3 file is told even beside loaded ones";
    ASSERT_EQ(m_wad.GetEntries().size(), 5u);
    EXPECT_EQ(m_wad.GetEntries()[0].name, "lost.wad");
    EXPECT_EQ(m_wad.GetEntries()[1].state, TextureFileState::kLoaded);
}

TEST_F(TextureWadTest, WhenNoEntryIsFoundEachIsNamedAndAFileAskedFor) {
    m_wad.SetFileName("C:/Users/x/Desktop/q/texture-wads/lq_wood.wad;../../texture-wads/"
                      "lq_greek.wad");
    LoadTextureWadAsking(m_wad);
    ASSERT_EQ(m_messages.m_boxes.size(), 1u);
    EXPECT_EQ(m_messages.m_boxes[0].text,
              "None of the 2 texture files of the map was found; please select an appropriate "
              "Quake texture wad2 file.\nC:/Users/x/Desktop/q/texture-wads/lq_wood.wad: missing"
              "\n../../texture-wads/lq_greek.wad: missing");
    EXPECT_EQ(m_chooser.m_requests.size(), 1u);

    // A list without any entry has nothing to find either.
    m_messages.m_boxes.clear();
    m_wad.SetFileName(" ; ");
    LoadTextureWadAsking(m_wad);
    ASSERT_EQ(m_messages.m_boxes.size(), 1u);
    EXPECT_EQ(m_messages.m_boxes[0].text,
              std::string(kNotFound) + "\nThe map names no texture file.");
    EXPECT_EQ(m_chooser.m_requests.size(), 2u);
}

// Every broken file of the corpus in a list with a good one: the good one's
// textures are listed, each preview is built or refused, nothing reads out of
// bounds (the sanitizers watch).
TEST_F(TextureWadTest, HostileFilesAmongGoodOnesNeverCrash) {
    std::string list;
    for (const auto& file : std::filesystem::directory_iterator(TestDataPath("wads"))) {
        const std::string name = file.path().filename().string();
        if (name.rfind("tb_", 0) == 0)
            list += file.path().string() + ";" + DataWad("ericw_fence.wad") + ";";
    }
    m_wad.SetFileName(list);
    LoadTextureWadAsking(m_wad);
    EXPECT_THAT(m_wad.GetTextureNames(), ElementsAre("real", "toofar", "{trigger"));
    ASSERT_EQ(m_messages.m_boxes.size(), 1u);
    EXPECT_THAT(m_chooser.m_requests, IsEmpty());
    ASSERT_TRUE(m_wad.OpenTextureFiles());
    for (const std::string& name : m_wad.GetTextureNames()) {
        m_wad.BuildTexturePreview(name, 40);
        // "{trigger" sorts last and is the only one with a whole picture.
        EXPECT_EQ(m_wad.GetPreviewImage().width, name == "{trigger" ? 64 : 0) << name;
    }
    m_wad.CloseTextureFiles();
}

} // namespace
