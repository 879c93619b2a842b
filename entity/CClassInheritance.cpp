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
    complete = true;
    if (m_entries[entry].bases.empty())
        return m_entries[entry].own;
    const std::optional<std::vector<size_t>> inheritance = InheritanceOrder(entry);
    complete = inheritance.has_value();
    return inheritance ? FoldInBases(entry, *inheritance) : m_entries[entry].own;
}

EntityClassDefinition CClassInheritance::FoldInBases(size_t entry,
                                                     const std::vector<size_t>& inheritance) {
    const std::vector<size_t> overrides = OverrideOrder(entry);
    std::vector<KeyDefinition> keys = FoldKeys(inheritance, overrides);
    std::vector<FlagDefinition> flags = FoldFlags(overrides);
    const Entry* sized = FindFirst(
        entry, [](const EntityClassDefinition& c) { return c.size.has_value(); }, true);
    const Entry* coloured = FindFirst(
        entry, [](const EntityClassDefinition& c) { return c.colour.has_value(); }, false);
    EntityClassDefinition folded = m_entries[entry].own;
    folded.size = sized ? sized->own.size : std::nullopt;
    folded.colour = coloured ? coloured->own.colour : std::nullopt;
    folded.keys = std::move(keys);
    folded.flags = std::move(flags);
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
// for. A size is not looked for in a placed brush class, nor through it.
template <class Has>
const CClassInheritance::Entry* CClassInheritance::FindFirst(size_t entry, Has has, bool forSize) {
    std::vector<size_t> walk{entry};
    StartVisit();
    while (!walk.empty()) {
        const size_t at = walk.back();
        walk.pop_back();
        if (!Visit(at))
            continue;
        const Entry& current = m_entries[at];
        if (forSize && current.lendsNoSize)
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
