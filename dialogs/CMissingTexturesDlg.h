#pragma once

#include "framework/CDialogRunner.h"
#include "map/TextureUses.h"

#include <QDialog>

#include <string>
#include <vector>

class QListWidget;
class QPushButton;

// "Missing Textures": each texture the map uses that no texture file holds,
// with its number of faces. Select (or a double click) ends it with the
// chosen texture, for its faces to be selected.
class CMissingTexturesDlg : public QDialog, public CModalDialog {
    Q_OBJECT

public:
    static constexpr const char* kTitle = "Missing Textures";

    explicit CMissingTexturesDlg(const std::vector<TextureUse>& missing, QWidget* parent = nullptr);

    // The texture of the chosen row.
    std::string GetChosenTexture() const;

    std::string GetDialogName() const override { return kTitle; }
    bool RunDialog() override { return exec() == QDialog::Accepted; }

    QListWidget* GetList() const { return m_list; }
    QPushButton* GetSelectButton() const { return m_select; }

private:
    std::vector<TextureUse> m_missing;
    QListWidget* m_list;
    QPushButton* m_select;
    QPushButton* m_close;
};
