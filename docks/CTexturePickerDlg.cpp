#include "docks/CTexturePickerDlg.h"

#include "docks/CTextureListModel.h"
#include "docks/TextureListView.h"

#include <QDialogButtonBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

CTexturePickerDlg::CTexturePickerDlg(CTolveDoc& doc, const std::string& current, QWidget* parent)
    : QDialog(parent), m_model(new CTextureListModel(this)), m_filter(new QLineEdit(this)),
      m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)) {
    setWindowTitle(QString::fromLatin1(kTitle));
    m_model->SetDocument(&doc);
    m_filter->setPlaceholderText(QStringLiteral("Filter"));
    m_filter->setClearButtonEnabled(true);
    m_list = MakeTextureListView(*m_model, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_filter);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_buttons);
    resize(560, 480);

    // Enter belongs to the filter: OK is no default that would take it first.
    m_buttons->button(QDialogButtonBox::Ok)->setAutoDefault(false);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_filter, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_model->SetFilter(text, false); });
    connect(m_filter, &QLineEdit::returnPressed, this, &CTexturePickerDlg::OnFilterEntered);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &CTexturePickerDlg::EnableOk);
    connect(m_model, &QAbstractItemModel::modelReset, this, &CTexturePickerDlg::EnableOk);
    connect(m_list, &QListView::doubleClicked, this, [this](const QModelIndex& index) {
        if (!m_model->GetTextureName(index).empty())
            accept();
    });

    const QModelIndex chosen = m_model->FindTexture(current);
    if (chosen.isValid()) {
        m_list->setCurrentIndex(chosen);
        m_list->scrollTo(chosen);
    }
    EnableOk();
    m_filter->setFocus();
}

CTexturePickerDlg::~CTexturePickerDlg() = default;

std::string CTexturePickerDlg::GetChosenTexture() const {
    return m_model->GetTextureName(m_list->currentIndex());
}

void CTexturePickerDlg::OnFilterEntered() {
    const QModelIndex first = m_model->FindFirstShownTexture();
    if (!first.isValid())
        return;
    m_list->setCurrentIndex(first);
    accept();
}

void CTexturePickerDlg::EnableOk() {
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(!GetChosenTexture().empty());
}

std::optional<std::string> PickTexture(CTolveDoc& doc, const std::string& current,
                                       QWidget* parent) {
    CTexturePickerDlg picker(doc, current, parent);
    if (!RunModalDialog(picker) || picker.GetChosenTexture().empty())
        return std::nullopt;
    return picker.GetChosenTexture();
}
