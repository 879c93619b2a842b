#include "dialogs/CFolderListBox.h"

#include "dialogs/DialogLayout.h"
#include "framework/CFolderChooser.h"

#include <QFile>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

CFolderListBox::CFolderListBox(std::string chooserTitle, QWidget* parent)
    : QWidget(parent), m_chooserTitle(std::move(chooserTitle)), m_list(new QListWidget(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list, 1);
    auto* column = new QVBoxLayout;
    m_add = AddSideButton(*column, "Add Folder...", this);
    m_remove = AddSideButton(*column, "Remove Folder", this);
    column->addStretch(1);
    layout->addLayout(column);
    connect(m_add, &QPushButton::clicked, this, &CFolderListBox::OnAddFolder);
    connect(m_remove, &QPushButton::clicked, this, &CFolderListBox::OnRemoveFolder);
    connect(m_list, &QListWidget::currentRowChanged, this, &CFolderListBox::EnableButtons);
    EnableButtons();
}

void CFolderListBox::SetFolders(const std::vector<std::string>& folders) {
    m_list->clear();
    m_folders.clear();
    for (const std::string& folder : folders)
        AddItem(folder);
    EnableButtons();
}

// The item shows the name as the system decodes it; the list keeps the bytes.
void CFolderListBox::AddItem(const std::string& folder) {
    new QListWidgetItem(QFile::decodeName(folder.c_str()), m_list);
    m_folders.push_back(folder);
}

void CFolderListBox::EnableButtons() {
    m_remove->setEnabled(m_list->currentRow() >= 0);
}

void CFolderListBox::OnAddFolder() {
    std::optional<std::string> folder = FolderChooserSlot::Get().ChooseFolder(m_chooserTitle);
    if (!folder || std::find(m_folders.begin(), m_folders.end(), *folder) != m_folders.end())
        return;
    AddItem(*folder);
    emit FoldersChanged();
    EnableButtons();
}

void CFolderListBox::OnRemoveFolder() {
    const int row = m_list->currentRow();
    if (row < 0)
        return;
    delete m_list->takeItem(row);
    m_folders.erase(m_folders.begin() + row);
    emit FoldersChanged();
    EnableButtons();
}
