#include "MapPairs.h"

#include "map/CMapTokenizer.h"

#include <charconv>
#include <map>
#include <sstream>

namespace {

class CQuiet : public CMapDiagnostics {
public:
    void Report(int, int, std::string_view) override {}
};

// "90.000000" and "90", "-0" and "0": the same pair.
std::string Canonical(const std::string& value) {
    std::istringstream words(value);
    std::string word;
    std::string canonical = "#";
    int count = 0;
    while (words >> word) {
        double number;
        auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), number);
        if (error != std::errc() || end != word.data() + word.size())
            return value;
        char digits[64];
        auto written = std::to_chars(digits, digits + sizeof digits, number == 0 ? 0.0 : number);
        canonical += " " + std::string(digits, written.ptr);
        ++count;
    }
    return count > 0 ? canonical : value;
}

using Pairs = std::vector<std::pair<std::string, std::string>>;

// Calls visit(pairs, brushes) for each entity of the text, in order.
template <class Visit> void ForEachEntity(std::string_view text, Visit visit) {
    CQuiet quiet;
    CMapTokenizer tokenizer(text, quiet);
    Pairs entity;
    int brushes = 0;
    std::string pendingKey;
    bool havePending = false;
    int depth = 0;
    while (tokenizer.GetToken(false)) {
        const bool quoted = tokenizer.TokenSource().front() == '"';
        if (!quoted && tokenizer.TokenIs('{')) {
            if (++depth == 1) {
                entity.clear();
                brushes = 0;
                havePending = false;
            } else if (depth == 2) {
                ++brushes;
            }
            continue;
        }
        if (!quoted && tokenizer.TokenIs('}')) {
            if (--depth == 0)
                visit(entity, brushes);
            continue;
        }
        if (depth != 1)
            continue;
        if (!havePending) {
            pendingKey = tokenizer.Token();
            havePending = true;
        } else {
            entity.emplace_back(pendingKey, tokenizer.Token());
            havePending = false;
        }
    }
}

using PairCounts = std::map<std::pair<std::string, std::string>, int>;

PairCounts CountPairs(std::string_view text) {
    PairCounts counts;
    ForEachEntity(text, [&](const Pairs& pairs, int) {
        std::map<std::string, std::string> last; // the game takes the last of a key
        for (const auto& [key, value] : pairs)
            last[key] = value;
        for (const auto& [key, value] : last) {
            std::string canonical = Canonical(value);
            if (!(key == "spawnflags" && canonical == Canonical("0")))
                ++counts[{key, canonical}];
        }
    });
    return counts;
}

} // namespace

std::vector<std::string> FindLostPairs(std::string_view original, std::string_view saved) {
    PairCounts before = CountPairs(original);
    PairCounts after = CountPairs(saved);
    std::vector<std::string> lost;
    for (const auto& [pair, count] : before) {
        auto found = after.find(pair);
        int kept = found == after.end() ? 0 : found->second;
        for (int i = kept; i < count; ++i)
            lost.push_back(pair.first + " = " + pair.second);
    }
    return lost;
}

std::vector<std::string> ListEntitySequence(std::string_view text) {
    std::vector<std::string> lines;
    std::istringstream header{std::string(text)};
    for (std::string line; std::getline(header, line);) {
        const size_t start = line.find_first_not_of(" \t\r");
        if (start == std::string::npos)
            continue;
        if (line.compare(start, 2, "//") != 0)
            break;
        lines.push_back(line.substr(start, line.find_last_not_of(" \t\r") + 1 - start));
    }
    ForEachEntity(text, [&](const Pairs& pairs, int brushes) {
        std::string line;
        for (const auto& [key, value] : pairs)
            line += key + "=" + Canonical(value) + "; ";
        lines.push_back(line + std::to_string(brushes) + " brushes");
    });
    return lines;
}
