#include "map/CTolveDoc.h"

#include "entity/EntityClassNames.h"
#include "framework/CMessageService.h"
#include "framework/CSafeFileWriter.h"
#include "framework/RegularFile.h"
#include "map/CMapReader.h"
#include "map/CMapWriter.h"
#include "map/MapFileMessages.h"
#include "map/MapLimits.h"
#include "map/MapOrder.h"
#include "map/MapTextEncoding.h"

#include <algorithm>
#include <filesystem>

CTolveDoc::CTolveDoc()
    : m_pointClassNames(GetPointClassNames()), m_brushClassNames(GetBrushClassNames()) {
    m_history.AddListener([this](bool contents) { FollowHistory(contents); });
}

// A change of the map counts, so that a copy can tell it is out of date, even
// when an undo brings back the state on disk.
void CTolveDoc::FollowHistory(bool contents) {
    if (contents)
        SetModifiedFlag(true);
    SetModifiedFlag(!m_history.IsClean());
}

CTolveDoc::~CTolveDoc() {
    DeleteContents();
}

void CTolveDoc::Serialize() {
    ShowMessageBox("Cop'ing an Attitude", "I will not serialize", MessageIcon::kInformation);
}

void CTolveDoc::DeleteContents() {
    // The history holds objects and points at others.
    m_history.Clear();
    m_pointFile.reset();
    // A brush entity's brushes go before the entity itself.
    m_brushBoxes.Forget();
    m_worldBrushes.clear();
    for (auto& entity : m_modelEntities)
        entity->m_brushes.clear();
    m_modelEntities.clear();
    m_pointEntities.clear();
    m_worldOtherPairs.clear();
    m_worldKeptTexts = CKeptTexts();
    m_worldKeyLayout = CKeyLayout();
    m_header.clear();
    m_utf8Mark = false;
    m_source = MapSourceText();
    m_wholeSaveReason.clear();
    // Nothing may keep pointing at what was just deleted.
    m_editorState.ForgetSelection();
    CDocument::DeleteContents();
}

void CTolveDoc::ResetWorld() {
    m_hasWorldLight = false;
    m_hasWorldSounds = false;
    m_worldType = -1;
    m_editorState.Reset();
    m_mapFormat = MapFormat::kStandard;
    m_statesMapVersion = true;
    m_mapGame = MapGame::kQuake;
    m_fractionalBrushLines.clear();
    m_readNotices.clear();
    m_textureWad.SetUnnamed();
}

bool CTolveDoc::OnNewDocument() {
    if (!CDocument::OnNewDocument())
        return false;
    ResetWorld();
    return true;
}

namespace {

std::string FolderOf(const std::string& path) {
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(path, error);
    return (error ? std::filesystem::path(path) : full).parent_path().string();
}

} // namespace

bool CTolveDoc::OnOpenDocument(const std::string& path, UserMessages& messages) {
    ResetWorld();
    m_textureWad.SetMapFolder(FolderOf(path));
    CMapErrorList problems;
    FileStamp stamp;
    if (std::optional<FileError> error = ReadMapFile(path, problems, &stamp)) {
        messages.push_back(DescribeReadFailure(*error));
        return false;
    }
    GetKnownFile().Remember(stamp, IsSymbolicLink(path));
    m_readNotices = problems.DescribeNotices();
    if (std::optional<UserMessage> box = problems.ToMessage())
        messages.push_back(std::move(*box));
    return true;
}

bool CTolveDoc::OnSaveDocument(const std::string& path, UserMessages& messages) {
    AttributeChange ignored;
    return SaveDocumentFile(path, messages, ignored) == SaveResult::kSaved;
}

CTolveDoc::SaveResult CTolveDoc::SaveDocumentFile(const std::string& path, UserMessages& messages,
                                                  AttributeChange& attributes,
                                                  const ExpectedTarget* expected) {
    // A texture or definition file named relative to the map must still be
    // found from the map's new place.
    const std::string wadName = m_textureWad.GetFileName();
    const std::string wadFolder = m_textureWad.GetMapFolder();
    const std::string definitions = GetDefinitionsValue(*this);
    MoveDefinitionEntries(*this, wadFolder, FolderOf(path));
    m_textureWad.SetMapFolder(FolderOf(path));
    WrittenFile written;
    std::optional<FileError> error = WriteMapFile(path, &written, expected);
    if (!error) {
        GetKnownFile().Remember(written.stamp, written.throughLink);
        attributes = written.attributes;
        return SaveResult::kSaved;
    }
    m_textureWad.RestoreLocation(wadName, wadFolder);
    SetDefinitionsValue(*this, definitions);
    if (expected && error->changedMeanwhile)
        return SaveResult::kChangedMeanwhile;
    messages.push_back(DescribeSaveFailure(*error));
    return SaveResult::kFailed;
}

std::optional<FileError> CTolveDoc::ReadMapFile(const std::string& path,
                                                CMapDiagnostics& diagnostics, FileStamp* stamp) {
    auto text = std::make_shared<std::string>();
    std::string reason;
    if (!ReadRegularFile(path, *text, reason, kMaxMapFileBytes, stamp))
        return FileError{path, reason};
    reason = FindNotTextMapReason(*text);
    if (!reason.empty())
        return FileError{path, reason, true};
    ReadMapText(std::move(text), diagnostics);
    return std::nullopt;
}

void CTolveDoc::ReadMapText(std::string_view text, CMapDiagnostics& diagnostics) {
    ReadMapText(std::make_shared<const std::string>(text), diagnostics);
}

