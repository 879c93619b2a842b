#pragma once

#include "map/CMapBrush.h"
#include "map/CPointEntity.h"

#include <QUndoStack>

#include <memory>
#include <optional>

class CTolveDoc;
class CTolveView;
struct CMapChange;

// The undo history of one open map. The document's modified flag follows the
// history's clean state, so undoing back to the saved state leaves nothing to
// save.
class CDocHistory {
public:
    explicit CDocHistory(CTolveDoc& doc);

    QUndoStack& GetStack() { return m_stack; }
    // Performs the step and keeps it.
    void Perform(std::unique_ptr<QUndoCommand> step);
    void MarkSaved() { m_stack.setClean(); }
    // For a map whose file holds none of the history's states.
    void MarkUnsaved() { m_stack.resetClean(); }

    // A drag is one step from press to release. What it may move is kept at
    // the press, as the moves forget the texts and planes the map was read
    // with.
    void OnDragBegun();
    void OnDragCommitted(const CMapChange& change);
    // Keeps the drags of a view of this map, for as long as both exist.
    void FollowDrags(CTolveView& view);

private:
    void FollowCleanState();

    CTolveDoc& m_doc;
    QUndoStack m_stack;
    std::optional<CMapBrush> m_brushBeforeDrag;
    std::optional<CPointEntity> m_entityBeforeDrag;
};
