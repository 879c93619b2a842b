#include "entity/FgdReader.h"

#include "entity/DefinitionTokenizer.h"
#include "framework/TextToNumber.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace {

char ToLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string LowerCase(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), ToLower);
    return lower;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return ToLower(x) == ToLower(y);
           });
}

// How a problem names what it found.
std::string Describe(const DefinitionToken& token) {
    if (token.kind == DefinitionToken::kEnd)
        return "the end of the file";
    return "\"" + std::string(token.text) + "\"";
}

// Sizes and colours beyond this are certainly mistakes, and would not fit
// the integer fields once rounded.
constexpr double kLargestNumber = 1e9;

bool ReadNumberText(std::string_view text, double& value) {
    return ParseWholeDouble(std::string(text).c_str(), value) && std::fabs(value) <= kLargestNumber;
}

int32_t Rounded(double value) {
    return static_cast<int32_t>(std::lround(value));
}

uint8_t ColourComponent(double value) {
    return static_cast<uint8_t>(std::lround(std::clamp(value, 0.0, 255.0)));
}

// Reads one FGD text. Every Read... function returns false after recording
// the problem that stopped it; the token that was not understood is left
// unread, so that an "@" starting the next definition is never lost.
class CFgdParser {
public:
    CFgdParser(std::string_view text, const std::string& file, CDefinitionProblems& problems)
        : m_tokens(text), m_file(file), m_problems(problems) {}

    std::vector<FgdClass> ReadAll();

private:
    bool ReadDefinition(FgdClass& result);
    bool ReadKind(FgdClass& result);
    bool ReadHeader(FgdClass& result);
    bool ReadProperty(FgdClass& result, std::string_view name);
    bool ReadBases(FgdClass& result);
    bool ReadSize(FgdClass& result);
    bool ReadColour(FgdClass& result);
    bool ReadNumbers(double* values, int count);
    bool SkipBalanced();
    bool ReadNameAndDescription(FgdClass& result);
    bool ReadKeys(FgdClass& result);
    bool ReadKey(FgdClass& result);
    bool ReadKeyType(KeyDefinition& key);
    bool ReadKeyParts(KeyDefinition& key);
    bool ReadValue(std::string& value);
    bool ReadChoices(KeyDefinition& key);
    bool ReadFlags(std::vector<FlagDefinition>& flags);
    bool ReadFlag(FlagDefinition& flag);
    bool ReadText(std::string& text);
    bool ReadWord(std::string_view& word, const char* what);
    bool Expect(char sign, const char* where);
    bool NextStartsKey() const;
    bool Fail(const std::string& message);
    void SkipToNextDefinition();

    CDefinitionTokenizer m_tokens;
    const std::string& m_file;
    CDefinitionProblems& m_problems;
    // Where each key of the class being read stands among its keys.
    std::unordered_map<std::string, size_t> m_keyPlaces;
};

std::vector<FgdClass> CFgdParser::ReadAll() {
    std::vector<FgdClass> classes;
    while (m_tokens.Peek().kind != DefinitionToken::kEnd) {
        if (!m_tokens.Peek().IsSign('@')) {
            Fail("expected a definition starting with \"@\", found " + Describe(m_tokens.Peek()));
            SkipToNextDefinition();
            continue;
        }
        FgdClass definition;
        definition.definition.file = m_file;
        definition.definition.line = m_tokens.Next().line;
        if (ReadDefinition(definition))
            classes.push_back(std::move(definition));
        else
            SkipToNextDefinition();
    }
    return classes;
}

void CFgdParser::SkipToNextDefinition() {
    while (m_tokens.Peek().kind != DefinitionToken::kEnd && !m_tokens.Peek().IsSign('@'))
        m_tokens.Next();
}

bool CFgdParser::Fail(const std::string& message) {
    m_problems.Add({m_file, m_tokens.Peek().line, message});
    return false;
}

bool CFgdParser::Expect(char sign, const char* where) {
    if (!m_tokens.Peek().IsSign(sign))
        return Fail(std::string("expected \"") + sign + "\" " + where + ", found " +
                    Describe(m_tokens.Peek()));
    m_tokens.Next();
    return true;
}

