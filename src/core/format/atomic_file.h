#pragma once
// Whole-file writes that never leave a damaged target: the bytes go to a temporary file in the
// target's folder, are flushed to disk, and only then renamed over the target; the folder is
// flushed after the rename. On any failure the temporary file is removed and the target stays
// byte-identical. Every file the program writes goes through here.
//
// - A symbolic link is followed: the file it names is replaced, the link stays.
// - A target that exists and is not a regular file (a folder, a device, a FIFO) is refused
//   with "<path> is not a regular file", and left alone.
// - The new file keeps the old file's permission bits, and its owner and group where the
//   process may set them; a new file gets 0666 less the umask.
// - Hard links to the old file keep the old content: the rename gives the name a new file.
// - On Linux the temporary file has no name until its bytes are on disk, so a crash leaves
//   nothing behind. Elsewhere, and in the instant between naming and rename, it is
//   ".tinto-<8 hex digits of the target's name>-<6 characters>" (22 bytes, so a target name of
//   NAME_MAX bytes can be saved); the next save of the same target removes such leftovers.
//   Two processes saving one target at the same moment may therefore fail one of the saves.

#include <string>
#include <string_view>
#include <vector>

#include "core/status.h"

namespace tinto {

// Error texts as the runtime gives them: "Disk full" when the device has no space left, the
// system's own error text otherwise; the refusal above names the path.
Status WriteFileAtomically(const std::string& path, std::string_view bytes);

struct FileContent {
  std::string path;
  std::string_view bytes;
};

// Several files saved as one group (the two files of a two-file picture): every file is
// written and flushed to its own temporary file before any target is touched; only then are
// they renamed over their targets one right after the other. A failure before the renames
// leaves every target as it was; only a crash between two renames can leave some targets new
// and others old, and the temporary files such a crash leaves are removed by the next save of
// the same targets. Errors are those above, led by the path of the file they are about.
Status WriteFilesAtomically(const std::vector<FileContent>& files);

// Ok when `path` (links followed) does not exist or is a regular file; otherwise the refusal
// above. Looks at the file without opening it.
Status CheckRegularTarget(const std::string& path);

// The runtime's text for an errno value.
std::string IoErrorText(int errorNumber);

// The prefix of the temporary files of a save of the file named `fileName` (no folder part).
std::string TemporaryNamePrefix(const std::string& fileName);

}  // namespace tinto
