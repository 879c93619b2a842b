#pragma once

#include "docks/CMapDock.h"
#include "map/CEditorState.h"
#include "map/FaceFieldEdits.h"

#include <QTimer>

#include <array>
#include <cstdint>
#include <vector>

class CTolveDoc;
class QGridLayout;
class QLabel;
class QLineEdit;
class QWidget;

// The texture values of the selected faces (every face of the selected
// brushes in brush mode), beside the views and always open to edits. A value
// the faces differ in is shown empty. A changed field sets that value alone on
// every face, as one step of the map's history; a value the Brush & Face
// dialog would refuse is refused with its message, and the field shows the
// faces' value again. The dock follows the selection and every change of the
// map, but never takes the keyboard: Escape in a field gives it back.
class CFaceInspectorDock : public CMapDock {
    Q_OBJECT

public:
    static constexpr const char* kTitle = "Face Inspector";
    static constexpr const char* kMixed = "(mixed)";

    explicit CFaceInspectorDock(QWidget* parent = nullptr);

    // Shows the values of the faces selected now.
    void Refresh();
    // The same once the events at hand are handled, and once for many
    // changes; nothing while the dock is hidden.
    void RefreshSoon();

    void OnMapChanged(const MapNotice& notice) override;

    QLineEdit& GetField(FaceField field) const { return *m_fields[static_cast<size_t>(field)]; }
    size_t GetFaceCount() const { return m_faces.size(); }

signals:
    // Escape in a field: the keyboard goes back to the view.
    void KeyboardReturned();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowDocument() override;
    QLabel* AddField(QGridLayout& grid, int row, int column, const char* label, FaceField field);
    void AddAxisRow(QGridLayout& grid, int row, const char* label, FaceField first);
    // Registers with the map to hear its changes, or leaves it.
    void Gather();
    void ShowValues();
    void OnFieldEdited(FaceField field);
    void TellUnknownTexture(const std::string& name) const;

    QWidget* m_content = nullptr;
    QLabel* m_count = nullptr;
    std::array<QLineEdit*, kFaceFieldCount> m_fields{};
    std::vector<QWidget*> m_axisRows; // shown for Valve maps
    std::array<QLabel*, 2> m_offsetLabels{};
    std::vector<FaceOfBrush> m_faces;
    GatheredFaceFields m_shown;
    // What the shown values were gathered from, so that a change of the
    // hover alone costs nothing.
    bool m_editing = false; // a field's edit is being applied
    QTimer m_refresh;
};
