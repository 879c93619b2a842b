#include "map/CMapEdits.h"

#include "map/CTolveDoc.h"
#include "map/EditRecords.h"
#include "map/FaceTextureChange.h"
#include "map/FormatConversion.h"
#include "map/ObjectBounds.h"
#include "map/ObjectLists.h"
#include "map/TextureAlignment.h"
#include "map/TextureLock.h"
#include "map/TextureProjection.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

void Move(IntPoint& point, const IntPoint& delta) {
    point.x += delta.x;
    point.y += delta.y;
    point.z += delta.z;
}

} // namespace

template <class Record, class State> void CMapEdits::KeepState(State& object) {
    CMapHistory& history = m_doc.GetHistory();
    if (history.KeepsStateOf(&object))
        return;
    history.Record(std::make_unique<Record>(object));
    history.NoteStateKept(&object);
}

// A standard brush of a Valve map is saved in the Valve form anyway; as one
// it can keep its texture where it is while it changes.
void CMapEdits::GiveAxesInValveMap(CMapBrush& brush) {
    if (m_doc.m_mapFormat == MapFormat::kValve)
        GiveValveAxes(brush);
}

void CMapEdits::MoveVertices(CMapBrush& brush, std::span<const int> vertices, IntPoint delta) {
    // A stale index moves nothing rather than a slot beyond the table.
    auto held = [&brush](int v) { return v >= 0 && v < brush.m_numVertices; };
    if (std::none_of(vertices.begin(), vertices.end(), held))
        return;
    KeepState<CBrushStateRecord>(brush);
    const std::optional<IntBox> before = BoundsOf(brush);
    GiveAxesInValveMap(brush);
    NoteFacesBefore(brush, m_facesBefore);
    for (int v : vertices) {
        if (held(v))
            Move(brush.m_vertices[v], delta);
    }
    brush.ForgetReadPlanes(); // from now on its faces are saved through its corners
    FollowMovedCorners(brush, m_facesBefore, m_doc.m_textureLock);
    brush.m_source.Touch();
    m_doc.BrushChanged(brush);
    m_doc.UpdateAllViews(AreaNotice(before, BoundsOf(brush)));
}

void CMapEdits::MoveBrush(CMapBrush& brush, IntPoint delta) {
    KeepState<CBrushStateRecord>(brush);
    const std::optional<IntBox> before = BoundsOf(brush);
    GiveAxesInValveMap(brush);
    for (int v = 0; v < brush.m_numVertices; ++v)
        Move(brush.m_vertices[v], delta);
    brush.ForgetReadPlanes();
    if (m_doc.m_textureLock)
        MoveTexturesWithBrush(brush, delta, &m_standardFaces);
    brush.m_source.Touch();
    m_doc.BrushChanged(brush);
    m_doc.UpdateAllViews(AreaNotice(before, BoundsOf(brush)));
}

void CMapEdits::MovePointEntity(CPointEntity& entity, IntPoint delta) {
    KeepState<CPointEntityStateRecord>(entity);
    const IntBox before = BoundsOf(entity);
    Move(entity.m_origin, delta);
    // An origin the file gave in a form the field could not hold, or did
    // not give at all, is the one the user moved it to now.
    entity.m_keptTexts.Forget("origin");
    entity.m_hasOrigin = true;
    entity.m_source.Touch();
    m_doc.UpdateAllViews(AreaNotice(before, BoundsOf(entity)));
}

namespace {

// Which number of "mangle" is the yaw: lights aim with "yaw pitch roll",
// cameras such as info_intermission look with "pitch yaw roll".
int32_t& MangleYaw(CPointEntity& entity) {
    return entity.m_classname.starts_with("light") ? entity.m_mangle.x : entity.m_mangle.y;
}

} // namespace

void CMapEdits::TurnBrush(CMapBrush& brush, const PlaneTurn& turn) {
    if (brush.m_numVertices == 0)
        return; // kept as text only: nothing to turn
    KeepState<CBrushStateRecord>(brush);
    const std::optional<IntBox> before = BoundsOf(brush);
    GiveAxesInValveMap(brush);
    NoteFaceDirections(brush, m_directionsBefore);
    for (int v = 0; v < brush.m_numVertices; ++v)
        brush.m_vertices[v] = turn.Apply(brush.m_vertices[v]);
    if (turn.Mirrors()) {
        for (int f = 0; f < brush.m_numFaces; ++f) {
            BrushFace& face = brush.m_faces[f];
            std::reverse(face.vertexIndex, face.vertexIndex + face.numPoints);
        }
    }
    brush.ForgetReadPlanes();
    TurnTexturesWithBrush(brush, m_directionsBefore, turn, m_doc.m_textureLock, &m_standardFaces);
    brush.m_source.Touch();
    m_doc.BrushChanged(brush);
    m_doc.UpdateAllViews(AreaNotice(before, BoundsOf(brush)));
}

