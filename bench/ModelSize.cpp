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

size_t HeapBytes(const CustomPairList& pairs) {
    size_t bytes = pairs.capacity() * sizeof(CustomPair);
    for (const CustomPair& pair : pairs)
        bytes += HeapBytes(pair.key) + HeapBytes(pair.value);
    return bytes;
}

size_t HeapBytes(const std::vector<KeptFaceText>& texts) {
    size_t bytes = texts.capacity() * sizeof(KeptFaceText);
    for (const KeptFaceText& text : texts)
        bytes += HeapBytes(text.text);
    return bytes;
}

template <typename List> size_t ListBytes(const List& list) {
    return list.capacity() * sizeof(typename List::value_type);
}

size_t BrushesBytes(const BrushList& brushes) {
    size_t bytes = ListBytes(brushes);
    for (const auto& brush : brushes) {
        bytes += sizeof(CMapBrush);
        if (brush->m_readPlanes)
            bytes += sizeof(ReadPlanePoints) + HeapBytes(brush->m_readPlanes->planeTexts) +
                     ListBytes(brush->m_readPlanes->points) +
                     ListBytes(brush->m_readPlanes->hidden);
        bytes += ListBytes(brush->m_valveAxes);
        if (brush->m_keptText)
            bytes += sizeof(KeptBrushText) + HeapBytes(brush->m_keptText->textures) +
                     HeapBytes(brush->m_keptText->unheldFaceLines);
    }
    return bytes;
}

size_t EntityBytes(const CModelEntity& e) {
    return sizeof(CModelEntity) + HeapBytes(e.m_classname) + HeapBytes(e.m_target) +
           HeapBytes(e.m_targetname) + HeapBytes(e.m_killtarget) + HeapBytes(e.m_message) +
           HeapBytes(e.m_map) + HeapBytes(e.m_otherPairs) + HeapBytes(e.m_keptTexts.Texts()) +
           BrushesBytes(e.m_brushes);
}

size_t EntityBytes(const CPointEntity& e) {
    return sizeof(CPointEntity) + HeapBytes(e.m_classname) + HeapBytes(e.m_target) +
           HeapBytes(e.m_targetname) + HeapBytes(e.m_killtarget) + HeapBytes(e.m_message) +
           HeapBytes(e.m_otherPairs) + HeapBytes(e.m_keptTexts.Texts());
}

} // namespace

size_t EstimateModelBytes(const CTolveDoc& doc) {
    size_t bytes = HeapBytes(doc.m_worldMessage) + HeapBytes(doc.m_textureWad.GetFileName()) +
                   HeapBytes(doc.m_worldOtherPairs) + HeapBytes(doc.m_worldKeptTexts.Texts()) +
                   BrushesBytes(doc.GetWorldBrushes()) + ListBytes(doc.GetModelEntities()) +
                   ListBytes(doc.GetPointEntities());
    for (const auto& entity : doc.GetModelEntities())
        bytes += EntityBytes(*entity);
    for (const auto& entity : doc.GetPointEntities())
        bytes += EntityBytes(*entity);
    return bytes;
}
