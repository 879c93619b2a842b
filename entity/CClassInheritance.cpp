#include "entity/CClassInheritance.h"

#include <algorithm>
#include <map>
#include <unordered_map>
#include <utility>

// Folding a class is merging the keys of its bases, each folded the same way,
// and then its own: a key merged again replaces the earlier one where it
// stood. Written out, that merges the classes of the sequence
// S(c) = S(base 1) ... S(base n) c in turn, in which a base inherited along
// two ways comes twice. A key then stands where its first class in S puts it
// and reads as its last class in S says: what the first and the last visit of
// each class in S give, found without writing S out.

size_t CClassInheritance::Add(EntityClassDefinition own, std::vector<size_t> bases,
                              bool lendsNoSize) {
    m_entries.push_back({std::move(own), std::move(bases), lendsNoSize});
    m_visits.push_back(0);
    return m_entries.size() - 1;
}

EntityClassDefinition CClassInheritance::Fold(size_t entry, bool& complete) {
    const Entry& folding = m_entries[entry];
    EntityClassDefinition folded = folding.own;
    const std::optional<std::vector<size_t>> inheritance =
        folding.bases.empty() ? std::nullopt : InheritanceOrder(entry);
    complete = folding.bases.empty() || inheritance;
    if (inheritance) {
        const std::vector<size_t> overrides = OverrideOrder(entry);
        folded.keys = FoldKeys(*inheritance, overrides);
        folded.flags = FoldFlags(overrides);
        auto hasSize = [](const EntityClassDefinition& c) { return c.size.has_value(); };
        auto hasColour = [](const EntityClassDefinition& c) { return c.colour.has_value(); };
        if (const Entry* lender = folded.size ? nullptr : FindFirst(entry, hasSize, true))
            folded.size = lender->own.size;
        if (const Entry* lender = folded.colour ? nullptr : FindFirst(entry, hasColour, false))
            folded.colour = lender->own.colour;
    }
    if (folding.lendsNoSize)
        folded.size.reset();
    return folded;
}

// The classes of S(entry) in the order of their first visits: a walk after
// the bases in order, each class left when all its bases are, and a class met
// again passed over. Nothing when the walk costs more than is left; what it
// walked is spent all the same, so that no file has it walk without end.
std::optional<std::vector<size_t>> CClassInheritance::InheritanceOrder(size_t entry) {
    std::vector<size_t> order;
    std::vector<std::pair<size_t, size_t>> walk{{entry, 0}}; // a class, its next base
    StartVisit();
    Visit(entry);
    while (!walk.empty()) {
        const size_t at = walk.back().first;
        const Entry& current = m_entries[at];
        if (walk.back().second == 0)
            m_cost += 1 + current.bases.size() + current.own.keys.size();
        if (m_cost > kMaxCost)
            return std::nullopt;
        if (walk.back().second < current.bases.size()) {
            const size_t base = current.bases[walk.back().second++];
            if (Visit(base))
                walk.emplace_back(base, 0);
            continue;
        }
        order.push_back(at);
        walk.pop_back();
    }
    return order;
}

// The classes of S(entry) in the order of their last visits: read backwards,
// S is the class, then its bases from the last to the first, each the same
// way, so the first visits of that walk, reversed.
std::vector<size_t> CClassInheritance::OverrideOrder(size_t entry) {
    std::vector<size_t> order;
    std::vector<size_t> walk{entry};
    StartVisit();
    while (!walk.empty()) {
        const size_t at = walk.back();
        walk.pop_back();
        if (!Visit(at))
            continue;
        order.push_back(at);
        walk.insert(walk.end(), m_entries[at].bases.begin(), m_entries[at].bases.end());
    }
    std::reverse(order.begin(), order.end());
    return order;
}

std::vector<KeyDefinition> CClassInheritance::FoldKeys(const std::vector<size_t>& inheritance,
                                                       const std::vector<size_t>& overrides) const {
    std::unordered_map<std::string_view, size_t> places;
    std::vector<const KeyDefinition*> winners;
    for (size_t at : inheritance) {
        for (const KeyDefinition& key : m_entries[at].own.keys) {
            if (places.try_emplace(key.name, winners.size()).second)
                winners.push_back(&key);
        }
    }
    for (size_t at : overrides) {
        for (const KeyDefinition& key : m_entries[at].own.keys)
            winners[places.at(key.name)] = &key;
    }
    std::vector<KeyDefinition> keys;
    keys.reserve(winners.size());
    for (const KeyDefinition* key : winners)
        keys.push_back(*key);
    return keys;
}

// Flags are kept in bit order, so only what each bit says last counts.
std::vector<FlagDefinition>
CClassInheritance::FoldFlags(const std::vector<size_t>& overrides) const {
    std::map<uint32_t, const FlagDefinition*> winners;
    for (size_t at : overrides) {
        for (const FlagDefinition& flag : m_entries[at].own.flags)
            winners[flag.bit] = &flag;
    }
    std::vector<FlagDefinition> flags;
    flags.reserve(winners.size());
    for (const auto& [bit, flag] : winners)
        flags.push_back(*flag);
    return flags;
}

// The first class in a walk of the class and then its bases from left to
// right, each with its own bases before the next, that has what is looked
// for. A placed brush class lends no size, nor do its bases through it.
template <class Has>
const CClassInheritance::Entry* CClassInheritance::FindFirst(size_t entry, Has has,
                                                             bool skipNoSize) {
    std::vector<size_t> walk{entry};
    StartVisit();
    while (!walk.empty()) {
        const size_t at = walk.back();
        walk.pop_back();
        if (!Visit(at))
            continue;
        const Entry& current = m_entries[at];
        if (skipNoSize && current.lendsNoSize)
            continue;
        if (has(current.own))
            return &current;
        walk.insert(walk.end(), current.bases.rbegin(), current.bases.rend());
    }
    return nullptr;
}

void CClassInheritance::StartVisit() {
    if (++m_visit == 0) { // after four billion walks, the marks start over
        std::fill(m_visits.begin(), m_visits.end(), 0);
        m_visit = 1;
    }
}

bool CClassInheritance::Visit(size_t entry) {
    if (m_visits[entry] == m_visit)
        return false;
    m_visits[entry] = m_visit;
    return true;
}
