#pragma once

#include "map/MapDiagnostics.h"

#include <string_view>

// Keys and values up to this length are read whole, the limit the game's own
// tools use; a longer token keeps its first 1023 characters.
inline constexpr int kMaxTokenLength = 1023;

// Splits map text into tokens. Every byte whose value as a signed char is 32 or
// less separates tokens, so bytes 128-255 do too. "//" where a token would
// start runs to the end of the line; a token starting with a double quote runs
// to the next double quote, verbatim. A control byte other than tab, line feed,
// carriage return and form feed (a NUL, say) is reported, once per line, and
// read as a blank, so nothing after it is lost.
class CMapTokenizer {
public:
    CMapTokenizer(std::string_view text, CMapDiagnostics& diagnostics)
        : m_position(text.data()), m_end(text.data() + text.size()), m_diagnostics(diagnostics) {}

    // Reads the next token into Token(). With `sameLine` the token must be on
    // the current line: every line feed or comment passed on the way, and the
    // end of the text, is reported as an incomplete line. Returns false at the
    // end of the text; Token() then keeps what it held.
    bool GetToken(bool sameLine);

    // Whether another token follows on the current line, other than a brace
    // or an opening parenthesis (which start something new). Blanks before it
    // are passed; nothing is reported.
    bool HasTrailingToken();

    const char* Token() const { return m_token; }
    bool TokenIs(char c) const { return m_token[0] == c && m_token[1] == '\0'; }
    int Line() const { return m_line; }
    // The last token as it stands in the text, quotes included.
    std::string_view TokenSource() const {
        return {m_tokenStart, static_cast<size_t>(m_position - m_tokenStart)};
    }

private:
    bool SkipToToken(bool sameLine);
    void SkipComment();
    void ReadQuoted();
    void ReadPlain();
    void ReportControlByte(char c);
    void Report(const char* message) { m_diagnostics.Report(m_line, -1, message); }

    const char* m_position;
    const char* m_end;
    const char* m_tokenStart = nullptr;
    CMapDiagnostics& m_diagnostics;
    int m_line = 0;
    int m_lastControlLine = -1;
    char m_token[kMaxTokenLength + 1] = {};
};
