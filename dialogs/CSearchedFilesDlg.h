#pragma once

#include "framework/CDialogRunner.h"
#include "framework/CFileChooser.h"
#include "texture/TextureFileSearch.h"

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class CFolderListBox;
class QListWidget;
class QPushButton;
class QTreeWidget;

// What one kind of searched file list says and how it judges an entry: the
// texture files of a map, or its entity definition files.
struct SearchedFilesKind {
    const char* title;
    const char* filesCaption;
    const char* filesNote;
    const char* foldersCaption;
    const char* folderChooserTitle;
    FileChooserRequest chooser;
    // Where an entry was found, or why not, in a few words.
    std::function<std::string(const std::string& entry, const TextureSearchPaths& paths)> describe;
};

// "Texture Files": the texture files of one map in list order (a texture
// comes from the first that holds it), the texture folders of all maps.
SearchedFilesKind TextureFilesKind();
// "Entity Definitions": the FGD and QuakeC files of a map's entity classes, a
// later file's class replacing an earlier one of the same name.
SearchedFilesKind DefinitionFilesKind();

// A map's list of files looked for as its texture files are: each with
// where it was found or why not, and the folders of all maps where a file is
// looked for by its name. The list is the map's value, entries joined by ';'.
class CSearchedFilesDlg : public QDialog, public CModalDialog {
    Q_OBJECT

public:
    // `wadValue` is the map's "wad" value; files are looked for from
    // `mapFolder` and in `textureFolders` as the catalogue looks for them.
    CSearchedFilesDlg(const std::string& wadValue, const std::string& mapFolder,
                      const std::vector<std::string>& textureFolders, QWidget* parent = nullptr,
                      SearchedFilesKind kind = TextureFilesKind());

    // The list as it stands now, in order.
    std::vector<std::string> GetEntryNames() const;
    // The "wad" value of that list: the old value, byte for byte, while the
    // list is as it came; else the names joined by ';'.
    std::string GetWadValue() const;
    std::vector<std::string> GetTextureFolders() const;

    std::string GetDialogName() const override { return m_kind.title; }
    bool RunDialog() override { return exec() == QDialog::Accepted; }

    void OnAddFile();
    void OnRemoveFile();
    void OnMoveFile(int step);
    void OnAddFolder();
    void OnRemoveFolder();

    QTreeWidget* GetFileList() const { return m_files; }
    QListWidget* GetFolderList() const;
    QPushButton* GetAddFileButton() const { return m_addFile; }
    QPushButton* GetRemoveFileButton() const { return m_removeFile; }
    QPushButton* GetMoveUpButton() const { return m_moveUp; }
    QPushButton* GetMoveDownButton() const { return m_moveDown; }
    QPushButton* GetAddFolderButton() const;
    QPushButton* GetRemoveFolderButton() const;
    QPushButton* GetOkButton() const { return m_ok; }
    QPushButton* GetCancelButton() const { return m_cancel; }

private:
    QWidget* BuildFileGroup();
    QWidget* BuildFolderGroup();
    void AddFileItem(const std::string& name);
    void ShowFileStates();
    void EnableButtons();

    SearchedFilesKind m_kind;
    std::string m_wadValue;
    TextureSearchPaths m_search;
    QTreeWidget* m_files = nullptr;
    CFolderListBox* m_folders = nullptr;
    QPushButton* m_addFile = nullptr;
    QPushButton* m_removeFile = nullptr;
    QPushButton* m_moveUp = nullptr;
    QPushButton* m_moveDown = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};
