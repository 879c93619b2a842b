#include "app/CFileChangeWatcher.h"

#include "app/CDocManager.h"
#include "framework/CMessageService.h"
#include "map/CMapTransaction.h"
#include "map/CTolveDoc.h"
#include "map/ObjectLists.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <algorithm>

namespace {

bool AsksToReload(const CTolveDoc& doc) {
    std::string question = "\"" + doc.GetTitle() +
                           "\" was changed on disk by another program.\n\nReload it from the file?";
    if (doc.IsModified())
        question += "\n\nThe changes you have not saved would be replaced; Undo brings them back.";
    return AskQuestion("File Changed", question, {"Reload", "Keep mine", ""}) ==
           MessageAnswer::kYes;
}

bool IsOpen(const CDocManager& docs, const CTolveDoc* doc) {
    const auto& open = docs.GetDocuments();
    return std::any_of(open.begin(), open.end(), [&](const auto& d) { return d.get() == doc; });
}

} // namespace

CFileChangeWatcher::CFileChangeWatcher(CDocManager& docs) : QObject(&docs), m_docs(docs) {
    // Looked at once the activation is over, not inside its events.
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state == Qt::ApplicationActive)
                    QTimer::singleShot(0, this, &CFileChangeWatcher::CheckOpenMaps);
            });
}

void CFileChangeWatcher::CheckAfter(QWidget& modal) {
    if (m_blockingModal == &modal)
        return;
    StopWaiting();
    m_blockingModal = &modal;
    modal.installEventFilter(this);
}

void CFileChangeWatcher::StopWaiting() {
    if (m_blockingModal)
        m_blockingModal->removeEventFilter(this);
    m_blockingModal = nullptr;
}

bool CFileChangeWatcher::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_blockingModal && event->type() == QEvent::Hide) {
        StopWaiting();
        // Another modal window may be below it; the check looks again.
        QTimer::singleShot(0, this, &CFileChangeWatcher::CheckOpenMaps);
    }
    return QObject::eventFilter(watched, event);
}

void CFileChangeWatcher::CheckOpenMaps() {
    // The check under way goes on to the maps it has not looked at yet.
    if (m_checking)
        return;
    if (QWidget* modal = QApplication::activeModalWidget()) {
        CheckAfter(*modal);
        return;
    }
    m_checking = true;
    std::vector<CTolveDoc*> docs;
    for (const auto& doc : m_docs.GetDocuments())
        docs.push_back(doc.get());
    for (CTolveDoc* doc : docs) {
        // A map closed while an earlier question was open is gone.
        if (IsOpen(m_docs, doc))
            OfferReload(*doc);
    }
    m_checking = false;
}

void CFileChangeWatcher::OfferReload(CTolveDoc& doc) {
    const std::string& path = doc.GetPathName();
    FileStamp seen;
    // A removed file has nothing to reload; Save tells of it.
    if (path.empty() || doc.GetKnownFile().Compare(path, &seen) != CKnownFile::Change::kChanged)
        return;
    if (AsksToReload(doc) && Reload(doc))
        return;
    doc.GetKnownFile().Dismiss(seen);
    // The file now holds none of the states of the map's history: closing
    // the map without saving it would lose the user's version.
    doc.GetHistory().MarkNoCleanState();
}

bool CFileChangeWatcher::Reload(CTolveDoc& doc) {
    CTolveDoc fresh;
    UserMessages messages;
    const bool read = fresh.OnOpenDocument(doc.GetPathName(), messages);
    ShowMessages(messages);
    if (!read)
        return false;
    // The fresh copy is thrown away: its contents are taken without a step.
    MapFragment contents;
    ExchangeContents(fresh, contents);
    const std::string wad = doc.m_textureWad.GetFileName();
    CMapTransaction reload(doc, "Reload");
    reload.Edits().ExchangeContents(std::move(contents));
    reload.Commit();
    // The map is what its file holds now; undoing the reload makes it differ.
    doc.GetHistory().MarkClean();
    doc.GetKnownFile() = fresh.GetKnownFile();
    if (doc.m_textureWad.GetFileName() != wad) {
        const std::string problems = doc.m_textureWad.DescribeLoadProblems();
        if (!problems.empty())
            ShowMessageBox(CTextureWad::kMessageTitle, problems, MessageIcon::kWarning);
    }
    // Only the loaded textures tell a Half-Life map, which stays read-only.
    doc.RecogniseGameByTextures();
    m_docs.UpdateFrameTitles(doc);
    return true;
}
