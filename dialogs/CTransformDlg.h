#pragma once

#include "framework/CDialogRunner.h"
#include "map/TransformFields.h"

#include <QDialog>

class QButtonGroup;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "Transform": move, turn and scale the selection in one step. OK refuses a
// box that holds no number it takes, with a message naming the box, and puts
// the focus back on that box. The move's X box has the focus from the start.
class CTransformDlg : public QDialog, public CModalDialog {
    Q_OBJECT

public:
    static constexpr const char* kTitle = "Transform";

    // `textureLock`: whether textures will follow, as the editor is set.
    explicit CTransformDlg(bool textureLock, QWidget* parent = nullptr);

    void SetFields(const TransformFields& fields);
    TransformFields GetFields() const;

    std::string GetDialogName() const override { return kTitle; }
    bool RunDialog() override { return exec() == QDialog::Accepted; }
    void accept() override;

    QLineEdit* GetMoveBox(int axis) const { return m_move[axis]; }
    QLineEdit* GetAngleBox() const { return m_angle; }
    QRadioButton* GetTurnAxisButton(int axis) const { return m_axisButtons[axis]; }
    QRadioButton* GetSelectionCentreButton() const { return m_selectionCentre; }
    QRadioButton* GetTypedCentreButton() const { return m_typedCentre; }
    QLineEdit* GetCentreBox(int axis) const { return m_centre[axis]; }
    QLineEdit* GetScaleBox(int axis) const { return m_scale[axis]; }
    QPushButton* GetOkButton() const { return m_ok; }
    QPushButton* GetCancelButton() const { return m_cancel; }

private:
    QWidget* MakeMoveFrame();
    QWidget* MakeTurnFrame();
    QWidget* MakeScaleFrame();
    void AddAxisBoxes(QGridLayout& grid, int row, QLineEdit* (&boxes)[3]);
    QLineEdit* BoxOf(TransformBox box) const;
    void FollowCentreChoice();

    QLineEdit* m_move[3] = {};
    QLineEdit* m_angle = nullptr;
    QButtonGroup* m_axis = nullptr;
    QRadioButton* m_axisButtons[3] = {};
    QRadioButton* m_selectionCentre = nullptr;
    QRadioButton* m_typedCentre = nullptr;
    QLineEdit* m_centre[3] = {};
    QLineEdit* m_scale[3] = {};
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};
