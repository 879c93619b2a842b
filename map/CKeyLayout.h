#pragma once

#include "map/CustomPair.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// How a map file laid out the keys of one entity, beyond what its fields
// hold: the order the keys came in (repeats included), and the pairs that a
// later pair of the same key overrides. The game takes the last of repeated
// keys, which is the one the fields hold; the earlier ones are kept so that a
// save gives the file back. Empty for an entity made in the editor.
class CKeyLayout {
public:
    bool IsEmpty() const { return m_order.empty() && m_overridden.empty(); }

    // The reader notes each key as it comes.
    void NoteKey(std::string_view key) { m_order.emplace_back(key); }
    void KeepOverridden(std::string_view key, std::string_view value) {
        m_overridden.push_back({std::string(key), std::string(value)});
    }
    const CustomPairList& GetOverridden() const { return m_overridden; }

    // The order in which to write lines of these keys, given in the writer's
    // own order: the n-th line of a key takes the place of the n-th time the
    // file gave that key; keys the file did not have follow, in their own
    // order. Returns indices into `keys`.
    std::vector<size_t> Arrange(std::span<const std::string_view> keys) const;

    friend bool operator==(const CKeyLayout&, const CKeyLayout&) = default;

private:
    std::vector<std::string> m_order;
    CustomPairList m_overridden; // in file order
};
