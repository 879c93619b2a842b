#include "dialogs/CPreferencesDlg.h"

#include "dialogs/CFolderListBox.h"
#include "dialogs/DialogLayout.h"
#include "dialogs/DialogText.h"
#include "framework/CColourChooser.h"
#include "framework/CFolderChooser.h"
#include "framework/CMessageService.h"
#include "framework/FieldMessages.h"

#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cstdio>

namespace {

enum Page { kViewsPage, kEditingPage, kFilesPage };

// The choices of the layout box, in the order of PreferenceValues::viewLayout.
const char* const kLayoutChoices[] = {"Four views (top, camera, front, side)",
                                      "Three views side by side (top, front, side)",
                                      "One top view"};

using Check = std::function<std::optional<std::string>(const std::string&)>;

Check IntegerIn(int32_t low, int32_t high) {
    return [low, high](const std::string& text) -> std::optional<std::string> {
        const std::optional<int32_t> value = ParseWholeInteger(text);
        if (!value || *value < low || *value > high)
            return DescribeIntegerRange(low, high);
        return std::nullopt;
    };
}

std::optional<std::string> FindSpeedProblem(const std::string& text) {
    const std::optional<double> speed = ParseWholeDecimal(text);
    if (!speed || *speed < kSlowestCameraSpeed || *speed > kFastestCameraSpeed)
        return "Please enter a number between 0.5 and 16384.";
    return std::nullopt;
}

std::optional<PickedColour> ParseColour(const std::string& text) {
    const QColor colour(QString::fromStdString(text).trimmed());
    if (!colour.isValid())
        return std::nullopt;
    return PickedColour{static_cast<uint8_t>(colour.red()), static_cast<uint8_t>(colour.green()),
                        static_cast<uint8_t>(colour.blue())};
}

std::optional<std::string> FindColourProblem(const std::string& text) {
    if (!ParseColour(text))
        return "Please enter a colour as #rrggbb, such as #e4e4e4.";
    return std::nullopt;
}

QString ColourText(PickedColour colour) {
    return QColor(colour.red, colour.green, colour.blue).name();
}

std::string DecimalText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

QCheckBox* AddCheck(QVBoxLayout& column, const char* text, QWidget* page) {
    auto* box = new QCheckBox(QString::fromLatin1(text), page);
    column.addWidget(box);
    return box;
}

} // namespace

CPreferencesDlg::CPreferencesDlg(QWidget* parent)
    : QDialog(parent), m_pages(new QTabWidget(this)),
      m_ok(new QPushButton(QStringLiteral("OK"), this)),
      m_cancel(new QPushButton(QStringLiteral("Cancel"), this)) {
    setWindowTitle(QString::fromLatin1(kTitle));
    m_pages->addTab(BuildViewsPage(), QStringLiteral("Views"));
    m_pages->addTab(BuildEditingPage(), QStringLiteral("Editing"));
    m_pages->addTab(BuildFilesPage(), QStringLiteral("Files"));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &CPreferencesDlg::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CPreferencesDlg::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(buttons);
}

QLineEdit* CPreferencesDlg::AddTypedBox(QGridLayout& grid, int row, const QString& label,
                                        QWidget* page, int pageIndex, TypedBox::Check check) {
    QLineEdit* box = AddLabeledEdit(grid, row, label, page);
    m_typed.push_back({box, pageIndex, std::move(check)});
    return box;
}

QWidget* CPreferencesDlg::BuildViewsPage() {
    auto* page = new QWidget(m_pages);
    auto* column = new QVBoxLayout(page);
    auto* grid = new QGridLayout;
    m_layout = new QComboBox(page);
    for (const char* choice : kLayoutChoices)
        m_layout->addItem(QString::fromLatin1(choice));
    auto* layoutLabel = new QLabel(QStringLiteral("&Windows of a map opened:"), page);
    layoutLabel->setBuddy(m_layout);
    grid->addWidget(layoutLabel, 0, 0);
    grid->addWidget(m_layout, 0, 1, 1, 2);
    m_gridColour =
        AddTypedBox(*grid, 1, QStringLiteral("Grid &colour:"), page, kViewsPage, FindColourProblem);
    m_gridSwatch = new QPushButton(QStringLiteral("Choose..."), page);
    m_gridSwatch->setAutoDefault(false);
    grid->addWidget(m_gridSwatch, 1, 2);
    m_pickDistance =
        AddTypedBox(*grid, 2, QStringLiteral("&Pick distance (pixels, 0 = unlimited):"), page,
                    kViewsPage, IntegerIn(0, kMaxPickDistance));
    m_cameraSpeed = AddTypedBox(*grid, 3, QStringLiteral("Camera &speed (units per second):"), page,
                                kViewsPage, FindSpeedProblem);
    column->addLayout(grid);
    m_grid = AddCheck(*column, "Show the &grid", page);
    m_fullbright = AddCheck(*column, "&Fullbright camera view", page);
    m_toolTextures = AddCheck(*column, "Show &tool textures in the camera view", page);
    column->addStretch(1);
    connect(m_gridSwatch, &QPushButton::clicked, this, &CPreferencesDlg::ChooseGridColour);
    connect(m_gridColour, &QLineEdit::textChanged, this, &CPreferencesDlg::ShowGridSwatch);
    return page;
}

