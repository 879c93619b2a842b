#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

class CDocManager;
class CTolveDoc;

// Notices maps whose files another program changed while they were open. When
// the editor gets the focus back, each such map is offered for reloading, one
// question per map and change; a change the user chose to keep the map over
// is not asked about again. Reloading is one step of the map's history, so
// Undo gives back the map as it was, unsaved changes included.
class CFileChangeWatcher : public QObject {
    Q_OBJECT

public:
    explicit CFileChangeWatcher(CDocManager& docs);

    // Asks about every open map whose file changed. While a dialog or another
    // question is open, which may hold on to a map, it waits until that one
    // has closed.
    void CheckOpenMaps();
    // Reads the map's file again in one undoable step; false when it could not
    // be read (the user has been told why).
    bool Reload(CTolveDoc& doc);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OfferReload(CTolveDoc& doc);
    void CheckAfter(QWidget& modal);
    void StopWaiting();

    CDocManager& m_docs;
    bool m_checking = false;
    QPointer<QWidget> m_blockingModal; // the check waits for it to close
};
