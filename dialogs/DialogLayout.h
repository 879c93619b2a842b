#pragma once

#include <QString>

#include <vector>

class QDialog;
class QGridLayout;
class QHBoxLayout;
class QPushButton;
class QGroupBox;
class QLineEdit;
class QWidget;

// A label and its edit box on one row of a grid.
QLineEdit* AddLabeledEdit(QGridLayout& grid, int row, const QString& label, QWidget* parent);

class QBoxLayout;

// A button added to the row or column that Return does not press: Return
// stays with the dialog's default button.
QPushButton* AddSideButton(QBoxLayout& layout, const char* text, QWidget* parent);

// A frame without a title around a grid of rows.
QGroupBox* MakeFrame(QGridLayout*& grid, QWidget* parent, const QString& title = QString());

// The top row of an entity dialog: "Classname:", the class box, OK (the
// default button, accepting) and Cancel (rejecting).
QHBoxLayout* MakeClassRow(QDialog& dialog, QWidget* classBox, QPushButton* ok, QPushButton* cancel);

// Tab goes from each widget to the next, in reading order.
void ChainTabOrder(const std::vector<QWidget*>& widgets);

class QButtonGroup;

// Checks the button of that id, or none when no button has it.
void SelectButton(QButtonGroup& group, int id);
// The id of the checked button, or `unchosen` when none is checked.
int GetChosenButton(const QButtonGroup& group, int unchosen);
