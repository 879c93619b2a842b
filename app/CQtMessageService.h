#pragma once

#include "framework/CMessageService.h"

// Message boxes as QMessageBox windows without an owner.
class CQtMessageService : public CMessageService {
public:
    MessageAnswer ShowMessage(const std::string& title, const std::string& text, MessageIcon icon,
                              MessageButtons buttons) override;
    MessageAnswer AskWithCaptions(const std::string& title, const std::string& text,
                                  const QuestionCaptions& captions) override;
};
