// Unusual and hostile files: nothing hangs, nothing after a bad byte is lost,
// and one read never shows more than one box.
#include "map/CMapEdits.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace std::string_literals;

const std::string kLightEntity = "{\n\"classname\" \"light\"\n\"origin\" \"0 0 32\"\n}\n";

struct OpenedMap {
    CTolveDoc doc;
    CRecordingMessages messages;
    bool opened = false;
};

std::unique_ptr<OpenedMap> OpenText(const CTempDir& dir, const std::string& text) {
    auto map = std::make_unique<OpenedMap>();
    WriteFileText(dir.Path("a.map"), text);
    map->opened = OpenShowing(map->doc, dir.Path("a.map").string());
    return map;
}

} // namespace

// A NUL used to end the text: "save" turned a whole map into its first line.
TEST(HostileMapFile, NulBytesAnywhereLoseNothingAfterThem) {
    CTempDir dir;
    const std::string map = CubeMapText(kLightEntity);
    const std::string variants[] = {
        "// c \0\n"s + map,
        map.substr(0, map.find("wall")) + "\0"s + map.substr(map.find("wall")),
        map + "\0"s,
    };
    for (const std::string& text : variants) {
        SCOPED_TRACE(text.find('\0'));
        auto opened = OpenText(dir, text);
        ASSERT_TRUE(opened->opened);
        EXPECT_EQ(opened->doc.GetWorldBrushes().size(), 1u);
        ASSERT_EQ(opened->doc.GetPointEntities().size(), 1u);
        EXPECT_EQ(opened->doc.GetPointEntities()[0]->m_origin, IntPoint(0, 0, 32));
        ASSERT_EQ(opened->messages.m_boxes.size(), 1u);
        EXPECT_NE(opened->messages.m_boxes[0].text.find("Control character 0x00"),
                  std::string::npos);
    }
}

TEST(HostileMapFile, Utf16AndUtf32CopiesAreRefusedAsNoTextMap) {
    CTempDir dir;
    std::string wide;
    for (char c : CubeMapText())
        wide += c + "\0"s;
    // Without a mark, a file far longer than the part that is looked at.
    std::string longWide;
    while (longWide.size() < 20 * wide.size())
        longWide += wide;
    for (const std::string& text : {"\xFF\xFE"s + wide, wide, "\xFF\xFE\0\0"s + wide,
                                    "\xFE\xFF"s + wide.substr(1), longWide}) {
        auto opened = OpenText(dir, text);
        EXPECT_FALSE(opened->opened);
        ASSERT_EQ(opened->messages.m_boxes.size(), 1u);
        EXPECT_EQ(opened->messages.m_boxes[0].title, "File Open Error");
        EXPECT_NE(opened->messages.m_boxes[0].text.find("a.map\" is not a text map"),
                  std::string::npos);
    }
}

// A map opened through a symbolic link is read from the file it names, and
// saved into that file, the link staying a link.
TEST(HostileMapFile, AMapOpenedThroughALinkIsReadAndSavedThroughIt) {
    CTempDir dir;
    std::filesystem::create_directories(dir.Path("maps"));
    WriteFileText(dir.Path("maps/real.map"), CubeMapText(kLightEntity));
    std::filesystem::create_symlink("maps/real.map", dir.Path("link.map"));
    CRecordingMessages messages;
    CTolveDoc doc;
    ASSERT_TRUE(OpenShowing(doc, dir.Path("link.map").string()));
    EXPECT_TRUE(messages.m_boxes.empty());
    ASSERT_EQ(doc.GetWorldBrushes().size(), 1u);
    ASSERT_EQ(doc.GetPointEntities().size(), 1u);
    Edit(doc, [&](CMapEdits& edits) {
        edits.MovePointEntity(*doc.GetPointEntities()[0], {0, 0, 16});
    });
    ASSERT_TRUE(SaveShowing(doc, dir.Path("link.map").string()));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.Path("link.map")));
    EXPECT_NE(ReadFileText(dir.Path("maps/real.map")).find("\"origin\" \"0 0 48\""),
              std::string::npos);
}

// The mark is no part of the map, and a save keeps it where it stood.
TEST(HostileMapFile, Utf8ByteOrderMarkIsSkippedAndKept) {
    CTempDir dir;
    const std::string marked = "\xEF\xBB\xBF// Game: Quake\n"s;
    auto opened = OpenText(dir, marked + CubeMapText());
    EXPECT_TRUE(opened->opened);
    EXPECT_EQ(opened->doc.GetWorldBrushes().size(), 1u);
    EXPECT_TRUE(opened->messages.m_boxes.empty());
    EXPECT_EQ(MapText(opened->doc).substr(0, marked.size() + 1), marked + "{");
}

