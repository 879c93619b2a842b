#include "framework/CStatusNotice.h"

namespace {

class CNoStatusBar : public CStatusNoticeService {
public:
    void ShowStatusNotice(const std::string&) override {}
};

CNoStatusBar g_noStatusBar;

} // namespace

template <> CStatusNoticeService*& CServiceSlot<CStatusNoticeService>::Current() {
    static CStatusNoticeService* service = &g_noStatusBar;
    return service;
}

void ShowStatusNotice(const std::string& text) {
    StatusNoticeSlot::Get().ShowStatusNotice(text);
}
