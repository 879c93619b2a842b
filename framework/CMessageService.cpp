#include "framework/CMessageService.h"

#include "framework/UserMessage.h"

#include <cstdio>

namespace {
CConsoleMessageService g_consoleMessages;
} // namespace

template <> CMessageService*& CServiceSlot<CMessageService>::Current() {
    static CMessageService* service = &g_consoleMessages;
    return service;
}

void ShowMessageBox(const std::string& title, const std::string& text, MessageIcon icon) {
    MessageServiceSlot::Get().ShowMessage(title, text, icon, MessageButtons::kOk);
}

MessageAnswer AskQuestion(const std::string& title, const std::string& text) {
    return MessageServiceSlot::Get().ShowMessage(title, text, MessageIcon::kQuestion,
                                                 MessageButtons::kYesNoCancel);
}

MessageAnswer AskQuestion(const std::string& title, const std::string& text,
                          const QuestionCaptions& captions) {
    const MessageAnswer answer = MessageServiceSlot::Get().AskWithCaptions(title, text, captions);
    return answer == MessageAnswer::kCancel && captions.cancel.empty() ? MessageAnswer::kNo
                                                                       : answer;
}

MessageAnswer CMessageService::AskWithCaptions(const std::string& title, const std::string& text,
                                               const QuestionCaptions&) {
    return ShowMessage(title, text, MessageIcon::kQuestion, MessageButtons::kYesNoCancel);
}

MessageAnswer CConsoleMessageService::ShowMessage(const std::string& title, const std::string& text,
                                                  MessageIcon, MessageButtons buttons) {
    // Messages meant for a box often end in a line feed of their own.
    std::string line = title + ": " + text;
    if (!line.empty() && line.back() == '\n')
        line.pop_back();
    std::fprintf(stderr, "%s\n", line.c_str());
    // Nobody can answer on a console; leave things as they are.
    return buttons == MessageButtons::kOk ? MessageAnswer::kOk : MessageAnswer::kCancel;
}

void ShowMessages(const UserMessages& messages) {
    for (const UserMessage& message : messages)
        ShowMessageBox(message.title, message.text, message.icon);
}
