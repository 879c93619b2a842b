#pragma once

#include "framework/CProgressService.h"

#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QProgressBar;

// The modeless "Loading" window: a centred label over a progress bar.
class CLoadingWindow : public QDialog {
    Q_OBJECT

public:
    CLoadingWindow(const QString& label, int range);

    QLabel* GetLabel() const { return m_label; }
    QProgressBar* GetProgressBar() const { return m_bar; }

    // Advances the bar by one and lets the window repaint.
    void StepProgress();

private:
    void RepaintNow();

    QLabel* m_label;
    QProgressBar* m_bar;
    QElapsedTimer m_sinceRepaint;
};

// Shows long work in a Loading window that closes with the task.
class CQtProgressService : public CProgressService {
public:
    std::unique_ptr<CProgressTask> Begin(const std::string& label, int range) override;
};
