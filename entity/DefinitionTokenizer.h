#pragma once

#include <cstddef>
#include <string_view>

// One piece of FGD text: a word ("PointClass", "-16", "target_source"), a
// quoted text (without its quotes) or one of the signs @ ( ) [ ] { } : = , +.
struct DefinitionToken {
    enum Kind { kEnd, kWord, kQuoted, kSign };
    Kind kind = kEnd;
    std::string_view text;
    int line = 1;          // counted from 1
    bool unclosed = false; // a quoted text that the end of the file cut short

    bool IsSign(char sign) const { return kind == kSign && text.size() == 1 && text[0] == sign; }
};

// Splits FGD text into tokens. "//" starts a comment up to the end of the
// line; a quoted text runs to the next quote, over line ends too, as long
// descriptions in real files do. Every byte is either a blank, a sign or part of a word or a quoted
// text, so any input ends in kEnd after at most one token per byte.
class CDefinitionTokenizer {
public:
    explicit CDefinitionTokenizer(std::string_view text);

    const DefinitionToken& Peek() const { return m_next; }
    DefinitionToken Next();

private:
    DefinitionToken Scan();
    bool StartsComment(size_t position) const;
    void SkipBlanksAndComments();
    DefinitionToken ScanQuoted();
    DefinitionToken ScanWord();

    std::string_view m_text;
    size_t m_position = 0;
    int m_line = 1;
    DefinitionToken m_next;
};
