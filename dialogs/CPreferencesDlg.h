#pragma once

#include "dialogs/PreferenceValues.h"
#include "framework/CDialogRunner.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class CFolderListBox;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QTabWidget;

// "Preferences": every setting of the editor in one dialog, on three pages
// (Views, Editing, Files). The dialog only shows values and returns them;
// OK refuses a typed value the setting cannot take, with the standard
// message, and puts the focus on its box.
class CPreferencesDlg : public QDialog, public CModalDialog {
    Q_OBJECT

public:
    static constexpr const char* kTitle = "Preferences";

    explicit CPreferencesDlg(QWidget* parent = nullptr);

    void SetValues(const PreferenceValues& values);
    // The values as the boxes hold them; only after OK are the typed ones
    // known to be good.
    PreferenceValues GetValues() const;

    std::string GetDialogName() const override { return kTitle; }
    bool RunDialog() override { return exec() == QDialog::Accepted; }
    void accept() override;

    QTabWidget* GetPages() const { return m_pages; }
    QComboBox* GetLayoutBox() const { return m_layout; }
    QCheckBox* GetGridBox() const { return m_grid; }
    QLineEdit* GetGridColourBox() const { return m_gridColour; }
    QPushButton* GetGridColourButton() const { return m_gridSwatch; }
    QLineEdit* GetPickDistanceBox() const { return m_pickDistance; }
    QLineEdit* GetCameraSpeedBox() const { return m_cameraSpeed; }
    QCheckBox* GetTextureLockBox() const { return m_textureLock; }
    QLineEdit* GetWallThicknessBox() const { return m_wallThickness; }
    QLineEdit* GetAutosaveBox() const { return m_autosave; }
    QCheckBox* GetKeepLayoutBox() const { return m_keepLayout; }
    QLineEdit* GetGameFolderBox() const { return m_gameFolder; }
    CFolderListBox* GetTextureFolders() const { return m_textureFolders; }
    CFolderListBox* GetDefinitionFolders() const { return m_definitionFolders; }
    QPushButton* GetOkButton() const { return m_ok; }
    QPushButton* GetCancelButton() const { return m_cancel; }

private:
    // A typed box, the page it stands on and what is wrong with its text.
    struct TypedBox {
        using Check = std::function<std::optional<std::string>(const std::string&)>;
        QLineEdit* box;
        int page;
        Check check;
    };

    QWidget* BuildViewsPage();
    QWidget* BuildEditingPage();
    QWidget* BuildFilesPage();
    QLineEdit* AddTypedBox(QGridLayout& grid, int row, const QString& label, QWidget* page,
                           int pageIndex, TypedBox::Check check);
    void ChooseGameFolder();
    void ChooseGridColour();
    void ShowGridSwatch();

    PreferenceValues m_given; // as the dialog was given them
    QTabWidget* m_pages;
    std::vector<TypedBox> m_typed;
    QComboBox* m_layout = nullptr;
    QCheckBox* m_grid = nullptr;
    QLineEdit* m_gridColour = nullptr;
    QPushButton* m_gridSwatch = nullptr;
    QLineEdit* m_pickDistance = nullptr;
    QLineEdit* m_cameraSpeed = nullptr;
    QCheckBox* m_fullbright = nullptr;
    QCheckBox* m_toolTextures = nullptr;
    QCheckBox* m_textureLock = nullptr;
    QCheckBox* m_clipLargestFace = nullptr;
    QLineEdit* m_wallThickness = nullptr;
    QLineEdit* m_autosave = nullptr;
    QCheckBox* m_keepLayout = nullptr;
    QLineEdit* m_gameFolder = nullptr;
    CFolderListBox* m_textureFolders = nullptr;
    CFolderListBox* m_definitionFolders = nullptr;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};
