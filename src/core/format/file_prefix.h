#pragma once
// Whole-file reads for the picture readers, bounded so that a huge file costs no more memory
// than the largest valid picture.

#include <cstddef>
#include <string>

#include "core/status.h"

namespace tinto {

// Replaces `bytes` with at most `maxBytes` bytes from the start of the file. A missing file (or
// a missing folder on its way) gives "File " + path + " not found."; any other failure the
// system's error text, with `bytes` then unspecified.
Status ReadFilePrefix(const std::string& path, std::size_t maxBytes, std::string& bytes);

// Ok when `path` (links followed) is a regular file. Otherwise "File not found" (also for a
// missing folder on the way), "Is a folder", "Not a regular file" (a FIFO, a device, a socket)
// or the system's own words (a link loop, a name too long, a folder that may not be searched).
// Looks at the file without opening it.
Status CheckReadableFile(const std::string& path);

}  // namespace tinto
