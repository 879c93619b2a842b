#pragma once

#include "framework/CMessageService.h"

#include <string>
#include <vector>

// A message the core has for the user. The core returns these; whoever called
// it decides when and how they are shown.
struct UserMessage {
    std::string title;
    std::string text;
    MessageIcon icon = MessageIcon::kError;

    friend bool operator==(const UserMessage&, const UserMessage&) = default;
};

using UserMessages = std::vector<UserMessage>;

// Shows each message in its own box through the message service, in order.
void ShowMessages(const UserMessages& messages);
