#include "dialogs/CBrushFaceDlg.h"

#include "dialogs/CEntityVariablesDlg.h"
#include "dialogs/CWorldspawnDlg.h"
#include "dialogs/DialogLayout.h"
#include "dialogs/DialogText.h"
#include "dialogs/PreviewPixmap.h"
#include "framework/CMessageService.h"
#include "map/BrushFaceTransfer.h"
#include "map/CMapTransaction.h"
#include "map/CTolveDoc.h"
#include "map/EntityFieldTransfer.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>
#include <numeric>

namespace {

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    return ToDialogText(a).compare(ToDialogText(b), Qt::CaseInsensitive) < 0;
}

// The item holding this very name, else one that differs only in case (the
// compilers match names so).
int FindTextureItem(const QComboBox& list, const QString& name) {
    const int exact = list.findText(name, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    return exact >= 0 ? exact : list.findText(name, Qt::MatchFixedString);
}

} // namespace

CBrushFaceDlg::CBrushFaceDlg(CMapTransaction& transaction, BrushFaceJob job,
                             const BrushFaceFields& fields, CModelEntity* owner, QWidget* parent)
    : QDialog(parent), m_transaction(transaction), m_doc(transaction.GetDocument()), m_job(job),
      m_numberOffsets(fields.numberOffsets), m_loaded(fields) {
    setWindowTitle(QString::fromLatin1(kTitle));
    auto* layout = new QVBoxLayout(this);
    auto* groups = new QHBoxLayout;
    groups->addWidget(BuildTextureGroup());
    groups->addWidget(BuildStructureGroup());
    layout->addLayout(groups);
    auto* bottom = new QGridLayout;
    bottom->addWidget(new QLabel(QStringLiteral("Texture:"), this), 0, 0);
    m_preview = new QLabel(this);
    m_preview->setFrameShape(QFrame::Panel);
    m_preview->setFrameShadow(QFrame::Sunken);
    m_preview->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_preview->setMinimumSize(24, 21);
    bottom->addWidget(m_preview, 1, 0, Qt::AlignLeft | Qt::AlignTop);
    m_textureSource = new QLabel(this);
    bottom->addWidget(m_textureSource, 0, 1);
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_ok->setDefault(true);
    bottom->addWidget(m_ok, 0, 2);
    bottom->addWidget(m_cancel, 1, 2, Qt::AlignTop);
    bottom->setColumnStretch(1, 1);
    layout->addLayout(bottom, 1);
    connect(m_ok, &QPushButton::clicked, this, &CBrushFaceDlg::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CBrushFaceDlg::reject);

    for (size_t i = 0; i < kBrushFaceFieldCount; ++i)
        m_boxes[i]->setText(ToDialogText(fields.text[i]));
    SelectButton(*m_shape, fields.shape);
    m_changeTexture->setChecked(fields.changeTexture);
    m_doc.m_textureWad.OpenTextureFiles();
    FillTextureList(fields.texture);
    FillEntityList(owner);
    m_brightness->setRange(0, kMaxPreviewBrightness);
    m_brightness->setValue(kStartPreviewBrightness);
    OnSelChangeTexture();
    EnableForJob();
    connect(m_textureList, &QComboBox::currentIndexChanged, this,
            &CBrushFaceDlg::OnSelChangeTexture);
}

// The files are closed between dialogs; whatever this one opened goes.
CBrushFaceDlg::~CBrushFaceDlg() {
    m_doc.m_textureWad.CloseTextureFiles();
}

