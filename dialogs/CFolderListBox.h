#pragma once

#include <QWidget>

#include <string>
#include <vector>

class QListWidget;
class QPushButton;

// A list of folders the user arranges: "Add Folder..." asks for one through
// the folder chooser (a folder already listed is not added twice), "Remove
// Folder" takes the current one away. Each folder keeps its bytes, so that a
// name the system does not spell in UTF-8 goes back as it came.
class CFolderListBox : public QWidget {
    Q_OBJECT

public:
    // `chooserTitle` says what the folder added is for.
    explicit CFolderListBox(std::string chooserTitle, QWidget* parent = nullptr);

    void SetFolders(const std::vector<std::string>& folders);
    const std::vector<std::string>& GetFolders() const { return m_folders; }

    void OnAddFolder();
    void OnRemoveFolder();

    QListWidget* GetList() const { return m_list; }
    QPushButton* GetAddButton() const { return m_add; }
    QPushButton* GetRemoveButton() const { return m_remove; }

signals:
    void FoldersChanged();

private:
    void AddItem(const std::string& folder);
    void EnableButtons();

    std::string m_chooserTitle;
    std::vector<std::string> m_folders;
    QListWidget* m_list;
    QPushButton* m_add;
    QPushButton* m_remove;
};
