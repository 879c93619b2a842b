#include "map/CKeyLayout.h"

#include <algorithm>
#include <numeric>
#include <unordered_map>

namespace {

// Entities hold a handful of keys; beyond this many a scan gives way to tables.
constexpr size_t kScannedKeys = 32;

} // namespace

std::vector<size_t> CKeyLayout::Arrange(std::span<const std::string_view> keys) const {
    std::vector<size_t> arranged(keys.size());
    std::iota(arranged.begin(), arranged.end(), size_t{0});
    if (m_order.empty())
        return arranged;
    const size_t notInFile = m_order.size();
    std::vector<size_t> rank(keys.size());
    if (keys.size() <= kScannedKeys && m_order.size() <= kScannedKeys) {
        for (size_t i = 0; i < keys.size(); ++i) {
            const size_t occurrence =
                static_cast<size_t>(std::count(keys.begin(), keys.begin() + i, keys[i]));
            size_t seen = 0, place = 0;
            for (; place < m_order.size(); ++place) {
                if (m_order[place] == keys[i] && seen++ == occurrence)
                    break;
            }
            rank[i] = place < m_order.size() ? place : notInFile + i;
        }
    } else {
        std::unordered_map<std::string_view, std::vector<size_t>> places;
        for (size_t i = 0; i < m_order.size(); ++i)
            places[m_order[i]].push_back(i);
        std::unordered_map<std::string_view, size_t> seen;
        for (size_t i = 0; i < keys.size(); ++i) {
            size_t& occurrence = seen[keys[i]];
            const auto found = places.find(keys[i]);
            const bool inFile = found != places.end() && occurrence < found->second.size();
            rank[i] = inFile ? found->second[occurrence] : notInFile + i;
            ++occurrence;
        }
    }
    std::stable_sort(arranged.begin(), arranged.end(),
                     [&](size_t a, size_t b) { return rank[a] < rank[b]; });
    return arranged;
}
