#pragma once

#include "TestDoubles.h"
#include "TestSupport.h"
#include "app/CSaveFileChooser.h"
#include "app/CSoundPlayer.h"
#include "dialogs/CEntityVariablesDlg.h"
#include "framework/CDialogRunner.h"

#include <QDialog>
#include <QSettings>
#include <QString>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <typeinfo>
#include <vector>

// Answers "save as" requests from a script; cancels once it runs out.
class CScriptedSaveChooser : public CSaveFileChooser {
public:
    CScriptedSaveChooser() : m_guard(*this) {}

    std::optional<std::string> ChooseFileToSave(const FileChooserRequest& request,
                                                const std::string& suggestedPath,
                                                SaveFileKinds& kinds) override {
        m_requests.push_back(request);
        m_suggestions.push_back(suggestedPath);
        m_kinds.push_back(kinds);
        if (m_answers.empty())
            return std::nullopt;
        std::optional<std::string> answer = m_answers.front();
        m_answers.pop_front();
        if (!m_kindAnswers.empty()) {
            kinds.chosen = m_kindAnswers.front();
            m_kindAnswers.pop_front();
        }
        return answer;
    }

    std::deque<std::optional<std::string>> m_answers;
    std::deque<int> m_kindAnswers; // the kind each answer leaves selected; none: as offered
    std::vector<FileChooserRequest> m_requests;
    std::vector<std::string> m_suggestions;
    std::vector<SaveFileKinds> m_kinds; // as offered

private:
    CServiceGuard<CSaveFileChooser> m_guard;
};

// Records each modal dialog instead of running it, lets a test look at it, and
// answers OK.
class CRecordingDialogRunner : public CDialogRunner {
public:
    CRecordingDialogRunner() : m_guard(*this) {}

    bool RunModal(CModalDialog& dialog) override {
        m_names.push_back(dialog.GetDialogName());
        if (m_onRun)
            m_onRun(dialog);
        return true;
    }

    std::vector<std::string> m_names;
    std::function<void(CModalDialog&)> m_onRun;

private:
    CServiceGuard<CDialogRunner> m_guard;
};

// Lets a test work a dialog's controls as a user would instead of waiting for
// one; the answer is what the dialog's own buttons made of it (Cancel when the
// script presses nothing).
class CScriptedDialogRunner : public CDialogRunner {
public:
    CScriptedDialogRunner() : m_guard(*this) {}

    bool RunModal(CModalDialog& dialog) override {
        m_names.push_back(dialog.GetDialogName());
        auto& widget = dynamic_cast<QDialog&>(dialog);
        widget.setResult(QDialog::Rejected);
        if (m_script)
            m_script(dialog);
        return widget.result() == QDialog::Accepted;
    }

    std::vector<std::string> m_names;
    std::function<void(CModalDialog&)> m_script;

private:
    CServiceGuard<CDialogRunner> m_guard;
};

// The entity dialog of that kind, or none when the dialog is another one.
inline CEntityVariablesDlg* AsEntityDialog(CModalDialog& modal, EntityKind kind) {
    auto* dialog = dynamic_cast<CEntityVariablesDlg*>(&modal);
    return dialog && dialog->GetKind() == kind ? dialog : nullptr;
}

// The entity dialog of that kind; any other dialog fails the test.
inline CEntityVariablesDlg& CastEntityDialog(CModalDialog& modal, EntityKind kind) {
    if (CEntityVariablesDlg* dialog = AsEntityDialog(modal, kind))
        return *dialog;
    throw std::bad_cast();
}

class CRecordingSoundPlayer : public CSoundPlayer {
public:
    CRecordingSoundPlayer() : m_guard(*this) {}
    void PlaySoundFile(const std::string& path) override { m_played.push_back(path); }

    std::vector<std::string> m_played;

private:
    CServiceGuard<CSoundPlayer> m_guard;
};

// Keeps the user's settings out of reach: every QSettings of the test lives in
// a temporary folder.
class CTempSettings {
public:
    CTempSettings() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(m_dir.Root().string()));
    }
    const CTempDir& GetDir() const { return m_dir; }

private:
    CTempDir m_dir;
};
