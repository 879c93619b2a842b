#include "dialogs/CReplaceTextureDlg.h"

#include "dialogs/DialogLayout.h"
#include "dialogs/DialogText.h"
#include "framework/CMessageService.h"
#include "framework/FieldMessages.h"
#include "map/MapLimits.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

std::optional<std::string> DescribeBadTextureName(const std::string& name) {
    if (name.empty())
        return "Please enter a texture name.";
    if (name.size() > static_cast<size_t>(kMaxTextureName))
        return "A face holds texture names of at most 15 characters.";
    // The map file separates a face's values by blanks, and quotes and
    // brackets mean something there.
    const bool plain = std::ranges::none_of(name, [](unsigned char c) {
        return c <= ' ' || c == '"' || c == '(' || c == ')' || c == '[' || c == ']' || c == 127;
    });
    if (!plain || name.starts_with("//"))
        return "A texture name cannot hold blanks, quotes, brackets or parentheses.";
    return std::nullopt;
}

CReplaceTextureDlg::CReplaceTextureDlg(QWidget* parent)
    : QDialog(parent), m_selection(new QRadioButton(QStringLiteral("&Selected faces"), this)),
      m_wholeMap(new QRadioButton(QStringLiteral("&Whole map"), this)),
      m_ok(new QPushButton(QStringLiteral("OK"), this)),
      m_cancel(new QPushButton(QStringLiteral("Cancel"), this)) {
    setWindowTitle(QString::fromLatin1(kTitle));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &CReplaceTextureDlg::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CReplaceTextureDlg::reject);

    auto* grid = new QGridLayout;
    m_find = AddLabeledEdit(*grid, 0, QStringLiteral("&Find:"), this);
    m_replace = AddLabeledEdit(*grid, 1, QStringLiteral("&Replace with:"), this);
    grid->addWidget(m_selection, 2, 1);
    grid->addWidget(m_wholeMap, 3, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    ChainTabOrder({m_find, m_replace, m_selection, m_wholeMap, m_ok, m_cancel});
    m_wholeMap->setChecked(true);
    m_selection->setEnabled(false);
    m_find->setFocus();
}

void CReplaceTextureDlg::SetFields(const std::string& find, const std::string& replace,
                                   bool selection) {
    m_find->setText(ToDialogText(find));
    m_find->selectAll();
    m_replace->setText(ToDialogText(replace));
    m_selection->setEnabled(selection);
    (selection ? m_selection : m_wholeMap)->setChecked(true);
}

std::string CReplaceTextureDlg::GetFind() const {
    return FromDialogText(m_find->text());
}

std::string CReplaceTextureDlg::GetReplace() const {
    return FromDialogText(m_replace->text());
}

bool CReplaceTextureDlg::IsSelectionOnly() const {
    return m_selection->isChecked();
}

void CReplaceTextureDlg::Refuse(QLineEdit* box, const std::string& problem) {
    ShowMessageBox(kFieldMessageTitle, problem, MessageIcon::kWarning);
    box->setFocus();
    box->selectAll();
}

void CReplaceTextureDlg::accept() {
    // The name found may be any the map holds; only the new one must fit.
    if (GetFind().empty()) {
        Refuse(m_find, "Please enter a texture name.");
        return;
    }
    if (std::optional<std::string> problem = DescribeBadTextureName(GetReplace())) {
        Refuse(m_replace, *problem);
        return;
    }
    QDialog::accept();
}
