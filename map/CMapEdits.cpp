#include "map/CMapEdits.h"

#include "map/CTolveDoc.h"
#include "map/FormatConversion.h"
#include "map/ObjectBounds.h"
#include "map/TextureLock.h"
#include "map/TextureProjection.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

using Kind = CMapChange::Kind;

void Move(IntPoint& point, const IntPoint& delta) {
    point.x += delta.x;
    point.y += delta.y;
    point.z += delta.z;
}

template <class T> size_t IndexOf(const std::vector<std::unique_ptr<T>>& list, const T& item) {
    auto found = std::find_if(list.begin(), list.end(), [&](const std::unique_ptr<T>& entry) {
        return entry.get() == &item;
    });
    return static_cast<size_t>(found - list.begin());
}

template <class T>
void InsertAt(std::vector<std::unique_ptr<T>>& list, std::unique_ptr<T> item, size_t& index) {
    index = std::min(index, list.size());
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(index), std::move(item));
}

template <class T>
std::unique_ptr<T> TakeOut(std::vector<std::unique_ptr<T>>& list, const T& item, size_t& index) {
    index = IndexOf(list, item);
    if (index == list.size())
        return nullptr;
    std::unique_ptr<T> taken = std::move(list[index]);
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(index));
    return taken;
}

// What the views redraw for an object that was in `before` and is in `after`
// now: the box around both, or everything when neither is known.
CMapNotice AreaNotice(const std::optional<IntBox>& before, const std::optional<IntBox>& after) {
    std::optional<IntBox> area = before;
    Grow(area, after);
    return area ? CMapNotice::Area(*area) : CMapNotice::Repaint();
}

} // namespace

CMapChange CMapEdits::Finish(CMapChange change) {
    m_doc.SetModifiedFlag();
    m_doc.UpdateAllViews(change.notice);
    return change;
}

// A standard brush of a Valve map is saved in the Valve form anyway; as one
// it can keep its texture where it is while it changes.
void CMapEdits::GiveAxesInValveMap(CMapBrush& brush) {
    if (m_doc.m_mapFormat == MapFormat::kValve)
        GiveValveAxes(brush);
}

BrushList& CMapEdits::BrushesOf(CModelEntity* owner) {
    return owner ? owner->m_brushes : m_doc.m_worldBrushes;
}

CMapChange CMapEdits::MoveVertices(CMapBrush& brush, std::span<const int> vertices,
                                   IntPoint delta) {
    CMapChange change{Kind::kMoveVertices};
    change.brush = &brush;
    change.delta = delta;
    const std::optional<IntBox> before = BoundsOf(brush);
    GiveAxesInValveMap(brush);
    // Only Valve faces follow their planes; a drag step of a standard brush
    // costs nothing more.
    const std::vector<Vec3d> normals =
        brush.HasValveAxes() ? GetCornerNormals(brush) : std::vector<Vec3d>();
    for (int v : vertices) {
        // A stale index moves nothing rather than a slot beyond the table.
        if (v >= 0 && v < brush.m_numVertices) {
            Move(brush.m_vertices[v], delta);
            change.vertices.push_back(v);
        }
    }
    if (!change.vertices.empty()) {
        brush.ForgetReadPlanes(); // from now on its faces are saved through its corners
        FollowTurnedPlanes(brush, normals);
    }
    change.notice = AreaNotice(before, BoundsOf(brush));
    return Finish(std::move(change));
}

CMapChange CMapEdits::MoveBrush(CMapBrush& brush, IntPoint delta) {
    CMapChange change{Kind::kMoveBrush};
    change.brush = &brush;
    change.delta = delta;
    const std::optional<IntBox> before = BoundsOf(brush);
    GiveAxesInValveMap(brush);
    for (int v = 0; v < brush.m_numVertices; ++v)
        Move(brush.m_vertices[v], delta);
    brush.ForgetReadPlanes();
    if (m_doc.m_textureLock)
        MoveTexturesWithBrush(brush, delta);
    change.notice = AreaNotice(before, BoundsOf(brush));
    return Finish(std::move(change));
}

