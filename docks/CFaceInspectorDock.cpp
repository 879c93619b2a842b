#include "docks/CFaceInspectorDock.h"

#include "framework/CMessageService.h"
#include "framework/CStatusNotice.h"
#include "framework/TextCase.h"
#include "map/CMapTransaction.h"
#include "map/CTolveDoc.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <cctype>

namespace {

// Map texts are 8-bit; the fields show them byte for byte as Latin-1.
QString ToFieldText(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string FromFieldText(const QString& text) {
    return text.toLatin1().toStdString();
}

} // namespace

CFaceInspectorDock::CFaceInspectorDock(QWidget* parent) : CMapDock(kTitle, parent) {
    using enum FaceField;
    setObjectName(QStringLiteral("FaceInspector"));
    m_content = new QWidget(this);
    auto* layout = new QVBoxLayout(m_content);
    m_count = new QLabel(m_content);
    layout->addWidget(m_count);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    layout->addStretch(1);
    AddField(*grid, 0, 0, "Texture:", kTexture);
    grid->removeWidget(m_fields[0]);
    grid->addWidget(m_fields[0], 0, 1, 1, 3);
    m_offsetLabels[0] = AddField(*grid, 1, 0, "X offset:", kXOffset);
    m_offsetLabels[1] = AddField(*grid, 1, 2, "Y offset:", kYOffset);
    AddField(*grid, 2, 0, "X scale:", kXScale);
    AddField(*grid, 2, 2, "Y scale:", kYScale);
    AddField(*grid, 3, 0, "Rotation:", kRotation);
    AddAxisRow(*grid, 4, "U axis:", kUAxisX);
    AddAxisRow(*grid, 5, "V axis:", kVAxisX);
    setWidget(m_content);

    m_refresh.setSingleShot(true);
    m_refresh.setInterval(0);
    connect(&m_refresh, &QTimer::timeout, this, &CFaceInspectorDock::Refresh);
    // Hidden, the dock hears nothing of the map and shows it afresh when it
    // comes back.
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        Listen(visible);
        if (visible && m_stale)
            m_refresh.start();
    });
    Refresh();
}

QLabel* CFaceInspectorDock::AddField(QGridLayout& grid, int row, int column, const char* label,
                                     FaceField field) {
    auto* box = new QLineEdit(m_content);
    // The views keep the keyboard until the user clicks or tabs into a field.
    box->setFocusPolicy(Qt::StrongFocus);
    box->installEventFilter(this);
    auto* caption = new QLabel(QString::fromLatin1(label), m_content);
    grid.addWidget(caption, row, column);
    grid.addWidget(box, row, column + 1);
    m_fields[static_cast<size_t>(field)] = box;
    connect(box, &QLineEdit::editingFinished, this, [this, field] { OnFieldEdited(field); });
    return caption;
}

// Three fields for the axis's direction; its offset is the U or V offset.
void CFaceInspectorDock::AddAxisRow(QGridLayout& grid, int row, const char* label,
                                    FaceField first) {
    auto* rowWidget = new QWidget(m_content);
    auto* rowLayout = new QHBoxLayout(rowWidget);
    rowLayout->setContentsMargins(0, 0, 0, 0);
    auto* caption = new QLabel(QString::fromLatin1(label), m_content);
    for (int k = 0; k < 3; ++k) {
        const auto field = static_cast<FaceField>(static_cast<int>(first) + k);
        auto* box = new QLineEdit(rowWidget);
        box->installEventFilter(this);
        rowLayout->addWidget(box);
        m_fields[static_cast<size_t>(field)] = box;
        connect(box, &QLineEdit::editingFinished, this, [this, field] { OnFieldEdited(field); });
    }
    grid.addWidget(caption, row, 0);
    grid.addWidget(rowWidget, row, 1, 1, 3);
    m_axisRows.push_back(caption);
    m_axisRows.push_back(rowWidget);
}

void CFaceInspectorDock::ShowDocument() {
    Refresh();
}

