#pragma once

#include "framework/CServiceSlot.h"

#include <string>

enum class MessageIcon { Error, Warning, Information, Question };

// Answers of a question box; a plain message box always answers Ok.
enum class MessageAnswer { Ok, Yes, No, Cancel };

enum class MessageButtons { Ok, YesNoCancel };

// Modal message boxes without an owner window. The call returns when the user
// has closed the box.
class CMessageService {
public:
    virtual ~CMessageService() = default;
    virtual MessageAnswer ShowMessage(const std::string& title, const std::string& text,
                                      MessageIcon icon, MessageButtons buttons) = 0;
};

// Defined beside the service's default implementation.
template <> CMessageService*& CServiceSlot<CMessageService>::Current();
using MessageServiceSlot = CServiceSlot<CMessageService>;

// Shows a box with a single OK button through the installed service.
void ShowMessageBox(const std::string& title, const std::string& text, MessageIcon icon);

// Asks a Yes / No / Cancel question through the installed service.
MessageAnswer AskQuestion(const std::string& title, const std::string& text);

// Writes "title: text" to standard error; the service of command-line programs.
class CConsoleMessageService : public CMessageService {
public:
    MessageAnswer ShowMessage(const std::string& title, const std::string& text, MessageIcon icon,
                              MessageButtons buttons) override;
};
