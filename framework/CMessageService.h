#pragma once

#include "framework/CServiceSlot.h"

#include <string>

enum class MessageIcon { kError, kWarning, kInformation, kQuestion };

// Answers of a question box; a plain message box always answers Ok.
enum class MessageAnswer { kOk, kYes, kNo, kCancel };

enum class MessageButtons { kOk, kYesNoCancel };

// The buttons of a question that "Yes" and "No" would not answer clearly, in
// the places of Yes, No and Cancel. Without a `cancel` caption the question
// has two buttons, and closing it answers No. The Return key gives the
// `preferred` answer: the one that loses nothing when pressed in haste.
struct QuestionCaptions {
    std::string yes;
    std::string no;
    std::string cancel;
    MessageAnswer preferred = MessageAnswer::kYes;
};

// Modal message boxes without an owner window. The call returns when the user
// has closed the box.
class CMessageService {
public:
    virtual ~CMessageService() = default;
    virtual MessageAnswer ShowMessage(const std::string& title, const std::string& text,
                                      MessageIcon icon, MessageButtons buttons) = 0;
    // A question with buttons of its own captions. A service that cannot name
    // buttons asks the plain Yes / No / Cancel question in their places.
    virtual MessageAnswer AskWithCaptions(const std::string& title, const std::string& text,
                                          const QuestionCaptions& captions);
};

// Defined beside the service's default implementation.
template <> CMessageService*& CServiceSlot<CMessageService>::Current();
using MessageServiceSlot = CServiceSlot<CMessageService>;

// Shows a box with a single OK button through the installed service.
void ShowMessageBox(const std::string& title, const std::string& text, MessageIcon icon);

// Asks a Yes / No / Cancel question through the installed service.
MessageAnswer AskQuestion(const std::string& title, const std::string& text);
// Asks a question with buttons of its own captions; a question without a
// Cancel button never answers Cancel.
MessageAnswer AskQuestion(const std::string& title, const std::string& text,
                          const QuestionCaptions& captions);

// Writes "title: text" to standard error; the service of command-line programs.
class CConsoleMessageService : public CMessageService {
public:
    MessageAnswer ShowMessage(const std::string& title, const std::string& text, MessageIcon icon,
                              MessageButtons buttons) override;
};
