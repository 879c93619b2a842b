#include "docks/CTextureCellDelegate.h"

#include "docks/CTextureListModel.h"
#include "docks/CTextureThumbnails.h"

#include <QApplication>
#include <QListView>
#include <QPainter>

namespace {

constexpr int kMargin = 4;
constexpr int kPictureSide = CTextureThumbnails::kSide;

int LineHeight(const QStyleOptionViewItem& option) {
    return option.fontMetrics.height();
}

} // namespace

CTextureCellDelegate::CTextureCellDelegate(QListView& view)
    : QStyledItemDelegate(&view), m_view(view) {}

QSize CTextureCellDelegate::sizeHint(const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
    if (index.data(CTextureListModel::kHeadingRole).toBool()) {
        // As wide as the view leaves room for, so that it stands alone.
        const int width = m_view.viewport()->width() - 2 * m_view.spacing() - 1;
        return {std::max(width, kPictureSide), LineHeight(option) + 2 * kMargin};
    }
    return {kPictureSide + 2 * kMargin, kPictureSide + 2 * LineHeight(option) + 3 * kMargin};
}

void CTextureCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    painter->save();
    if (index.data(CTextureListModel::kHeadingRole).toBool())
        PaintHeading(*painter, option, index);
    else
        PaintTexture(*painter, option, index);
    painter->restore();
}

void CTextureCellDelegate::PaintHeading(QPainter& painter, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
    painter.fillRect(option.rect, option.palette.alternateBase());
    QFont font = option.font;
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(option.palette.color(QPalette::Text));
    painter.drawText(option.rect.adjusted(kMargin, 0, -kMargin, 0),
                     Qt::AlignVCenter | Qt::AlignLeft, index.data(Qt::DisplayRole).toString());
}

void CTextureCellDelegate::PaintTexture(QPainter& painter, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
    const QRect cell = option.rect;
    if (option.state & QStyle::State_Selected)
        painter.fillRect(cell, option.palette.highlight());
    const QRect box(cell.left() + kMargin, cell.top() + kMargin, kPictureSide, kPictureSide);
    const QImage picture = index.data(Qt::DecorationRole).value<QImage>();
    const QString size = index.data(CTextureListModel::kSizeRole).toString();
    if (!picture.isNull()) {
        QRect placed(QPoint(), picture.size());
        placed.moveCenter(box.center());
        painter.drawImage(placed, picture);
    } else if (size == QStringLiteral("missing")) {
        // What no file holds is marked, as the camera marks it with a checker.
        painter.fillRect(box, QColor(96, 32, 32));
        painter.setPen(Qt::white);
        painter.drawText(box, Qt::AlignCenter, QStringLiteral("?"));
    } else {
        painter.fillRect(box, option.palette.mid());
    }
    const QPalette::ColorRole text =
        option.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text;
    painter.setPen(option.palette.color(text));
    const int line = LineHeight(option);
    const QRect nameLine(box.left(), box.bottom() + kMargin, kPictureSide, line);
    painter.drawText(nameLine, Qt::AlignHCenter | Qt::AlignTop,
                     option.fontMetrics.elidedText(index.data(Qt::DisplayRole).toString(),
                                                   Qt::ElideRight, kPictureSide));
    const QRect infoLine = nameLine.translated(0, line);
    painter.drawText(infoLine, Qt::AlignLeft | Qt::AlignTop, size);
    if (const int uses = index.data(CTextureListModel::kUsesRole).toInt())
        painter.drawText(infoLine, Qt::AlignRight | Qt::AlignTop, QString::number(uses));
}
