#include "dialogs/CClassNameCombo.h"

#include "dialogs/DialogText.h"

#include <QLineEdit>

#include <algorithm>

CClassNameCombo::CClassNameCombo(const std::vector<std::string>& classNames, QWidget* parent)
    : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    QStringList names;
    names.reserve(static_cast<qsizetype>(classNames.size()));
    for (const std::string& name : classNames)
        names.push_back(ToDialogText(name));
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    addItems(names);
    setCurrentIndex(-1);
    // A typed name must not be completed into another one behind the user's back.
    setCompleter(nullptr);
    connect(this, &QComboBox::textActivated, this,
            [this](const QString& text) { emit ClassChosen(FromDialogText(text)); });
    connect(lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString& text) { emit ClassChosen(FromDialogText(text)); });
}

void CClassNameCombo::SetClassName(const std::string& className) {
    const QString text = ToDialogText(className);
    setCurrentIndex(findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
    setEditText(text);
}

std::string CClassNameCombo::GetClassName() const {
    return FromDialogText(currentText());
}
