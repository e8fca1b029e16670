#pragma once
// Whole-file writes that never leave a damaged target: the bytes go to a temporary file in the
// target's folder, are flushed to disk, and only then renamed over the target. On any failure
// the temporary file is removed and the target stays byte-identical.

#include <string>
#include <string_view>

#include "core/status.h"

namespace tinto {

// Error texts as the runtime gives them: "Disk full" when the device has no space left, the
// system's own error text otherwise.
Status WriteFileAtomically(const std::string& path, std::string_view bytes);

// The runtime's text for an errno value.
std::string IoErrorText(int errorNumber);

}  // namespace tinto
