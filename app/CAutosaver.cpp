#include "app/CAutosaver.h"

#include "app/AppSettings.h"
#include "app/CDocManager.h"
#include "dialogs/PreferenceValues.h"
#include "map/CMapWriter.h"
#include "map/CTolveDoc.h"

#include <QFile>
#include <QStandardPaths>

#include <algorithm>

namespace {

const char* const kIntervalKey = "Autosave/IntervalMinutes";
constexpr int kMillisecondsPerMinute = 60 * 1000;

std::filesystem::path ToPath(const QString& folder) {
    return QFile::encodeName(folder).toStdString();
}

std::string FolderOf(const std::string& path) {
    return path.empty() ? std::string() : std::filesystem::path(path).parent_path().string();
}

} // namespace

CAutosaver::CAutosaver(CDocManager& docs, const QString& folder)
    : m_docs(docs), m_store(ToPath(folder)) {
    m_writer.setMaxThreadCount(1);
    connect(&m_timer, &QTimer::timeout, this, &CAutosaver::AutosaveModified);
    connect(&m_docs, &CDocManager::DocumentSaved, this, &CAutosaver::OnDocumentSaved);
    connect(&m_docs, &CDocManager::DocumentClosing, this, &CAutosaver::OnDocumentClosing);
}

CAutosaver::~CAutosaver() {
    WaitForCopies();
    for (const auto& [doc, copies] : m_copies) {
        if (!doc->IsModified())
            m_store.RemoveSlot(copies.slot);
    }
}

QString CAutosaver::DefaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
           QStringLiteral("/autosave");
}

int CAutosaver::LoadIntervalMinutes() {
    bool valid = false;
    const int minutes = OpenAppSettings().value(QLatin1String(kIntervalKey)).toInt(&valid);
    return valid ? std::clamp(minutes, 0, kLongestAutosaveInterval) : kDefaultIntervalMinutes;
}

void CAutosaver::StoreIntervalMinutes(int minutes) {
    OpenAppSettings().setValue(QLatin1String(kIntervalKey), minutes);
}

void CAutosaver::SetInterval(int intervalMinutes) {
    m_timer.stop();
    if (intervalMinutes > 0)
        m_timer.start(intervalMinutes * kMillisecondsPerMinute);
}

void CAutosaver::Start(int intervalMinutes) {
    // The folder is opened even with the timer off, so that what an earlier
    // run left can still be recovered into it.
    OpenStore();
    SetInterval(intervalMinutes);
}

// A folder that could not be made (a full disk, a folder of the wrong owner)
// may be usable by the next tick: autosave is off only until then.
bool CAutosaver::OpenStore() {
    std::optional<std::string> error = m_store.Open();
    std::string reason = error.value_or(std::string());
    if (reason != m_offReason) {
        m_offReason = std::move(reason);
        emit ProblemsChanged();
    }
    return !error;
}

void CAutosaver::AutosaveModified() {
    if (!m_store.IsOpen() && !OpenStore())
        return;
    for (const auto& doc : m_docs.GetDocuments())
        Autosave(*doc);
}

void CAutosaver::Autosave(const CTolveDoc& doc) {
    if (!m_store.IsOpen() || !doc.IsModified())
        return;
    auto [entry, added] = m_copies.try_emplace(&doc);
    DocCopies& copies = entry->second;
    if (added)
        copies.slot = m_store.AddSlot();
    const unsigned long revision = doc.GetRevision();
    if (copies.copiedRevision == revision || copies.writingRevision == revision)
        return;

    const MapContents contents = doc.GetContents();
    if (std::optional<std::string> reason = CMapWriter::FindUnwritableText(contents)) {
        ReportFailure(doc, *reason);
        return;
    }
    copies.writingRevision = revision;
    const AutosaveOrigin origin{doc.GetTitle(), doc.GetPathName()};
    m_writer.start(
        [this, slot = copies.slot, revision, text = CMapWriter::WriteText(contents), origin] {
            std::optional<FileError> error = m_store.SaveCopy(slot, text, origin);
            std::optional<std::string> failure;
            if (error)
                failure = error->reason;
            // The outcome is the GUI thread's to record: it owns the maps' state.
            QMetaObject::invokeMethod(
                this, [this, slot, revision, failure] { OnCopyWritten(slot, revision, failure); },
                Qt::QueuedConnection);
        });
}

