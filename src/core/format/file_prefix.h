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

}  // namespace tinto
