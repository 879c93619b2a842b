#pragma once

#include "framework/CServiceSlot.h"

#include <string>

// A modal dialog as its callers see it: a name to tell it by and a way to run it
// in front of the user. Dialog classes implement this beside their widget base.
class CModalDialog {
public:
    virtual ~CModalDialog() = default;
    virtual std::string GetDialogName() const = 0;
    // Shows the dialog and waits for the user; true when it was closed with OK.
    virtual bool RunDialog() = 0;
};

// Runs modal dialogs. The editor lets the user answer them; tests answer
// instead, so that nothing ever waits for a person.
class CDialogRunner {
public:
    virtual ~CDialogRunner() = default;
    // True when the dialog ended with OK.
    virtual bool RunModal(CModalDialog& dialog) = 0;
};

using DialogRunnerSlot = CServiceSlot<CDialogRunner>;

// Lets the user answer: the service of the editor.
class CUserDialogRunner : public CDialogRunner {
public:
    bool RunModal(CModalDialog& dialog) override { return dialog.RunDialog(); }
};

template <> inline CDialogRunner*& CServiceSlot<CDialogRunner>::Current() {
    static CUserDialogRunner userRunner;
    static CDialogRunner* service = &userRunner;
    return service;
}

// Runs a dialog through the installed runner.
inline bool RunModalDialog(CModalDialog& dialog) {
    return DialogRunnerSlot::Get().RunModal(dialog);
}
