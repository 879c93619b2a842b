#pragma once

#include <QUndoCommand>

#include <memory>
#include <vector>

// Several steps that are done and undone as one: a paste of many objects.
class CStepGroup : public QUndoCommand {
public:
    explicit CStepGroup(const QString& text) { setText(text); }

    void Add(std::unique_ptr<QUndoCommand> step) { m_steps.push_back(std::move(step)); }
    bool IsEmpty() const { return m_steps.empty(); }

    void redo() override {
        for (auto& step : m_steps)
            step->redo();
    }
    void undo() override {
        for (auto step = m_steps.rbegin(); step != m_steps.rend(); ++step)
            (*step)->undo();
    }

private:
    std::vector<std::unique_ptr<QUndoCommand>> m_steps;
};
