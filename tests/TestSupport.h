#pragma once

#include "framework/CMessageService.h"
#include "map/CTolveDoc.h"
#include "map/MapDiagnostics.h"

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Records every message box instead of showing it, for the length of a test.
class CRecordingMessages : public CMessageService {
public:
    struct Box {
        std::string title;
        std::string text;
        MessageIcon icon;
    };

    CRecordingMessages() : m_guard(*this) {}

    MessageAnswer ShowMessage(const std::string& title, const std::string& text, MessageIcon icon,
                              MessageButtons buttons) override {
        m_boxes.push_back({title, text, icon});
        if (buttons == MessageButtons::kOk)
            return MessageAnswer::kOk;
        MessageAnswer answer = m_answers.empty() ? MessageAnswer::kCancel : m_answers.front();
        if (!m_answers.empty())
            m_answers.erase(m_answers.begin());
        return answer;
    }

    // Questions with captions of their own are boxes too, with their captions.
    MessageAnswer AskWithCaptions(const std::string& title, const std::string& text,
                                  const QuestionCaptions& captions) override {
        m_captions.push_back(captions);
        return ShowMessage(title, text, MessageIcon::kQuestion, MessageButtons::kYesNoCancel);
    }

    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const Box& box : m_boxes)
            texts.push_back(box.text);
        return texts;
    }

    std::vector<Box> m_boxes;
    std::vector<MessageAnswer> m_answers;     // answers to questions, in order
    std::vector<QuestionCaptions> m_captions; // of the questions that have their own

private:
    CServiceGuard<CMessageService> m_guard;
};

// Collects reader and builder reports.
class CRecordingDiagnostics : public CMapDiagnostics {
public:
    struct Entry {
        int line;
        int brushLine;
        std::string message;
    };
    void Report(int line, int brushLine, std::string_view message) override {
        m_entries.push_back({line, brushLine, std::string(message)});
    }
    void Notice(int line, int brushLine, std::string_view message) override {
        m_notices.push_back({line, brushLine, std::string(message)});
    }
    std::vector<std::string> Messages() const {
        std::vector<std::string> messages;
        for (const Entry& entry : m_entries)
            messages.push_back(entry.message);
        return messages;
    }
    std::vector<Entry> m_entries;
    std::vector<Entry> m_notices; // what the compilers take as it is
};

inline std::filesystem::path TestDataPath(const std::string& relative) {
    return std::filesystem::path(TOLVE_TEST_DATA) / relative;
}

// A fresh temporary folder, removed with the object.
class CTempDir {
public:
    CTempDir();
    ~CTempDir();
    std::filesystem::path Path(const std::string& name) const { return m_path / name; }
    const std::filesystem::path& Root() const { return m_path; }

private:
    std::filesystem::path m_path;
};

std::string ReadFileText(const std::filesystem::path& path);
void WriteFileText(const std::filesystem::path& path, const std::string& text);
// Writes the file as another program would while it is open in the editor:
// in place, with its modification time two seconds after the old one, so
// that the change shows even on a file system with coarse times.
void WriteAsAnotherProgram(const std::filesystem::path& path, const std::string& text);

// The six face lines of the cube from -64 to 64 on every axis, each plane
// pointing out of the cube: the worked example of the map format.
inline constexpr const char* kCubeFaceLines =
    "( -64 0 1 ) ( -64 -1 0 ) ( -64 0 0 ) wall 0 0 0 1 1\n"
    "( 64 0 1 ) ( 64 1 0 ) ( 64 0 0 ) wall 0 0 0 1 1\n"
    "( 0 -64 1 ) ( 1 -64 0 ) ( 0 -64 0 ) wall 0 0 0 1 1\n"
    "( 0 64 1 ) ( -1 64 0 ) ( 0 64 0 ) wall 0 0 0 1 1\n"
    "( 0 1 -64 ) ( -1 0 -64 ) ( 0 0 -64 ) floor 0 0 0 1 1\n"
    "( 0 1 64 ) ( 1 0 64 ) ( 0 0 64 ) floor 0 0 0 1 1\n";

