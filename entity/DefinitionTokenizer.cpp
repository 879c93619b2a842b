#include "entity/DefinitionTokenizer.h"

namespace {

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ' || c == '\x7f';
}

bool IsSign(char c) {
    switch (c) {
    case '@':
    case '(':
    case ')':
    case '[':
    case ']':
    case '{':
    case '}':
    case ':':
    case '=':
    case ',':
    case '+':
        return true;
    default:
        return false;
    }
}

} // namespace

CDefinitionTokenizer::CDefinitionTokenizer(std::string_view text) : m_text(text) {
    m_next = Scan();
}

DefinitionToken CDefinitionTokenizer::Next() {
    DefinitionToken token = m_next;
    if (token.kind != DefinitionToken::kEnd)
        m_next = Scan();
    return token;
}

bool CDefinitionTokenizer::StartsComment(size_t position) const {
    return position + 1 < m_text.size() && m_text[position] == '/' && m_text[position + 1] == '/';
}

void CDefinitionTokenizer::SkipBlanksAndComments() {
    while (m_position < m_text.size()) {
        const char c = m_text[m_position];
        if (c == '\n') {
            ++m_line;
            ++m_position;
        } else if (IsBlank(c)) {
            ++m_position;
        } else if (StartsComment(m_position)) {
            while (m_position < m_text.size() && m_text[m_position] != '\n')
                ++m_position;
        } else {
            return;
        }
    }
}

DefinitionToken CDefinitionTokenizer::Scan() {
    SkipBlanksAndComments();
    if (m_position >= m_text.size())
        return {DefinitionToken::kEnd, {}, m_line};
    const char c = m_text[m_position];
    if (c == '"')
        return ScanQuoted();
    if (IsSign(c)) {
        ++m_position;
        return {DefinitionToken::kSign, m_text.substr(m_position - 1, 1), m_line};
    }
    return ScanWord();
}

DefinitionToken CDefinitionTokenizer::ScanQuoted() {
    const int line = m_line;
    const size_t start = ++m_position;
    while (m_position < m_text.size() && m_text[m_position] != '"') {
        if (m_text[m_position] == '\n')
            ++m_line;
        ++m_position;
    }
    DefinitionToken token{DefinitionToken::kQuoted, m_text.substr(start, m_position - start), line};
    if (m_position < m_text.size())
        ++m_position;
    else
        token.unclosed = true;
    return token;
}

DefinitionToken CDefinitionTokenizer::ScanWord() {
    const size_t start = m_position;
    while (m_position < m_text.size()) {
        const char c = m_text[m_position];
        if (IsBlank(c) || IsSign(c) || c == '"' || StartsComment(m_position))
            break;
        ++m_position;
    }
    return {DefinitionToken::kWord, m_text.substr(start, m_position - start), m_line};
}
