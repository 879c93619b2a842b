#pragma once

#include "framework/CDialogRunner.h"
#include "texture/TextureFileSearch.h"

#include <QDialog>

#include <string>
#include <vector>

class QListWidget;
class QPushButton;
class QTreeWidget;

// "Texture Files": the texture files of one map in list order, each with
// where it was found or why not, and the texture folders of all maps. The
// user adds, removes and reorders files and adds and removes folders; nothing
// changes until the caller applies the result of OK.
class CTextureFilesDlg : public QDialog, public CModalDialog {
    Q_OBJECT

public:
    static constexpr const char* kTitle = "Texture Files";

    // `wadValue` is the map's "wad" value; files are looked for from
    // `mapFolder` and in `textureFolders` as the catalogue looks for them.
    CTextureFilesDlg(const std::string& wadValue, const std::string& mapFolder,
                     const std::vector<std::string>& textureFolders, QWidget* parent = nullptr);

    // The list as it stands now, in order.
    std::vector<std::string> GetEntryNames() const;
    // The "wad" value of that list: the old value, byte for byte, while the
    // list is as it came; else the names joined by ';'.
    std::string GetWadValue() const;
    std::vector<std::string> GetTextureFolders() const;

    std::string GetDialogName() const override { return kTitle; }
    bool RunDialog() override { return exec() == QDialog::Accepted; }

    void OnAddFile();
    void OnRemoveFile();
    void OnMoveFile(int step);
    void OnAddFolder();
    void OnRemoveFolder();

    QTreeWidget* GetFileList() const { return m_files; }
    QListWidget* GetFolderList() const { return m_folders; }
    QPushButton* GetAddFileButton() const { return m_addFile; }
    QPushButton* GetRemoveFileButton() const { return m_removeFile; }
    QPushButton* GetMoveUpButton() const { return m_moveUp; }
    QPushButton* GetMoveDownButton() const { return m_moveDown; }
    QPushButton* GetAddFolderButton() const { return m_addFolder; }
    QPushButton* GetRemoveFolderButton() const { return m_removeFolder; }
    QPushButton* GetOkButton() const { return m_ok; }
    QPushButton* GetCancelButton() const { return m_cancel; }

private:
    QWidget* BuildFileGroup();
    QWidget* BuildFolderGroup();
    void AddFileItem(const std::string& name);
    void AddFolderItem(const std::string& folder);
    void ShowFileStates();
    void EnableButtons();

    std::string m_wadValue;
    TextureSearchPaths m_search;
    QTreeWidget* m_files = nullptr;
    QListWidget* m_folders = nullptr;
    QPushButton* m_addFile = nullptr;
    QPushButton* m_removeFile = nullptr;
    QPushButton* m_moveUp = nullptr;
    QPushButton* m_moveDown = nullptr;
    QPushButton* m_addFolder = nullptr;
    QPushButton* m_removeFolder = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};
