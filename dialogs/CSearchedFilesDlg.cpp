#include "dialogs/CSearchedFilesDlg.h"

#include "dialogs/CFolderListBox.h"
#include "dialogs/DialogLayout.h"
#include "dialogs/DialogText.h"
#include "framework/CFileChooser.h"
#include "map/CMapDefinitions.h"
#include "texture/CTextureWad.h"
#include "texture/TextureWadEntry.h"
#include "texture/WadListText.h"

#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Entries and folders keep their bytes in the items, so that what goes back
// into the map is what came out of it.
constexpr int kBytesRole = Qt::UserRole;

std::string ItemBytes(const QVariant& data) {
    return data.toByteArray().toStdString();
}

QByteArray ToBytes(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

SearchedFilesKind TextureFilesKind() {
    return {"Texture Files",
            "Texture files of this map:",
            "A texture comes from the first file that holds it.",
            "Texture folders of all maps:",
            "Add Texture Folder",
            CTextureWad::MakeChooserRequest(),
            [](const std::string& entry, const TextureSearchPaths& paths) {
                return DescribeWadEntry(InspectWadEntry(entry, paths));
            }};
}

SearchedFilesKind DefinitionFilesKind() {
    FileChooserRequest chooser;
    chooser.filterText = "Entity definition files (*.fgd *.def *.qc)";
    chooser.pattern = "*.fgd *.def *.qc";
    chooser.defaultExtension = "fgd";
    return {"Entity Definitions",
            "Entity definition files of this map:",
            "A class comes from the last file that defines it.",
            "Definition folders of all maps:",
            "Add Definition Folder",
            chooser,
            DescribeDefinitionEntry};
}

CSearchedFilesDlg::CSearchedFilesDlg(const std::string& wadValue, const std::string& mapFolder,
                                     const std::vector<std::string>& textureFolders,
                                     QWidget* parent, SearchedFilesKind kind)
    : QDialog(parent), m_kind(std::move(kind)), m_wadValue(wadValue), m_search{mapFolder, {}} {
    setWindowTitle(QString::fromLatin1(m_kind.title));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildFileGroup(), 2);
    layout->addWidget(BuildFolderGroup(), 1);
    auto* buttons = new QHBoxLayout;
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_ok->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons);
    connect(m_ok, &QPushButton::clicked, this, &CSearchedFilesDlg::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CSearchedFilesDlg::reject);

    m_folders->SetFolders(textureFolders);
    m_search.textureFolders = textureFolders;
    for (const std::string& name : SplitWadListNames(wadValue))
        AddFileItem(name);
    if (m_files->topLevelItemCount() > 0)
        m_files->setCurrentItem(m_files->topLevelItem(0));
    ShowFileStates();
    EnableButtons();
    resize(640, 400);
}

QWidget* CSearchedFilesDlg::BuildFileGroup() {
    QGridLayout* grid = nullptr;
    QGroupBox* group = MakeFrame(grid, this, QString::fromLatin1(m_kind.filesCaption));
    grid->addWidget(new QLabel(QString::fromLatin1(m_kind.filesNote), group), 0, 0);
    m_files = new QTreeWidget(group);
    m_files->setColumnCount(2);
    m_files->setHeaderLabels({QStringLiteral("File"), QStringLiteral("Found as")});
    m_files->setRootIsDecorated(false);
    m_files->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    grid->addWidget(m_files, 1, 0);
    auto* column = new QVBoxLayout;
    m_addFile = AddSideButton(*column, "Add File...", group);
    m_removeFile = AddSideButton(*column, "Remove", group);
    m_moveUp = AddSideButton(*column, "Move Up", group);
    m_moveDown = AddSideButton(*column, "Move Down", group);
    column->addStretch(1);
    grid->addLayout(column, 1, 1);
    connect(m_addFile, &QPushButton::clicked, this, &CSearchedFilesDlg::OnAddFile);
    connect(m_removeFile, &QPushButton::clicked, this, &CSearchedFilesDlg::OnRemoveFile);
    connect(m_moveUp, &QPushButton::clicked, this, [this] { OnMoveFile(-1); });
    connect(m_moveDown, &QPushButton::clicked, this, [this] { OnMoveFile(1); });
    connect(m_files, &QTreeWidget::currentItemChanged, this, &CSearchedFilesDlg::EnableButtons);
    return group;
}