void CMapEdits::ReshapeBrush(CMapBrush& brush, const CMapBrush& shape) {
    KeepState<CBrushStateRecord>(brush);
    const std::optional<IntBox> before = BoundsOf(brush);
    const uint32_t indexSlot = brush.m_indexSlot;
    const TextSpan source = brush.m_source; // the comments before it stay its own
    brush = shape;
    brush.m_indexSlot = indexSlot;
    brush.m_source = source;
    brush.m_source.Touch();
    m_doc.BrushChanged(brush);
    m_doc.UpdateAllViews(AreaNotice(before, BoundsOf(brush)));
}

void CMapEdits::TurnPointEntity(CPointEntity& entity, const PlaneTurn& turn) {
    CPointEntity turned = entity;
    turned.m_origin = turn.Apply(entity.m_origin);
    if (turned.m_origin != entity.m_origin) {
        turned.m_keptTexts.Forget("origin");
        turned.m_hasOrigin = true;
    }
    if (entity.m_hasAngle) {
        turned.m_angle = static_cast<int16_t>(TurnYaw(entity.m_angle, turn));
        if (turned.m_angle != entity.m_angle)
            turned.m_keptTexts.Forget("angle");
    }
    if (entity.m_hasMangle) {
        int32_t& yaw = MangleYaw(turned);
        yaw = TurnYaw(yaw, turn);
        if (turned.m_mangle != entity.m_mangle)
            turned.m_keptTexts.Forget("mangle");
    }
    SetPointEntityKeys(entity, turned);
}

void CMapEdits::TransformPointEntity(CPointEntity& entity, const BrushTransform& transform) {
    CPointEntity moved = entity;
    moved.m_origin = TransformOrigin(entity.m_origin, transform);
    if (moved.m_origin != entity.m_origin) {
        moved.m_keptTexts.Forget("origin");
        moved.m_hasOrigin = true;
    }
    if (entity.m_hasAngle) {
        moved.m_angle = static_cast<int16_t>(TransformYaw(entity.m_angle, transform));
        if (moved.m_angle != entity.m_angle)
            moved.m_keptTexts.Forget("angle");
    }
    if (entity.m_hasMangle) {
        int32_t& yaw = MangleYaw(moved);
        yaw = TransformYaw(yaw, transform);
        if (moved.m_mangle != entity.m_mangle)
            moved.m_keptTexts.Forget("mangle");
    }
    SetPointEntityKeys(entity, moved);
}

CMapBrush& CMapEdits::AddBrush(CModelEntity* owner, std::unique_ptr<CMapBrush> brush,
                               size_t index) {
    CMapBrush& added = *brush;
    added.m_source.Forget(); // a copy is written anew, not as its original's text
    PutBrush(m_doc, owner, std::move(brush), index);
    m_doc.GetHistory().Record(CBrushPlacementRecord::Added(owner, added, index));
    return added;
}

BrushRemoval CMapEdits::RemoveBrush(CModelEntity* owner, CMapBrush& brush) {
    size_t index = 0;
    std::unique_ptr<CMapBrush> taken = TakeBrush(m_doc, owner, brush, index);
    if (!taken)
        return BrushRemoval::kNotFound;
    m_doc.GetHistory().Record(CBrushPlacementRecord::Removed(owner, std::move(taken), index));
    // A brush entity without brushes would be saved as a point entity.
    if (owner && owner->m_brushes.empty()) {
        RemoveModelEntity(*owner);
        return BrushRemoval::kBrushAndEntity;
    }
    return BrushRemoval::kBrush;
}

CPointEntity& CMapEdits::AddPointEntity(std::unique_ptr<CPointEntity> entity, size_t index) {
    CPointEntity& added = *entity;
    added.m_source.Forget();
    PutPointEntity(m_doc, std::move(entity), index);
    m_doc.GetHistory().Record(CPointEntityPlacementRecord::Added(nullptr, added, index));
    return added;
}

bool CMapEdits::RemovePointEntity(CPointEntity& entity) {
    size_t index = 0;
    std::unique_ptr<CPointEntity> taken = TakePointEntity(m_doc, entity, index);
    if (!taken)
        return false;
    m_doc.GetHistory().Record(
        CPointEntityPlacementRecord::Removed(nullptr, std::move(taken), index));
    return true;
}

CModelEntity& CMapEdits::AddModelEntity(std::unique_ptr<CModelEntity> entity, size_t index) {
    CModelEntity& added = *entity;
    added.m_source.Forget();
    for (const auto& brush : added.m_brushes)
        brush->m_source.Forget();
    PutModelEntity(m_doc, std::move(entity), index);
    m_doc.GetHistory().Record(CModelEntityPlacementRecord::Added(nullptr, added, index));
    return added;
}

bool CMapEdits::RemoveModelEntity(CModelEntity& entity) {
    size_t index = 0;
    std::unique_ptr<CModelEntity> taken = TakeModelEntity(m_doc, entity, index);
    if (!taken)
        return false;
    m_doc.GetHistory().Record(
        CModelEntityPlacementRecord::Removed(nullptr, std::move(taken), index));
    return true;
}

