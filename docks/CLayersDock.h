#pragma once

#include "docks/CMapDock.h"

#include <QTimer>

class CTolveDoc;
class QTreeWidget;
class QTreeWidgetItem;

// The layers of the active map, the default one first, each with a box that
// shows or hides its members and one that locks them: drawn, but never
// hovered, selected or acted on. Both are the editor's state: the map and
// its file stay as they were read. The list follows the map as it changes.
class CLayersDock : public CMapDock {
    Q_OBJECT

public:
    static constexpr const char* kTitle = "Layers";
    enum Column { kNameColumn = 0, kShownColumn = 1, kLockedColumn = 2 };

    explicit CLayersDock(QWidget* parent = nullptr);

    void OnMapChanged(const MapNotice& notice) override;
    QTreeWidget& GetList() const { return *m_list; }

private:
    void ShowDocument() override;
    // Lists the layers of the map as it is now, with the boxes as the editor
    // state has them.
    void ListLayers();
    void OnItemChanged(QTreeWidgetItem* item, int column);

    QTreeWidget* m_list = nullptr;
    bool m_filling = false; // the boxes change as listed, not by the user
    QTimer m_refresh;
};
