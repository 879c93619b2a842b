#include "bench/SceneBenchMaps.h"

#include "bench/ReadGeneratedMap.h"
#include "map/CPointEntity.h"

#include <cstdlib>
#include <map>
#include <memory>

CTolveDoc& GetGeneratedMap(int brushes) {
    static std::map<int, std::unique_ptr<CTolveDoc>> s_maps;
    std::unique_ptr<CTolveDoc>& doc = s_maps[brushes];
    if (!doc) {
        doc = std::make_unique<CTolveDoc>();
        ReadGeneratedMap(*doc, brushes);
    }
    return *doc;
}

namespace {

std::unique_ptr<CTolveDoc> ReadRealMap() {
    const char* path = std::getenv("TOLVE_BENCH_MAP");
    if (!path || !*path)
        return nullptr;
    auto doc = std::make_unique<CTolveDoc>();
    UserMessages messages;
    if (!doc->OnOpenDocument(path, messages))
        return nullptr;
    if (const char* wads = std::getenv("TOLVE_BENCH_WADS"))
        doc->m_textureWad.SetTextureFolders({wads});
    doc->m_textureWad.LoadTextureWad();
    return doc;
}

} // namespace

CTolveDoc* GetRealMap() {
    static std::unique_ptr<CTolveDoc> s_doc = ReadRealMap();
    return s_doc.get();
}

CSceneCamera CameraAtPlayerStart(const CTolveDoc& doc) {
    CSceneCamera camera;
    for (const auto& entity : doc.GetPointEntities()) {
        if (entity->m_classname == "info_player_start") {
            camera.SetPosition(ToVec3d(entity->m_origin) + Vec3d{0, 0, 22});
            break;
        }
    }
    camera.SetAngles(30, -10);
    return camera;
}
