#include "docks/CTextureBrowserDock.h"

#include "docks/CTextureListModel.h"
#include "docks/TextureListView.h"
#include "map/CTolveDoc.h"

#include <QCheckBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListView>
#include <QVBoxLayout>

CTextureBrowserDock::CTextureBrowserDock(QWidget* parent)
    : QDockWidget(QString::fromLatin1(kTitle), parent), m_model(new CTextureListModel(this)) {
    setObjectName(QStringLiteral("TextureBrowser"));
    auto* content = new QWidget(this);
    auto* layout = new QVBoxLayout(content);
    m_filter = new QLineEdit(content);
    m_filter->setPlaceholderText(QStringLiteral("Filter"));
    m_filter->setClearButtonEnabled(true);
    layout->addWidget(m_filter);
    m_usedOnly = new QCheckBox(QStringLiteral("Used in this map only"), content);
    layout->addWidget(m_usedOnly);
    m_list = MakeTextureListView(*m_model, content);
    m_list->setDragEnabled(true);
    m_list->setDragDropMode(QAbstractItemView::DragOnly);
    layout->addWidget(m_list, 1);
    setWidget(content);
    resize(300, 600);

    m_recount.setSingleShot(true);
    m_recount.setInterval(0);
    connect(&m_recount, &QTimer::timeout, this, &CTextureBrowserDock::Recount);
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible && m_countsStale)
            m_recount.start();
    });
    connect(m_filter, &QLineEdit::textChanged, this, &CTextureBrowserDock::OnFilterChanged);
    connect(m_filter, &QLineEdit::returnPressed, this, &CTextureBrowserDock::OnFilterEntered);
    connect(m_usedOnly, &QCheckBox::toggled, this, &CTextureBrowserDock::OnFilterChanged);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& index) { Choose(index); });
    connect(m_list, &QListView::doubleClicked, this, [this](const QModelIndex& index) {
        Choose(index);
        if (!m_model->GetTextureName(index).empty())
            emit ApplyRequested();
    });
    // A new list of rows loses the selection; the current texture is marked
    // again.
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        m_shownTexture.clear();
        ShowCurrentTexture();
    });
}

CTextureBrowserDock::~CTextureBrowserDock() = default;

void CTextureBrowserDock::SetDocument(CTolveDoc* doc) {
    m_model->SetDocument(doc);
    Refresh();
}

CTolveDoc* CTextureBrowserDock::GetDocument() const {
    return m_model->GetDocument();
}

void CTextureBrowserDock::Refresh() {
    m_model->FollowTextureFiles();
    ShowCurrentTexture();
}

void CTextureBrowserDock::RecountSoon() {
    m_countsStale = true;
    if (isVisible())
        m_recount.start();
}

void CTextureBrowserDock::Recount() {
    m_countsStale = false;
    m_model->RecountUses();
}

void CTextureBrowserDock::FocusFilter() {
    show();
    raise();
    m_filter->setFocus(Qt::ShortcutFocusReason);
    m_filter->selectAll();
}

void CTextureBrowserDock::OnFilterChanged() {
    m_model->SetFilter(m_filter->text(), m_usedOnly->isChecked());
}

void CTextureBrowserDock::OnFilterEntered() {
    const QModelIndex first = m_model->FindFirstShownTexture();
    if (!first.isValid())
        return;
    Choose(first);
    ShowCurrentTexture();
    emit KeyboardReturned();
}

void CTextureBrowserDock::Choose(const QModelIndex& index) {
    CTolveDoc* doc = m_model->GetDocument();
    const std::string name = m_model->GetTextureName(index);
    // Marking the current texture is no choice of the user's.
    if (!doc || name.empty() || m_showing)
        return;
    doc->GetEditorState().SetCurrentTexture(name);
    emit CurrentTextureChosen();
}

void CTextureBrowserDock::ShowCurrentTexture() {
    CTolveDoc* doc = m_model->GetDocument();
    const std::string current = doc ? doc->GetEditorState().GetCurrentTexture() : std::string();
    if (current == m_shownTexture && m_list->currentIndex().isValid() == !current.empty())
        return;
    m_shownTexture = current;
    const QModelIndex index = m_model->FindTexture(current);
    m_showing = true;
    if (index.isValid()) {
        m_list->setCurrentIndex(index);
        m_list->scrollTo(index);
    } else {
        m_list->clearSelection();
    }
    m_showing = false;
}
