#pragma once
// Where the tool's outputs go, worked out before anything is written: no output is an input,
// no two outputs of a run share a file, and a failed write is reported under the output's name.

#include <string>
#include <vector>

#include "core/status.h"

namespace tinto::cli {

// One DIR/<name>.tin per input, all distinct. The name is the input's file name with ".tin"
// for its extension (cat.jpg -> cat.tin); inputs that share a stem keep their extension
// (cat.jpg.tin, cat.png.tin); a name still taken by an earlier input gets "-2", "-3", ...
// before ".tin" (a/cat.jpg -> cat.jpg.tin, b/cat.jpg -> cat.jpg-2.tin).
std::vector<std::string> BatchOutputNames(const std::vector<std::string>& inputs,
                                          const std::string& folder);

// Ok when `folder` is an existing folder; otherwise an error naming it.
Status CheckOutputFolder(const std::string& folder);

// An error naming the pair when an output is the same file as an input (see IsSameFile) or
// as another output; the first such pair in the order given.
Status CheckDistinctFiles(const std::vector<std::string>& inputs,
                          const std::vector<std::string>& outputs);

// `message` led by the name of the file it is about (the output for a failed write), unless it
// already names it ("File x.tin not found.").
std::string LedByFileName(const std::string& file, const std::string& message);

}  // namespace tinto::cli
