#include "dialogs/CWorldspawnDlg.h"

#include "dialogs/DialogLayout.h"
#include "dialogs/DialogText.h"
#include "framework/CMessageService.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

constexpr const char* kWorldTypeCaptions[kWorldTypeButtonCount] = {"Medieval", "Runic (Metal)",
                                                                   "Present (Base)"};

} // namespace

CWorldspawnDlg::CWorldspawnDlg(QWidget* parent)
    : QDialog(parent), m_worldType(new QButtonGroup(this)),
      m_default(new QPushButton(QStringLiteral("Default"), this)),
      m_ok(new QPushButton(QStringLiteral("OK"), this)),
      m_cancel(new QPushButton(QStringLiteral("Cancel"), this)) {
    using enum WorldField;
    setWindowTitle(QString::fromLatin1(CWorldspawnDlg::kTitle));
    auto* grid = new QGridLayout(this);
    QLineEdit* title = AddLabeledEdit(*grid, 0, QStringLiteral("Title:"), this);
    m_boxes[static_cast<size_t>(kTitle)] = title;
    std::vector<QWidget*> tabOrder{title, m_default};
    grid->addWidget(new QLabel(QStringLiteral("Worldtype:"), this), 1, 0);
    grid->addWidget(m_default, 1, 1);
    m_default->setAutoDefault(false);
    connect(m_default, &QPushButton::clicked, this, &CWorldspawnDlg::RestoreDefault);
    for (int index = 0; index < kWorldTypeButtonCount; ++index) {
        auto* button = new QRadioButton(QString::fromLatin1(kWorldTypeCaptions[index]), this);
        m_worldType->addButton(button, index);
        grid->addWidget(button, 2 + index, 0, 1, 2);
        tabOrder.push_back(button);
    }
    m_boxes[static_cast<size_t>(kLight)] =
        AddLabeledEdit(*grid, 5, QStringLiteral("Default Light Level:"), this);
    m_boxes[static_cast<size_t>(kCdTrack)] =
        AddLabeledEdit(*grid, 6, QStringLiteral("CD Track:"), this);
    tabOrder.push_back(m_boxes[static_cast<size_t>(kLight)]);
    tabOrder.push_back(m_boxes[static_cast<size_t>(kCdTrack)]);
    grid->addWidget(m_ok, 7, 0);
    grid->addWidget(m_cancel, 7, 1);
    tabOrder.push_back(m_ok);
    tabOrder.push_back(m_cancel);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &CWorldspawnDlg::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CWorldspawnDlg::reject);
    ChainTabOrder(tabOrder);
}

QRadioButton* CWorldspawnDlg::GetWorldTypeButton(int index) const {
    return static_cast<QRadioButton*>(m_worldType->button(index));
}

void CWorldspawnDlg::SetFields(const WorldFields& fields) {
    m_fields = fields;
    for (size_t i = 0; i < m_boxes.size(); ++i)
        m_boxes[i]->setText(ToDialogText(fields.text.texts[i]));
    SelectButton(*m_worldType, fields.worldType);
}

WorldFields CWorldspawnDlg::GetFields() const {
    WorldFields fields;
    for (size_t i = 0; i < m_boxes.size(); ++i)
        fields.text.texts[i] = FromDialogText(m_boxes[i]->text());
    fields.worldType = GetChosenButton(*m_worldType, m_fields.worldType);
    return fields;
}

void CWorldspawnDlg::RestoreDefault() {
    m_fields.worldType = kNoButton;
    SetFields(m_fields);
}

void CWorldspawnDlg::accept() {
    if (auto problem = FindUnstorableText(GetFields(), &m_fields)) {
        ShowMessageBox(CWorldspawnDlg::kTitle, problem->message, MessageIcon::kWarning);
        QLineEdit* box = GetBox(*problem->field);
        box->setFocus();
        box->selectAll();
        return;
    }
    QDialog::accept();
}
