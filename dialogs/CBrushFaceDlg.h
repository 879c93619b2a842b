#pragma once

#include "framework/CDialogRunner.h"
#include "map/CModelEntity.h"
#include "texture/BrushFaceFields.h"

#include <QDialog>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class CMapTransaction;
class CTextureFile;
class CTolveDoc;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;

// "Brush & Face Edit": the texture values of a new brush, of every face of a
// brush or of one face; the size and shape of a new brush; and the brush
// entity it belongs to. The texture files stay open while the dialog lives so
// that the preview can read pixels. New..., Edit and Delete change the map at
// once, inside the transaction the dialog is given, which Cancel rolls back.
class CBrushFaceDlg : public QDialog, public CModalDialog {
    Q_OBJECT

public:
    static constexpr const char* kTitle = "Brush & Face Edit";

    CBrushFaceDlg(CMapTransaction& transaction, BrushFaceJob job, const BrushFaceFields& fields,
                  CModelEntity* owner, QWidget* parent = nullptr);
    ~CBrushFaceDlg() override;

    // What the controls hold now; after OK, the values they passed with.
    BrushFaceFields GetFields() const;
    // The texture values the user changed since the dialog opened.
    FaceTextureChange GetChanges() const;
    const BrushFaceValues& GetValues() const { return m_values; }
    // The entity the chosen item stands for; null for "worldspawn".
    CModelEntity* GetChosenOwner() const;
    // The entities New... made, whether they have brushes yet or not.
    const std::vector<CModelEntity*>& GetNewEntities() const { return m_newEntities; }
    const std::vector<CModelEntity*>& GetEntities() const { return m_entities; }

    // Run on OK once every box has passed; false keeps the dialog open (it has
    // told the user why).
    using AcceptCheck = std::function<bool(const BrushFaceValues&, const BrushFaceFields&)>;
    void SetAcceptCheck(AcceptCheck check) { m_acceptCheck = std::move(check); }

    // Asks for a texture with pictures, starting at the one named; nothing
    // when the user cancelled. Without one, Browse... is not shown.
    using TexturePicker = std::function<std::optional<std::string>(const std::string& current)>;
    void SetTexturePicker(TexturePicker picker);

    std::string GetDialogName() const override { return kTitle; }
    bool RunDialog() override { return exec() == QDialog::Accepted; }
    void accept() override;

    void OnSelChangeTexture();
    void OnBrowseTexture();
    void OnNewEntity();
    void OnEditEntity();
    void OnDeleteEntity();

    QLineEdit* GetBox(BrushFaceField field) const { return m_boxes[static_cast<size_t>(field)]; }
    QComboBox* GetTextureList() const { return m_textureList; }
    QComboBox* GetEntityList() const { return m_entityList; }
    QSlider* GetBrightnessSlider() const { return m_brightness; }
    QLabel* GetPreview() const { return m_preview; }
    // Names the file the selected texture comes from.
    QLabel* GetTextureSource() const { return m_textureSource; }
    QPushButton* GetBrowseButton() const { return m_browse; }
    QCheckBox* GetChangeTextureBox() const { return m_changeTexture; }
    QRadioButton* GetShapeButton(int shape) const;
    QPushButton* GetNewEntityButton() const { return m_newEntity; }
    QPushButton* GetEditEntityButton() const { return m_editEntity; }
    QPushButton* GetDeleteEntityButton() const { return m_deleteEntity; }
    QPushButton* GetOkButton() const { return m_ok; }
    QPushButton* GetCancelButton() const { return m_cancel; }

private:
    QWidget* BuildTextureGroup();
    QWidget* BuildStructureGroup();
    QLineEdit* AddBox(QGridLayout& grid, int row, int column, const char* label,
                      BrushFaceField field);
    void FillTextureList(const std::string& texture);
    void FillEntityList(const CModelEntity* owner);
    void EnableForJob();
    void ShowTextureSource(const CTextureFile* file);

    CMapTransaction& m_transaction;
    CTolveDoc& m_doc;
    std::vector<CModelEntity*> m_newEntities;
    BrushFaceJob m_job;
    bool m_numberOffsets;     // the offsets of Valve faces are any numbers
    BrushFaceFields m_loaded; // as the dialog opened
    int m_loadedTextureItem = -1;
    BrushFaceValues m_values;
    AcceptCheck m_acceptCheck;
    TexturePicker m_picker;
    std::vector<CModelEntity*> m_entities; // parallel to the entity list's items
    std::array<QLineEdit*, kBrushFaceFieldCount> m_boxes{};
    QComboBox* m_textureList = nullptr;
    QComboBox* m_entityList = nullptr;
    QSlider* m_brightness = nullptr;
    QLabel* m_preview = nullptr;
    QLabel* m_textureSource = nullptr;
    QPushButton* m_browse = nullptr;
    QCheckBox* m_changeTexture = nullptr;
    QButtonGroup* m_shape = nullptr;
    QPushButton* m_newEntity = nullptr;
    QPushButton* m_editEntity = nullptr;
    QPushButton* m_deleteEntity = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};
