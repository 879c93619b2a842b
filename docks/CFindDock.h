#pragma once

#include "docks/CMapDock.h"
#include "map/MapSearch.h"

#include <QTimer>

#include <vector>

class CTolveDoc;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// Find and select: entities by class name or by a key's value, brushes by
// texture, and the entities an entity targets or is targeted by. What is
// found is listed; choosing a line selects that object, and Select All all of
// them, and the views frame what is chosen. The list is found again when the
// map changes, so that it never names an object that went.
class CFindDock : public CMapDock {
    Q_OBJECT

public:
    static constexpr const char* kTitle = "Find";

    explicit CFindDock(QWidget* parent = nullptr);

    // Puts the keyboard in the text to find.
    void FocusText();

    void OnMapChanged(const MapNotice& notice) override;
    // The list is found again once the events at hand are handled (after an
    // undo, say).
    void FindAgainSoon();

    QComboBox& GetFindBy() const { return *m_by; }
    QLineEdit& GetKey() const { return *m_key; }
    QComboBox& GetTest() const { return *m_test; }
    QLineEdit& GetText() const { return *m_text; }
    QListWidget& GetResults() const { return *m_results; }
    QPushButton& GetSelectAll() const { return *m_selectAll; }
    const std::vector<FoundObject>& GetFound() const { return m_found; }

signals:
    // Something was selected from the list: the views should show it, and
    // the commands follow the new selection.
    void SelectionChosen();
    // Escape: the keyboard goes back to the view.
    void KeyboardReturned();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowDocument() override;
    FindQuery MakeQuery() const;
    void OnFind();
    void OnTargets(bool targets);
    // Runs what was asked last again, on the map as it is now.
    void FindAgain();
    void ShowFound(std::vector<FoundObject> found, const QString& what);
    void Select(const std::vector<FoundObject>& objects);
    void ShowQueryFields();

    QComboBox* m_by = nullptr;
    QLineEdit* m_key = nullptr;
    QComboBox* m_test = nullptr;
    QLineEdit* m_text = nullptr;
    QListWidget* m_results = nullptr;
    QLabel* m_count = nullptr;
    QPushButton* m_selectAll = nullptr;
    std::vector<FoundObject> m_found;
    // What the list shows: a query, or the targets (or targeters) of an entity.
    enum class Asked { kNothing, kQuery, kTargets, kTargeters };
    Asked m_asked = Asked::kNothing;
    FindQuery m_query;
    FoundObject m_entity;
    QTimer m_refresh;
};
