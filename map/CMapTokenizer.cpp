#include "map/CMapTokenizer.h"

namespace {

bool IsSeparator(char c) {
    return static_cast<signed char>(c) <= 32;
}

constexpr const char* kIncompleteLine = "Line is incomplete.\n";

} // namespace

bool CMapTokenizer::SkipToToken(bool sameLine) {
    for (;;) {
        char c = *m_position;
        if (c == '\0') {
            if (sameLine)
                Report(kIncompleteLine);
            return false;
        }
        if (IsSeparator(c)) {
            if (c == '\n') {
                if (sameLine)
                    Report(kIncompleteLine);
                ++m_line;
            }
            ++m_position;
            continue;
        }
        if (c == '/' && m_position[1] == '/') {
            if (sameLine)
                Report(kIncompleteLine);
            while (*m_position != '\0' && *m_position != '\n')
                ++m_position;
            if (*m_position == '\n') {
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
    while (*m_position != '"') {
        if (*m_position == '\0') {
            Report("EOF is inside the quoted token\n");
            m_token[length] = '\0';
            return;
        }
        if (length < kMaxTokenLength)
            m_token[length++] = *m_position;
        else
            tooLarge = true;
        ++m_position;
    }
    ++m_position; // closing quote
    m_token[length] = '\0';
    if (tooLarge)
        Report("Token is too large\n");
}

void CMapTokenizer::ReadPlain() {
    int length = 0;
    bool tooLarge = false;
    while (!IsSeparator(*m_position)) {
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
    if (*m_position == '"')
        ReadQuoted();
    else
        ReadPlain();
    return true;
}
