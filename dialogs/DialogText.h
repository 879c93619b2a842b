#pragma once

#include <QString>

#include <string>

// Map texts are 8-bit; the widgets show them byte for byte as Latin-1.
inline QString ToDialogText(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string FromDialogText(const QString& text) {
    return text.toLatin1().toStdString();
}