void CMapEdits::MoveBrushToOwner(CMapBrush& brush, CModelEntity* from, CModelEntity* to,
                                 size_t index) {
    if (from == to)
        return;
    size_t fromIndex = 0;
    if (!MoveBrushBetween(m_doc, brush, from, to, fromIndex, index))
        return;
    const size_t toIndex = std::min(index, BrushesOf(m_doc, to).size() - 1);
    m_doc.GetHistory().Record(std::make_unique<COwnerRecord>(brush, from, fromIndex, to, toIndex));
    if (from && from->m_brushes.empty())
        RemoveModelEntity(*from);
}

void CMapEdits::SetPointEntityKeys(CPointEntity& entity, const CPointEntity& keys) {
    KeepState<CPointEntityStateRecord>(entity);
    const MapNotice notice = AreaNotice(BoundsOf(entity), BoundsOf(keys));
    const EntitySpan source = entity.m_source;
    entity = keys;
    entity.m_source = source;
    entity.m_source.Touch();
    m_doc.UpdateAllViews(notice);
}

void CMapEdits::SetModelEntityKeys(CModelEntity& entity, const CModelEntityKeys& keys) {
    KeepState<CModelEntityKeysRecord, CModelEntityKeys>(entity);
    const EntitySpan source = entity.m_source;
    static_cast<CModelEntityKeys&>(entity) = keys;
    entity.m_source = source;
    entity.m_source.Touch();
    m_doc.UpdateAllViews(MapNotice::Repaint());
}

void CMapEdits::SetWorldKeys(const CWorldKeys& keys) {
    KeepState<CWorldKeysRecord, CWorldKeys>(m_doc);
    const EntitySpan source = m_doc.m_worldSource;
    static_cast<CWorldKeys&>(m_doc) = keys;
    m_doc.m_worldSource = source;
    m_doc.m_worldSource.Touch();
    m_doc.UpdateAllViews(MapNotice::Repaint());
}

void CMapEdits::SetFaceTexture(CMapBrush& brush, int face, const FaceTexture& texture) {
    SetFaceTexture(brush, face, texture, FaceTextureChange::All());
}

void CMapEdits::SetFaceTexture(CMapBrush& brush, int face, const FaceTexture& texture,
                               const FaceTextureChange& change) {
    if (face < 0 || face >= brush.m_numFaces || !change.Any())
        return;
    KeepState<CBrushStateRecord>(brush);
    // The views draw no textures; whatever they might show of one lies on
    // the brush.
    const MapNotice notice = AreaNotice(BoundsOf(brush), std::nullopt);
    ApplyFaceTextureChange(brush, face, texture, change);
    brush.m_source.Touch();
    m_doc.UpdateAllViews(notice);
}

void CMapEdits::SetFaceAlignment(CMapBrush& brush, int face, const AlignedFace& aligned) {
    if (face < 0 || face >= brush.m_numFaces)
        return;
    KeepState<CBrushStateRecord>(brush);
    // The alignment was worked out for the face as a Valve map saves it.
    GiveAxesInValveMap(brush);
    const MapNotice notice = AreaNotice(BoundsOf(brush), std::nullopt);
    ApplyAlignedFace(brush, face, aligned);
    brush.m_source.Touch();
    m_doc.UpdateAllViews(notice);
}

void CMapEdits::ExchangeContents(MapFragment other) {
    ::ExchangeContents(m_doc, other);
    m_doc.GetHistory().Record(std::make_unique<CContentsRecord>(std::move(other)));
}

namespace {

// The low 16 bits of a whole offset, as a standard face keeps it.
int16_t ToFieldOffset(double offset) {
    if (!std::isfinite(offset) || std::fabs(offset) >= 2147483648.0)
        return 0;
    // Offsets are mostly whole already: rounding them is a call spared.
    const int32_t whole = static_cast<int32_t>(offset);
    const int32_t rounded = whole == offset ? whole : static_cast<int32_t>(std::lround(offset));
    return static_cast<int16_t>(static_cast<uint16_t>(rounded));
}

} // namespace

void ApplyFaceTexture(CMapBrush& brush, int face, const FaceTexture& texture) {
    BrushFace& target = brush.m_faces[face];
    std::memcpy(target.texture, texture.texture, sizeof target.texture);
    target.texture[kMaxTextureName] = '\0';
    if (brush.HasValveAxes()) {
        ValveAxes& axes = brush.m_valveAxes[face];
        const double turn = static_cast<double>(texture.rotation) - target.rotation;
        if (turn != 0.0)
            TurnAxes(axes, GetFaceNormal(brush, face), turn);
        axes.uOffset = texture.xOffset;
        axes.vOffset = texture.yOffset;
    } else {
        target.xOffset = ToFieldOffset(texture.xOffset);
        target.yOffset = ToFieldOffset(texture.yOffset);
    }
    target.rotation = texture.rotation;
    target.xScale = texture.xScale;
    target.yScale = texture.yScale;
    brush.ForgetTextureText(face);
}
