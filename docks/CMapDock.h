#pragma once

#include "map/MapNotice.h"

#include <QDockWidget>

class CTolveDoc;

// A dock that shows something of the active map. It hears of the map's
// changes only while it is shown, so that a hidden dock costs an edit
// nothing; what it shows after a time of not listening is stale.
class CMapDock : public QDockWidget, public CMapObserver {
public:
    CMapDock(const char* title, QWidget* parent);
    ~CMapDock() override;

    CTolveDoc* GetDocument() const { return m_doc; }

protected:
    // Registers with the map while `listen`; stops, and marks what is shown
    // stale, while not.
    void Listen(bool listen);
    // Follows another map, listening when the dock is shown; false when the
    // map is the one it follows already.
    bool SwitchDocument(CTolveDoc* doc);
    // The map went without a word: there is nothing to leave.
    void DropDocument();

    CTolveDoc* m_doc = nullptr;
    bool m_stale = true;

private:
    bool m_listening = false; // registered with m_doc
};
