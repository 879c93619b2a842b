#include "dialogs/CSpawnflagGroup.h"

#include "dialogs/DialogText.h"

#include <QCheckBox>
#include <QVBoxLayout>

CSpawnflagGroup::CSpawnflagGroup(QWidget* parent)
    : QGroupBox(QStringLiteral("Spawnflags"), parent) {
    auto* layout = new QVBoxLayout(this);
    for (QCheckBox*& box : m_boxes) {
        box = new QCheckBox(this);
        layout->addWidget(box);
    }
    layout->addStretch(1);
    SetCaptions(MakePointFlagLabels(""));
}

void CSpawnflagGroup::SetChecks(const SpawnflagChecks& checks) {
    for (size_t i = 0; i < m_boxes.size(); ++i)
        m_boxes[i]->setChecked(checks[i]);
}

SpawnflagChecks CSpawnflagGroup::GetChecks() const {
    SpawnflagChecks checks{};
    for (size_t i = 0; i < m_boxes.size(); ++i)
        checks[i] = m_boxes[i]->isChecked();
    return checks;
}

void CSpawnflagGroup::SetCaptions(const SpawnflagCaptions& captions) {
    for (size_t i = 0; i < m_boxes.size(); ++i)
        m_boxes[i]->setText(ToDialogText(captions[i]));
}

void CSpawnflagGroup::AppendTabStops(std::vector<QWidget*>& tabOrder) const {
    tabOrder.insert(tabOrder.end(), m_boxes.begin(), m_boxes.end());
}
