#pragma once

#include "framework/CStaleSaveSweeper.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <vector>

class CChildFrame;
class CRecentFileList;
class CTolveDoc;
class CTolveView;
class CWindowArranger;
class QMdiArea;
struct AttributeChange;

// The open maps and their child windows: making, opening, saving and closing
// documents, with the questions a user expects before anything is lost.
class CDocManager : public QObject {
    Q_OBJECT

public:
    CDocManager(QMdiArea& area, CRecentFileList& recentFiles);
    ~CDocManager() override;

    // A new empty map titled "Tolve1", "Tolve2", ... in a window of its own.
    CTolveDoc* NewDocument();
    // Opens a map file, or activates its window when it is open already. Null
    // when the file could not be read (the document has said why).
    CTolveDoc* OpenDocument(const QString& path);
    // Opens an autosaved copy as a new, modified map that was never saved,
    // titled `title`. A texture file named relative to the map is looked for
    // in `mapFolder`, where the map was.
    CTolveDoc* OpenRecoveredCopy(const QString& copyPath, const std::string& title,
                                 const std::string& mapFolder);
    // Asks for a map file and opens it.
    void PromptAndOpenDocument();

    // Saves under the document's path; a map never saved asks for one. When
    // another program changed or removed the file since the map was read or
    // saved, the user chooses between overwriting it and saving elsewhere.
    bool SaveDocument(CTolveDoc& doc);
    // Refuses the file of another open map: two windows would hold one file.
    bool SaveDocumentAs(CTolveDoc& doc);
    // Offers to save a modified document: false when the user cancelled.
    bool SaveModified(CTolveDoc& doc);
    // Offers to save every modified document, stopping at the first cancel.
    bool SaveAllModified();

    // Closes every window of the document after offering to save it.
    bool CloseDocument(CTolveDoc& doc);
    // Closes everything at once, asking nothing.
    void CloseAllDocuments();

    // Another window on the same map, showing `plane`, framed on the map.
    CChildFrame* CreateFrame(CTolveDoc& doc, int32_t plane = 0);
    // Another textured camera view on the map, where the map's camera stands.
    CChildFrame* CreateCameraFrame(CTolveDoc& doc);
    // A flat view of the document for commands given in its camera view:
    // the last one active, else its first; null when it has none.
    CTolveView* FindPlaneView(const CTolveDoc& doc) const;
    std::vector<CChildFrame*> GetFrames(const CTolveDoc& doc) const;
    const std::vector<std::unique_ptr<CTolveDoc>>& GetDocuments() const { return m_documents; }
    CWindowArranger& GetWindowArranger() const { return *m_arranger; }
    // Ends a drag under way in any window, as its release would, so that a
    // command acts on the map the drag left.
    void EndDrags();

    // Window titles: the document's title, numbered "name:1", "name:2" when it
    // has several windows, with "*" while it has unsaved changes.
    void UpdateFrameTitles(const CTolveDoc& doc);
    void UpdateAllFrameTitles();

    // Removes what killed saves left beside these files (and beside every map
    // opened later), once per folder.
    void SweepStaleSaves(const QStringList& paths);

    // Called by a child window that is about to close or has gone.
    bool CanCloseFrame(CChildFrame& frame);
    void OnFrameDestroyed(CChildFrame& frame);

signals:
    // A document was opened or closed.
    void DocumentsChanged();
    // A document was written to its file.
    void DocumentSaved(const CTolveDoc& doc);
    // A document is about to go, after the user had the chance to save it.
    void DocumentClosing(const CTolveDoc& doc);
    // A step of some document's history was done, undone or redone, or its
    // saved state moved.
    void HistoryChanged();

private:
    CTolveDoc* FindDocument(const QString& path) const;
    // Reads a map file into a new document; null when it could not be read.
    std::unique_ptr<CTolveDoc> ReadDocument(const QString& path);
    void FinishSave(CTolveDoc& doc, const AttributeChange& attributes);
    bool AcceptTarget(const CTolveDoc& doc, const QString& canonicalPath) const;
    CTolveDoc& AddDocument(std::unique_ptr<CTolveDoc> doc);
    void RemoveDocument(const CTolveDoc& doc);
    void ActivateFrame(CChildFrame* frame);
    // The windows a map opens in, as the layout setting says.
    void OpenViews(CTolveDoc& doc);
    CChildFrame* MakeFrame(CTolveDoc& doc, int32_t plane);
    CChildFrame* MakeCameraFrame(CTolveDoc& doc);
    void ShowOpened(CTolveDoc& doc, std::initializer_list<CChildFrame*> frames,
                    CChildFrame* active);
    // Takes the document out of the list, emptied; it is deleted when the
    // return goes. `tellClosing`: the user closed it.
    std::unique_ptr<CTolveDoc> TakeDocument(const CTolveDoc& doc, bool tellClosing);

    QMdiArea& m_area;
    CWindowArranger* m_arranger; // owned by the area
    CRecentFileList& m_recentFiles;
    std::vector<std::unique_ptr<CTolveDoc>> m_documents;
    std::map<const CTolveDoc*, int> m_historyListeners;
    std::vector<CChildFrame*> m_frames; // in the order they were made
    int m_untitledCount = 0;            // only grows, like the numbers it gives
    CStaleSaveSweeper m_staleSaves;
};