QWidget* CBrushFaceDlg::BuildTextureGroup() {
    using enum BrushFaceField;
    QGridLayout* grid = nullptr;
    QGroupBox* group = MakeFrame(grid, this, QStringLiteral("Texture:"));
    grid->addWidget(new QLabel(QStringLiteral("Texture:"), group), 0, 0);
    m_textureList = new QComboBox(group);
    grid->addWidget(m_textureList, 0, 1, 1, 2);
    m_browse = new QPushButton(QStringLiteral("&Browse..."), group);
    m_browse->setAutoDefault(false);
    m_browse->hide();
    grid->addWidget(m_browse, 0, 3);
    connect(m_browse, &QPushButton::clicked, this, &CBrushFaceDlg::OnBrowseTexture);
    AddBox(*grid, 1, 0, "X offset:", kXOffset);
    AddBox(*grid, 1, 2, "Y offset:", kYOffset);
    AddBox(*grid, 2, 0, "X scale:", kXScale);
    AddBox(*grid, 2, 2, "Y scale:", kYScale);
    AddBox(*grid, 3, 0, "Rotation:", kRotation);
    grid->addWidget(new QLabel(QStringLiteral("Gamma Correction:"), group), 4, 0, 1, 2);
    m_brightness = new QSlider(Qt::Horizontal, group);
    m_brightness->setTickPosition(QSlider::TicksAbove);
    grid->addWidget(m_brightness, 4, 2, 1, 2);
    m_changeTexture = new QCheckBox(QStringLiteral("Change Texture"), group);
    m_changeTexture->setEnabled(false);
    grid->addWidget(m_changeTexture, 5, 2, 1, 2);
    return group;
}

QWidget* CBrushFaceDlg::BuildStructureGroup() {
    using enum BrushFaceField;
    QGridLayout* grid = nullptr;
    QGroupBox* group = MakeFrame(grid, this, QStringLiteral("Structure:"));
    grid->addWidget(new QLabel(QStringLiteral("Insert Into Entity:"), group), 0, 0);
    m_entityList = new QComboBox(group);
    grid->addWidget(m_entityList, 0, 1, 1, 3);
    m_newEntity = new QPushButton(QStringLiteral("New..."), group);
    m_editEntity = new QPushButton(QStringLiteral("Edit"), group);
    m_deleteEntity = new QPushButton(QStringLiteral("Delete"), group);
    grid->addWidget(m_newEntity, 1, 1);
    grid->addWidget(m_editEntity, 1, 2);
    grid->addWidget(m_deleteEntity, 1, 3);
    for (QPushButton* button : {m_newEntity, m_editEntity, m_deleteEntity})
        button->setAutoDefault(false);
    // The preview follows the slider as it moves.
    connect(m_brightness, &QSlider::valueChanged, this, &CBrushFaceDlg::OnSelChangeTexture);
    connect(m_newEntity, &QPushButton::clicked, this, &CBrushFaceDlg::OnNewEntity);
    connect(m_editEntity, &QPushButton::clicked, this, &CBrushFaceDlg::OnEditEntity);
    connect(m_deleteEntity, &QPushButton::clicked, this, &CBrushFaceDlg::OnDeleteEntity);
    grid->addWidget(new QLabel(QStringLiteral("Shape:"), group), 2, 0);
    m_shape = new QButtonGroup(this);
    auto* box = new QRadioButton(QStringLiteral("Box"), group);
    auto* cone = new QRadioButton(QStringLiteral("Cone"), group);
    m_shape->addButton(box, kBoxShape);
    m_shape->addButton(cone, kConeShape);
    grid->addWidget(box, 2, 1);
    grid->addWidget(cone, 2, 2);
    AddBox(*grid, 3, 0, "Base Sides:", kBaseSides);
    AddBox(*grid, 4, 0, "Width:", kWidth);
    AddBox(*grid, 4, 2, "Height:", kHeight);
    return group;
}

QLineEdit* CBrushFaceDlg::AddBox(QGridLayout& grid, int row, int column, const char* label,
                                 BrushFaceField field) {
    auto* box = new QLineEdit(this);
    grid.addWidget(new QLabel(QString::fromLatin1(label), this), row, column);
    grid.addWidget(box, row, column + 1);
    m_boxes[static_cast<size_t>(field)] = box;
    return box;
}

