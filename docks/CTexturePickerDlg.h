#pragma once

#include "framework/CDialogRunner.h"

#include <QDialog>

#include <optional>
#include <string>

class CTextureListModel;
class CTolveDoc;
class QDialogButtonBox;
class QLineEdit;
class QListView;
class QModelIndex;

// The browser's thumbnails in a dialog of their own, for a modal dialog that
// asks for one texture: the filter narrows as one types, Enter takes the
// first texture shown, a double-click takes the one clicked.
class CTexturePickerDlg : public QDialog, public CModalDialog {
    Q_OBJECT

public:
    static constexpr const char* kTitle = "Choose Texture";

    // Lists the textures of the map's files with `current` chosen.
    CTexturePickerDlg(CTolveDoc& doc, const std::string& current, QWidget* parent = nullptr);
    ~CTexturePickerDlg() override;

    std::string GetDialogName() const override { return kTitle; }
    bool RunDialog() override { return exec() == QDialog::Accepted; }

    // The texture chosen in the list; empty for none.
    std::string GetChosenTexture() const;

    QLineEdit& GetFilterBox() const { return *m_filter; }
    QListView& GetList() const { return *m_list; }

private:
    void OnFilterEntered();
    void EnableOk();

    CTextureListModel* m_model;
    QLineEdit* m_filter;
    QListView* m_list;
    QDialogButtonBox* m_buttons;
};

// Asks for a texture of the map's files through the dialog runner; nothing
// when the user cancelled.
std::optional<std::string> PickTexture(CTolveDoc& doc, const std::string& current, QWidget* parent);
