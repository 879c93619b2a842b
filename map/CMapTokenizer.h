#pragma once

#include "map/MapDiagnostics.h"

inline constexpr int kMaxTokenLength = 127;

// Splits map text into tokens. The text ends at its first NUL byte. Every byte
// whose value as a signed char is 32 or less separates tokens, so bytes 128-255
// do too. "//" where a token would start runs to the end of the line; a token
// starting with a double quote runs to the next double quote, verbatim.
class CMapTokenizer {
public:
    CMapTokenizer(const char* text, CMapDiagnostics& diagnostics)
        : m_position(text), m_diagnostics(diagnostics) {}

    // Reads the next token into Token(). With `sameLine` the token must be on
    // the current line: every line feed or comment passed on the way, and the
    // end of the text, is reported as an incomplete line. Returns false at the
    // end of the text; Token() then keeps what it held.
    bool GetToken(bool sameLine);

    const char* Token() const { return m_token; }
    bool TokenIs(char c) const { return m_token[0] == c && m_token[1] == '\0'; }
    int Line() const { return m_line; }

private:
    bool SkipToToken(bool sameLine);
    void ReadQuoted();
    void ReadPlain();
    void Report(const char* message) { m_diagnostics.Report(m_line, -1, message); }

    const char* m_position;
    CMapDiagnostics& m_diagnostics;
    int m_line = 0;
    char m_token[kMaxTokenLength + 1] = {};
};
