#pragma once

#include "entity/EntityFields.h"
#include "entity/FlagLabels.h"

#include <QGroupBox>

#include <array>
#include <vector>

class QCheckBox;

// The "Spawnflags" group: one check box per bit, top to bottom from bit 1.
class CSpawnflagGroup : public QGroupBox {
    Q_OBJECT

public:
    explicit CSpawnflagGroup(QWidget* parent = nullptr);

    void SetChecks(const SpawnflagChecks& checks);
    SpawnflagChecks GetChecks() const;
    void SetCaptions(const SpawnflagCaptions& captions);
    QCheckBox* GetBox(int index) const { return m_boxes[static_cast<size_t>(index)]; }
    // Its boxes, top to bottom, at the end of a dialog's tab order.
    void AppendTabStops(std::vector<QWidget*>& tabOrder) const;

private:
    std::array<QCheckBox*, kSpawnflagBoxCount> m_boxes{};
};
