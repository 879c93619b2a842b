#pragma once

#include "framework/CMessageService.h"

#include <string>
#include <vector>

// A message the core has for the user. The core returns these; whoever called
// it decides when and how they are shown.
struct CUserMessage {
    std::string title;
    std::string text;
    MessageIcon icon = MessageIcon::Error;

    friend bool operator==(const CUserMessage&, const CUserMessage&) = default;
};

using UserMessages = std::vector<CUserMessage>;

// Shows each message in its own box through the message service, in order.
void ShowMessages(const UserMessages& messages);