CMapChange CMapEdits::MovePointEntity(CPointEntity& entity, IntPoint delta) {
    CMapChange change{Kind::kMovePointEntity};
    change.pointEntity = &entity;
    change.delta = delta;
    const IntBox before = BoundsOf(entity);
    Move(entity.m_origin, delta);
    change.notice = AreaNotice(before, BoundsOf(entity));
    // An origin the file gave in a form the field could not hold is replaced
    // by the one the user moved it to.
    entity.m_keptTexts.Forget("origin");
    return Finish(std::move(change));
}

CMapChange CMapEdits::Touch() {
    return Finish(CMapChange{Kind::kTouch});
}

CMapChange CMapEdits::AddBrush(CModelEntity* owner, std::unique_ptr<CMapBrush> brush,
                               size_t index) {
    CMapChange change{Kind::kAddBrush};
    change.brush = brush.get();
    change.owner = owner;
    change.notice = AreaNotice(std::nullopt, BoundsOf(*brush));
    InsertAt(BrushesOf(owner), std::move(brush), index);
    change.index = index;
    return Finish(std::move(change));
}

// Takes an object out of its list; the selection lets go of it before the
// views hear of the change.
template <class T, class ClearSelection>
std::unique_ptr<T> CMapEdits::TakeOutOf(std::vector<std::unique_ptr<T>>& list, T& item,
                                        CMapChange removal, CMapChange* change,
                                        ClearSelection clearSelection) {
    std::unique_ptr<T> taken = TakeOut(list, item, removal.index);
    if (!taken)
        return nullptr;
    clearSelection();
    removal = Finish(std::move(removal));
    if (change)
        *change = std::move(removal);
    return taken;
}

std::unique_ptr<CMapBrush> CMapEdits::RemoveBrush(CModelEntity* owner, CMapBrush& brush,
                                                  CMapChange* change) {
    CMapChange removal{Kind::kRemoveBrush};
    removal.brush = &brush;
    removal.owner = owner;
    // Taking the selected brush out of an entity unselects the entity, and
    // its other brushes change colour wherever they are.
    const bool unselectsEntity = owner && m_doc.m_selectedBrush == &brush;
    removal.notice =
        unselectsEntity ? CMapNotice::Repaint() : AreaNotice(BoundsOf(brush), std::nullopt);
    return TakeOutOf(BrushesOf(owner), brush, std::move(removal), change, [&] {
        if (m_doc.m_selectedBrush == &brush) {
            m_doc.m_selectedBrush = nullptr;
            m_doc.m_selectedEntity = nullptr;
        }
    });
}

CMapChange CMapEdits::AddPointEntity(std::unique_ptr<CPointEntity> entity, size_t index) {
    CMapChange change{Kind::kAddPointEntity};
    change.pointEntity = entity.get();
    change.notice = AreaNotice(std::nullopt, BoundsOf(*entity));
    InsertAt(m_doc.m_pointEntities, std::move(entity), index);
    change.index = index;
    return Finish(std::move(change));
}

std::unique_ptr<CPointEntity> CMapEdits::RemovePointEntity(CPointEntity& entity,
                                                           CMapChange* change) {
    CMapChange removal{Kind::kRemovePointEntity};
    removal.pointEntity = &entity;
    removal.notice = AreaNotice(BoundsOf(entity), std::nullopt);
    return TakeOutOf(m_doc.m_pointEntities, entity, std::move(removal), change, [&] {
        if (m_doc.m_selectedPointEntity == &entity)
            m_doc.m_selectedPointEntity = nullptr;
    });
}

CMapChange CMapEdits::AddModelEntity(std::unique_ptr<CModelEntity> entity, size_t index) {
    CMapChange change{Kind::kAddModelEntity};
    change.owner = entity.get();
    InsertAt(m_doc.m_modelEntities, std::move(entity), index);
    change.index = index;
    return Finish(std::move(change));
}

std::unique_ptr<CModelEntity> CMapEdits::RemoveModelEntity(CModelEntity& entity,
                                                           CMapChange* change) {
    CMapChange removal{Kind::kRemoveModelEntity};
    removal.owner = &entity;
    return TakeOutOf(m_doc.m_modelEntities, entity, std::move(removal), change, [&] {
        if (m_doc.m_selectedEntity == &entity) {
            m_doc.m_selectedEntity = nullptr;
            m_doc.m_selectedBrush = nullptr;
        }
    });
}