// A world cube read with plane points its corners do not give back, a door
// of one brush beside it, and a light whose origin is kept as written.
inline constexpr const char* kKeptTextDoorMap = R"({
"classname" "worldspawn"
{
( -64 0 1 ) ( -64 -1 0 ) ( -64 0 0 ) wall 0 0 0 1 1
( 64 0 7 ) ( 64 3 0 ) ( 64 0 0 ) wall 0 0 0 1 1
( 0 -64 1 ) ( 1 -64 0 ) ( 0 -64 0 ) wall 0 0 0 1 1
( 0 64 1 ) ( -1 64 0 ) ( 0 64 0 ) wall 0 0 0 1 1
( 0 1 -64 ) ( -1 0 -64 ) ( 0 0 -64 ) floor 0 0 0 1 1
( 0 1 64 ) ( 1 0 64 ) ( 0 0 64 ) floor 0 0 0 1 1
}
}
{
"classname" "func_door"
"speed" "1e2"
{
( 128 0 1 ) ( 128 -1 0 ) ( 128 0 0 ) door 0 0 0 1 1
( 160 0 1 ) ( 160 1 0 ) ( 160 0 0 ) door 0 0 0 1 1
( 0 -64 1 ) ( 1 -64 0 ) ( 0 -64 0 ) door 0 0 0 1 1
( 0 64 1 ) ( -1 64 0 ) ( 0 64 0 ) door 0 0 0 1 1
( 0 1 -64 ) ( -1 0 -64 ) ( 0 0 -64 ) door 0 0 0 1 1
( 0 1 64 ) ( 1 0 64 ) ( 0 0 64 ) door 0 0 0 1 1
}
}
{
"classname" "light"
"origin" "-200.0 -150 0"
}
)";

// A map whose world holds the cube, followed by `rest` (more entities);
// `worldKeys` are key lines of the world after its class name.
inline std::string CubeMapText(const std::string& rest = "", const std::string& worldKeys = "") {
    return "{\n\"classname\" \"worldspawn\"\n" + worldKeys + "{\n" + kCubeFaceLines + "}\n}\n" +
           rest;
}

// The face lines of a box from x0 to x1 along x, from -64 to 64 along y and
// z, every face `texture`: a slab beside the cube.
inline std::string BoxFaceLines(int x0, int x1, const std::string& texture) {
    const std::string rest = " " + texture + " 0 0 0 1 1\n";
    const std::string a = std::to_string(x0), b = std::to_string(x1);
    return "( " + a + " 0 1 ) ( " + a + " -1 0 ) ( " + a + " 0 0 )" + rest + "( " + b +
           " 0 1 ) ( " + b + " 1 0 ) ( " + b + " 0 0 )" + rest +
           "( 0 -64 1 ) ( 1 -64 0 ) ( 0 -64 0 )" + rest + "( 0 64 1 ) ( -1 64 0 ) ( 0 64 0 )" +
           rest + "( 0 1 -64 ) ( -1 0 -64 ) ( 0 0 -64 )" + rest +
           "( 0 1 64 ) ( 1 0 64 ) ( 0 0 64 )" + rest;
}

// A world cube, a door of one cube and a light, all of whole numbers.
inline std::string CubeDoorLightMapText() {
    return CubeMapText("{\n\"classname\" \"func_door\"\n{\n" + std::string(kCubeFaceLines) +
                       "}\n}\n{\n\"classname\" \"light\"\n}\n");
}

// Writes the document's map text to a string, as a save would.
std::string MapText(const CTolveDoc& doc);

// Changes the map by one step of its history, as any edit would: the world's
// message gets a mark. The map is then modified.
void MakeModified(CTolveDoc& doc);

class CMapEdits;

// Runs map edits as one committed step of the map's history.
void Edit(CTolveDoc& doc, const std::function<void(CMapEdits&)>& edits);

// Moves one coordinate of a limit or of the insertion point, as the commands
// that set them from the cursor do.
enum class StatePoint { kUpperLimit, kLowerLimit, kInsertionPoint };
void SetStateCoordinate(CTolveDoc& doc, StatePoint point, int32_t IntPoint::*axis, int32_t value);

// Every brush of the map in the order the file holds them: the world's, then
// each brush entity's.
std::vector<const CMapBrush*> BrushesInOrder(const CTolveDoc& doc);

// A document read from map text, with whatever the read reported.
struct ReadMap {
    std::unique_ptr<CTolveDoc> doc = std::make_unique<CTolveDoc>();
    CRecordingDiagnostics diagnostics;
};
std::unique_ptr<ReadMap> Read(const std::string& text);

// Open and save as the editor does them, showing what they have to say
// through the message service.
bool OpenShowing(CTolveDoc& doc, const std::string& path);
bool SaveShowing(CTolveDoc& doc, const std::string& path);

// True once no process of the process group is left, however many it had;
// false when some are still there after `milliseconds`.
bool WaitUntilGroupEnds(pid_t group, int milliseconds = 10000);

// Every write past `bytes` fails with "File too large" (EFBIG) while it
// lives, as writes fail on a full disk.
class CFileSizeLimit {
public:
    explicit CFileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~CFileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    CFileSizeLimit(const CFileSizeLimit&) = delete;
    CFileSizeLimit& operator=(const CFileSizeLimit&) = delete;

private:
    rlimit m_saved{};
    void (*m_oldHandler)(int);
};