QWidget* CSearchedFilesDlg::BuildFolderGroup() {
    QGridLayout* grid = nullptr;
    QGroupBox* group = MakeFrame(grid, this, QString::fromLatin1(m_kind.foldersCaption));
    grid->addWidget(
        new QLabel(QStringLiteral("A file the map's folder lacks is looked for here by its name."),
                   group),
        0, 0);
    m_folders = new CFolderListBox(m_kind.folderChooserTitle, group);
    grid->addWidget(m_folders, 1, 0, 1, 2);
    // Folders may find files or lose them, so each entry is looked at again.
    connect(m_folders, &CFolderListBox::FoldersChanged, this, [this] {
        m_search.textureFolders = m_folders->GetFolders();
        ShowFileStates();
    });
    return group;
}

void CSearchedFilesDlg::AddFileItem(const std::string& name) {
    auto* item = new QTreeWidgetItem(m_files);
    item->setText(0, ToDialogText(name));
    item->setData(0, kBytesRole, ToBytes(name));
}

std::vector<std::string> CSearchedFilesDlg::GetEntryNames() const {
    std::vector<std::string> names;
    for (int i = 0; i < m_files->topLevelItemCount(); ++i)
        names.push_back(ItemBytes(m_files->topLevelItem(i)->data(0, kBytesRole)));
    return names;
}

std::string CSearchedFilesDlg::GetWadValue() const {
    const std::vector<std::string> names = GetEntryNames();
    return names == SplitWadListNames(m_wadValue) ? m_wadValue : JoinWadList(names);
}

std::vector<std::string> CSearchedFilesDlg::GetTextureFolders() const {
    return m_search.textureFolders;
}

// Every change may find or lose files, so each entry is looked at again.
void CSearchedFilesDlg::ShowFileStates() {
    for (int i = 0; i < m_files->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_files->topLevelItem(i);
        const std::string state = m_kind.describe(ItemBytes(item->data(0, kBytesRole)), m_search);
        item->setText(1, QFile::decodeName(state.c_str()));
    }
}

void CSearchedFilesDlg::EnableButtons() {
    const int row = m_files->indexOfTopLevelItem(m_files->currentItem());
    m_removeFile->setEnabled(row >= 0);
    m_moveUp->setEnabled(row > 0);
    m_moveDown->setEnabled(row >= 0 && row + 1 < m_files->topLevelItemCount());
}

void CSearchedFilesDlg::OnAddFile() {
    std::optional<std::string> chosen = FileChooserSlot::Get().ChooseFileToOpen(m_kind.chooser);
    if (!chosen)
        return;
    AddFileItem(MakeStoredWadName(*chosen, m_search.mapFolder));
    m_files->setCurrentItem(m_files->topLevelItem(m_files->topLevelItemCount() - 1));
    ShowFileStates();
    EnableButtons();
}

void CSearchedFilesDlg::OnRemoveFile() {
    delete m_files->currentItem();
    EnableButtons();
}

void CSearchedFilesDlg::OnMoveFile(int step) {
    const int row = m_files->indexOfTopLevelItem(m_files->currentItem());
    const int target = row + step;
    if (row < 0 || target < 0 || target >= m_files->topLevelItemCount())
        return;
    QTreeWidgetItem* item = m_files->takeTopLevelItem(row);
    m_files->insertTopLevelItem(target, item);
    m_files->setCurrentItem(item);
    EnableButtons();
}

void CSearchedFilesDlg::OnAddFolder() {
    m_folders->OnAddFolder();
}

void CSearchedFilesDlg::OnRemoveFolder() {
    m_folders->OnRemoveFolder();
}

QListWidget* CSearchedFilesDlg::GetFolderList() const {
    return m_folders->GetList();
}

QPushButton* CSearchedFilesDlg::GetAddFolderButton() const {
    return m_folders->GetAddButton();
}

QPushButton* CSearchedFilesDlg::GetRemoveFolderButton() const {
    return m_folders->GetRemoveButton();
}
