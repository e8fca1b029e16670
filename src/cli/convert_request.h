#pragma once
// What `tinto convert` was asked to do: the import options, each clamped to the range of the
// Import Expert's control of the same role, and the files involved.

#include <optional>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "core/import/import_options.h"
#include "core/import/resampler.h"
#include "core/import/source_picture.h"
#include "core/status.h"

namespace tinto::cli {

struct ConvertRequest {
  ImportOptions options;
  bool stretch = true;
  bool autoOptions = false;  // --auto: search the dithered options for this picture
  const ResampleFilter* filter = &kResampleFilters[kDefaultResampleFilter];
  std::optional<PixelRect> crop;
  std::optional<std::string> previewPath;
  std::optional<std::pair<std::string, std::string>> framePaths;
  std::vector<std::string> inputs;
  std::string output;     // the .tin file, with one input
  std::string outputDir;  // with -o: one DIR/<name>.tin per input
  int workers = 1;        // -j: inputs converted at once
};

// Defaults that give a recognisable picture from a photograph.
ImportOptions DefaultConvertOptions();

Status ParseConvertRequest(const Args& args, ConvertRequest& request);

// The option list that `tinto convert --help` prints.
std::string ConvertHelpText();

}  // namespace tinto::cli
