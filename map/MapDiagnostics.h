#pragma once

#include <string_view>

// Where reading and brush building report the problems they find. `line` is the
// reader's line counter (the first line of the file is 0); `brushLine` is the
// line of the opening brace of the brush being read, or -1 outside a brush.
class CMapDiagnostics {
public:
    virtual ~CMapDiagnostics() = default;
    virtual void Report(int line, int brushLine, std::string_view message) = 0;
};

// Shows one "Map Read Error" box with the text "<line> : <message>".
void ReportMapError(int line, std::string_view message);

// The editor's diagnostics: one message box per problem.
class CMapErrorBoxes : public CMapDiagnostics {
public:
    void Report(int line, int brushLine, std::string_view message) override;
};
