#include "app/CDocManager.h"

#include "app/CChildFrame.h"
#include "app/CFileChangeWatcher.h"
#include "app/CRecentFileList.h"
#include "app/CSaveFileChooser.h"
#include "app/CWindowArranger.h"
#include "app/DefinitionCommands.h"
#include "app/KeepLayoutSetting.h"
#include "app/OpenMapSettings.h"
#include "app/SearchFolderSetting.h"
#include "app/ViewLayoutSetting.h"
#include "framework/CFileChooser.h"
#include "framework/CMessageService.h"
#include "framework/CSafeFileWriter.h"
#include "framework/CStatusNotice.h"
#include "framework/FileAttributes.h"
#include "gl/CCameraView.h"
#include "gl/CameraViewSupport.h"
#include "map/CTolveDoc.h"
#include "map/FormatConversion.h"
#include "map/MapFileMessages.h"
#include "texture/TextureWadPrompt.h"
#include "widgets/CTolveView.h"

#include <QFile>
#include <QFileInfo>
#include <QMdiArea>

#include <algorithm>

namespace {

const char* const kUntitledBase = "Tolve";

FileChooserRequest MapFileRequest() {
    return {"Quake Map Files (*.map)", "*.map", "map", true};
}

// The forms Save As offers, in the order of MapFormat.
SaveFileKinds MapFormatKinds(MapFormat current) {
    return {{"Quake map, standard format", "Quake map, Valve 220 format"},
            static_cast<int>(current)};
}

// Saving a Valve map in the standard form changes the textures of faces it
// cannot express; the user decides.
bool AcceptFormat(const CTolveDoc& doc, MapFormat format) {
    if (format != MapFormat::kStandard)
        return true;
    const std::vector<UnconvertibleFace> faces = FindLossesInStandardForm(doc.GetContents());
    if (faces.empty())
        return true;
    const std::string question =
        "The standard format cannot express the texture axes of " + std::to_string(faces.size()) +
        (faces.size() == 1 ? " face or brush" : " faces or brushes") + ":\n\n" +
        DescribeUnconvertibleFaces(faces, 12) +
        "\nSaved in the standard format, faces get the nearest standard texture and brushes "
        "kept as written stay as they are. Save anyway?";
    return AskQuestion("Save As", question) == MessageAnswer::kYes;
}

// Another game's map is written as Tolve read it, which the user agrees to.
bool AcceptSavingOtherGameMap(const CTolveDoc& doc) {
    if (!doc.IsOtherGameMap())
        return true;
    const std::string question = "\"" + doc.GetTitle() + "\" is a " + GetGameName(doc.m_mapGame) +
                                 " map. Tolve saves what it read of it, which that game's tools "
                                 "may not take as they took the original. Save it anyway?";
    return AskQuestion("Save As", question) == MessageAnswer::kYes;
}

// What the user should know of a map once it is open: another game's map is
// read-only; brushes with decimal plane points are kept as written, and what
// the read noticed, both in one status line.
void TellWhatWasRead(CTolveDoc& doc) {
    doc.RecogniseGameByTextures();
    if (doc.IsOtherGameMap())
        ShowMessages({DescribeOtherGameMap(doc.GetTitle(), doc.m_mapGame)});
    std::string status;
    if (!doc.m_fractionalBrushLines.empty())
        status = DescribeFractionalBrushes(doc.m_fractionalBrushLines.size());
    if (!doc.m_readNotices.empty())
        status += (status.empty() ? "" : "; ") + doc.m_readNotices;
    if (!status.empty())
        ShowStatusNotice(status);
}

std::string ToLocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString FromLocalPath(const std::string& path) {
    return QFile::decodeName(path.c_str());
}

// One spelling per file, so that a map is never open twice.
QString CanonicalPath(const QString& path) {
    QFileInfo info(path);
    QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

// The map's texture and entity definition files, looked for in the folders
// as they are set now.
void LoadTexturesAndDefinitions(CTolveDoc& doc, bool newMap = false) {
    CTextureWad& wad = doc.m_textureWad;
    wad.SetTextureFolders(LoadTextureFolders());
    if (newMap)
        StartNewMapTextures(wad);
    else
        LoadTextureWadAsking(wad);
    LoadEntityDefinitions(doc);
}

// Another program wrote or removed the map's file since Tolve read or saved
// it, or while Tolve was saving it (`duringSave`). Yes overwrites, No saves
// elsewhere, Cancel saves nothing; a file as Tolve left it is simply saved
// over. Return keeps both versions. `seen` gets the state of the file the
// answer is about, which the save then expects.
MessageAnswer AskAboutOtherWriter(const CTolveDoc& doc, FileStamp& seen, bool duringSave) {
    CKnownFile::Change change = doc.GetKnownFile().Compare(doc.GetPathName(), &seen);
    if (change == CKnownFile::Change::kNone) {
        if (!duringSave)
            return MessageAnswer::kYes;
        change = seen.exists ? CKnownFile::Change::kChanged : CKnownFile::Change::kRemoved;
    }
    const std::string name = "\"" + doc.GetTitle() + "\"";
    if (change == CKnownFile::Change::kRemoved)
        return AskQuestion("Save",
                           name + " is no longer on disk: another program removed or moved it "
                                  "since Tolve read or saved it.\n\nSave the map there again, "
                                  "or save it elsewhere?",
                           {"Save there", "Save elsewhere", "Cancel", MessageAnswer::kNo});
    return AskQuestion("Save",
                       name + " was changed on disk by another program since Tolve read or "
                              "saved it.\n\nOverwrite that version with this map, or save this "
                              "map elsewhere and keep both?",
                       {"Overwrite", "Save elsewhere", "Cancel", MessageAnswer::kNo});
}

} // namespace

CDocManager::CDocManager(QMdiArea& area, CRecentFileList& recentFiles)
    : m_area(area), m_arranger(new CWindowArranger(area)), m_recentFiles(recentFiles) {
    new CFileChangeWatcher(*this); // a child of this manager
}

CDocManager::~CDocManager() {
    CloseAllDocuments();
}

CTolveDoc* CDocManager::NewDocument() {
    auto doc = std::make_unique<CTolveDoc>();
    doc->SetTitle(kUntitledBase + std::to_string(++m_untitledCount));
    if (!doc->OnNewDocument())
        return nullptr;
    LoadTexturesAndDefinitions(*doc, true);
    return &AddDocument(std::move(doc));
}

CTolveDoc* CDocManager::OpenDocument(const QString& path) {
    const QString canonical = CanonicalPath(path);
    if (CTolveDoc* open = FindDocument(canonical)) {
        std::vector<CChildFrame*> frames = GetFrames(*open);
        if (!frames.empty())
            ActivateFrame(frames.front());
        m_recentFiles.AddRecentFile(canonical);
        return open;
    }
    m_staleSaves.SweepFolderOf(ToLocalPath(canonical));
    std::unique_ptr<CTolveDoc> doc = ReadDocument(canonical);
    if (!doc)
        return nullptr;
    LoadTexturesAndDefinitions(*doc);
    doc->SetPathName(ToLocalPath(canonical));
    doc->SetTitle(ToLocalPath(QFileInfo(canonical).fileName()));
    m_recentFiles.AddRecentFile(canonical);
    // Told once its window is up: the status bar speaks of the active map.
    CTolveDoc& added = AddDocument(std::move(doc));
    TellWhatWasRead(added);
    return &added;
}

CTolveDoc* CDocManager::OpenRecoveredCopy(const QString& copyPath, const std::string& title,
                                          const std::string& mapFolder) {
    std::unique_ptr<CTolveDoc> doc = ReadDocument(copyPath);
    if (!doc)
        return nullptr;
    doc->m_textureWad.RestoreLocation(doc->m_textureWad.GetFileName(), mapFolder);
    LoadTexturesAndDefinitions(*doc);
    doc->SetTitle(title);
    CTolveDoc& added = AddDocument(std::move(doc));
    TellWhatWasRead(added);
    // No state of its history is on disk, so undoing never makes it clean.
    added.GetHistory().MarkNoCleanState();
    return &added;
}

std::unique_ptr<CTolveDoc> CDocManager::ReadDocument(const QString& path) {
    auto doc = std::make_unique<CTolveDoc>();
    UserMessages messages;
    const bool opened = doc->OnOpenDocument(ToLocalPath(path), messages);
    ShowMessages(messages);
    return opened ? std::move(doc) : nullptr;
}

void CDocManager::PromptAndOpenDocument() {
    if (std::optional<std::string> path = FileChooserSlot::Get().ChooseFileToOpen(MapFileRequest()))
        OpenDocument(FromLocalPath(*path));
}

bool CDocManager::SaveDocument(CTolveDoc& doc) {
    // Another game's map is never saved over its file.
    if (doc.GetPathName().empty() || doc.IsOtherGameMap())
        return SaveDocumentAs(doc);
    // The file is looked at again just before it is replaced: what another
    // program wrote while the map was being saved is asked about in turn.
    for (bool duringSave = false;; duringSave = true) {
        FileStamp seen;
        switch (AskAboutOtherWriter(doc, seen, duringSave)) {
        case MessageAnswer::kNo:
            return SaveDocumentAs(doc);
        case MessageAnswer::kCancel:
            return false;
        default:
            break;
        }
        const ExpectedTarget expected{seen, doc.GetKnownFile().IsThroughLink()};
        UserMessages messages;
        AttributeChange attributes;
        doc.m_keepLayout = LoadKeepLayoutSetting();
        const CTolveDoc::SaveResult result =
            doc.SaveDocumentFile(doc.GetPathName(), messages, attributes,
                                 doc.GetKnownFile().IsKnown() ? &expected : nullptr);
        if (result == CTolveDoc::SaveResult::kChangedMeanwhile)
            continue;
        ShowMessages(messages);
        const bool saved = result == CTolveDoc::SaveResult::kSaved;
        if (saved)
            FinishSave(doc, attributes);
        UpdateFrameTitles(doc);
        return saved;
    }
}

namespace {

// That the file was written whole rather than only where the map changed,
// and what it could not keep of its attributes; empty when neither.
std::string DescribeSaveNotice(const CTolveDoc& doc, const AttributeChange& attributes) {
    std::string notice;
    if (!doc.GetWholeSaveReason().empty())
        notice = "Saved \"" + doc.GetTitle() +
                 "\" whole, not only what changed: " + doc.GetWholeSaveReason() + ".";
    if (!attributes.IsEmpty())
        notice += (notice.empty() ? "" : " ") + DescribeAttributeChange(doc.GetTitle(), attributes);
    return notice;
}

} // namespace

void CDocManager::FinishSave(CTolveDoc& doc, const AttributeChange& attributes) {
    doc.GetHistory().MarkClean();
    UpdateFrameTitles(doc);
    // The save is done; what it could not keep is worth knowing, not a box.
    const std::string notice = DescribeSaveNotice(doc, attributes);
    if (!notice.empty())
        ShowStatusNotice(notice);
    emit DocumentSaved(doc);
}

// Two windows on one file would each save over the other's work.
bool CDocManager::AcceptTarget(const CTolveDoc& doc, const QString& canonicalPath) const {
    const CTolveDoc* other = FindDocument(canonicalPath);
    if (!other || other == &doc)
        return true;
    const std::vector<CChildFrame*> frames = GetFrames(*other);
    const std::string window = frames.empty()
                                   ? other->GetTitle()
                                   : frames.front()->windowTitle().toLocal8Bit().toStdString();
    ShowMessageBox("Save As",
                   "\"" + other->GetTitle() + "\" is open in the window \"" + window +
                       "\". Close that window first to save this map over its file, or choose "
                       "another name.",
                   MessageIcon::kWarning);
    return false;
}

bool CDocManager::SaveDocumentAs(CTolveDoc& doc) {
    std::string suggested = doc.GetPathName();
    if (suggested.empty()) {
        suggested = doc.GetTitle();
        if (suggested.find('.') == std::string::npos)
            suggested += ".map";
    }
    if (!AcceptSavingOtherGameMap(doc))
        return false;
    SaveFileKinds kinds = MapFormatKinds(doc.m_mapFormat);
    std::optional<std::string> path;
    // A file refused (another window's map) leaves the user to choose again.
    for (;;) {
        path = SaveFileChooserSlot::Get().ChooseFileToSave(MapFileRequest(), suggested, kinds);
        if (!path)
            return false;
        if (AcceptTarget(doc, CanonicalPath(FromLocalPath(*path))))
            break;
        suggested = *path;
    }
    const MapFormat format = static_cast<MapFormat>(kinds.chosen == 1 ? 1 : 0);
    if (!AcceptFormat(doc, format))
        return false;
    // The map takes the form it is saved in, unless the save fails.
    const MapFormat before = doc.m_mapFormat;
    const bool statedVersion = doc.m_statesMapVersion;
    doc.SetMapFormat(format);
    UserMessages messages;
    AttributeChange attributes;
    doc.m_keepLayout = LoadKeepLayoutSetting();
    const bool written =
        doc.SaveDocumentFile(*path, messages, attributes) == CTolveDoc::SaveResult::kSaved;
    ShowMessages(messages);
    if (!written) {
        doc.m_mapFormat = before;
        doc.m_statesMapVersion = statedVersion;
        return false;
    }
    const QString saved = CanonicalPath(FromLocalPath(*path));
    doc.SetPathName(ToLocalPath(saved));
    doc.SetTitle(ToLocalPath(QFileInfo(saved).fileName()));
    m_recentFiles.AddRecentFile(saved);
    FinishSave(doc, attributes);
    return true;
}

bool CDocManager::SaveModified(CTolveDoc& doc) {
    if (!doc.IsModified())
        return true;
    switch (AskQuestion("Tolve", "Save changes to \"" + doc.GetTitle() + "\" before closing?")) {
    case MessageAnswer::kYes:
        // A save that fails or is cancelled keeps the map open.
        return SaveDocument(doc);
    case MessageAnswer::kNo:
        return true;
    default:
        return false;
    }
}

bool CDocManager::SaveAllModified() {
    for (const auto& doc : m_documents) {
        if (!SaveModified(*doc))
            return false;
    }
    return true;
}

bool CDocManager::CloseDocument(CTolveDoc& doc) {
    if (!SaveModified(doc))
        return false;
    std::vector<CChildFrame*> frames = GetFrames(doc);
    if (frames.empty())
        RemoveDocument(doc);
    // The last window to go takes the document with it.
    for (CChildFrame* frame : frames)
        delete frame;
    return true;
}

void CDocManager::CloseAllDocuments() {
    std::vector<CChildFrame*> frames = m_frames;
    for (CChildFrame* frame : frames)
        delete frame;
    if (m_documents.empty())
        return;
    // Closing everything at once is no choice of the user's: the copies of
    // unsaved maps stay.
    while (!m_documents.empty())
        TakeDocument(*m_documents.back(), false);
    emit DocumentsChanged();
}

void CDocManager::EndDrags() {
    for (CChildFrame* frame : m_frames) {
        if (CTolveView* view = frame->GetPlaneView())
            view->EndDrag();
        else
            frame->GetCameraView()->EndDrag();
    }
}

CChildFrame* CDocManager::MakeFrame(CTolveDoc& doc, int32_t plane) {
    auto* frame = new CChildFrame(doc, *this);
    connect(&frame->GetView(), &CTolveView::CameraDragged, this, [this, &doc] {
        for (CChildFrame* other : GetFrames(doc)) {
            if (CCameraView* camera = other->GetCameraView())
                camera->FollowPose();
        }
    });
    frame->GetView().m_projection.m_viewMode = plane;
    m_frames.push_back(frame);
    m_area.addSubWindow(frame);
    return frame;
}

CChildFrame* CDocManager::MakeCameraFrame(CTolveDoc& doc) {
    auto* frame = new CChildFrame(doc, *this, CChildFrame::Kind::kCamera);
    // The flat views show where the camera stands.
    connect(frame->GetCameraView(), &CCameraView::CameraMoved, this, [this, &doc] {
        for (CChildFrame* other : GetFrames(doc)) {
            if (CTolveView* view = other->GetPlaneView())
                view->update();
        }
    });
    m_frames.push_back(frame);
    m_area.addSubWindow(frame);
    return frame;
}

CChildFrame* CDocManager::CreateCameraFrame(CTolveDoc& doc) {
    CChildFrame* frame = MakeCameraFrame(doc);
    m_arranger->PlaceNewWindow(*frame);
    frame->show();
    UpdateFrameTitles(doc);
    ActivateFrame(frame);
    return frame;
}

CTolveView* CDocManager::FindPlaneView(const CTolveDoc& doc) const {
    // The area lists its windows last active last.
    const QList<QMdiSubWindow*> history = m_area.subWindowList(QMdiArea::ActivationHistoryOrder);
    for (auto window = history.rbegin(); window != history.rend(); ++window) {
        auto* frame = qobject_cast<CChildFrame*>(*window);
        if (frame && &frame->GetDocument() == &doc && frame->GetPlaneView())
            return frame->GetPlaneView();
    }
    // A window never active yet is not in the history.
    for (CChildFrame* frame : GetFrames(doc)) {
        if (frame->GetPlaneView())
            return frame->GetPlaneView();
    }
    return nullptr;
}

CChildFrame* CDocManager::CreateFrame(CTolveDoc& doc, int32_t plane) {
    CChildFrame* frame = MakeFrame(doc, plane);
    m_arranger->PlaceNewWindow(*frame);
    frame->show();
    frame->GetView().KeepFramedUntilMoved();
    UpdateFrameTitles(doc);
    ActivateFrame(frame);
    return frame;
}

// The views tile the workspace: four in a square (top, camera, front, side),
// or the top view down the left half with the front and side views above
// each other on the right; the top view has the focus. Where OpenGL cannot
// draw, four is three.
void CDocManager::OpenViews(CTolveDoc& doc) {
    const ViewLayout layout = LoadViewLayout();
    if (layout == ViewLayout::kSingle) {
        CreateFrame(doc, kPlaneXY);
        return;
    }
    CChildFrame* top = MakeFrame(doc, kPlaneXY);
    if (layout == ViewLayout::kFour && CanDrawCameraView()) {
        CChildFrame* camera = MakeCameraFrame(doc);
        CChildFrame* front = MakeFrame(doc, kPlaneXZ);
        CChildFrame* side = MakeFrame(doc, kPlaneYZ);
        m_arranger->TileFour(*top, *camera, *front, *side);
        ShowOpened(doc, {side, front, camera, top}, top);
        return;
    }
    CChildFrame* front = MakeFrame(doc, kPlaneXZ);
    CChildFrame* side = MakeFrame(doc, kPlaneYZ);
    m_arranger->TileThree(*top, *front, *side);
    ShowOpened(doc, {side, front, top}, top);
}

void CDocManager::ShowOpened(CTolveDoc& doc, std::initializer_list<CChildFrame*> frames,
                             CChildFrame* active) {
    for (CChildFrame* frame : frames) {
        frame->show();
        if (CTolveView* view = frame->GetPlaneView())
            view->KeepFramedUntilMoved();
        else
            frame->GetCameraView()->FrameMap();
    }
    UpdateFrameTitles(doc);
    ActivateFrame(active);
}

std::vector<CChildFrame*> CDocManager::GetFrames(const CTolveDoc& doc) const {
    std::vector<CChildFrame*> frames;
    for (CChildFrame* frame : m_frames) {
        if (&frame->GetDocument() == &doc)
            frames.push_back(frame);
    }
    return frames;
}

void CDocManager::UpdateFrameTitles(const CTolveDoc& doc) {
    std::vector<CChildFrame*> frames = GetFrames(doc);
    QString title = QString::fromLocal8Bit(doc.GetTitle());
    if (doc.IsOtherGameMap())
        title +=
            QStringLiteral(" (%1, read-only)").arg(QString::fromLatin1(GetGameName(doc.m_mapGame)));
    for (size_t i = 0; i < frames.size(); ++i) {
        QString frameTitle = title;
        if (frames.size() > 1)
            frameTitle += QStringLiteral(":%1").arg(i + 1);
        if (doc.IsModified())
            frameTitle += QLatin1Char('*');
        frames[i]->setWindowTitle(frameTitle);
    }
}

void CDocManager::UpdateAllFrameTitles() {
    for (const auto& doc : m_documents)
        UpdateFrameTitles(*doc);
}

bool CDocManager::CanCloseFrame(CChildFrame& frame) {
    if (GetFrames(frame.GetDocument()).size() > 1)
        return true;
    return SaveModified(frame.GetDocument());
}

void CDocManager::OnFrameDestroyed(CChildFrame& frame) {
    m_frames.erase(std::remove(m_frames.begin(), m_frames.end(), &frame), m_frames.end());
    const CTolveDoc& doc = frame.GetDocument();
    if (GetFrames(doc).empty())
        RemoveDocument(doc);
    else
        UpdateFrameTitles(doc);
}

void CDocManager::SweepStaleSaves(const QStringList& paths) {
    for (const QString& path : paths)
        m_staleSaves.SweepFolderOf(ToLocalPath(CanonicalPath(path)));
}

CTolveDoc* CDocManager::FindDocument(const QString& canonicalPath) const {
    for (const auto& doc : m_documents) {
        if (!doc->GetPathName().empty() &&
            CanonicalPath(FromLocalPath(doc->GetPathName())) == canonicalPath)
            return doc.get();
    }
    return nullptr;
}

CTolveDoc& CDocManager::AddDocument(std::unique_ptr<CTolveDoc> doc) {
    CTolveDoc& added = *doc;
    ApplySettingsTo(added);
    m_historyListeners[&added] = added.GetHistory().AddListener([this, &added](bool) {
        UpdateFrameTitles(added);
        emit HistoryChanged();
    });
    m_documents.push_back(std::move(doc));
    OpenViews(added);
    emit DocumentsChanged();
    return added;
}

void CDocManager::RemoveDocument(const CTolveDoc& doc) {
    if (std::unique_ptr<CTolveDoc> closing = TakeDocument(doc, true)) {
        closing.reset();
        emit DocumentsChanged();
    }
}

std::unique_ptr<CTolveDoc> CDocManager::TakeDocument(const CTolveDoc& doc, bool tellClosing) {
    auto found = std::find_if(m_documents.begin(), m_documents.end(),
                              [&](const auto& open) { return open.get() == &doc; });
    if (found == m_documents.end())
        return nullptr;
    // Take it out of the list first: nothing may reach it while it goes.
    std::unique_ptr<CTolveDoc> closing = std::move(*found);
    m_documents.erase(found);
    if (tellClosing)
        emit DocumentClosing(*closing);
    auto listener = m_historyListeners.find(closing.get());
    if (listener != m_historyListeners.end()) {
        closing->GetHistory().RemoveListener(listener->second);
        m_historyListeners.erase(listener);
    }
    closing->DeleteContents();
    return closing;
}

void CDocManager::ActivateFrame(CChildFrame* frame) {
    m_area.setActiveSubWindow(frame);
    frame->GetViewWidget().setFocus();
}
