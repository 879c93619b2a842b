#include "dialogs/CClassNameCombo.h"

#include "dialogs/DialogText.h"

#include <QCompleter>
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
    // The list narrows to the names holding what is typed, anywhere in them
    // ("ogre" finds monster_ogre). Only a name the user picks from it
    // replaces the text: a typed name is never completed behind their back.
    auto* completer = new QCompleter(model(), this);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    completer->setFilterMode(Qt::MatchContains);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    setCompleter(completer);
    connect(completer, qOverload<const QString&>(&QCompleter::activated), this,
            [this](const QString& text) { emit ClassChosen(FromDialogText(text)); });
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