bool CFgdParser::ReadWord(std::string_view& word, const char* what) {
    if (m_tokens.Peek().kind != DefinitionToken::kWord)
        return Fail(std::string("expected ") + what + ", found " + Describe(m_tokens.Peek()));
    word = m_tokens.Next().text;
    return true;
}

// A quoted text, or several joined with "+".
bool CFgdParser::ReadText(std::string& text) {
    for (;;) {
        const DefinitionToken& token = m_tokens.Peek();
        if (token.kind != DefinitionToken::kQuoted)
            return Fail("expected a quoted text, found " + Describe(token));
        if (token.unclosed)
            return Fail("the quoted text \"" + std::string(token.text) + "\" is not closed");
        text += m_tokens.Next().text;
        if (!m_tokens.Peek().IsSign('+'))
            return true;
        m_tokens.Next();
    }
}

bool CFgdParser::ReadDefinition(FgdClass& result) {
    return ReadKind(result) && ReadHeader(result) && ReadNameAndDescription(result) &&
           ReadKeys(result);
}

bool CFgdParser::ReadKind(FgdClass& result) {
    const DefinitionToken& token = m_tokens.Peek();
    if (token.kind == DefinitionToken::kWord) {
        if (EqualsIgnoringCase(token.text, "BaseClass"))
            result.isBase = true;
        else if (EqualsIgnoringCase(token.text, "SolidClass"))
            result.definition.kind = EntityClassKind::kBrush;
        else if (!EqualsIgnoringCase(token.text, "PointClass"))
            return Fail("\"@" + std::string(token.text) + "\" is not a class definition; skipped");
        m_tokens.Next();
        return true;
    }
    return Fail("expected BaseClass, PointClass or SolidClass after \"@\", found " +
                Describe(token));
}

// The properties between the kind and "=": base(...), size(...), color(...);
// any other, such as model(...), is passed over.
bool CFgdParser::ReadHeader(FgdClass& result) {
    for (;;) {
        if (m_tokens.Peek().IsSign('=')) {
            m_tokens.Next();
            return true;
        }
        std::string_view name;
        if (!ReadWord(name, "\"=\" before the class name"))
            return false;
        if (m_tokens.Peek().IsSign('(') && !ReadProperty(result, name))
            return false;
    }
}

bool CFgdParser::ReadProperty(FgdClass& result, std::string_view name) {
    if (EqualsIgnoringCase(name, "base"))
        return ReadBases(result);
    if (EqualsIgnoringCase(name, "size"))
        return ReadSize(result);
    if (EqualsIgnoringCase(name, "color"))
        return ReadColour(result);
    return SkipBalanced();
}

bool CFgdParser::ReadBases(FgdClass& result) {
    m_tokens.Next(); // (
    for (;;) {
        std::string_view base;
        if (!ReadWord(base, "the name of a base class"))
            return false;
        result.bases.emplace_back(base);
        if (m_tokens.Peek().IsSign(')')) {
            m_tokens.Next();
            return true;
        }
        if (m_tokens.Peek().IsSign(','))
            m_tokens.Next();
    }
}

bool CFgdParser::ReadNumbers(double* values, int count) {
    for (int i = 0; i < count; ++i) {
        const DefinitionToken& token = m_tokens.Peek();
        if (token.kind != DefinitionToken::kWord || !ReadNumberText(token.text, values[i]))
            return Fail("expected a number, found " + Describe(token));
        m_tokens.Next();
    }
    return true;
}

// size(x y z, x y z): the two corners of the box around the origin; or
// size(x y z): a box of those dimensions centred on it.
bool CFgdParser::ReadSize(FgdClass& result) {
    m_tokens.Next(); // (
    double corners[6];
    if (!ReadNumbers(corners, 3))
        return false;
    if (m_tokens.Peek().IsSign(')')) {
        for (int axis = 0; axis < 3; ++axis) {
            corners[axis + 3] = corners[axis] / 2;
            corners[axis] = -corners[axis + 3];
        }
    } else if (!Expect(',', "or \")\" after the first corner of a size") ||
               !ReadNumbers(corners + 3, 3)) {
        return false;
    }
    if (!Expect(')', "after the corners of a size"))
        return false;
    DefinitionSize size;
    size.mins = {Rounded(corners[0]), Rounded(corners[1]), Rounded(corners[2])};
    size.maxs = {Rounded(corners[3]), Rounded(corners[4]), Rounded(corners[5])};
    result.definition.size = size;
    return true;
}

