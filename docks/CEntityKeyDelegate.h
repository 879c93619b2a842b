#pragma once

#include <QStyledItemDelegate>

// The editors of the entity inspector's values, by what the key holds: a list
// for a key with choices, check boxes for "spawnflags", a text that takes
// numbers alone for a number or a colour, else any text. The value cells of
// keys the entities differ in read "(different)", and a key no entity has
// shows the class's default greyed. The editor of a cell learns the key's
// kind from the roles the dock gives the cell.
class CEntityKeyDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    enum Role {
        kKindRole = Qt::UserRole + 1, // an EditorKind
        kChoicesRole,                 // QStringList: "value : caption", value first
        kFlagLabelsRole,              // QStringList: the captions of the flag boxes
        kDiffersRole,                 // bool
        kAbsentRole,                  // bool: the default of a key no entity has
    };
    enum EditorKind { kText, kNumber, kChoices, kFlags, kColour };
    static constexpr const char* kDifferent = "(different)";

    explicit CEntityKeyDelegate(QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

    // The text the cell shows: its value, or "(different)".
    static QString ShownText(const QModelIndex& index);

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
