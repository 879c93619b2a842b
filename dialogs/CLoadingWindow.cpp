#include "dialogs/CLoadingWindow.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Repainting on every step would slow a long scan down to the screen's pace.
constexpr qint64 kRepaintIntervalMs = 30;

class CLoadingTask : public CProgressTask {
public:
    CLoadingTask(const QString& label, int range) : m_window(label, range) {}
    void Step() override { m_window.StepProgress(); }

private:
    CLoadingWindow m_window;
};

} // namespace

CLoadingWindow::CLoadingWindow(const QString& label, int range)
    : m_label(new QLabel(label, this)), m_bar(new QProgressBar(this)) {
    setWindowTitle(QStringLiteral("Loading"));
    setModal(false);
    m_label->setAlignment(Qt::AlignCenter);
    m_bar->setRange(0, std::max(range, 0));
    m_bar->setValue(0);
    m_bar->setTextVisible(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(30, 30, 30, 30);
    layout->setSpacing(16);
    layout->addWidget(m_label);
    layout->addWidget(m_bar);
    setMinimumWidth(320);

    show();
    RepaintNow();
}

void CLoadingWindow::StepProgress() {
    if (m_bar->value() < m_bar->maximum())
        m_bar->setValue(m_bar->value() + 1);
    if (m_sinceRepaint.elapsed() >= kRepaintIntervalMs || m_bar->value() == m_bar->maximum())
        RepaintNow();
}

void CLoadingWindow::RepaintNow() {
    // Input and other processes' requests wait until the work is done, so no
    // command can start in the middle of it.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                QEventLoop::ExcludeSocketNotifiers);
    m_sinceRepaint.restart();
}

std::unique_ptr<CProgressTask> CQtProgressService::Begin(const std::string& label, int range) {
    return std::make_unique<CLoadingTask>(QString::fromLocal8Bit(label), range);
}