void CFaceInspectorDock::OnMapChanged(const MapNotice& notice) {
    // The hover moves with every motion of the pointer; the shown faces
    // change only with the set or the mode.
    if (OnlyHoverMoved(notice))
        return;
    RefreshSoon();
}

void CFaceInspectorDock::RefreshSoon() {
    m_stale = true;
    if (isVisible())
        m_refresh.start();
}

void CFaceInspectorDock::Refresh() {
    Gather();
    ShowValues();
}

void CFaceInspectorDock::Gather() {
    m_stale = false;
    m_faces.clear();
    if (m_doc) {
        const CEditorState& state = m_doc->GetEditorState();
        NoteSelectionShown();
        m_faces = ListTexturedFaces(*m_doc, state.GetSelectionSet(), state.GetEditMode());
    }
    m_shown = GatherFaceFields(m_faces);
}

void CFaceInspectorDock::ShowValues() {
    const bool any = !m_faces.empty();
    const bool valveMap = m_doc && m_doc->m_mapFormat == MapFormat::kValve;
    for (QWidget* widget : m_axisRows)
        widget->setVisible(valveMap);
    // A Valve face's offsets go along its axes.
    m_offsetLabels[0]->setText(valveMap ? QStringLiteral("U offset:")
                                        : QStringLiteral("X offset:"));
    m_offsetLabels[1]->setText(valveMap ? QStringLiteral("V offset:")
                                        : QStringLiteral("Y offset:"));
    m_count->setText(!any                  ? QStringLiteral("No faces selected")
                     : m_faces.size() == 1 ? QStringLiteral("1 face")
                                           : QStringLiteral("%1 faces").arg(m_faces.size()));
    for (size_t i = 0; i < kFaceFieldCount; ++i) {
        QLineEdit& box = *m_fields[i];
        const std::optional<std::string>& text = m_shown.texts[i];
        box.setText(text ? ToFieldText(*text) : QString());
        box.setPlaceholderText(any && !text ? QString::fromLatin1(kMixed) : QString());
        box.setEnabled(any && (m_shown.valve || !IsAxisField(static_cast<FaceField>(i))));
    }
}

void CFaceInspectorDock::OnFieldEdited(FaceField field) {
    // The map changed since the values were shown: the edit goes to the faces
    // selected now.
    if (m_stale && !m_editing)
        Gather();
    const std::optional<std::string>& shown = m_shown[field];
    const std::string text = FromFieldText(GetField(field).text());
    // An empty field of a value the faces differ in is no value.
    if (m_editing || !m_doc || m_faces.empty() || (shown ? text == *shown : text.empty()))
        return;
    m_editing = true;
    FaceFieldValue value;
    if (std::optional<std::string> problem = CheckFaceField(field, text, m_shown.valve, value)) {
        ShowValues();
        ShowMessageBox(kTitle, *problem, MessageIcon::kWarning);
        m_editing = false;
        return;
    }
    if (field == FaceField::kTexture) {
        if (std::optional<std::string> notice = DescribeCutTextureName(text))
            ShowStatusNotice(*notice);
        TellUnknownTexture(value.texture);
    }
    CMapTransaction transaction(*m_doc, std::string(kTitle));
    if (SetFaceField(transaction.Edits(), m_faces, value) > 0)
        transaction.Commit();
    m_editing = false;
    Refresh();
}

// The map may name textures of files that were not found; the name is kept,
// and the user hears of it.
void CFaceInspectorDock::TellUnknownTexture(const std::string& name) const {
    const CTextureWad& wad = m_doc->m_textureWad;
    if (wad.FindTextureFile(name))
        return;
    const std::vector<std::string>& names = wad.GetTextureNames();
    if (std::any_of(names.begin(), names.end(),
                    [&](const std::string& known) { return SameTextInAnyCase(known, name); }))
        return;
    ShowStatusNotice("The texture \"" + name + "\" is in none of the map's texture files");
}

bool CFaceInspectorDock::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        ShowValues(); // the typed text goes
        emit KeyboardReturned();
        return true;
    }
    return QDockWidget::eventFilter(watched, event);
}
