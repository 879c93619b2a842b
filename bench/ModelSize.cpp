#include "bench/ModelSize.h"

#include "map/CTolveDoc.h"

#include <cstdint>

namespace {

// Short strings live inside the string object and cost nothing extra.
size_t HeapBytes(const std::string& text) {
    const auto data = reinterpret_cast<uintptr_t>(text.data());
    const auto self = reinterpret_cast<uintptr_t>(&text);
    const bool inside = data >= self && data < self + sizeof text;
    return inside ? 0 : text.capacity() + 1;
}

size_t HeapBytes(const CustomPair (&pairs)[2]) {
    return HeapBytes(pairs[0].key) + HeapBytes(pairs[0].value) + HeapBytes(pairs[1].key) +
           HeapBytes(pairs[1].value);
}

template <typename List> size_t ListBytes(const List& list) {
    return list.capacity() * sizeof(typename List::value_type);
}

size_t BrushesBytes(const BrushList& brushes) {
    size_t bytes = ListBytes(brushes);
    for (const auto& brush : brushes) {
        bytes += sizeof(CMapBrush);
        if (brush->m_readPlanes)
            bytes += sizeof(ReadPlanePoints);
    }
    return bytes;
}

size_t EntityBytes(const CModelEntity& e) {
    return sizeof(CModelEntity) + HeapBytes(e.m_classname) + HeapBytes(e.m_target) +
           HeapBytes(e.m_targetname) + HeapBytes(e.m_killtarget) + HeapBytes(e.m_message) +
           HeapBytes(e.m_map) + HeapBytes(e.m_custom) + BrushesBytes(e.m_brushes);
}

size_t EntityBytes(const CPointEntity& e) {
    return sizeof(CPointEntity) + HeapBytes(e.m_classname) + HeapBytes(e.m_target) +
           HeapBytes(e.m_targetname) + HeapBytes(e.m_killtarget) + HeapBytes(e.m_message) +
           HeapBytes(e.m_custom);
}

} // namespace

size_t EstimateModelBytes(const CTolveDoc& doc) {
    size_t bytes = HeapBytes(doc.m_worldMessage) + HeapBytes(doc.m_textureWad.GetFileName()) +
                   BrushesBytes(doc.m_worldBrushes) + ListBytes(doc.m_modelEntities) +
                   ListBytes(doc.m_pointEntities);
    for (const auto& entity : doc.m_modelEntities)
        bytes += EntityBytes(*entity);
    for (const auto& entity : doc.m_pointEntities)
        bytes += EntityBytes(*entity);
    return bytes;
}
