#pragma once

#include "framework/CFileChooser.h"
#include "framework/CFolderChooser.h"
#include "framework/CProgressService.h"
#include "framework/CServiceSlot.h"
#include "framework/CStatusNotice.h"

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Answers file-open requests from a script (a path, or nothing for Cancel) and
// records every request. Once the script is used up it cancels, so a test
// never loops on a chooser.
class CScriptedFileChooser : public CFileChooser {
public:
    CScriptedFileChooser() : m_guard(*this) {}

    std::optional<std::string> ChooseFileToOpen(const FileChooserRequest& request) override {
        m_requests.push_back(request);
        if (m_onRequest)
            m_onRequest();
        if (m_answers.empty())
            return std::nullopt;
        std::optional<std::string> answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }

    std::deque<std::optional<std::string>> m_answers;
    std::vector<FileChooserRequest> m_requests;
    std::function<void()> m_onRequest; // runs at each request, before it is answered

private:
    CServiceGuard<CFileChooser> m_guard;
};

// Answers folder requests from a script, recording each title; cancels once
// the script is used up.
class CScriptedFolderChooser : public CFolderChooser {
public:
    CScriptedFolderChooser() : m_guard(*this) {}

    std::optional<std::string> ChooseFolder(const std::string& title) override {
        m_titles.push_back(title);
        if (m_answers.empty())
            return std::nullopt;
        std::optional<std::string> answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }

    std::deque<std::optional<std::string>> m_answers;
    std::vector<std::string> m_titles;

private:
    CServiceGuard<CFolderChooser> m_guard;
};

// Records every status-bar notice, empty ones (clearing it) included.
class CRecordingNotices : public CStatusNoticeService {
public:
    CRecordingNotices() : m_guard(*this) {}
    void ShowStatusNotice(const std::string& text) override { m_notices.push_back(text); }

    std::vector<std::string> m_notices;

private:
    CServiceGuard<CStatusNoticeService> m_guard;
};

// Records each progress display: its label, its range, how often it was
// stepped and whether it was closed again.
class CRecordingProgress : public CProgressService {
public:
    struct Display {
        std::string label;
        int range = 0;
        int steps = 0;
        bool closed = false;
    };

    CRecordingProgress() : m_guard(*this) {}

    std::unique_ptr<CProgressTask> Begin(const std::string& label, int range) override {
        m_displays.push_back({label, range, 0, false});
        return std::make_unique<CTask>(*this, m_displays.size() - 1);
    }

    std::vector<Display> m_displays;

private:
    class CTask : public CProgressTask {
    public:
        CTask(CRecordingProgress& owner, size_t index) : m_owner(owner), m_index(index) {}
        ~CTask() override { m_owner.m_displays[m_index].closed = true; }
        void Step() override { ++m_owner.m_displays[m_index].steps; }

    private:
        CRecordingProgress& m_owner;
        size_t m_index;
    };

    CServiceGuard<CProgressService> m_guard;
};

// Runs a test in another working directory and returns to the old one.
class CWorkingDirectoryGuard {
public:
    explicit CWorkingDirectoryGuard(const std::filesystem::path& directory)
        : m_previous(std::filesystem::current_path()) {
        std::filesystem::current_path(directory);
    }
    ~CWorkingDirectoryGuard() {
        std::error_code ignored;
        std::filesystem::current_path(m_previous, ignored);
    }
    CWorkingDirectoryGuard(const CWorkingDirectoryGuard&) = delete;
    CWorkingDirectoryGuard& operator=(const CWorkingDirectoryGuard&) = delete;

private:
    std::filesystem::path m_previous;
};
