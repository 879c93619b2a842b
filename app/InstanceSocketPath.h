#pragma once

#include <QString>

// Where the editor of this user on this display listens for the files that
// later starts hand it: a socket in a folder only the user may enter
// ($XDG_RUNTIME_DIR, else a folder of the user's own in the temporary folder,
// made if need be), named after the display. No other user can take the name
// first, and a start on one display never opens its file on another. Empty
// when no such folder can be had: each start then runs an editor of its own.
QString FindInstanceSocketPath();
QString FindInstanceSocketPath(const QString& runtimeFolder, const QString& tempFolder,
                               const QString& display);

// Whether `folder` is a folder (not a link to one) of this user that nobody
// else may enter.
bool IsPrivateFolder(const QString& folder);

// Whether the socket a server name stands for (a path, or a name in the
// temporary folder) is a socket of this user; nothing else is connected to.
bool IsOwnSocket(const QString& serverName);