void CTolveDoc::ReadMapText(std::shared_ptr<const std::string> text, CMapDiagnostics& diagnostics) {
    // The world read starts from the document's, so that what it does not set
    // (its message, the pairs of an earlier worldspawn) stays.
    MapFragment fragment;
    fragment.world = static_cast<const CWorldKeys&>(*this);
    fragment.world.m_worldSource.Forget();
    CMapReader(fragment, *text, diagnostics).ReadMap();
    fragment.source.text = std::move(text);
    AdoptFragment(std::move(fragment));
}

namespace {

// Objects joining a map that has text of its own are new text in it.
void ForgetSpans(MapFragment& fragment) {
    fragment.world.m_worldSource.Forget();
    for (const auto& brush : fragment.worldBrushes)
        brush->m_source.Forget();
    for (const auto& entity : fragment.pointEntities)
        entity->m_source.Forget();
    for (const auto& entity : fragment.modelEntities) {
        entity->m_source.Forget();
        for (const auto& brush : entity->m_brushes)
            brush->m_source.Forget();
    }
}

} // namespace

void CTolveDoc::AdoptFragment(MapFragment&& fragment) {
    const bool emptyMap =
        m_worldBrushes.empty() && m_modelEntities.empty() && m_pointEntities.empty();
    if (emptyMap && !m_source.HasText()) {
        m_source = std::move(fragment.source);
    } else {
        ForgetSpans(fragment);
        // The world's keys change; the comments before them stay.
        fragment.world.m_worldSource = m_worldSource;
        fragment.world.m_worldSource.Touch();
    }
    m_mapFormat = fragment.format;
    m_statesMapVersion = fragment.statesMapVersion;
    m_mapGame = fragment.game;
    m_fractionalBrushLines = std::move(fragment.fractionalBrushLines);
    m_header = std::move(fragment.header);
    m_utf8Mark = fragment.utf8Mark;
    if (fragment.hasWorld) {
        static_cast<CWorldKeys&>(*this) = std::move(fragment.world);
        if (fragment.wad)
            m_textureWad.SetFileName(*fragment.wad);
        else
            m_textureWad.SetUnnamed();
    }
    m_brushBoxes.Forget();
    for (auto& brush : fragment.worldBrushes)
        m_worldBrushes.push_back(std::move(brush));
    // The entities come after those the map has, in their own order.
    for (const MapOrderEntry& entry :
         ArrangeInMapOrder(&fragment.modelEntities, &fragment.pointEntities)) {
        if (entry.point) {
            fragment.pointEntities[entry.index]->m_mapOrder = TakeMapOrder();
            m_pointEntities.push_back(std::move(fragment.pointEntities[entry.index]));
        } else {
            fragment.modelEntities[entry.index]->m_mapOrder = TakeMapOrder();
            m_modelEntities.push_back(std::move(fragment.modelEntities[entry.index]));
        }
    }
}

void CTolveDoc::FollowMapOrders() {
    m_nextMapOrder =
        std::max(m_nextMapOrder, FindLastMapOrder(m_modelEntities, m_pointEntities) + 1);
}

void CTolveDoc::RecogniseGameByTextures() {
    if (m_mapGame == MapGame::kQuake && m_mapFormat == MapFormat::kValve &&
        m_textureWad.HasWad3File())
        m_mapGame = MapGame::kHalfLife;
}

void CTolveDoc::AddView(CMapObserver* view) {
    m_views.push_back(view);
}

void CTolveDoc::RemoveView(CMapObserver* view) {
    std::erase(m_views, view);
}

void CTolveDoc::UpdateAllViews(const MapNotice& notice) {
    // A view may close itself while handling a change; walk a copy.
    const std::vector<CMapObserver*> views = m_views;
    for (CMapObserver* view : views)
        view->OnMapChanged(notice);
}

MapContents CTolveDoc::GetContents() const {
    MapContents contents;
    contents.utf8Mark = m_utf8Mark;
    contents.header = m_header;
    contents.world = this;
    if (m_textureWad.IsNamed())
        contents.wad = m_textureWad.GetFileName();
    contents.worldBrushes = &m_worldBrushes;
    contents.modelEntities = &m_modelEntities;
    contents.pointEntities = &m_pointEntities;
    contents.format = m_mapFormat;
    contents.statesMapVersion = m_statesMapVersion;
    return contents;
}

std::optional<FileError> CTolveDoc::WriteMapFile(const std::string& path, WrittenFile* written,
                                                 const ExpectedTarget* expected) {
    MapContents contents = GetContents();
    contents.source = &m_source;
    contents.keepLayout = m_keepLayout;
    CMapWriter::SavedText saved;
    std::optional<FileError> error =
        CMapWriter::WriteFile(contents, path, written, expected, &saved);
    if (error)
        return error;
    m_wholeSaveReason = std::move(saved.wholeReason);
    KeepSavedText(std::move(saved.text), saved.spans);
    m_history.MarkClean();
    return std::nullopt;
}

// The text saved is the one the objects are kept as from now on; the states
// the history holds are in no text kept, but keep the comments their objects
// were saved with.
void CTolveDoc::KeepSavedText(std::string text, const SavedSpans& spans) {
    if (text.size() >= kNoText) {
        m_history.ForgetSources(false);
        m_source = MapSourceText();
        return;
    }
    ApplySavedSpans(spans, *this);
    m_history.ForgetSources(true);
    m_source.text = std::make_shared<const std::string>(std::move(text));
    m_source.trailingBegin = spans.trailingBegin;
    m_source.format = m_mapFormat;
    m_source.wad.reset();
    if (m_textureWad.IsNamed())
        m_source.wad = m_textureWad.GetFileName();
    m_source.statesMapVersion = m_statesMapVersion;
    m_source.wholeReason.clear();
}