// Opening a FIFO used to block the editor for good.
TEST(HostileMapFile, FifoIsRefusedAtOnce) {
    CTempDir dir;
    const std::string fifo = dir.Path("pipe.map").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    CRecordingMessages messages;
    auto read = std::async(std::launch::async, [&] {
        CTolveDoc doc;
        return OpenShowing(doc, fifo);
    });
    if (read.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        // Unblock the reader so that the test can end, then fail.
        int writer = open(fifo.c_str(), O_WRONLY);
        close(writer);
        read.wait();
        FAIL() << "reading a FIFO blocked";
    }
    EXPECT_FALSE(read.get());
    ASSERT_EQ(messages.m_boxes.size(), 1u);
    EXPECT_NE(messages.m_boxes[0].text.find("it is a named pipe (FIFO), not a regular file"),
              std::string::npos);
}

TEST(HostileMapFile, DevicesAndDirectoriesAreNamedForWhatTheyAre) {
    CRecordingMessages messages;
    CTempDir dir;
    CTolveDoc doc;
    EXPECT_FALSE(OpenShowing(doc, "/dev/zero"));
    EXPECT_FALSE(OpenShowing(doc, dir.Root().string()));
    ASSERT_EQ(messages.m_boxes.size(), 2u);
    EXPECT_NE(messages.m_boxes[0].text.find("it is a character device"), std::string::npos);
    EXPECT_NE(messages.m_boxes[1].text.find("it is a directory"), std::string::npos);
}

// Random bytes gave 77 boxes, a Quake 3 map 1,864 and "{ " x 10^6 a million.
TEST(HostileMapFile, ThousandsOfProblemsMakeOneBoxWithACount) {
    CTempDir dir;
    std::string strays;
    for (int i = 0; i < 1500; ++i)
        strays += "stray\n";
    auto opened = OpenText(dir, strays);
    ASSERT_EQ(opened->messages.m_boxes.size(), 1u);
    const std::string& text = opened->messages.m_boxes[0].text;
    EXPECT_EQ(opened->messages.m_boxes[0].title, "Map Read Error");
    EXPECT_EQ(text.rfind("1500 problems were found while reading the map:\n\n1 : Error: { not "
                         "found\n2 : Error: { not found\n",
                         0),
              0u);
    EXPECT_NE(text.find("\n1000 : Error: { not found\n... and 500 more\n"), std::string::npos);
    EXPECT_EQ(text.find("1001 : "), std::string::npos);
}

TEST(HostileMapFile, AnotherGamesMapIsRecognisedRatherThanFullOfProblems) {
    CRecordingMessages messages;
    CTolveDoc doc;
    EXPECT_TRUE(OpenShowing(
        doc, TestDataPath("maps-other-formats/q3_patchdef_spirit3ctfduel1-center.map").string()));
    EXPECT_TRUE(messages.m_boxes.empty());
    EXPECT_EQ(doc.m_mapGame, MapGame::kQuake3);
}

TEST(HostileMapFile, FacesWithoutAPlaneAreReportedAtTheirLine) {
    CTempDir dir;
    std::string faces = kCubeFaceLines;
    faces += "( 5 5 5 ) ( 5 5 5 ) ( 5 5 5 ) wall 0 0 0 1 1\n";
    faces += "( 0 0 0 ) ( 1 1 1 ) ( 2 2 2 ) wall 0 0 0 1 1\n";
    auto opened = OpenText(dir, "{\n\"classname\" \"worldspawn\"\n{\n" + faces + "}\n}\n");
    ASSERT_EQ(opened->messages.m_boxes.size(), 1u);
    const std::string message =
        " : The three points of this face are equal or on one line; the face has no plane\n";
    EXPECT_EQ(opened->messages.m_boxes[0].text,
              "2 problems were found while reading the map:\n\n10" + message + "11" + message);
    // The brush is still the cube, and the faces are kept for the file.
    EXPECT_EQ(opened->doc.GetWorldBrushes().at(0)->m_numFaces, 6);
    EXPECT_NE(MapText(opened->doc).find("( 5 5 5 ) ( 5 5 5 ) ( 5 5 5 ) wall 0 0 0 1 1\n"),
              std::string::npos);
}
