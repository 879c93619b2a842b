#include "map/MapDiagnostics.h"

#include "framework/CMessageService.h"

#include <string>

void ReportMapError(int line, std::string_view message) {
    std::string text = std::to_string(line) + " : ";
    text.append(message);
    ShowMessageBox("Map Read Error", text, MessageIcon::Error);
}

void CMapErrorBoxes::Report(int line, int, std::string_view message) {
    ReportMapError(line, message);
}