QWidget* CPreferencesDlg::BuildEditingPage() {
    auto* page = new QWidget(m_pages);
    auto* column = new QVBoxLayout(page);
    m_textureLock = AddCheck(*column, "Texture &lock", page);
    m_clipLargestFace = AddCheck(*column, "Cuts give new faces the largest face's texture", page);
    auto* grid = new QGridLayout;
    m_wallThickness = AddTypedBox(
        *grid, 0, QStringLiteral("&Wall thickness for Hollow (units, 0 = the snap step):"), page,
        kEditingPage, IntegerIn(0, kMaxWallThickness));
    column->addLayout(grid);
    column->addStretch(1);
    return page;
}

QWidget* CPreferencesDlg::BuildFilesPage() {
    auto* page = new QWidget(m_pages);
    auto* column = new QVBoxLayout(page);
    auto* grid = new QGridLayout;
    m_autosave = AddTypedBox(*grid, 0, QStringLiteral("&Autosave every (minutes, 0 = off):"), page,
                             kFilesPage, IntegerIn(0, kLongestAutosaveInterval));
    m_gameFolder = AddLabeledEdit(*grid, 1, QStringLiteral("&Game folder for compiling:"), page);
    auto* browse = new QPushButton(QStringLiteral("Browse..."), page);
    browse->setAutoDefault(false);
    grid->addWidget(browse, 1, 2);
    column->addLayout(grid);
    m_keepLayout =
        AddCheck(*column, "Saves &keep the file's own text where the map is unchanged", page);
    column->addWidget(new QLabel(QStringLiteral("Texture folders of all maps:"), page));
    m_textureFolders = new CFolderListBox("Add Texture Folder", page);
    column->addWidget(m_textureFolders);
    column->addWidget(new QLabel(QStringLiteral("Definition folders of all maps:"), page));
    m_definitionFolders = new CFolderListBox("Add Definition Folder", page);
    column->addWidget(m_definitionFolders);
    connect(browse, &QPushButton::clicked, this, &CPreferencesDlg::ChooseGameFolder);
    return page;
}

void CPreferencesDlg::SetValues(const PreferenceValues& values) {
    m_given = values;
    m_layout->setCurrentIndex(values.viewLayout);
    m_grid->setChecked(values.showGrid);
    m_gridColour->setText(ColourText(values.gridColour));
    m_pickDistance->setText(QString::number(values.pickDistance));
    m_cameraSpeed->setText(QString::fromStdString(DecimalText(values.cameraSpeed)));
    m_fullbright->setChecked(values.fullbright);
    m_toolTextures->setChecked(values.showToolTextures);
    m_textureLock->setChecked(values.textureLock);
    m_clipLargestFace->setChecked(values.clipTakesLargestFaceTexture);
    m_wallThickness->setText(QString::number(values.wallThickness));
    m_autosave->setText(QString::number(values.autosaveMinutes));
    m_keepLayout->setChecked(values.keepLayout);
    m_gameFolder->setText(ToDialogText(values.gameFolder));
    m_textureFolders->SetFolders(values.textureFolders);
    m_definitionFolders->SetFolders(values.definitionFolders);
}

PreferenceValues CPreferencesDlg::GetValues() const {
    auto text = [](const QLineEdit* box) { return FromDialogText(box->text()); };
    PreferenceValues values;
    values.viewLayout = m_layout->currentIndex();
    values.showGrid = m_grid->isChecked();
    values.gridColour = ParseColour(text(m_gridColour)).value_or(m_given.gridColour);
    values.pickDistance = ParseWholeInteger(text(m_pickDistance)).value_or(0);
    values.cameraSpeed = ParseWholeDecimal(text(m_cameraSpeed)).value_or(m_given.cameraSpeed);
    values.fullbright = m_fullbright->isChecked();
    values.showToolTextures = m_toolTextures->isChecked();
    values.textureLock = m_textureLock->isChecked();
    values.clipTakesLargestFaceTexture = m_clipLargestFace->isChecked();
    values.wallThickness = ParseWholeInteger(text(m_wallThickness)).value_or(0);
    values.autosaveMinutes = ParseWholeInteger(text(m_autosave)).value_or(0);
    values.keepLayout = m_keepLayout->isChecked();
    values.gameFolder = text(m_gameFolder);
    values.textureFolders = m_textureFolders->GetFolders();
    values.definitionFolders = m_definitionFolders->GetFolders();
    return values;
}

void CPreferencesDlg::accept() {
    for (const TypedBox& typed : m_typed) {
        if (std::optional<std::string> problem = typed.check(FromDialogText(typed.box->text()))) {
            ShowMessageBox(kFieldMessageTitle, *problem, MessageIcon::kWarning);
            m_pages->setCurrentIndex(typed.page);
            typed.box->setFocus();
            typed.box->selectAll();
            return;
        }
    }
    QDialog::accept();
}

void CPreferencesDlg::ChooseGameFolder() {
    if (std::optional<std::string> folder = FolderChooserSlot::Get().ChooseFolder("Game Folder"))
        m_gameFolder->setText(ToDialogText(*folder));
}

void CPreferencesDlg::ChooseGridColour() {
    const PickedColour current =
        ParseColour(FromDialogText(m_gridColour->text())).value_or(m_given.gridColour);
    if (std::optional<PickedColour> chosen =
            ColourChooserSlot::Get().ChooseColour(current, "Grid Colour"))
        m_gridColour->setText(ColourText(*chosen));
}

// The button shows the colour the box names, or nothing while it names none.
void CPreferencesDlg::ShowGridSwatch() {
    const std::optional<PickedColour> colour = ParseColour(FromDialogText(m_gridColour->text()));
    m_gridSwatch->setStyleSheet(
        colour ? QStringLiteral("background-color: %1").arg(ColourText(*colour)) : QString());
}
