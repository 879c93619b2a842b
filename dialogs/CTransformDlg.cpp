#include "dialogs/CTransformDlg.h"

#include "dialogs/DialogLayout.h"
#include "dialogs/DialogText.h"
#include "framework/CMessageService.h"
#include "framework/FieldMessages.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const char* const kAxisNames[3] = {"X", "Y", "Z"};
// The turn's axis buttons take the letters as their keys.
const char* const kAxisButtonTexts[3] = {"&X", "&Y", "&Z"};

} // namespace

CTransformDlg::CTransformDlg(bool textureLock, QWidget* parent)
    : QDialog(parent), m_ok(new QPushButton(QStringLiteral("OK"), this)),
      m_cancel(new QPushButton(QStringLiteral("Cancel"), this)) {
    setWindowTitle(QString::fromLatin1(kTitle));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &CTransformDlg::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CTransformDlg::reject);

    auto* fields = new QVBoxLayout;
    fields->addWidget(MakeMoveFrame());
    fields->addWidget(MakeTurnFrame());
    fields->addWidget(MakeScaleFrame());
    fields->addWidget(new QLabel(textureLock
                                     ? QStringLiteral("Textures follow (texture lock is on).")
                                     : QStringLiteral("Textures stay (texture lock is off)."),
                                 this));
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    SetFields(TransformFields());
    ChainTabOrder({m_move[0], m_move[1], m_move[2], m_angle, m_axisButtons[0], m_axisButtons[1],
                   m_axisButtons[2], m_selectionCentre, m_typedCentre, m_centre[0], m_centre[1],
                   m_centre[2], m_scale[0], m_scale[1], m_scale[2], m_ok, m_cancel});
    m_move[0]->setFocus();
}

// Three boxes on one row, after the row's label, each with its axis before it.
void CTransformDlg::AddAxisBoxes(QGridLayout& grid, int row, QLineEdit* (&boxes)[3]) {
    for (int axis = 0; axis < 3; ++axis) {
        boxes[axis] = new QLineEdit(this);
        auto* label = new QLabel(QString::fromLatin1(kAxisNames[axis]), this);
        label->setBuddy(boxes[axis]);
        grid.addWidget(label, row, 1 + 2 * axis);
        grid.addWidget(boxes[axis], row, 2 + 2 * axis);
    }
}

QWidget* CTransformDlg::MakeMoveFrame() {
    QGridLayout* grid = nullptr;
    QGroupBox* frame = MakeFrame(grid, this, QStringLiteral("Move by (units):"));
    AddAxisBoxes(*grid, 0, m_move);
    return frame;
}

QWidget* CTransformDlg::MakeTurnFrame() {
    QGridLayout* grid = nullptr;
    QGroupBox* frame = MakeFrame(grid, this, QStringLiteral("Turn:"));
    m_angle = AddLabeledEdit(*grid, 0, QStringLiteral("&Angle (degrees):"), this);
    auto* axes = new QHBoxLayout;
    axes->addWidget(new QLabel(QStringLiteral("About the axis:"), this));
    m_axis = new QButtonGroup(this);
    for (int axis = 0; axis < 3; ++axis) {
        m_axisButtons[axis] = new QRadioButton(QString::fromLatin1(kAxisButtonTexts[axis]), this);
        m_axis->addButton(m_axisButtons[axis], axis);
        axes->addWidget(m_axisButtons[axis]);
    }
    grid->addLayout(axes, 1, 0, 1, 2);
    m_selectionCentre = new QRadioButton(QStringLiteral("About the selection's &centre"), this);
    m_typedCentre = new QRadioButton(QStringLiteral("About the &point:"), this);
    auto* centres = new QButtonGroup(this);
    centres->addButton(m_selectionCentre);
    centres->addButton(m_typedCentre);
    connect(m_typedCentre, &QRadioButton::toggled, this, &CTransformDlg::FollowCentreChoice);
    grid->addWidget(m_selectionCentre, 2, 0, 1, 2);
    auto* pointGrid = new QGridLayout;
    pointGrid->addWidget(m_typedCentre, 0, 0);
    AddAxisBoxes(*pointGrid, 0, m_centre);
    grid->addLayout(pointGrid, 3, 0, 1, 2);
    return frame;
}

QWidget* CTransformDlg::MakeScaleFrame() {
    QGridLayout* grid = nullptr;
    QGroupBox* frame =
        MakeFrame(grid, this, QStringLiteral("Scale by (about the same centre; -1 mirrors):"));
    AddAxisBoxes(*grid, 0, m_scale);
    return frame;
}

// The point's boxes count only when the point is chosen.
void CTransformDlg::FollowCentreChoice() {
    for (QLineEdit* box : m_centre)
        box->setEnabled(m_typedCentre->isChecked());
}

void CTransformDlg::SetFields(const TransformFields& fields) {
    for (int axis = 0; axis < 3; ++axis) {
        m_move[axis]->setText(ToDialogText(fields.move[axis]));
        m_centre[axis]->setText(ToDialogText(fields.centre[axis]));
        m_scale[axis]->setText(ToDialogText(fields.scale[axis]));
    }
    m_angle->setText(ToDialogText(fields.angle));
    SelectButton(*m_axis, fields.turnAxis);
    (fields.typedCentre ? m_typedCentre : m_selectionCentre)->setChecked(true);
    FollowCentreChoice();
}

TransformFields CTransformDlg::GetFields() const {
    TransformFields fields;
    for (int axis = 0; axis < 3; ++axis) {
        fields.move[axis] = FromDialogText(m_move[axis]->text());
        fields.centre[axis] = FromDialogText(m_centre[axis]->text());
        fields.scale[axis] = FromDialogText(m_scale[axis]->text());
    }
    fields.angle = FromDialogText(m_angle->text());
    fields.turnAxis = GetChosenButton(*m_axis, 2);
    fields.typedCentre = m_typedCentre->isChecked();
    return fields;
}

QLineEdit* CTransformDlg::BoxOf(TransformBox box) const {
    const int index = static_cast<int>(box);
    if (box == TransformBox::kAngle)
        return m_angle;
    if (box < TransformBox::kAngle)
        return m_move[index];
    if (box < TransformBox::kScaleX)
        return m_centre[index - static_cast<int>(TransformBox::kCentreX)];
    return m_scale[index - static_cast<int>(TransformBox::kScaleX)];
}

void CTransformDlg::accept() {
    if (std::optional<TransformFieldProblem> problem = FindTransformProblem(GetFields())) {
        ShowMessageBox(kFieldMessageTitle, problem->message, MessageIcon::kWarning);
        QLineEdit* box = BoxOf(problem->box);
        box->setFocus();
        box->selectAll();
        return;
    }
    QDialog::accept();
}
