#pragma once

#include <QStyledItemDelegate>

class QListView;

// Draws the texture browser's cells: a texture's picture at its aspect with
// its name, size and use count beneath; a group's heading across the whole
// width, so that the next texture starts a new line. The sizes never ask for
// a picture, so laying out thousands of cells reads no file.
class CTextureCellDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit CTextureCellDelegate(QListView& view);

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    void PaintHeading(QPainter& painter, const QStyleOptionViewItem& option,
                      const QModelIndex& index) const;
    void PaintTexture(QPainter& painter, const QStyleOptionViewItem& option,
                      const QModelIndex& index) const;

    QListView& m_view;
};
