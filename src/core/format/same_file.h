#pragma once
// Whether two paths name one file, so that no output of a run overwrites one of its inputs.

#include <string>

namespace tinto {

// True when both exist and are the same file (same device and inode, whatever links or
// spellings lead there), or when either does not exist and both normalise to the same
// absolute path.
bool IsSameFile(const std::string& first, const std::string& second);

}  // namespace tinto
