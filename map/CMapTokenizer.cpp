#include "map/CMapTokenizer.h"

#include <cstdio>

namespace {

bool IsSeparator(char c) {
    return static_cast<signed char>(c) <= 32;
}

// Control bytes that plain text may hold; every other one is reported.
bool IsControlByte(char c) {
    return static_cast<unsigned char>(c) < 32 && c != '\t' && c != '\n' && c != '\r' && c != '\f';
}

constexpr const char* kIncompleteLine = "Line is incomplete.\n";

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
        if (m_position == m_end) {
            if (sameLine)
                Report(kIncompleteLine);
            return false;
        }
        char c = *m_position;
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
        if (c == '/' && m_position + 1 != m_end && m_position[1] == '/') {
            if (sameLine)
                Report(kIncompleteLine);
            for (; m_position != m_end && *m_position != '\n'; ++m_position) {
                if (IsControlByte(*m_position))
                    ReportControlByte(*m_position);
            }
            if (m_position != m_end) {
                ++m_line; // the comment's own line feed is part of the comment
                ++m_position;
            }
            continue;
        }
        return true;
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
    int length = 0;
    bool tooLarge = false;
    while (m_position != m_end && !IsSeparator(*m_position)) {
        if (length < kMaxTokenLength)
            m_token[length++] = *m_position;
        else
            tooLarge = true;
        ++m_position;
    }
    m_token[length] = '\0';
    if (tooLarge)
        Report("Token is too large\n");
}

bool CMapTokenizer::GetToken(bool sameLine) {
    if (!SkipToToken(sameLine))
        return false;
    m_tokenStart = m_position;
    if (*m_position == '"')
        ReadQuoted();
    else
        ReadPlain();
    return true;
}