bool CFgdParser::ReadColour(FgdClass& result) {
    m_tokens.Next(); // (
    double rgb[3];
    if (!ReadNumbers(rgb, 3) || !Expect(')', "after the three components of a colour"))
        return false;
    result.definition.colour =
        DefinitionColour{ColourComponent(rgb[0]), ColourComponent(rgb[1]), ColourComponent(rgb[2])};
    return true;
}

// Passes over a property's parenthesis with whatever it holds, braces and
// brackets nested inside included.
bool CFgdParser::SkipBalanced() {
    std::string open;
    do {
        const DefinitionToken& token = m_tokens.Peek();
        if (token.kind == DefinitionToken::kEnd || token.IsSign('@'))
            return Fail("the parenthesis of a property is not closed");
        if (token.kind == DefinitionToken::kSign) {
            const char sign = token.text[0];
            if (sign == '(' || sign == '{' || sign == '[')
                open += sign;
            else if (sign == ')' || sign == '}' || sign == ']') {
                const char expected = open.back() == '(' ? ')' : open.back() == '{' ? '}' : ']';
                if (sign != expected)
                    return Fail("expected \"" + std::string(1, expected) +
                                "\" in a property, found " + Describe(token));
                open.pop_back();
            }
        }
        m_tokens.Next();
    } while (!open.empty());
    return true;
}

bool CFgdParser::ReadNameAndDescription(FgdClass& result) {
    std::string_view name;
    if (!ReadWord(name, "the class name after \"=\""))
        return false;
    result.definition.name = name;
    if (!m_tokens.Peek().IsSign(':'))
        return true;
    m_tokens.Next();
    return ReadText(result.definition.description);
}

bool CFgdParser::ReadKeys(FgdClass& result) {
    if (!Expect('[', "before the keys of a class"))
        return false;
    m_keyPlaces.clear();
    while (!m_tokens.Peek().IsSign(']')) {
        if (!ReadKey(result))
            return false;
    }
    m_tokens.Next();
    return true;
}

bool CFgdParser::ReadKey(FgdClass& result) {
    KeyDefinition key;
    std::string_view name;
    if (!ReadWord(name, "a key or \"]\"") || !ReadKeyType(key))
        return false;
    key.name = name;
    if (!ReadKeyParts(key))
        return false;
    if (key.type == "flags" && EqualsIgnoringCase(key.name, "spawnflags"))
        return ReadFlags(result.definition.flags);
    if ((key.type == "choices" || key.type == "flags") && !ReadChoices(key))
        return false;
    // A key declared twice in one class: the later declaration holds.
    std::vector<KeyDefinition>& keys = result.definition.keys;
    auto [place, added] = m_keyPlaces.try_emplace(key.name, keys.size());
    if (added)
        keys.push_back(std::move(key));
    else
        keys[place->second] = std::move(key);
    return true;
}

// (type), and the words some files put after it ("readonly", "report").
bool CFgdParser::ReadKeyType(KeyDefinition& key) {
    std::string_view type;
    if (!Expect('(', "after the key name") || !ReadWord(type, "the type of a key") ||
        !Expect(')', "after the type of a key"))
        return false;
    key.type = LowerCase(type);
    while (m_tokens.Peek().kind == DefinitionToken::kWord && !NextStartsKey())
        m_tokens.Next();
    return true;
}

// Whether the word ahead is the name of the next key: a word and "(".
bool CFgdParser::NextStartsKey() const {
    CDefinitionTokenizer ahead = m_tokens;
    return ahead.Next().kind == DefinitionToken::kWord && ahead.Peek().IsSign('(');
}

// : "caption" : default : "description", each part optional, an empty one
// written as nothing between two colons.
bool CFgdParser::ReadKeyParts(KeyDefinition& key) {
    std::string* parts[] = {&key.caption, &key.defaultValue, &key.description};
    for (std::string* part : parts) {
        if (!m_tokens.Peek().IsSign(':'))
            return true;
        m_tokens.Next();
        if (!ReadValue(*part))
            return false;
    }
    return true;
}

