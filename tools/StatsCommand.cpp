#include "map/CTolveDoc.h"
#include "tools/MapCommands.h"
#include "tools/MapOpening.h"

#include <cstdio>

namespace {

struct MapCounts {
    long entities = 0;
    long brushes = 0;
    long faces = 0;
    long vertices = 0;

    void AddBrushes(const BrushList& list) {
        for (const auto& brush : list) {
            ++brushes;
            faces += brush->m_numFaces;
            vertices += brush->m_numVertices;
        }
    }
};

} // namespace

int RunStatsCommand(int argc, char** argv) {
    if (argc != 1 || WantsHelp(argc, argv)) {
        bool help = WantsHelp(argc, argv);
        std::fprintf(help ? stdout : stderr,
                     "usage: tolve-map stats FILE\n\n"
                     "Prints the numbers of entities (the world included), brushes, faces and\n"
                     "vertices of a map, then its form (standard or Valve 220) and the game it\n"
                     "was made for, as the editor tells it once the map's texture files are\n"
                     "loaded. Exit status 2 when the file cannot be read.\n");
        return help ? 0 : 2;
    }
    CTolveDoc doc;
    if (!OpenMapForCommand(doc, argv[0]))
        return 2;
    RecogniseGameQuietly(doc);
    MapCounts counts;
    counts.entities =
        1 + static_cast<long>(doc.GetModelEntities().size() + doc.GetPointEntities().size());
    counts.AddBrushes(doc.GetWorldBrushes());
    for (const auto& entity : doc.GetModelEntities())
        counts.AddBrushes(entity->m_brushes);
    std::printf("entities: %ld\nbrushes: %ld\nfaces: %ld\nvertices: %ld\n", counts.entities,
                counts.brushes, counts.faces, counts.vertices);
    std::printf("format: %s\ngame: %s\n", DescribeMapFormat(doc.m_mapFormat),
                GetGameName(doc.m_mapGame));
    return 0;
}
