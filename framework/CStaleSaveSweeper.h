#pragma once

#include <set>
#include <string>

// Removes the temporary files that saves killed before they finished left
// beside their maps (".NAME.tolve-save-PID-XXXXXX", as CSafeFileWriter names
// them).
//
// A file is removed only when its whole name follows that scheme, it is a
// regular file (a link is left alone), and no process of the number in its
// name runs on this machine. A save in progress is never touched: its process
// runs. A number reused by another process keeps the file until a later
// sweep. A save on another machine sharing the folder cannot be told from a
// dead one; taking its temporary file away makes that save fail and say so,
// and its map keeps the old file, so nothing is lost.
//
// Each folder is looked at once per sweeper, at the first file of it; a
// folder costs one read of its entries and a look at the few that match.
class CStaleSaveSweeper {
public:
    // Sweeps the folder of `filePath` unless this sweeper did already.
    void SweepFolderOf(const std::string& filePath);

    // Removes the stale temporary files in `folder`: those of the saves of
    // `fileName`, or of any file when it is empty. Returns how many went.
    static int SweepFolder(const std::string& folder, const std::string& fileName = {});

private:
    std::set<std::string> m_sweptFolders;
};
