#pragma once

#include <QComboBox>

#include <string>
#include <vector>

// The editable "Classname:" box: the class names sorted without regard to
// case. Choosing an item and typing both report the class now shown, so the
// dialog can relabel its boxes; setting the class from code reports nothing.
class CClassNameCombo : public QComboBox {
    Q_OBJECT

public:
    explicit CClassNameCombo(const std::vector<std::string>& classNames, QWidget* parent = nullptr);

    void SetClassName(const std::string& className);
    std::string GetClassName() const;

signals:
    void ClassChosen(const std::string& className);
};
