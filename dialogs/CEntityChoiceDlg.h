#pragma once

#include "framework/CDialogRunner.h"

#include <QDialog>

#include <string>
#include <vector>

class QListWidget;
class QPushButton;

// "Move to Entity": which brush entity the brushes join. The first row makes
// a new one; the others are the map's brush entities, in map order.
class CEntityChoiceDlg : public QDialog, public CModalDialog {
    Q_OBJECT

public:
    static constexpr const char* kTitle = "Move to Entity";
    static constexpr int kNewEntity = -1;

    // One text per brush entity, for example "func_door (3 brushes)".
    explicit CEntityChoiceDlg(const std::vector<std::string>& entities, QWidget* parent = nullptr);

    // kNewEntity, or the index of the chosen entity.
    int GetChoice() const;
    void SetChoice(int choice);

    std::string GetDialogName() const override { return kTitle; }
    bool RunDialog() override { return exec() == QDialog::Accepted; }

    QListWidget* GetList() const { return m_list; }
    QPushButton* GetOkButton() const { return m_ok; }

private:
    QListWidget* m_list;
    QPushButton* m_ok;
};
