#pragma once

#include <QSettings>

// The editor's settings, in the user's configuration.
inline QSettings OpenAppSettings() {
    return QSettings(QStringLiteral("Tolve"), QStringLiteral("Tolve"));
}
