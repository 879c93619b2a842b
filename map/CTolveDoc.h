#pragma once

#include "framework/CDocument.h"
#include "framework/FileError.h"
#include "map/CBrushBoxIndex.h"
#include "map/CEditorState.h"
#include "map/CMapDefinitions.h"
#include "map/CMapHistory.h"
#include "map/CModelEntity.h"
#include "map/CPointEntity.h"
#include "map/CWorldKeys.h"
#include "map/MapDiagnostics.h"
#include "map/MapFragment.h"
#include "map/MapNotice.h"
#include "map/PointFile.h"
#include "texture/CTextureWad.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct AttributeChange;
struct ExpectedTarget;
struct WrittenFile;

// One open map: the world, its brush and point entities, the texture catalogue
// and the editing state that all views of the map share.
// The world's keys are its own members (CWorldKeys) but "wad", which is the
// file name of its texture catalogue.
class CTolveDoc : public CDocument, public CWorldKeys {
public:
    CTolveDoc();
    ~CTolveDoc() override;

    void DeleteContents() override;
    bool OnNewDocument() override;
    // Reads the map; its texture catalogue is the caller's to load.
    bool OnOpenDocument(const std::string& path, UserMessages& messages) override;
    bool OnSaveDocument(const std::string& path, UserMessages& messages) override;
    enum class SaveResult { kSaved, kFailed, kChangedMeanwhile };
    // The file opened or saved becomes the one the document knows
    // (GetKnownFile). This save also tells in `attributes` what the new file
    // kept of the owner, group and permissions of the one it replaced. With
    // `expected`, a file not in that state fails the save as changed
    // meanwhile, with no message: the caller asks the user again.
    SaveResult SaveDocumentFile(const std::string& path, UserMessages& messages,
                                AttributeChange& attributes,
                                const ExpectedTarget* expected = nullptr);

    // Maps are only read and written as map text, never through an archive.
    void Serialize();

    // The defaults of a new map: world keys, limits, snap, mode and selection.
    void ResetWorld();

    // Reads a map file into the (reset) document; problems in the text go to
    // `diagnostics`. A file that cannot be read at all, or is no text map,
    // comes back as an error and nothing is read. `stamp`, when given, gets
    // the stamp of the file read.
    std::optional<FileError> ReadMapFile(const std::string& path, CMapDiagnostics& diagnostics,
                                         FileStamp* stamp = nullptr);
    // Reads map text; a leading UTF-8 byte-order mark is skipped. The map
    // keeps the text (a copy of it, unless it is given shared) so that a save
    // can keep its layout.
    void ReadMapText(std::string_view text, CMapDiagnostics& diagnostics);
    void ReadMapText(std::shared_ptr<const std::string> text, CMapDiagnostics& diagnostics);
    // Takes over what was read: the world's keys when the fragment has a world
    // (its brushes join the world's), the entities at the end of the lists,
    // and the form, game and notices of the read. The text of a fragment read
    // into an empty map becomes the map's; a fragment joining a map with
    // objects is new text in it.
    void AdoptFragment(MapFragment&& fragment);
    // The whole map, for the writer.
    MapContents GetContents() const;

    // The views of the map hear of every change, synchronously, in the order
    // they registered.
    void AddView(CMapObserver* view);
    void RemoveView(CMapObserver* view);
    const std::vector<CMapObserver*>& GetViews() const { return m_views; }
    void UpdateAllViews(const MapNotice& notice);
    // Saves the map safely; clears the modified flag only once the file is on
    // disk, and leaves everything as it was on failure. `written`, when given,
    // learns what the save left on disk. The text saved becomes the text the
    // map's objects are kept as.
    std::optional<FileError> WriteMapFile(const std::string& path, WrittenFile* written = nullptr,
                                          const ExpectedTarget* expected = nullptr);

    // Every change of the map is a step of its history (see CMapTransaction),
    // whose saved state alone says whether the map is modified.
    CMapHistory& GetHistory() { return m_history; }
    const CMapHistory& GetHistory() const { return m_history; }

    // A map made for another game is never saved over its file.
    bool IsOtherGameMap() const { return m_mapGame != MapGame::kQuake; }
    // Once the texture files are loaded: a Valve map whose textures come in
    // Half-Life's texture files is a Half-Life map.
    void RecogniseGameByTextures();

