#pragma once

#include "map/MapNotice.h"

#include <QDockWidget>

#include <cstdint>

class CTolveDoc;

// A dock that shows something of the active map. It hears of the map's
// changes only while it is shown, so that a hidden dock costs an edit
// nothing; what it shows after a time of not listening is stale.
class CMapDock : public QDockWidget, public CMapObserver {
public:
    CMapDock(const char* title, QWidget* parent);
    ~CMapDock() override;

    CTolveDoc* GetDocument() const { return m_doc; }
    // Follows another map (null: none), listening while the dock is shown.
    void SetDocument(CTolveDoc* doc);
    // The map went without being closed first: it is no longer reached.
    void ForgetDocument();

protected:
    // Shows what the dock shows of the map it follows now, or of none.
    virtual void ShowDocument() = 0;
    // Whether a notice changed nothing a dock of the selection shows: only
    // the hover moved, while the set and the mode stayed as last shown.
    bool OnlyHoverMoved(const MapNotice& notice) const;
    // The set and the mode as they are now are those shown.
    void NoteSelectionShown();

    // Registers with the map while `listen`; stops, and marks what is shown
    // stale, while not.
    void Listen(bool listen);
    CTolveDoc* m_doc = nullptr;
    bool m_stale = true;

private:
    bool m_listening = false; // registered with m_doc
    uint64_t m_shownGeneration = 0;
    uint8_t m_shownMode = 0;
};
