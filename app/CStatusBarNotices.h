#pragma once

#include "framework/CStatusNotice.h"

#include <QPointer>
#include <QStatusBar>

// Shows notices in the main window's status bar, for as long as it exists.
// Until the next notice or prompt replaces it, a notice hides the idle text.
class CStatusBarNotices : public CStatusNoticeService {
public:
    explicit CStatusBarNotices(QStatusBar& bar) : m_bar(&bar), m_guard(*this) {}

    void ShowStatusNotice(const std::string& text) override {
        if (!m_bar)
            return;
        if (text.empty())
            m_bar->clearMessage();
        else
            m_bar->showMessage(QString::fromLocal8Bit(text));
    }

private:
    QPointer<QStatusBar> m_bar;
    CServiceGuard<CStatusNoticeService> m_guard;
};
