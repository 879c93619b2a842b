#include "map/MapDiagnostics.h"

#include "framework/CMessageService.h"

std::string FormatMapProblem(int line, int brushLine, std::string_view message) {
    std::string text = std::to_string(ShownLine(line, brushLine)) + " : ";
    text.append(message);
    return text;
}

void ReportMapError(int line, std::string_view message) {
    ShowMessageBox("Map Read Error", FormatMapProblem(line, -1, message), MessageIcon::kError);
}

void CMapErrorList::Report(int line, int brushLine, std::string_view message) {
    if (m_lines.size() < kMaxListed)
        m_lines.push_back(FormatMapProblem(line, brushLine, message));
    ++m_count;
}

std::string CMapErrorList::Text() const {
    if (m_count <= 1)
        return m_lines.empty() ? std::string() : m_lines.front();
    std::string text = std::to_string(m_count) + " problems were found while reading the map:\n\n";
    for (const std::string& line : m_lines) {
        text.append(line);
        if (text.back() != '\n')
            text.push_back('\n');
    }
    if (m_count > m_lines.size())
        text.append("... and " + std::to_string(m_count - m_lines.size()) + " more\n");
    return text;
}

std::optional<UserMessage> CMapErrorList::ToMessage() const {
    if (m_count == 0)
        return std::nullopt;
    return UserMessage{"Map Read Error", Text(), MessageIcon::kError};
}
