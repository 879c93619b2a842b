#pragma once

#include "entity/EntityFields.h"

#include <QGroupBox>

#include <vector>

class CClassKeyDelegate;
struct EntityClassDefinition;
class QPushButton;
class QTableWidget;

// The "Other keys" group: the entity's pairs beyond the two Custom rows as a
// compact key/value table the user can add to, change and remove from.
class COtherKeysTable : public QGroupBox {
    Q_OBJECT

public:
    explicit COtherKeysTable(QWidget* parent = nullptr);

    void SetPairs(const std::vector<FieldPair>& pairs);
    std::vector<FieldPair> GetPairs() const;
    // Puts the cursor on a row so the user sees what is wrong with it.
    void FocusRow(size_t row);

    QTableWidget* GetTable() const { return m_table; }
    QPushButton* GetAddButton() const { return m_add; }
    QPushButton* GetRemoveButton() const { return m_remove; }
    // The class whose declared keys the table offers (null: none), and the
    // keys the dialog has boxes for, which it does not offer.
    void SetClass(const EntityClassDefinition* definition,
                  const std::vector<std::string>& keysWithBoxes);
    CClassKeyDelegate* GetDelegate() const { return m_delegate; }

    // The table and its buttons at the end of a dialog's tab order.
    void AppendTabStops(std::vector<QWidget*>& tabOrder) const;

private:
    void AddRow();
    // A key of the class gets its description as a tip.
    void DescribeRow(int row);
    void OnKeyEdited(int row);
    void RemoveCurrentRow();

    QTableWidget* m_table;
    QPushButton* m_add;
    QPushButton* m_remove;
    CClassKeyDelegate* m_delegate;
};
