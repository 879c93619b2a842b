#pragma once

#include "framework/CServiceSlot.h"

#include <memory>
#include <string>

// One running piece of long work shown to the user (a window with a label and a
// bar). It closes when the object is destroyed.
class CProgressTask {
public:
    virtual ~CProgressTask() = default;
    virtual void Step() = 0;
};

class CProgressService {
public:
    virtual ~CProgressService() = default;
    // Opens the progress display with the bar at 0 of `range`.
    virtual std::unique_ptr<CProgressTask> Begin(const std::string& label, int range) = 0;
};

// Defined beside the service's default implementation.
template <> CProgressService*& CServiceSlot<CProgressService>::Current();
using ProgressServiceSlot = CServiceSlot<CProgressService>;