// A quoted text, a number or a word; nothing when a sign or the next key follows.
bool CFgdParser::ReadValue(std::string& value) {
    const DefinitionToken& token = m_tokens.Peek();
    if (token.kind == DefinitionToken::kQuoted)
        return ReadText(value);
    if (token.kind == DefinitionToken::kWord && !NextStartsKey())
        value = m_tokens.Next().text;
    return true;
}

// = [ value : "caption" ... ]
bool CFgdParser::ReadChoices(KeyDefinition& key) {
    if (!Expect('=', "before the choices of a key") || !Expect('[', "before the choices of a key"))
        return false;
    while (!m_tokens.Peek().IsSign(']')) {
        KeyChoice choice;
        const DefinitionToken& token = m_tokens.Peek();
        if (token.kind == DefinitionToken::kQuoted && !token.unclosed)
            choice.value = m_tokens.Next().text;
        else if (token.kind == DefinitionToken::kWord)
            choice.value = m_tokens.Next().text;
        else
            return Fail("expected a choice or \"]\", found " + Describe(token));
        if (!Expect(':', "after the value of a choice") || !ReadText(choice.caption))
            return false;
        // Further parts, as a flag list read as choices has, are passed over.
        while (m_tokens.Peek().IsSign(':')) {
            m_tokens.Next();
            std::string ignored;
            if (!ReadValue(ignored))
                return false;
        }
        key.choices.push_back(std::move(choice));
    }
    m_tokens.Next();
    return true;
}

// = [ bit : "caption" : 0|1 : "description" ]
bool CFgdParser::ReadFlags(std::vector<FlagDefinition>& flags) {
    if (!Expect('=', "before the flags") || !Expect('[', "before the flags"))
        return false;
    while (!m_tokens.Peek().IsSign(']')) {
        FlagDefinition flag;
        if (!ReadFlag(flag))
            return false;
        // A flag 0 has no check box: it is what no bit set means.
        if (flag.bit == 0)
            continue;
        auto same = std::find_if(flags.begin(), flags.end(), [&](const FlagDefinition& other) {
            return other.bit == flag.bit;
        });
        if (same != flags.end())
            *same = std::move(flag);
        else
            flags.push_back(std::move(flag));
    }
    m_tokens.Next();
    std::stable_sort(
        flags.begin(), flags.end(),
        [](const FlagDefinition& a, const FlagDefinition& b) { return a.bit < b.bit; });
    return true;
}

// The value of one spawnflags bit: 1, 2, 4... up to 2^31; or 0, which some
// files list to name the state with no bit set.
bool IsOneBitOrNone(const DefinitionToken& token, uint32_t& bit) {
    double number = 0;
    if (token.kind != DefinitionToken::kWord ||
        !ParseWholeDouble(std::string(token.text).c_str(), number) || number < 0 ||
        number > 2147483648.0 || number != std::floor(number))
        return false;
    bit = static_cast<uint32_t>(number);
    return (bit & (bit - 1)) == 0;
}

bool CFgdParser::ReadFlag(FlagDefinition& flag) {
    uint32_t value = 0;
    if (!IsOneBitOrNone(m_tokens.Peek(), value))
        return Fail("expected the value of one spawnflags bit or \"]\", found " +
                    Describe(m_tokens.Peek()));
    m_tokens.Next();
    flag.bit = value;
    if (!Expect(':', "after the bit of a flag") || !ReadText(flag.caption))
        return false;
    if (!m_tokens.Peek().IsSign(':'))
        return true;
    m_tokens.Next();
    std::string onByDefault;
    if (!ReadValue(onByDefault))
        return false;
    flag.onByDefault = onByDefault == "1";
    if (!m_tokens.Peek().IsSign(':'))
        return true;
    m_tokens.Next();
    return ReadText(flag.description);
}

} // namespace

std::vector<FgdClass> ReadFgdClasses(std::string_view text, const std::string& file,
                                     CDefinitionProblems& problems) {
    return CFgdParser(text, file, problems).ReadAll();
}
