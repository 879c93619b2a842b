#include "docks/CLayersDock.h"

#include "framework/CStatusNotice.h"
#include "map/CTolveDoc.h"
#include "map/MapLayers.h"

#include <QHeaderView>
#include <QTreeWidget>

#include <string>

namespace {

// A layer counts as hidden (or locked) when it has members and all of them
// are.
bool AllMarked(const CSelectionSet& members, const CMarkedObjects& marks) {
    if (members.IsEmpty())
        return false;
    for (const auto& [brush, parts] : members.GetBrushes()) {
        if (!marks.Contains(*brush))
            return false;
    }
    for (const CPointEntity* entity : members.GetPointEntities()) {
        if (!marks.Contains(*entity))
            return false;
    }
    return true;
}

Qt::CheckState CheckOf(bool checked) {
    return checked ? Qt::Checked : Qt::Unchecked;
}

std::string CountOfObjects(size_t count) {
    return std::to_string(count) + (count == 1 ? " object" : " objects");
}

} // namespace

CLayersDock::CLayersDock(QWidget* parent) : CMapDock(kTitle, parent) {
    setObjectName(QStringLiteral("LayersDock"));
    m_list = new QTreeWidget(this);
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels(
        {QStringLiteral("Layer"), QStringLiteral("Shown"), QStringLiteral("Locked")});
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionResizeMode(kNameColumn, QHeaderView::Stretch);
    setWidget(m_list);
    connect(m_list, &QTreeWidget::itemChanged, this, &CLayersDock::OnItemChanged);
    m_refresh.setSingleShot(true);
    m_refresh.setInterval(0);
    connect(&m_refresh, &QTimer::timeout, this, &CLayersDock::ListLayers);
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        Listen(visible);
        if (visible)
            m_refresh.start();
    });
}

void CLayersDock::ShowDocument() {
    ListLayers();
}

// Hiding, showing and locking send a whole repaint; so does every change of
// the map's objects. Hover changes, which change no layer, are passed over.
void CLayersDock::OnMapChanged(const MapNotice& notice) {
    if (!notice.selectionOnly || notice.what == MapNotice::What::kAll)
        m_refresh.start();
}

void CLayersDock::ListLayers() {
    m_filling = true;
    m_list->clear();
    if (m_doc) {
        const CEditorState& state = m_doc->GetEditorState();
        for (const MapLayer& layer : ReadMapLayers(*m_doc)) {
            auto* item = new QTreeWidgetItem(m_list);
            item->setText(kNameColumn, QString::fromStdString(layer.name));
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            item->setCheckState(kShownColumn,
                                CheckOf(!AllMarked(layer.members, state.GetHidden())));
            item->setCheckState(kLockedColumn,
                                CheckOf(AllMarked(layer.members, state.GetLocked())));
        }
    }
    m_filling = false;
}

// The members are read again: the map may have changed since the list was.
void CLayersDock::OnItemChanged(QTreeWidgetItem* item, int column) {
    if (m_filling || !m_doc || (column != kShownColumn && column != kLockedColumn))
        return;
    const int row = m_list->indexOfTopLevelItem(item);
    std::vector<MapLayer> layers = ReadMapLayers(*m_doc);
    if (row < 0 || static_cast<size_t>(row) >= layers.size())
        return;
    const MapLayer& layer = layers[static_cast<size_t>(row)];
    CEditorState& state = m_doc->GetEditorState();
    const bool checked = item->checkState(column) == Qt::Checked;
    const size_t count = layer.members.CountParts();
    const char* done = nullptr;
    if (column == kShownColumn) {
        if (checked)
            state.Show(layer.members);
        else
            state.Hide(layer.members);
        done = checked ? "shown" : "hidden";
    } else {
        if (checked)
            state.Lock(layer.members);
        else
            state.Unlock(layer.members);
        done = checked ? "locked" : "unlocked";
    }
    ShowStatusNotice("Layer \"" + layer.name + "\" " + done + ": " + CountOfObjects(count));
}
