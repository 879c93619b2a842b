#include "view/CResizeDrag.h"

#include "map/FormatConversion.h"
#include "map/MapFormat.h"
#include "map/ObjectBounds.h"
#include "view/CMapDrag.h"

#include <algorithm>
#include <cmath>

CResizeDrag::CResizeDrag(CTolveDoc& doc, const CViewProjection& projection, ResizeHandle handle)
    : m_doc(doc), m_projection(projection), m_handle(handle),
      m_start(ResizeBoxOf(doc).value_or(IntBox())), m_box(m_start), m_transaction(doc, "Resize") {
    const bool valveMap = doc.m_mapFormat == MapFormat::kValve;
    for (const auto& [brush, parts] : doc.GetEditorState().GetSelectionSet().GetBrushes()) {
        CMapBrush& kept = m_brushes.emplace_back(brush, *brush).second;
        // A Valve map saves every brush with axes; as one it keeps its texture.
        if (valveMap && !kept.HasValveAxes())
            GiveValveAxes(kept);
    }
}

BrushTransform CResizeDrag::TransformTo(const IntPoint& snapped, bool keepProportions) const {
    const int axes[2] = {HorizontalAxisOf(m_projection.m_viewMode),
                         VerticalAxisOf(m_projection.m_viewMode)};
    const int sides[2] = {m_handle.h, m_handle.v};
    const double step = std::max<int32_t>(m_doc.GetEditorState().GetSnap(), 1);
    BrushTransform transform;
    double factors[2] = {1.0, 1.0};
    for (int k = 0; k < 2; ++k) {
        const int axis = axes[k];
        const double low = m_start.min.Component(axis), high = m_start.max.Component(axis);
        transform.centre[axis] = sides[k] > 0 ? low : sides[k] < 0 ? high : (low + high) / 2;
        if (sides[k] == 0 || high == low)
            continue;
        // The dragged side follows the mouse, never closer than a step to the
        // side that stays: the brushes never turn inside out or flat.
        const double size =
            sides[k] > 0 ? snapped.Component(axis) - low : high - snapped.Component(axis);
        factors[k] = std::max(size, step) / (high - low);
    }
    if (keepProportions) {
        const double common =
            std::fabs(factors[0] - 1.0) >= std::fabs(factors[1] - 1.0) ? factors[0] : factors[1];
        factors[0] = factors[1] = common;
    }
    for (int k = 0; k < 2; ++k)
        transform.scale[axes[k]] = factors[k];
    return transform;
}

bool CResizeDrag::Step(ScreenPoint mouse, bool keepProportions) {
    if (!m_transaction.IsOpen() || m_brushes.empty())
        return false;
    const BrushTransform transform =
        TransformTo(SnappedWorldPoint(m_doc, m_projection, mouse), keepProportions);
    std::vector<CMapBrush> results(m_brushes.size());
    for (size_t i = 0; i < m_brushes.size(); ++i) {
        if (TransformBrush(m_brushes[i].second, transform, m_doc.m_textureLock, results[i]) !=
            TransformProblem::kNone)
            return false;
    }
    std::optional<IntBox> box;
    for (const CMapBrush& result : results) {
        if (const std::optional<IntBox> bounds = BoundsOf(result)) {
            Grow(box, bounds->min);
            Grow(box, bounds->max);
        }
    }
    if (!box || *box == m_box)
        return false;
    m_box = *box;
    for (size_t i = 0; i < m_brushes.size(); ++i)
        m_transaction.Edits().ReshapeBrush(*m_brushes[i].first, results[i]);
    return true;
}

void CResizeDrag::Commit() {
    // Back at the box it began with, the brushes would still have lost the
    // planes they were read with: no step for a drag that went nowhere.
    if (m_box == m_start)
        m_transaction.RollBack();
    else
        m_transaction.Commit();
}

void CResizeDrag::Cancel() {
    m_transaction.RollBack();
}
