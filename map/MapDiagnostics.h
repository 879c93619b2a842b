#pragma once

#include "framework/UserMessage.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Where reading and brush building report what they find. `line` is the
// reader's line counter (the first line of the file is 0); `brushLine` is the
// line of the opening brace of the brush a finding of a whole brush concerns,
// or -1. Findings come in three kinds:
// - a problem: the text says something the map cannot take as it stands, and
//   what was read differs from it (a line skipped, a file cut short);
// - something kept: text the editor keeps as written and saves back, but
//   cannot show or edit (a brush of 33 faces, another game's face line);
// - a notice: what the map compilers take as it is, told for the record
//   (a very short edge of a brush, a key given twice).
class CMapDiagnostics {
public:
    virtual ~CMapDiagnostics() = default;
    virtual void Report(int line, int brushLine, std::string_view message) = 0;
    // By default what is kept counts as a problem, and notices as nothing.
    virtual void ReportKept(int line, int brushLine, std::string_view message) {
        Report(line, brushLine, message);
    }
    virtual void Notice(int /*line*/, int /*brushLine*/, std::string_view /*message*/) {}
};

// The line a user is shown for a problem, counted from 1 as editors count:
// the brush's opening brace for a problem of a whole brush.
inline int ShownLine(int line, int brushLine) {
    return (brushLine >= 0 ? brushLine : line) + 1;
}

// "<line> : <message>" with the line as ShownLine gives it.
std::string FormatMapProblem(int line, int brushLine, std::string_view message);

// Shows one "Map Read Error" box with the text "<line> : <message>", the
// line counted from 1.
void ReportMapError(int line, std::string_view message);

// The editor's diagnostics: every problem of one read, shown together in one
// "Map Read Error" box when the read is over, so that a broken or foreign file
// never buries the user under boxes. One problem reads exactly as a single box
// would; the list stops at kMaxListed lines and says how many more there were.
// The box shows an error when something read differs from the text, else a
// warning. Notices are only counted, with the first of them.
class CMapErrorList : public CMapDiagnostics {
public:
    static constexpr size_t kMaxListed = 1000;

    void Report(int line, int brushLine, std::string_view message) override;
    void ReportKept(int line, int brushLine, std::string_view message) override;
    void Notice(int line, int brushLine, std::string_view message) override;
    size_t Count() const { return m_count; }
    // What the status bar says of the notices; empty when there were none.
    std::string DescribeNotices() const;
    // The box's text; empty when nothing was reported.
    std::string Text() const;
    // The box for the user, if there is anything to say.
    std::optional<UserMessage> ToMessage() const;

private:
    void List(int line, int brushLine, std::string_view message);

    std::vector<std::string> m_lines; // "<line> : <message>", the first kMaxListed
    size_t m_count = 0;
    bool m_lost = false; // some problem changed what was read
    size_t m_notices = 0;
    int m_firstNoticeLine = 0; // as the user is shown it
    std::string m_firstNotice;
};