void CAutosaver::OnCopyWritten(int slot, unsigned long revision,
                               std::optional<std::string> failure) {
    auto found = FindSlot(slot);
    if (found == m_copies.end()) // saved or closed meanwhile
        return;
    DocCopies& copies = found->second;
    if (copies.writingRevision == revision)
        copies.writingRevision.reset();
    if (failure) {
        // The revision counts as not copied, so the next tick tries again.
        ReportFailure(*found->first, *failure);
        return;
    }
    copies.copiedRevision = revision;
    ClearFailure(slot);
}

void CAutosaver::ReportFailure(const CTolveDoc& doc, const std::string& reason) {
    m_failures[m_copies.at(&doc).slot] = {doc.GetTitle(), reason};
    emit ProblemsChanged();
}

void CAutosaver::ClearFailure(int slot) {
    if (m_failures.erase(slot) > 0)
        emit ProblemsChanged();
}

std::vector<CAutosaver::FailedCopy> CAutosaver::GetFailedCopies() const {
    std::vector<FailedCopy> failed;
    for (const auto& [slot, failure] : m_failures)
        failed.push_back(failure);
    return failed;
}

CAutosaver::CopiesMap::iterator CAutosaver::FindSlot(int slot) {
    return std::find_if(m_copies.begin(), m_copies.end(),
                        [slot](const auto& entry) { return entry.second.slot == slot; });
}

void CAutosaver::WaitForCopies() {
    m_writer.waitForDone();
}

void CAutosaver::OnDocumentSaved(const CTolveDoc& doc) {
    ForgetCopies(doc, true);
}

void CAutosaver::OnDocumentClosing(const CTolveDoc& doc) {
    // Closing a recovered map unsaved must not lose the work it came back
    // with: its copies wait for the next start.
    auto found = m_copies.find(&doc);
    ForgetCopies(doc, found == m_copies.end() || !found->second.recovered);
}

void CAutosaver::ForgetCopies(const CTolveDoc& doc, bool removeThem) {
    auto found = m_copies.find(&doc);
    if (found == m_copies.end())
        return;
    WaitForCopies();
    const int slot = found->second.slot;
    if (removeThem)
        m_store.RemoveSlot(slot);
    m_copies.erase(found);
    ClearFailure(slot);
}

std::vector<AbandonedAutosave> CAutosaver::FindAbandoned() {
    return m_store.FindAbandoned();
}

CTolveDoc* CAutosaver::Recover(const AbandonedAutosave& abandoned, size_t copy) {
    if (copy >= abandoned.copies.size())
        return nullptr;
    const std::filesystem::path chosenName = abandoned.copies[copy].filename();
    std::optional<int> slot = m_store.AdoptAbandoned(abandoned);
    if (!slot) // another editor took them meanwhile
        return nullptr;
    // The copies moved with their folder, under the same names.
    const std::vector<std::filesystem::path> copies = m_store.ListCopies(*slot);
    auto chosen = std::find_if(copies.begin(), copies.end(),
                               [&](const auto& path) { return path.filename() == chosenName; });
    if (chosen == copies.end())
        return nullptr;
    CTolveDoc* doc = m_docs.OpenRecoveredCopy(QFile::decodeName(chosen->c_str()),
                                              RecoveredTitle(abandoned.origin.title),
                                              FolderOf(abandoned.origin.pathName));
    // A copy that cannot be read stays in this run's folder, to be offered
    // again next time.
    if (doc)
        m_copies[doc] = {*slot, doc->GetRevision(), std::nullopt, true};
    return doc;
}

void CAutosaver::Discard(const AbandonedAutosave& abandoned) {
    m_store.DiscardAbandoned(abandoned);
}

std::string CAutosaver::RecoveredTitle(const std::string& title) {
    const std::string mark = " (recovered)";
    size_t dot = title.rfind('.');
    if (dot == std::string::npos || dot == 0)
        dot = title.size();
    // A copy recovered twice is still one recovered copy.
    if (dot >= mark.size() && title.compare(dot - mark.size(), mark.size(), mark) == 0)
        return title;
    return title.substr(0, dot) + mark + title.substr(dot);
}
