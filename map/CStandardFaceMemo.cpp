#include "map/CStandardFaceMemo.h"

#include <bit>

namespace {

// The same bits: a rotation of -0 or a NaN scale is a kind of its own, and
// nothing is taken for a kind it is not.
bool SameBits(double a, double b) {
    return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b);
}

bool SameKind(const CStandardFaceMemo::Kind& a, const CStandardFaceMemo::Kind& b) {
    return a.planeBefore == b.planeBefore && a.planeAfter == b.planeAfter &&
           SameBits(a.rotation, b.rotation) && SameBits(a.xScale, b.xScale) &&
           SameBits(a.yScale, b.yScale);
}

bool SameTurn(const PlaneTurn& a, const PlaneTurn& b) {
    return a.kind == b.kind && a.h == b.h && a.v == b.v && a.centre == b.centre;
}

} // namespace

void CStandardFaceMemo::ServeMove(const IntPoint& delta) {
    if (m_forTurn || delta != m_delta)
        Forget();
    m_forTurn = false;
    m_delta = delta;
}

void CStandardFaceMemo::ServeTurn(const PlaneTurn& turn) {
    if (!m_forTurn || !SameTurn(turn, m_turn))
        Forget();
    m_forTurn = true;
    m_turn = turn;
}

const CStandardFaceMemo::Outcome* CStandardFaceMemo::Find(const Kind& kind) const {
    if (!m_entries)
        return nullptr;
    const Entry& entry = m_entries[EntryOf(kind)];
    return entry.used && SameKind(entry.kind, kind) ? &entry.outcome : nullptr;
}

void CStandardFaceMemo::Keep(const Kind& kind, const Outcome& outcome) {
    if (!m_entries)
        m_entries = std::make_unique<Entry[]>(kEntries);
    m_entries[EntryOf(kind)] = {kind, outcome, true};
}

void CStandardFaceMemo::Forget() {
    if (!m_entries)
        return;
    for (int e = 0; e < kEntries; ++e)
        m_entries[e].used = false;
}

size_t CStandardFaceMemo::EntryOf(const Kind& kind) {
    uint64_t bits = std::bit_cast<uint64_t>(kind.rotation);
    bits = (bits ^ std::rotl(std::bit_cast<uint64_t>(kind.xScale), 21)) * 0x9E3779B97F4A7C15u;
    bits = (bits ^ std::rotl(std::bit_cast<uint64_t>(kind.yScale), 42)) * 0x9E3779B97F4A7C15u;
    bits ^= static_cast<uint64_t>(kind.planeBefore * 6 + kind.planeAfter) * 0xC2B2AE3D27D4EB4Fu;
    return static_cast<size_t>((bits * 0x9E3779B97F4A7C15u) >> 56) % kEntries;
}
