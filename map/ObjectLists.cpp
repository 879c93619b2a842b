#include "map/ObjectLists.h"

#include "map/CTolveDoc.h"
#include "map/ObjectBounds.h"

#include <algorithm>

namespace {

// Where `item` is: at `hint` when it is still there (undo and redo know the
// place), else the nearest to the end. Edits of many objects take them out
// from the last one back, so that each is found at once and nothing after it
// has to move: a hundred thousand removals cost no more than one pass.
template <class T>
size_t IndexOf(const std::vector<std::unique_ptr<T>>& list, const T& item, size_t hint) {
    if (hint < list.size() && list[hint].get() == &item)
        return hint;
    auto found = std::find_if(list.rbegin(), list.rend(), [&](const std::unique_ptr<T>& entry) {
        return entry.get() == &item;
    });
    return found == list.rend() ? list.size() : static_cast<size_t>(list.rend() - found) - 1;
}

template <class T>
void InsertAt(std::vector<std::unique_ptr<T>>& list, std::unique_ptr<T> item, size_t& index) {
    index = std::min(index, list.size());
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(index), std::move(item));
}

template <class T>
std::unique_ptr<T> TakeOut(std::vector<std::unique_ptr<T>>& list, const T& item, size_t& index) {
    index = IndexOf(list, item, index);
    if (index == list.size())
        return nullptr;
    std::unique_ptr<T> taken = std::move(list[index]);
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(index));
    return taken;
}

// An entity new to the map comes after all others in map order; one that
// comes back keeps its place.
template <class Entity> void GivePlace(CTolveDoc& doc, Entity& entity) {
    if (entity.m_mapOrder == 0)
        entity.m_mapOrder = doc.TakeMapOrder();
}

} // namespace

MapNotice AreaNotice(std::optional<IntBox> before, const std::optional<IntBox>& after) {
    Grow(before, after);
    return before ? MapNotice::Area(*before) : MapNotice::Repaint();
}

// Whoever may change a list changes the order of the boxes too.
BrushList& BrushesOf(CTolveDoc& doc, CModelEntity* owner) {
    doc.m_brushBoxes.Forget();
    return owner ? owner->m_brushes : doc.m_worldBrushes;
}

PointEntityList& PointEntitiesOf(CTolveDoc& doc) {
    return doc.m_pointEntities;
}

ModelEntityList& ModelEntitiesOf(CTolveDoc& doc) {
    doc.m_brushBoxes.Forget();
    return doc.m_modelEntities;
}

void PutBrush(CTolveDoc& doc, CModelEntity* owner, std::unique_ptr<CMapBrush> brush,
              size_t& index) {
    const MapNotice notice = AreaNotice(BoundsOf(*brush), std::nullopt);
    InsertAt(BrushesOf(doc, owner), std::move(brush), index);
    doc.UpdateAllViews(notice);
}

std::unique_ptr<CMapBrush> TakeBrush(CTolveDoc& doc, CModelEntity* owner, CMapBrush& brush,
                                     size_t& index) {
    // Taking the selected brush out of an entity unselects the entity, and
    // its other brushes change colour wherever they are.
    const bool unselectsEntity = owner && doc.GetEditorState().GetSelectedBrush() == &brush;
    const MapNotice notice =
        unselectsEntity ? MapNotice::Repaint() : AreaNotice(BoundsOf(brush), std::nullopt);
    std::unique_ptr<CMapBrush> taken = TakeOut(BrushesOf(doc, owner), brush, index);
    if (!taken)
        return nullptr;
    doc.GetEditorState().ForgetBrush(brush);
    doc.UpdateAllViews(notice);
    return taken;
}

void PutPointEntity(CTolveDoc& doc, std::unique_ptr<CPointEntity> entity, size_t& index) {
    GivePlace(doc, *entity);
    const MapNotice notice = MapNotice::Area(BoundsOf(*entity));
    InsertAt(PointEntitiesOf(doc), std::move(entity), index);
    doc.UpdateAllViews(notice);
}

std::unique_ptr<CPointEntity> TakePointEntity(CTolveDoc& doc, CPointEntity& entity, size_t& index) {
    const MapNotice notice = MapNotice::Area(BoundsOf(entity));
    std::unique_ptr<CPointEntity> taken = TakeOut(PointEntitiesOf(doc), entity, index);
    if (!taken)
        return nullptr;
    doc.GetEditorState().ForgetPointEntity(entity);
    doc.UpdateAllViews(notice);
    return taken;
}

void PutModelEntity(CTolveDoc& doc, std::unique_ptr<CModelEntity> entity, size_t& index) {
    GivePlace(doc, *entity);
    InsertAt(ModelEntitiesOf(doc), std::move(entity), index);
    doc.UpdateAllViews(MapNotice::Repaint());
}

std::unique_ptr<CModelEntity> TakeModelEntity(CTolveDoc& doc, CModelEntity& entity, size_t& index) {
    std::unique_ptr<CModelEntity> taken = TakeOut(ModelEntitiesOf(doc), entity, index);
    if (!taken)
        return nullptr;
    doc.GetEditorState().ForgetModelEntity(entity);
    doc.UpdateAllViews(MapNotice::Repaint());
    return taken;
}

bool MoveBrushBetween(CTolveDoc& doc, CMapBrush& brush, CModelEntity* from, CModelEntity* to,
                      size_t& fromIndex, size_t toIndex) {
    std::unique_ptr<CMapBrush> taken = TakeOut(BrushesOf(doc, from), brush, fromIndex);
    if (!taken)
        return false;
    InsertAt(BrushesOf(doc, to), std::move(taken), toIndex);
    doc.GetEditorState().FollowBrush(brush, to);
    doc.UpdateAllViews(MapNotice::Repaint());
    return true;
}

void ExchangeContents(CTolveDoc& doc, MapFragment& other) {
    std::swap(static_cast<CWorldKeys&>(doc), other.world);
    CTextureWad& textures = doc.m_textureWad;
    std::optional<std::string> wad;
    if (textures.IsNamed())
        wad = textures.GetFileName();
    if (other.wad)
        textures.SetFileName(*other.wad);
    else
        textures.SetUnnamed();
    const bool otherTextures = other.wad != wad;
    other.wad = std::move(wad);
    other.hasWorld = true;
    std::swap(doc.m_header, other.header);
    std::swap(doc.m_utf8Mark, other.utf8Mark);
    std::swap(BrushesOf(doc, nullptr), other.worldBrushes);
    std::swap(ModelEntitiesOf(doc), other.modelEntities);
    std::swap(PointEntitiesOf(doc), other.pointEntities);
    std::swap(doc.m_mapFormat, other.format);
    std::swap(doc.m_statesMapVersion, other.statesMapVersion);
    std::swap(doc.m_mapGame, other.game);
    std::swap(doc.m_fractionalBrushLines, other.fractionalBrushLines);
    std::swap(doc.m_source, other.source);
    doc.FollowMapOrders();
    doc.GetEditorState().ForgetSelection();
    if (otherTextures)
        doc.m_textureWad.LoadTextureWad();
    doc.UpdateAllViews(MapNotice::Repaint());
}
