#pragma once
// What `tinto convert` was asked to do: the import options (one flag for each option of the
// option table, clamped to its range as the Import Expert's controls clamp), and the files.

#include <optional>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "core/import/import_options.h"
#include "core/import/source_picture.h"
#include "core/status.h"

namespace tinto::cli {

struct ConvertRequest {
  ImportOptions options;
  bool autoOptions = false;  // --auto: choose the method and its options for this picture
  std::optional<PixelRect> crop;
  std::optional<std::string> previewPath;
  std::optional<std::pair<std::string, std::string>> framePaths;
  std::vector<std::string> inputs;
  std::string output;     // the .tin file, with one input
  std::string outputDir;  // with -o: one DIR/<name>.tin per input
  int workers = 1;        // -j: inputs converted at once
};

Status ParseConvertRequest(const Args& args, ConvertRequest& request);

// The option list that `tinto convert --help` prints.
std::string ConvertHelpText();

// The flags that repeat `options` for its method: "--method Classic --lr 96 ... --no-bright".
std::string MethodFlags(const ImportOptions& options);

}  // namespace tinto::cli