// Each item is the bare texture name, which is what a face stores; the file it
// comes from is the item's tool tip. A name that no loaded file holds (its
// file is missing, or the map names none) is shown first, as it is, so that
// the face keeps it unless another is chosen.
void CBrushFaceDlg::FillTextureList(const std::string& texture) {
    const CTextureWad& wad = m_doc.m_textureWad;
    const std::vector<std::string>& names = wad.GetTextureNames();
    std::vector<int> order(names.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return LessIgnoringCase(names[a], names[b]); });
    for (int index : order) {
        m_textureList->addItem(ToDialogText(names[index]));
        m_textureList->setItemData(m_textureList->count() - 1,
                                   QFile::decodeName(wad.GetTextureFile(index).GetPath().c_str()),
                                   Qt::ToolTipRole);
    }
    m_textureList->setCurrentIndex(names.empty() ? -1 : 0);
    // A new brush with no texture yet takes the first of the list.
    if (texture.empty() && m_job == BrushFaceJob::kNewBrush) {
        m_loadedTextureItem = m_textureList->currentIndex();
        return;
    }
    const QString name = ToDialogText(texture);
    int found = FindTextureItem(*m_textureList, name);
    if (found < 0) {
        m_textureList->insertItem(0, name);
        m_textureList->setItemData(0, QStringLiteral("Not in the map's texture files"),
                                   Qt::ToolTipRole);
        found = 0;
    }
    m_textureList->setCurrentIndex(found);
    m_loadedTextureItem = found;
}

void CBrushFaceDlg::FillEntityList(const CModelEntity* owner) {
    m_entityList->clear();
    m_entities = ListBrushOwners(m_doc);
    m_entityList->addItem(QStringLiteral("worldspawn"));
    for (size_t i = 1; i < m_entities.size(); ++i)
        m_entityList->addItem(ToDialogText(m_entities[i]->m_classname));
    m_entityList->setCurrentIndex(FindOwnerIndex(m_entities, owner));
}

void CBrushFaceDlg::EnableForJob() {
    const auto disable = [](std::initializer_list<QWidget*> widgets) {
        for (QWidget* widget : widgets)
            widget->setEnabled(false);
    };
    using enum BrushFaceField;
    const std::initializer_list<QWidget*> shapeControls = {
        GetShapeButton(kBoxShape), GetShapeButton(kConeShape), GetBox(kHeight), GetBox(kBaseSides),
        GetBox(kWidth)};
    if (m_job == BrushFaceJob::kEditBrush) {
        m_changeTexture->setEnabled(true);
        disable(shapeControls);
    } else if (m_job == BrushFaceJob::kEditFace) {
        disable(shapeControls);
        disable({m_entityList, m_editEntity, m_newEntity});
    }
}

QRadioButton* CBrushFaceDlg::GetShapeButton(int shape) const {
    return static_cast<QRadioButton*>(m_shape->button(shape));
}

FaceTextureChange CBrushFaceDlg::GetChanges() const {
    FaceTextureChange change = FindChangedBoxes(m_loaded, GetFields());
    change.texture = m_textureList->currentIndex() != m_loadedTextureItem;
    return change;
}

BrushFaceFields CBrushFaceDlg::GetFields() const {
    BrushFaceFields fields;
    for (size_t i = 0; i < kBrushFaceFieldCount; ++i)
        fields.text[i] = FromDialogText(m_boxes[i]->text());
    fields.shape = GetChosenButton(*m_shape, -1);
    fields.texture = FromDialogText(m_textureList->currentText());
    fields.entityIndex = m_entityList->currentIndex();
    fields.changeTexture = m_changeTexture->isChecked();
    fields.numberOffsets = m_numberOffsets;
    return fields;
}

CModelEntity* CBrushFaceDlg::GetChosenOwner() const {
    const int index = m_entityList->currentIndex();
    if (index < 0 || static_cast<size_t>(index) >= m_entities.size())
        return nullptr;
    return m_entities[static_cast<size_t>(index)];
}

void CBrushFaceDlg::accept() {
    const BrushFaceFields fields = GetFields();
    if (auto problem = ValidateBrushFaceFields(fields, m_values)) {
        ShowMessageBox(kTitle, problem->message, MessageIcon::kWarning);
        QLineEdit* box = GetBox(problem->field);
        box->setFocus();
        box->selectAll();
        return;
    }
    if (m_acceptCheck && !m_acceptCheck(m_values, fields))
        return;
    if (auto notice = DescribeCutTextureName(fields.texture))
        ShowMessageBox(kTitle, *notice, MessageIcon::kInformation);
    QDialog::accept();
}

