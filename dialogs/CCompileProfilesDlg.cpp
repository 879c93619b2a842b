#include "dialogs/CCompileProfilesDlg.h"

#include "compile/CompileProfileFile.h"
#include "dialogs/DialogLayout.h"
#include "framework/CFolderChooser.h"
#include "framework/CMessageService.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <set>

namespace {

constexpr const char* kTitle = "Compile Profiles";

QString ToQt(const std::string& text) {
    return QString::fromStdString(text);
}

QString UniqueName(const std::vector<EditedProfile>& profiles, const QString& wanted) {
    std::set<QString> taken;
    for (const EditedProfile& edited : profiles)
        taken.insert(ToQt(edited.profile.name));
    // "Quake (2)": "Quake 2" would name another game.
    QString name = wanted;
    for (int number = 2; taken.contains(name); ++number)
        name = wanted + " (" + QString::number(number) + ")";
    return name;
}

} // namespace

CCompileProfilesDlg::CCompileProfilesDlg(const std::vector<CompileProfile>& profiles,
                                         std::optional<size_t> current,
                                         const std::string& gameFolder, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(kTitle);
    resize(860, 420);
    auto* columns = new QHBoxLayout;
    columns->addWidget(BuildProfileColumn());
    columns->addWidget(BuildStepColumn(), 1);

    auto* gameRow = new QHBoxLayout;
    auto* gameLabel = new QLabel("&Game folder (${GAMEDIR}):", this);
    m_gameFolder = new QLineEdit(ToQt(gameFolder), this);
    gameLabel->setBuddy(m_gameFolder);
    gameRow->addWidget(gameLabel);
    gameRow->addWidget(m_gameFolder, 1);
    m_browse = AddSideButton(*gameRow, "&Browse...", this);

    auto* okRow = new QHBoxLayout;
    okRow->addStretch(1);
    m_ok = new QPushButton("OK", this);
    m_ok->setDefault(true);
    okRow->addWidget(m_ok);
    m_cancel = AddSideButton(*okRow, "Cancel", this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(gameRow);
    layout->addLayout(okRow);

    for (size_t i = 0; i < profiles.size(); ++i)
        AddProfile({profiles[i], i});
    connect(m_profileList, &QListWidget::currentRowChanged, this,
            &CCompileProfilesDlg::ShowProfile);
    connect(m_name, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (QListWidgetItem* item = m_profileList->item(m_shown))
            item->setText(text);
    });
    connect(m_steps, &QTableWidget::currentCellChanged, this, &CCompileProfilesDlg::RefreshButtons);
    connect(m_new, &QPushButton::clicked, this, &CCompileProfilesDlg::OnNewProfile);
    connect(m_default, &QPushButton::clicked, this, &CCompileProfilesDlg::OnDefaultProfile);
    connect(m_delete, &QPushButton::clicked, this, &CCompileProfilesDlg::OnDeleteProfile);
    connect(m_addStep, &QPushButton::clicked, this, &CCompileProfilesDlg::OnAddStep);
    connect(m_removeStep, &QPushButton::clicked, this, &CCompileProfilesDlg::OnRemoveStep);
    connect(m_stepUp, &QPushButton::clicked, this, [this] { OnMoveStep(-1); });
    connect(m_stepDown, &QPushButton::clicked, this, [this] { OnMoveStep(1); });
    connect(m_browse, &QPushButton::clicked, this, [this] {
        if (std::optional<std::string> folder =
                FolderChooserSlot::Get().ChooseFolder("Game Folder"))
            m_gameFolder->setText(ToQt(*folder));
    });
    connect(m_ok, &QPushButton::clicked, this, &CCompileProfilesDlg::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    const int first = profiles.empty() ? -1 : static_cast<int>(current.value_or(0));
    m_profileList->setCurrentRow(first < static_cast<int>(profiles.size()) ? first : 0);
    ShowProfile(m_profileList->currentRow());
}

QWidget* CCompileProfilesDlg::BuildProfileColumn() {
    auto* group = new QGroupBox("&Profiles", this);
    auto* layout = new QVBoxLayout(group);
    m_profileList = new QListWidget(group);
    layout->addWidget(m_profileList, 1);
    auto* buttons = new QHBoxLayout;
    m_new = AddSideButton(*buttons, "&New", group);
    m_default = AddSideButton(*buttons, "Add &Quake", group);
    m_default->setToolTip("A new profile of qbsp, vis and light as found on the PATH, and the "
                          "engine, which is left off until the game folder is set");
    m_delete = AddSideButton(*buttons, "&Delete", group);
    layout->addLayout(buttons);
    return group;
}

QWidget* CCompileProfilesDlg::BuildStepColumn() {
    auto* group = new QGroupBox("&Steps, run one after the other", this);
    auto* layout = new QVBoxLayout(group);
    auto* nameRow = new QHBoxLayout;
    auto* nameLabel = new QLabel("N&ame:", group);
    m_name = new QLineEdit(group);
    nameLabel->setBuddy(m_name);
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(m_name, 1);
    layout->addLayout(nameRow);

    m_steps = new QTableWidget(0, 4, group);
    m_steps->setHorizontalHeaderLabels({"Run", "Program", "Arguments", "Folder"});
    m_steps->horizontalHeader()->setSectionResizeMode(kArgumentsColumn, QHeaderView::Stretch);
    m_steps->verticalHeader()->setVisible(false);
    m_steps->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_steps->setSelectionMode(QAbstractItemView::SingleSelection);
    m_steps->setTabKeyNavigation(false);
    layout->addWidget(m_steps, 1);
    layout->addWidget(new QLabel("In arguments and folders: ${MAP} ${MAPDIR} ${NAME} ${BSP} "
                                 "${GAMEDIR}. An empty folder is the map's.",
                                 group));

    auto* buttons = new QHBoxLayout;
    m_addStep = AddSideButton(*buttons, "Add S&tep", group);
    m_removeStep = AddSideButton(*buttons, "&Remove Step", group);
    m_stepUp = AddSideButton(*buttons, "&Up", group);
    m_stepDown = AddSideButton(*buttons, "Do&wn", group);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    return group;
}

void CCompileProfilesDlg::AddProfile(EditedProfile profile) {
    m_profileList->addItem(ToQt(profile.profile.name));
    m_profiles.push_back(std::move(profile));
}

void CCompileProfilesDlg::ShowProfile(int row) {
    KeepShownProfile();
    m_shown = row;
    const bool shown = row >= 0 && row < static_cast<int>(m_profiles.size());
    const CompileProfile empty;
    const CompileProfile& profile = shown ? m_profiles[static_cast<size_t>(row)].profile : empty;
    m_name->setText(ToQt(profile.name));
    m_steps->setRowCount(0);
    for (const CompileStep& step : profile.steps) {
        m_steps->insertRow(m_steps->rowCount());
        FillStepRow(m_steps->rowCount() - 1, step);
    }
    m_steps->resizeColumnToContents(kRunColumn);
    m_name->setEnabled(shown);
    m_steps->setEnabled(shown);
    RefreshButtons();
}

// The editors hold the shown profile's changes until another is shown.
void CCompileProfilesDlg::KeepShownProfile() {
    if (m_shown < 0 || m_shown >= static_cast<int>(m_profiles.size()))
        return;
    CompileProfile& profile = m_profiles[static_cast<size_t>(m_shown)].profile;
    profile.name = m_name->text().trimmed().toStdString();
    m_profileList->item(m_shown)->setText(QString::fromStdString(profile.name));
    profile.steps.clear();
    for (int row = 0; row < m_steps->rowCount(); ++row)
        profile.steps.push_back(ReadStepRow(row));
}

void CCompileProfilesDlg::FillStepRow(int row, const CompileStep& step) {
    auto* run = new QTableWidgetItem;
    run->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    run->setCheckState(step.enabled ? Qt::Checked : Qt::Unchecked);
    m_steps->setItem(row, kRunColumn, run);
    m_steps->setItem(row, kProgramColumn, new QTableWidgetItem(ToQt(step.program)));
    m_steps->setItem(row, kArgumentsColumn, new QTableWidgetItem(ToQt(JoinArguments(step.args))));
    m_steps->setItem(row, kFolderColumn, new QTableWidgetItem(ToQt(step.folder)));
}

CompileStep CCompileProfilesDlg::ReadStepRow(int row) const {
    auto text = [&](int column) {
        const QTableWidgetItem* item = m_steps->item(row, column);
        return item ? item->text().trimmed().toStdString() : std::string();
    };
    CompileStep step;
    step.enabled = m_steps->item(row, kRunColumn)->checkState() == Qt::Checked;
    step.program = text(kProgramColumn);
    step.args = SplitArguments(text(kArgumentsColumn));
    step.folder = text(kFolderColumn);
    return step;
}

void CCompileProfilesDlg::RefreshButtons() {
    const bool shown = m_shown >= 0;
    const int step = m_steps->currentRow();
    m_delete->setEnabled(shown);
    m_addStep->setEnabled(shown);
    m_removeStep->setEnabled(shown && step >= 0);
    m_stepUp->setEnabled(shown && step > 0);
    m_stepDown->setEnabled(shown && step >= 0 && step + 1 < m_steps->rowCount());
}

void CCompileProfilesDlg::OnNewProfile() {
    KeepShownProfile();
    CompileProfile profile;
    profile.name = UniqueName(m_profiles, "New profile").toStdString();
    AddProfile({profile, std::nullopt});
    m_profileList->setCurrentRow(m_profileList->count() - 1);
    OnAddStep();
    m_name->setFocus();
    m_name->selectAll();
}

void CCompileProfilesDlg::OnDefaultProfile() {
    KeepShownProfile();
    CompileProfile profile = DefaultCompileProfile();
    profile.name = UniqueName(m_profiles, ToQt(profile.name)).toStdString();
    AddProfile({profile, std::nullopt});
    m_profileList->setCurrentRow(m_profileList->count() - 1);
}

void CCompileProfilesDlg::OnDeleteProfile() {
    const int row = m_shown;
    if (row < 0)
        return;
    m_shown = -1; // nothing to keep of it
    m_profiles.erase(m_profiles.begin() + row);
    delete m_profileList->takeItem(row);
    ShowProfile(m_profileList->currentRow());
}

void CCompileProfilesDlg::OnAddStep() {
    if (m_shown < 0)
        return;
    const int row = m_steps->currentRow() < 0 ? m_steps->rowCount() : m_steps->currentRow() + 1;
    m_steps->insertRow(row);
    FillStepRow(row, CompileStep{"", {"${MAP}"}, "", true});
    m_steps->setCurrentCell(row, kProgramColumn);
    m_steps->editItem(m_steps->item(row, kProgramColumn));
    RefreshButtons();
}

void CCompileProfilesDlg::OnRemoveStep() {
    const int row = m_steps->currentRow();
    if (row < 0)
        return;
    m_steps->removeRow(row);
    RefreshButtons();
}

void CCompileProfilesDlg::OnMoveStep(int by) {
    const int row = m_steps->currentRow();
    const int target = row + by;
    if (row < 0 || target < 0 || target >= m_steps->rowCount())
        return;
    const CompileStep moved = ReadStepRow(row);
    const CompileStep other = ReadStepRow(target);
    FillStepRow(target, moved);
    FillStepRow(row, other);
    m_steps->setCurrentCell(target, m_steps->currentColumn());
    RefreshButtons();
}

std::vector<EditedProfile> CCompileProfilesDlg::GetProfiles() {
    KeepShownProfile();
    return m_profiles;
}

std::optional<size_t> CCompileProfilesDlg::GetCurrentProfile() const {
    const int row = m_profileList->currentRow();
    if (row < 0)
        return std::nullopt;
    return static_cast<size_t>(row);
}

std::string CCompileProfilesDlg::GetGameFolder() const {
    return m_gameFolder->text().trimmed().toStdString();
}

void CCompileProfilesDlg::accept() {
    if (CheckProfiles())
        QDialog::accept();
}

bool CCompileProfilesDlg::CheckProfiles() {
    KeepShownProfile();
    std::set<std::string> names;
    for (size_t i = 0; i < m_profiles.size(); ++i) {
        const CompileProfile& profile = m_profiles[i].profile;
        std::string problem;
        int stepRow = -1;
        if (profile.name.empty())
            problem = "Every profile needs a name.";
        else if (!names.insert(profile.name).second)
            problem = "Two profiles are called \"" + profile.name + "\".";
        for (size_t step = 0; problem.empty() && step < profile.steps.size(); ++step) {
            if (profile.steps[step].program.empty()) {
                problem = "Step " + std::to_string(step + 1) + " of \"" + profile.name +
                          "\" has no program.";
                stepRow = static_cast<int>(step);
            }
        }
        if (problem.empty())
            continue;
        m_profileList->setCurrentRow(static_cast<int>(i));
        ShowMessageBox(kTitle, problem, MessageIcon::kWarning);
        if (stepRow >= 0) {
            m_steps->setFocus();
            m_steps->setCurrentCell(stepRow, kProgramColumn);
        } else {
            m_name->setFocus();
        }
        return false;
    }
    return true;
}
