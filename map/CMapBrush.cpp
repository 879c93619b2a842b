#include "map/CMapBrush.h"

#include <algorithm>

namespace {

const std::string* FindFaceText(const std::vector<KeptFaceText>& texts, int face) {
    for (const KeptFaceText& kept : texts) {
        if (kept.face == face)
            return &kept.text;
    }
    return nullptr;
}

} // namespace

const std::string* ReadPlanePoints::FindPlaneText(int face) const {
    return FindFaceText(planeTexts, face);
}

const std::string* KeptBrushText::FindTextureText(int face) const {
    return FindFaceText(textures, face);
}

void CMapBrush::ForgetTextureText(int face) {
    if (m_keptText)
        std::erase_if(m_keptText->textures,
                      [&](const KeptFaceText& kept) { return kept.face == face; });
}