void CBrushFaceDlg::SetTexturePicker(TexturePicker picker) {
    m_picker = std::move(picker);
    m_browse->setVisible(static_cast<bool>(m_picker));
}

// The picker lists the same files as the list; a name it gives that the list
// lacks (e.g. files loaded again meanwhile) leaves the choice as it was.
void CBrushFaceDlg::OnBrowseTexture() {
    if (!m_picker)
        return;
    const std::optional<std::string> picked =
        m_picker(FromDialogText(m_textureList->currentText()));
    if (!picked)
        return;
    const int found = FindTextureItem(*m_textureList, ToDialogText(*picked));
    if (found >= 0)
        m_textureList->setCurrentIndex(found);
    m_textureList->setFocus();
}

void CBrushFaceDlg::OnSelChangeTexture() {
    CTextureWad& wad = m_doc.m_textureWad;
    const std::string name = FromDialogText(m_textureList->currentText());
    const CTextureFile* file = wad.FindTextureFile(name);
    ShowTextureSource(file);
    if (!file) {
        m_preview->clear();
        return;
    }
    wad.BuildTexturePreview(name, m_brightness->value());
    ShowPreview(*m_preview, wad.GetPreviewImage());
}

void CBrushFaceDlg::ShowTextureSource(const CTextureFile* file) {
    if (!file) {
        const bool named = m_textureList->currentIndex() >= 0;
        m_textureSource->setText(named ? QStringLiteral("not in the map's texture files")
                                       : QString());
        m_textureSource->setToolTip(QString());
        return;
    }
    const QString path = QFile::decodeName(file->GetPath().c_str());
    m_textureSource->setText(QStringLiteral("from ") + QFileInfo(path).fileName());
    m_textureSource->setToolTip(path);
}

void CBrushFaceDlg::OnNewEntity() {
    CEntityVariablesDlg dialog(EntityKind::kBrush, m_doc, this);
    dialog.SetFields(ModelEntityFields{});
    if (!RunModalDialog(dialog))
        return;
    auto entity = std::make_unique<CModelEntity>();
    StoreToEntity(dialog.GetBrushFields(), *entity);
    CModelEntity* added = &m_transaction.Edits().AddModelEntity(std::move(entity));
    m_newEntities.push_back(added);
    m_entities.push_back(added);
    m_entityList->addItem(ToDialogText(added->m_classname));
    m_entityList->setCurrentIndex(m_entityList->count() - 1);
}

void CBrushFaceDlg::OnEditEntity() {
    CModelEntity* entity = GetChosenOwner();
    if (!entity) {
        CWorldspawnDlg dialog(this);
        WorldFields fields;
        LoadFromWorld(fields, m_doc);
        dialog.SetFields(fields);
        if (!RunModalDialog(dialog))
            return;
        CWorldKeys keys = m_doc;
        StoreToWorld(dialog.GetFields(), keys);
        m_transaction.Edits().SetWorldKeys(keys);
        return;
    }
    CEntityVariablesDlg dialog(EntityKind::kBrush, m_doc, this);
    ModelEntityFields fields;
    LoadFromEntity(fields, *entity);
    dialog.SetFields(fields);
    if (!RunModalDialog(dialog))
        return;
    CModelEntityKeys keys = *entity;
    StoreToEntity(dialog.GetBrushFields(), keys);
    m_transaction.Edits().SetModelEntityKeys(*entity, keys);
}

// Cancel brings the entity back with the rest of the dialog's changes.
void CBrushFaceDlg::OnDeleteEntity() {
    if (m_entityList->currentIndex() <= 0)
        return;
    CModelEntity* entity = GetChosenOwner();
    m_transaction.Edits().RemoveModelEntity(*entity);
    std::erase(m_newEntities, entity);
    FillEntityList(nullptr);
}
