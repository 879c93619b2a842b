#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <utility>
#include <vector>

// A hash map from object addresses to small values, all in one array (open
// addressing, linear probing). A selection of a hundred thousand brushes, or
// the brushes an edit of them has recorded, is filled, copied, looked up and
// walked far faster than in a map with a node of its own for each entry.
// The order of a walk is that of the hashes, as with an unordered map.
template <class Key, class Value> class CPointerTable {
public:
    using Entry = std::pair<Key*, Value>;

    class Iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = Entry;
        using difference_type = std::ptrdiff_t;
        using pointer = const Entry*;
        using reference = const Entry&;

        Iterator() = default;
        Iterator(const Entry* at, const Entry* end) : m_at(at), m_end(end) { SkipFree(); }
        reference operator*() const { return *m_at; }
        pointer operator->() const { return m_at; }
        Iterator& operator++() {
            ++m_at;
            SkipFree();
            return *this;
        }
        Iterator operator++(int) {
            Iterator before = *this;
            ++*this;
            return before;
        }
        friend bool operator==(const Iterator& a, const Iterator& b) { return a.m_at == b.m_at; }

    private:
        void SkipFree() {
            while (m_at != m_end && !m_at->first)
                ++m_at;
        }

        const Entry* m_at = nullptr;
        const Entry* m_end = nullptr;
    };

    bool empty() const { return m_size == 0; }
    size_t size() const { return m_size; }
    Iterator begin() const { return {m_slots.data(), m_slots.data() + m_slots.size()}; }
    Iterator end() const {
        const Entry* end = m_slots.data() + m_slots.size();
        return {end, end};
    }

    void clear() {
        m_slots.clear();
        m_size = 0;
    }

    // The value of `key`; null when it has none.
    const Value* Find(const Key* key) const {
        if (m_size == 0)
            return nullptr;
        for (size_t i = Home(key);; i = Next(i)) {
            if (m_slots[i].first == key)
                return &m_slots[i].second;
            if (!m_slots[i].first)
                return nullptr;
        }
    }
    bool contains(const Key* key) const { return Find(key) != nullptr; }
    // Where a Find of `key` starts to look (null in an empty table): a walk of
    // many keys in turn asks for that memory a few keys ahead. The caller
    // asks; a function that only asks counts as doing nothing, and goes.
    const void* WhereToFind(const Key* key) const {
        return m_size != 0 ? &m_slots[Home(key)] : nullptr;
    }

    // The value of `key`, made with Value{} when it has none yet.
    Value& operator[](Key* key) {
        if ((m_size + 1) * 3 > m_slots.size() * 2)
            Grow();
        size_t i = Home(key);
        for (; m_slots[i].first; i = Next(i)) {
            if (m_slots[i].first == key)
                return m_slots[i].second;
        }
        ++m_size;
        m_slots[i] = {key, Value{}};
        return m_slots[i].second;
    }

    bool erase(const Key* key) {
        if (m_size == 0)
            return false;
        size_t i = Home(key);
        for (; m_slots[i].first != key; i = Next(i)) {
            if (!m_slots[i].first)
                return false;
        }
        CloseGap(i);
        --m_size;
        return true;
    }

    // Alike when they hold the same keys with the same values, in whatever
    // order.
    friend bool operator==(const CPointerTable& a, const CPointerTable& b) {
        if (a.m_size != b.m_size)
            return false;
        for (const Entry& entry : a) {
            const Value* other = b.Find(entry.first);
            if (!other || !(*other == entry.second))
                return false;
        }
        return true;
    }

private:
    size_t Home(const Key* key) const {
        // Fibonacci hashing; the low bits of an address are all alike.
        const uint64_t bits = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(key) >> 4);
        return static_cast<size_t>((bits * 0x9E3779B97F4A7C15ull) >> m_shift);
    }
    size_t Next(size_t i) const { return (i + 1) & (m_slots.size() - 1); }

    void Grow() {
        std::vector<Entry> old = std::move(m_slots);
        const size_t count = old.empty() ? 16 : 2 * old.size();
        m_slots.assign(count, Entry{nullptr, Value{}});
        m_shift = 64 - std::countr_zero(count);
        for (const Entry& entry : old) {
            if (!entry.first)
                continue;
            size_t i = Home(entry.first);
            while (m_slots[i].first)
                i = Next(i);
            m_slots[i] = entry;
        }
    }

    // Frees slot `i`, moving later entries of its run back so that each
    // stays reachable from its home slot.
    void CloseGap(size_t i) {
        for (size_t j = Next(i); m_slots[j].first; j = Next(j)) {
            const size_t home = Home(m_slots[j].first);
            // Whether `home` lies cyclically within (i, j]: then the entry
            // may stay where it is.
            const bool stays = i < j ? (i < home && home <= j) : (i < home || home <= j);
            if (!stays) {
                m_slots[i] = m_slots[j];
                i = j;
            }
        }
        m_slots[i] = Entry{nullptr, Value{}};
    }

    std::vector<Entry> m_slots; // a power of two of them; a null key marks a free one
    size_t m_size = 0;
    int m_shift = 64;
};
