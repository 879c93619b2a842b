#pragma once

#include "framework/FileStamp.h"

#include <string>

// What kind of file system object `mode` (a stat st_mode) is, for messages:
// "a directory", "a named pipe (FIFO)", "a character device"...
const char* DescribeFileType(unsigned mode);

// Reads a whole regular file. Anything else (a directory, a FIFO, a device, a
// socket) is refused at once without blocking on it. On failure returns false
// and sets `reason` to why, in words for the user. `stamp`, when given, gets
// the file's stamp as it was opened: a writer that changes it while it is read
// leaves a stamp that no longer matches, which errs on the side of asking.
bool ReadRegularFile(const std::string& path, std::string& text, std::string& reason,
                     FileStamp* stamp = nullptr);
