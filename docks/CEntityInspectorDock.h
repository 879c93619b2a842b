#pragma once

#include "docks/CMapDock.h"
#include "map/CEditorState.h"
#include "map/EntityKeyEdits.h"

#include <QTimer>

#include <cstdint>
#include <string>
#include <vector>

class CEntityKeyDelegate;
class CTolveDoc;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

// The keys of the selected entities (in brush mode, those owning the selected
// brushes, or the world), beside the views and always open to edits: a key
// and its value a row, the keys the entities' class declares first. A value
// the entities differ in reads "(different)". A value typed, a key renamed,
// added or removed changes every one of the entities as one step of the map's
// history; what the entity dialogs would refuse is refused with their
// message, and nothing changes. The dock follows the selection and every
// change of the map, but never takes the keyboard: Escape gives it back.
class CEntityInspectorDock : public CMapDock {
    Q_OBJECT

public:
    static constexpr const char* kTitle = "Entity Inspector";
    static constexpr int kKeyColumn = 0;
    static constexpr int kValueColumn = 1;

    explicit CEntityInspectorDock(QWidget* parent = nullptr);

    // Shows the keys of the entities selected now.
    void Refresh();
    // The same once the events at hand are handled, and once for many
    // changes; nothing while the dock is hidden.
    void RefreshSoon();

    void OnMapChanged(const MapNotice& notice) override;

    QTableWidget& GetTable() const { return *m_table; }
    QLineEdit& GetNewKey() const { return *m_newKey; }
    QLineEdit& GetNewValue() const { return *m_newValue; }
    QPushButton& GetColourButton() const { return *m_colour; }
    size_t GetEntityCount() const { return m_entities.size(); }
    // The row of a key; -1 when none shows it.
    int FindRow(const std::string& key) const;

signals:
    // Escape outside an editor: the keyboard goes back to the view.
    void KeyboardReturned();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowDocument() override;
    QWidget* MakeAddRow();
    void Gather();
    void ShowKeys();
    void ShowRow(int row, const GatheredKey& key);
    void OnItemChanged(QTableWidgetItem* item);
    void AddKey();
    void RemoveKey();
    // The colour of the chosen row's value, picked from the colour chooser.
    void ChooseColour();
    void EnableColour();
    void Apply(const KeyChange& change);

    QLabel* m_count = nullptr;
    QTableWidget* m_table = nullptr;
    CEntityKeyDelegate* m_delegate = nullptr;
    QLineEdit* m_newKey = nullptr;
    QLineEdit* m_newValue = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_colour = nullptr;
    std::vector<KeyedEntity> m_entities;
    std::vector<GatheredKey> m_keys;
    bool m_showing = false; // the table is being filled: its changes are no edits
    QTimer m_refresh;
};
