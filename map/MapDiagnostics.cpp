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

void CMapErrorList::List(int line, int brushLine, std::string_view message) {
    if (m_lines.size() < kMaxListed)
        m_lines.push_back(FormatMapProblem(line, brushLine, message));
    ++m_count;
}

void CMapErrorList::Report(int line, int brushLine, std::string_view message) {
    List(line, brushLine, message);
    m_lost = true;
}

void CMapErrorList::ReportKept(int line, int brushLine, std::string_view message) {
    List(line, brushLine, message);
}

void CMapErrorList::Notice(int line, int brushLine, std::string_view message) {
    if (m_notices++ > 0)
        return;
    m_firstNoticeLine = ShownLine(line, brushLine);
    m_firstNotice = message;
    while (!m_firstNotice.empty() && m_firstNotice.back() == '\n')
        m_firstNotice.pop_back();
}

std::string CMapErrorList::DescribeNotices() const {
    if (m_notices == 0)
        return {};
    const std::string count = m_notices == 1 ? "1 notice" : std::to_string(m_notices) + " notices";
    return "Read with " + count + " of what the compilers take as it is, the first at line " +
           std::to_string(m_firstNoticeLine) + ": " + m_firstNotice +
           " (tolve-map check lists them all)";
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
    return UserMessage{"Map Read Error", Text(),
                       m_lost ? MessageIcon::kError : MessageIcon::kWarning};
}
