#pragma once

#include <QDockWidget>
#include <QTimer>

#include <string>

class CTextureListModel;
class CTolveDoc;
class QCheckBox;
class QLineEdit;
class QListView;
class QModelIndex;

// The texture browser beside the views: every texture of the active map's
// files with its picture, size and use count, grouped by file, narrowed by a
// filter as one types. Choosing a texture makes it the map's current texture
// (which New Brush and Apply Texture use); the map itself changes only
// through the commands the browser asks for.
class CTextureBrowserDock : public QDockWidget {
    Q_OBJECT

public:
    static constexpr const char* kTitle = "Texture Browser";

    explicit CTextureBrowserDock(QWidget* parent = nullptr);
    ~CTextureBrowserDock() override;

    // The map whose textures are shown; null for none.
    void SetDocument(CTolveDoc* doc);
    CTolveDoc* GetDocument() const;
    // Catches up with the map's texture files and its current texture;
    // cheap when nothing changed.
    void Refresh();
    // The map changed: the use counts are counted again, soon and once for
    // many changes, and only while the browser is shown.
    void RecountSoon();
    // Shows the browser with the keyboard in its filter.
    void FocusFilter();

    QLineEdit& GetFilterBox() const { return *m_filter; }
    QCheckBox& GetUsedOnlyBox() const { return *m_usedOnly; }
    QListView& GetList() const { return *m_list; }
    CTextureListModel& GetModel() const { return *m_model; }

signals:
    // Double-click: the chosen texture goes on the selection.
    void ApplyRequested();
    // Enter in the filter chose a texture; the keyboard goes back to the view.
    void KeyboardReturned();
    // The map's current texture changed here.
    void CurrentTextureChosen();

private:
    void OnFilterChanged();
    void OnFilterEntered();
    void Choose(const QModelIndex& index);
    void ShowCurrentTexture();
    void Recount();

    CTextureListModel* m_model;
    QLineEdit* m_filter;
    QCheckBox* m_usedOnly;
    QListView* m_list;
    QTimer m_recount;
    bool m_countsStale = false;
    bool m_showing = false; // the list follows the map's current texture
    std::string m_shownTexture;
};
