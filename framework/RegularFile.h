#pragma once

#include "framework/FileStamp.h"

#include <cstdint>
#include <string>

// What kind of file system object `mode` (a stat st_mode) is, for messages:
// "a directory", "a named pipe (FIFO)", "a character device"...
const char* DescribeFileType(unsigned mode);

// A size in words: "64 MiB", "1 GiB", "512 bytes".
std::string DescribeByteCount(uint64_t bytes);

// Reads a whole regular file of at most `limit` bytes. Anything else (a
// directory, a FIFO, a device, a socket) is refused at once without blocking
// on it, and so is a file larger than the limit: what a file says of its size
// is no promise (a sparse file claims terabytes it does not hold, another may
// grow while it is read), so the text grows with what is really read and the
// limit is kept on that too. On failure returns false and sets `reason` to
// why, in words for the user. `stamp`, when given, gets the file's stamp as it
// was opened: a writer that changes it while it is read leaves a stamp that
// no longer matches, which errs on the side of asking.
bool ReadRegularFile(const std::string& path, std::string& text, std::string& reason,
                     uint64_t limit, FileStamp* stamp = nullptr);
