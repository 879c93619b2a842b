#include "app/CDocHistory.h"

#include "app/CBrushStateStep.h"
#include "app/CPointEntityStateStep.h"
#include "map/CMapChange.h"
#include "map/CTolveDoc.h"
#include "widgets/CTolveView.h"

CDocHistory::CDocHistory(CTolveDoc& doc) : m_doc(doc) {
    QObject::connect(&m_stack, &QUndoStack::indexChanged, &m_stack, [this] { FollowCleanState(); });
    QObject::connect(&m_stack, &QUndoStack::cleanChanged, &m_stack, [this] { FollowCleanState(); });
}

void CDocHistory::FollowCleanState() {
    m_doc.SetModifiedFlag(!m_stack.isClean());
}

void CDocHistory::Perform(std::unique_ptr<QUndoCommand> step) {
    m_stack.push(step.release());
}

void CDocHistory::OnDragBegun() {
    m_brushBeforeDrag.reset();
    m_entityBeforeDrag.reset();
    if (m_doc.m_selectedBrush)
        m_brushBeforeDrag = *m_doc.m_selectedBrush;
    if (m_doc.m_selectedPointEntity)
        m_entityBeforeDrag = *m_doc.m_selectedPointEntity;
}

void CDocHistory::OnDragCommitted(const CMapChange& change) {
    using Kind = CMapChange::Kind;
    if (change.kind == Kind::kMovePointEntity && change.pointEntity && m_entityBeforeDrag) {
        Perform(std::make_unique<CPointEntityStateStep>(m_doc, QStringLiteral("Move Entity"),
                                                        *change.pointEntity, *m_entityBeforeDrag,
                                                        *change.pointEntity));
    } else if ((change.kind == Kind::kMoveBrush || change.kind == Kind::kMoveVertices) &&
               change.brush && m_brushBeforeDrag) {
        const QString text = change.kind == Kind::kMoveBrush ? QStringLiteral("Move Brush")
                                                             : QStringLiteral("Move Corners");
        Perform(std::make_unique<CBrushStateStep>(m_doc, text, *change.brush, *m_brushBeforeDrag));
    }
    m_brushBeforeDrag.reset();
    m_entityBeforeDrag.reset();
}

void CDocHistory::FollowDrags(CTolveView& view) {
    QObject::connect(&view, &CTolveView::DragBegun, &m_stack, [this] { OnDragBegun(); });
    QObject::connect(&view, &CTolveView::DragCommitted, &m_stack,
                     [this](const CMapChange& change) { OnDragCommitted(change); });
}
