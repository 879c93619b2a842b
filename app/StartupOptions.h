#pragma once

#include <QString>
#include <QStringList>

// What the command line asks for.
struct StartupOptions {
    QStringList files;          // maps to open; none means a new empty map
    bool singleInstance = true; // hand files to an editor that already runs
    QString serverName;         // where editors meet; empty for the user's default
    QString screenshotPath;     // when set: save a picture of the window and quit
    QString autosaveFolder;     // where copies of modified maps go; empty for the user's data
};

// Reads "tolve [--new-instance] [--screenshot FILE.png] [FILE...]". Setting TOLVE_NEW_INSTANCE=1 in
// the environment has the same effect as --new-instance.
StartupOptions ParseCommandLine(const QStringList& arguments);
