#pragma once

#include "entity/EntityClassDefinition.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// The FGD classes as their own text declares them, their bases the classes of
// those names when they were read, and the classes of other files as they
// were when some FGD class named them as a base. A class only
// ever names classes read before it, so no class is its own base, however
// indirectly, and no class read later changes what an earlier one inherits.
//
// A class is folded with its bases when it is placed, each base visited once
// however often it is inherited. Bases are not kept folded: a chain of bases
// costs what its text does, not the square of it.
class CClassInheritance {
public:
    // What folding may cost, all classes together: each base visited, each
    // base named and each key of theirs counts one. The largest mods' files
    // cost some tens of thousands; a file built to cost the square of its
    // length stops here.
    static constexpr size_t kMaxCost = size_t{1} << 19;

    // Adds a class with the numbers of its bases in the order listed; a placed
    // brush class lends no size, not even one of its bases. Returns its number.
    size_t Add(EntityClassDefinition own, std::vector<size_t> bases = {}, bool lendsNoSize = false);
    // The class with its bases folded in: their keys and flags first, in the
    // order listed, the class's own over them; a size and a colour of its own,
    // else those of the first base that has one, looked for from left to
    // right. When that would cost more than is left, the class as declared,
    // and `complete` false.
    EntityClassDefinition Fold(size_t entry, bool& complete);

private:
    struct Entry {
        EntityClassDefinition own;
        std::vector<size_t> bases;
        bool lendsNoSize = false;
    };

    EntityClassDefinition FoldInBases(size_t entry, const std::vector<size_t>& inheritance);
    std::optional<std::vector<size_t>> InheritanceOrder(size_t entry);
    std::vector<size_t> OverrideOrder(size_t entry);
    std::vector<KeyDefinition> FoldKeys(const std::vector<size_t>& inheritance,
                                        const std::vector<size_t>& overrides) const;
    std::vector<FlagDefinition> FoldFlags(const std::vector<size_t>& overrides) const;
    template <class Has> const Entry* FindFirst(size_t entry, Has has, bool forSize);
    void StartVisit();
    bool Visit(size_t entry);

    std::vector<Entry> m_entries;
    std::vector<uint32_t> m_visits; // per entry, the walk that last saw it
    uint32_t m_visit = 0;
    size_t m_cost = 0;
};