    CTextureWad m_textureWad;
    // The entity classes of the definition files the map names.
    CMapDefinitions m_definitions;
    // A compiler's leak trace, drawn over the map in every view while loaded.
    std::optional<PointFile> m_pointFile;
    // Null when the map names none: the built-in classes serve.
    const CEntityDefinitions* GetEntityDefinitions() const {
        return m_definitions.Get(*this, m_textureWad.GetMapFolder());
    }
    MapFormat m_mapFormat = MapFormat::kStandard; // the form Save writes
    // Whether a Valve map says so in its world (see MapFragment); a map that
    // changes its form says it from then on.
    bool m_statesMapVersion = true;
    void SetMapFormat(MapFormat format) {
        if (format != m_mapFormat)
            m_statesMapVersion = true;
        m_mapFormat = format;
    }
    MapGame m_mapGame = MapGame::kQuake;
    // The comment lines that headed the file, written back at its top, after
    // the byte-order mark it began with, if any.
    std::string m_header;
    bool m_utf8Mark = false;
    // What the status bar tells of the notices of the last read; empty when
    // there were none.
    std::string m_readNotices;
    // Brushes read with plane points that are not whole numbers: the line of
    // each one's opening brace, counted from 0.
    std::vector<int> m_fractionalBrushLines;
    // Moving a Valve face moves its texture along with it.
    bool m_textureLock = true;
    // A save writes anew only what was touched since the file was read or
    // saved, and copies the rest (the setting Save/KeepLayout).
    bool m_keepLayout = true;
    // The text the map was last read from or saved as (see TextSpan.h).
    MapSourceText m_source;
    // Why the last save wrote the whole file anew though the layout was to be
    // kept; empty when it did not.
    const std::string& GetWholeSaveReason() const { return m_wholeSaveReason; }
    std::vector<std::string> m_pointClassNames;
    std::vector<std::string> m_brushClassNames;

    // The map's objects, in file order; they change only through the map
    // edits of a transaction.
    const BrushList& GetWorldBrushes() const { return m_worldBrushes; }
    // Every brush's box, in map order (see CBrushBoxIndex).
    const std::vector<CBrushBoxIndex::Entry>& GetBrushBoxes() const {
        return m_brushBoxes.GetEntries(*this);
    }
    // Changes whenever the brush lists changed (valid after GetBrushBoxes).
    uint64_t GetBrushListGeneration() const { return m_brushBoxes.GetBuildCount(); }
    // The boxes of runs of those entries, valid after GetBrushBoxes.
    const std::vector<std::optional<IntBox>>& GetBrushRunBoxes() const {
        return m_brushBoxes.GetRunBoxes();
    }
    // The place in map order of the next entity to join the map (see
    // MapOrder.h).
    uint64_t TakeMapOrder() { return m_nextMapOrder++; }
    // Whoever puts in entities that have places of their own makes the next
    // place come after them.
    void FollowMapOrders();

    // Whoever changes a brush's corners in the map tells the document.
    void BrushChanged(const CMapBrush& brush) { m_brushBoxes.BrushChanged(brush); }
    const ModelEntityList& GetModelEntities() const { return m_modelEntities; }
    const PointEntityList& GetPointEntities() const { return m_pointEntities; }

    // Selection, edit mode, snap, limits and insertion point.
    CEditorState& GetEditorState() { return m_editorState; }
    const CEditorState& GetEditorState() const { return m_editorState; }

private:
    friend BrushList& BrushesOf(CTolveDoc& doc, CModelEntity* owner);
    friend PointEntityList& PointEntitiesOf(CTolveDoc& doc);
    friend ModelEntityList& ModelEntitiesOf(CTolveDoc& doc);

    // Only the history says whether the map is modified.
    using CDocument::SetModifiedFlag;
    void FollowHistory(bool contents);
    void KeepSavedText(std::string text, const SavedSpans& spans);

    BrushList m_worldBrushes;
    mutable CBrushBoxIndex m_brushBoxes; // built when asked for
    ModelEntityList m_modelEntities;
    PointEntityList m_pointEntities;
    std::vector<CMapObserver*> m_views;
    CMapHistory m_history;
    CEditorState m_editorState{*this};
    uint64_t m_nextMapOrder = 1;
    std::string m_wholeSaveReason;
};