CMapChange CMapEdits::MoveBrushToOwner(CMapBrush& brush, CModelEntity* from, CModelEntity* to,
                                       size_t index) {
    CMapChange change{Kind::kMoveBrushToOwner};
    change.brush = &brush;
    change.owner = from;
    change.newOwner = to;
    std::unique_ptr<CMapBrush> taken = TakeOut(BrushesOf(from), brush, change.index);
    if (!taken)
        return CMapChange{};
    InsertAt(BrushesOf(to), std::move(taken), index);
    if (m_doc.m_selectedBrush == &brush)
        m_doc.m_selectedEntity = to;
    return Finish(std::move(change));
}

CMapChange CMapEdits::SetPointEntityKeys(CPointEntity& entity, const CPointEntity& keys) {
    CMapChange change{Kind::kSetPointEntityKeys};
    change.pointEntity = &entity;
    change.notice = AreaNotice(BoundsOf(entity), BoundsOf(keys));
    entity = keys;
    return Finish(std::move(change));
}

CMapChange CMapEdits::SetModelEntityKeys(CModelEntity& entity, const CModelEntityKeys& keys) {
    CMapChange change{Kind::kSetModelEntityKeys};
    change.owner = &entity;
    static_cast<CModelEntityKeys&>(entity) = keys;
    return Finish(std::move(change));
}

CMapChange CMapEdits::SetWorldKeys(const CWorldKeys& keys) {
    static_cast<CWorldKeys&>(m_doc) = keys;
    return Finish(CMapChange{Kind::kSetWorldKeys});
}

CMapChange CMapEdits::SetFaceTexture(CMapBrush& brush, int face, const FaceTexture& texture) {
    if (face < 0 || face >= brush.m_numFaces)
        return CMapChange{};
    CMapChange change{Kind::kSetFaceTexture};
    change.brush = &brush;
    change.face = face;
    // The views draw no textures; whatever they might show of one lies on
    // the brush.
    change.notice = AreaNotice(BoundsOf(brush), std::nullopt);
    ApplyFaceTexture(brush, face, texture);
    return Finish(std::move(change));
}

namespace {

// The low 16 bits of a whole offset, as a standard face keeps it.
int16_t ToFieldOffset(double offset) {
    if (!std::isfinite(offset) || std::fabs(offset) >= 2147483648.0)
        return 0;
    return static_cast<int16_t>(static_cast<uint16_t>(static_cast<int32_t>(std::lround(offset))));
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

CMapChange CMapEdits::RestoreBrush(CMapBrush& brush, const CMapBrush& state) {
    CMapChange change{Kind::kRestoreBrush};
    change.brush = &brush;
    change.notice = AreaNotice(BoundsOf(brush), BoundsOf(state));
    brush = state;
    return Finish(std::move(change));
}

CMapChange CMapEdits::ExchangeContents(CMapFragment& other) {
    std::swap(static_cast<CWorldKeys&>(m_doc), other.world);
    std::string wad = m_doc.m_textureWad.GetFileName();
    // A map without "wad" opens with the default one; so it is exchanged.
    m_doc.m_textureWad.SetFileName(other.wad.value_or(kDefaultTextureWad));
    other.wad = std::move(wad);
    other.hasWorld = true;
    std::swap(m_doc.m_worldBrushes, other.worldBrushes);
    std::swap(m_doc.m_modelEntities, other.modelEntities);
    std::swap(m_doc.m_pointEntities, other.pointEntities);
    std::swap(m_doc.m_mapFormat, other.format);
    std::swap(m_doc.m_mapGame, other.game);
    std::swap(m_doc.m_fractionalBrushLines, other.fractionalBrushLines);
    m_doc.m_selectedEntity = nullptr;
    m_doc.m_selectedBrush = nullptr;
    m_doc.m_selectedPointEntity = nullptr;
    m_doc.m_selectedVertex = 0;
    m_doc.m_selectedFace = 0;
    return Finish(CMapChange{Kind::kExchangeContents});
}
