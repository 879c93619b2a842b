#include "map/CMapTokenizer.h"

#include <cstddef>
#include <cstdio>
#include <cstring>

namespace {

bool IsSeparator(char c) {
    return static_cast<signed char>(c) <= 32;
}

// Control bytes that plain text may hold; every other one is reported.
bool IsControlByte(char c) {
    return static_cast<unsigned char>(c) < 32 && c != '\t' && c != '\n' && c != '\r' && c != '\f';
}

constexpr const char* kIncompleteLine = "Line is incomplete.\n";

constexpr size_t kShortToken = 16;

} // namespace

void CMapTokenizer::ReportControlByte(char c) {
    if (m_lastControlLine == m_line)
        return;
    m_lastControlLine = m_line;
    char message[64];
    std::snprintf(message, sizeof message, "Control character 0x%02X is read as a blank\n",
                  static_cast<unsigned char>(c));
    Report(message);
}

bool CMapTokenizer::SkipToToken(bool sameLine) {
    for (;;) {
        const char* p = m_position;
        while (p != m_end && (*p == ' ' || *p == '\t' || *p == '\r'))
            ++p;
        m_position = p;
        if (p == m_end) {
            if (sameLine)
                Report(kIncompleteLine);
            return false;
        }
        char c = *p;
        if (IsSeparator(c)) {
            if (c == '\n') {
                if (sameLine)
                    Report(kIncompleteLine);
                ++m_line;
            } else if (IsControlByte(c)) {
                ReportControlByte(c);
            }
            ++m_position;
            continue;
        }
        if (c == '/' && p + 1 != m_end && p[1] == '/') {
            if (sameLine)
                Report(kIncompleteLine);
            SkipComment();
            continue;
        }
        return true;
    }
}

void CMapTokenizer::SkipComment() {
    for (; m_position != m_end && *m_position != '\n'; ++m_position) {
        if (IsControlByte(*m_position))
            ReportControlByte(*m_position);
    }
    if (m_position != m_end) {
        ++m_line; // the comment's own line feed is part of the comment
        ++m_position;
    }
}

void CMapTokenizer::ReadQuoted() {
    ++m_position; // opening quote
    int length = 0;
    bool tooLarge = false;
    while (m_position != m_end && *m_position != '"') {
        char c = *m_position;
        if (IsControlByte(c)) {
            ReportControlByte(c);
            c = ' ';
        }
        if (length < kMaxTokenLength)
            m_token[length++] = c;
        else
            tooLarge = true;
        ++m_position;
    }
    m_token[length] = '\0';
    if (m_position == m_end) {
        Report("EOF is inside the quoted token\n");
        return;
    }
    ++m_position; // closing quote
    if (tooLarge)
        Report("Token is too large\n");
}

void CMapTokenizer::ReadPlain() {
    // Locals: stores into the token may alias the members.
    const char* start = m_position;
    const char* end = start;
    while (end != m_end && !IsSeparator(*end))
        ++end;
    m_position = end;
    size_t length = static_cast<size_t>(end - start);
    const bool tooLarge = length > static_cast<size_t>(kMaxTokenLength);
    if (tooLarge)
        length = kMaxTokenLength;
    // Most tokens are short: one copy of fixed size, with whatever follows
    // them in the text, beats a copy of their length.
    if (length < kShortToken && static_cast<size_t>(m_end - start) >= kShortToken)
        std::memcpy(m_token, start, kShortToken);
    else
        std::memcpy(m_token, start, length);
    m_token[length] = '\0';
    if (tooLarge)
        Report("Token is too large\n");
}

bool CMapTokenizer::GetToken(bool sameLine) {
    // Most tokens follow a space or two on the same line; only other blanks,
    // line feeds, comments, control bytes and the end take the long way.
    const char* p = m_position;
    while (p != m_end && *p == ' ')
        ++p;
    m_position = p;
    if ((p == m_end || IsSeparator(*p) || *p == '/') && !SkipToToken(sameLine))
        return false;
    m_tokenStart = m_position;
    if (*m_position == '"')
        ReadQuoted();
    else
        ReadPlain();
    return true;
}

bool CMapTokenizer::HasTrailingToken() {
    const char* p = m_position;
    while (p != m_end && (*p == ' ' || *p == '\t' || *p == '\r'))
        ++p;
    m_position = p;
    if (p == m_end || IsSeparator(*p) || (*p == '/' && p + 1 != m_end && p[1] == '/'))
        return false;
    const bool single = p + 1 == m_end || IsSeparator(p[1]);
    return !(single && (*p == '{' || *p == '}' || *p == '('));
}
