#include "docks/TextureListView.h"

#include "docks/CTextureCellDelegate.h"
#include "docks/CTextureListModel.h"

#include <QListView>

QListView* MakeTextureListView(CTextureListModel& model, QWidget* parent) {
    auto* list = new QListView(parent);
    list->setViewMode(QListView::IconMode);
    list->setFlow(QListView::LeftToRight);
    list->setWrapping(true);
    list->setResizeMode(QListView::Adjust);
    list->setMovement(QListView::Static);
    list->setSpacing(2);
    list->setUniformItemSizes(false);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setItemDelegate(new CTextureCellDelegate(*list));
    list->setModel(&model);
    return list;
}
