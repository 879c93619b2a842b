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

using PairCounts = std::map<std::pair<std::string, std::string>, int>;

PairCounts CountPairs(std::string_view text) {
    CQuiet quiet;
    CMapTokenizer tokenizer(text, quiet);
    PairCounts counts;
    std::map<std::string, std::string> entity;
    std::string pendingKey;
    bool havePending = false;
    int depth = 0;
    while (tokenizer.GetToken(false)) {
        const bool quoted = tokenizer.TokenSource().front() == '"';
        if (!quoted && tokenizer.TokenIs('{')) {
            if (++depth == 1) {
                entity.clear();
                havePending = false;
            }
            continue;
        }
        if (!quoted && tokenizer.TokenIs('}')) {
            if (--depth == 0) {
                for (const auto& [key, value] : entity) {
                    std::string canonical = Canonical(value);
                    if (!(key == "spawnflags" && canonical == Canonical("0")))
                        ++counts[{key, canonical}];
                }
            }
            continue;
        }
        if (depth != 1)
            continue;
        if (!havePending) {
            pendingKey = tokenizer.Token();
            havePending = true;
        } else {
            entity[pendingKey] = tokenizer.Token();
            havePending = false;
        }
    }
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
