#include "entity/QuakedReader.h"

#include "framework/TextToNumber.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::string_view kOpening = "/*QUAKED";
constexpr std::string_view kClosing = "*/";
constexpr int kFlagBits = 32;

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The words of a header line; "(", ")" and "?" stand alone.
std::vector<std::string_view> HeaderWords(std::string_view line) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < line.size()) {
        if (IsBlank(line[i])) {
            ++i;
        } else if (line[i] == '(' || line[i] == ')' || line[i] == '?') {
            words.push_back(line.substr(i++, 1));
        } else {
            const size_t start = i;
            while (i < line.size() && !IsBlank(line[i]) && line[i] != '(' && line[i] != ')')
                ++i;
            words.push_back(line.substr(start, i - start));
        }
    }
    return words;
}

// Reads the header's words in order; each Read... says what went wrong.
class CHeaderWords {
public:
    explicit CHeaderWords(std::string_view line) : m_words(HeaderWords(line)) {}

    bool AtEnd() const { return m_next >= m_words.size(); }
    std::string_view Peek() const { return AtEnd() ? std::string_view() : m_words[m_next]; }
    std::string_view Next() { return AtEnd() ? std::string_view() : m_words[m_next++]; }

    // "(" three numbers ")".
    bool ReadTriple(double (&values)[3]) {
        if (Next() != "(")
            return false;
        for (double& value : values) {
            if (!ParseWholeDouble(std::string(Next()).c_str(), value) || std::fabs(value) > 1e9)
                return false;
        }
        return Next() == ")";
    }

private:
    std::vector<std::string_view> m_words;
    size_t m_next = 0;
};

uint8_t ScaledComponent(double fraction) {
    return static_cast<uint8_t>(std::lround(std::clamp(fraction, 0.0, 1.0) * 255.0));
}

DefinitionPoint RoundedPoint(const double (&values)[3]) {
    return {static_cast<int32_t>(std::lround(values[0])),
            static_cast<int32_t>(std::lround(values[1])),
            static_cast<int32_t>(std::lround(values[2]))};
}

// Name, colour and size (or "?"); an empty text when they read, else why not.
std::string ReadNameColourAndSize(CHeaderWords& words, EntityClassDefinition& definition) {
    definition.name = words.Next();
    if (definition.name.empty() || definition.name == "(")
        return "a QUAKED comment without a class name";
    double rgb[3];
    if (!words.ReadTriple(rgb))
        return "the colour of \"" + definition.name + "\" is not three numbers in parentheses";
    definition.colour =
        DefinitionColour{ScaledComponent(rgb[0]), ScaledComponent(rgb[1]), ScaledComponent(rgb[2])};
    if (words.Peek() == "?") {
        words.Next();
        definition.kind = EntityClassKind::kBrush;
        return {};
    }
    double mins[3];
    double maxs[3];
    if (!words.ReadTriple(mins) || !words.ReadTriple(maxs))
        return "the size of \"" + definition.name +
               "\" is neither \"?\" nor two points in parentheses";
    definition.size = DefinitionSize{RoundedPoint(mins), RoundedPoint(maxs)};
    return {};
}

// Flag words take bits 1, 2, 4... in order; "x" holds a bit without a flag.
std::string ReadFlagWords(CHeaderWords& words, EntityClassDefinition& definition) {
    for (int bit = 0; !words.AtEnd(); ++bit) {
        const std::string_view word = words.Next();
        if (bit >= kFlagBits)
            return "\"" + definition.name + "\" names more flags than the 32 bits of spawnflags";
        if (word != "x" && word != "X")
            definition.flags.push_back({uint32_t{1} << bit, std::string(word), false, {}});
    }
    return {};
}

// The comment's text after its first line, without the "{ model(...); }"
// block some files put first for other editors.
std::string_view SkipLeadingBlock(std::string_view body) {
    const std::string_view trimmed = Trimmed(body);
    if (!trimmed.starts_with('{'))
        return body;
    int depth = 0;
    bool quoted = false;
    for (size_t i = 0; i < trimmed.size(); ++i) {
        const char c = trimmed[i];
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && c == '{')
            ++depth;
        else if (!quoted && c == '}' && --depth == 0) {
            const size_t lineEnd = trimmed.find('\n', i);
            return lineEnd == std::string_view::npos ? std::string_view() : trimmed.substr(lineEnd);
        }
    }
    return body;
}

std::string Description(std::string_view body) {
    std::string text;
    for (char c : Trimmed(SkipLeadingBlock(body))) {
        if (c != '\r')
            text += c;
    }
    return text;
}

int LinesIn(std::string_view text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

// Where the comment whose header starts at `headerStart` ends: at its "*/",
// else where the next comment begins (at `next`) or with the text. Its "*/"
// may share its slash with the next comment's opening.
size_t CommentEnd(std::string_view text, size_t headerStart, size_t next, bool& closed) {
    const size_t limit = std::min(next, text.size() - 1) + 1;
    const size_t end = text.substr(0, limit).find(kClosing, headerStart);
    closed = end != std::string_view::npos;
    return closed ? end : std::min(next, text.size());
}

} // namespace

std::vector<EntityClassDefinition> ReadQuakedClasses(std::string_view text, const std::string& file,
                                                     CDefinitionProblems& problems) {
    std::vector<EntityClassDefinition> classes;
    int line = 1;
    size_t counted = 0; // the text up to here has its line feeds in `line`
    size_t next = text.find(kOpening);
    while (next != std::string_view::npos) {
        const size_t start = next;
        line += LinesIn(text.substr(counted, start - counted));
        counted = start;
        const size_t headerStart = start + kOpening.size();
        next = text.find(kOpening, headerStart);
        bool closed = false;
        const size_t end = CommentEnd(text, headerStart, next, closed);
        const std::string_view comment = text.substr(headerStart, end - headerStart);
        const size_t lineEnd = std::min(comment.find('\n'), comment.size());

        EntityClassDefinition definition;
        definition.file = file;
        definition.line = line;
        CHeaderWords words(comment.substr(0, lineEnd));
        std::string problem = ReadNameColourAndSize(words, definition);
        if (problem.empty())
            problem = ReadFlagWords(words, definition);
        if (!problem.empty()) {
            problems.Add({file, line, problem});
            continue;
        }
        definition.description = Description(comment.substr(lineEnd));
        if (!closed)
            problems.Add({file, line,
                          "the QUAKED comment of \"" + definition.name + "\" is not closed " +
                              (next == std::string_view::npos ? "at the end of the file"
                                                              : "before the next one")});
        classes.push_back(std::move(definition));
    }
    return classes;
}
