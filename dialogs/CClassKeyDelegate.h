#pragma once

#include <QStyledItemDelegate>

#include <functional>
#include <string>
#include <vector>

struct EntityClassDefinition;
struct KeyDefinition;

// Offers the keys a mod's class declares in the "Other keys" table: the key
// cell's editor lists those without a box of their own, narrowing to the
// ones holding what is typed; the value of a key with choices is picked from
// them. Any key or value may still be typed.
class CClassKeyDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit CClassKeyDelegate(QObject* parent = nullptr);

    // Null: no class is known, and the cells are plain text.
    void SetClass(const EntityClassDefinition* definition,
                  const std::vector<std::string>& keysWithBoxes);
    const std::vector<std::string>& GetOfferedKeys() const { return m_offered; }
    // Keys the entity has outside the table (its Custom rows), which are not
    // offered; neither are the keys of the table's other rows.
    void SetTakenKeys(std::function<std::vector<std::string>()> takenKeys) {
        m_takenKeys = std::move(takenKeys);
    }
    // The keys offered for the key cell of `row`.
    std::vector<std::string> GetKeysOfferedFor(const QAbstractItemModel& model, int row) const;
    const KeyDefinition* FindKey(const std::string& key) const;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

private:
    const KeyDefinition* KeyOfRow(const QModelIndex& index) const;

    const EntityClassDefinition* m_class = nullptr;
    std::vector<std::string> m_offered;
    std::function<std::vector<std::string>()> m_takenKeys;
};

// What a declared key is, for a tool tip: its caption, default and description.
QString DescribeKey(const KeyDefinition& key);
