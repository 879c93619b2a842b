#include "dialogs/DialogLayout.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

QLineEdit* AddLabeledEdit(QGridLayout& grid, int row, const QString& label, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    auto* text = new QLabel(label, parent);
    text->setBuddy(edit);
    grid.addWidget(text, row, 0);
    grid.addWidget(edit, row, 1);
    return edit;
}

QPushButton* AddSideButton(QBoxLayout& layout, const char* text, QWidget* parent) {
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    button->setAutoDefault(false);
    layout.addWidget(button);
    return button;
}

QGroupBox* MakeFrame(QGridLayout*& grid, QWidget* parent, const QString& title) {
    auto* frame = new QGroupBox(title, parent);
    grid = new QGridLayout(frame);
    return frame;
}

QHBoxLayout* MakeClassRow(QDialog& dialog, QWidget* classBox, QPushButton* ok,
                          QPushButton* cancel) {
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    auto* classLabel = new QLabel(QStringLiteral("Classname:"), &dialog);
    classLabel->setBuddy(classBox);
    auto* row = new QHBoxLayout;
    row->addWidget(classLabel);
    row->addWidget(classBox, 1);
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

void ChainTabOrder(const std::vector<QWidget*>& widgets) {
    for (size_t i = 1; i < widgets.size(); ++i)
        QWidget::setTabOrder(widgets[i - 1], widgets[i]);
}

void SelectButton(QButtonGroup& group, int id) {
    if (QAbstractButton* button = group.button(id)) {
        button->setChecked(true);
        return;
    }
    // An exclusive group will not uncheck its last button.
    group.setExclusive(false);
    for (QAbstractButton* button : group.buttons())
        button->setChecked(false);
    group.setExclusive(true);
}

int GetChosenButton(const QButtonGroup& group, int unchosen) {
    const int id = group.checkedId();
    return id == -1 ? unchosen : id;
}
