#pragma once

#include "framework/CServiceSlot.h"

#include <string>

// A line in the status bar that tells the user about something worth knowing
// but not worth stopping for. An empty text clears it.
class CStatusNoticeService {
public:
    virtual ~CStatusNoticeService() = default;
    virtual void ShowStatusNotice(const std::string& text) = 0;
};

// Defined beside the service's default implementation.
template <> CStatusNoticeService*& CServiceSlot<CStatusNoticeService>::Current();
using StatusNoticeSlot = CServiceSlot<CStatusNoticeService>;

// Shows the notice through the installed service; programs without a status
// bar drop it.
void ShowStatusNotice(const std::string& text);
