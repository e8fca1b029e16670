#include <ostream>
#include <vector>

#include "cli/cli_args.h"
#include "cli/commands.h"
#include "cli/convert_request.h"
#include "cli/output_plan.h"
#include "cli/picture_import.h"
#include "cli/terminal_text.h"
#include "core/format/native_format.h"
#include "core/model/renderer.h"
#include "picture/picture_io.h"
#include "picture/png_writer.h"

namespace tinto::cli {
namespace {

// The static mix of the converted picture as the editor shows it with attributes on.
Bitmap24 RenderMix(const ImportOutcome& outcome) {
  Bitmap24 mixed(outcome.geometry.WidthPixels(), outcome.geometry.DY());
  RenderScreen(outcome.screen, outcome.geometry, {/*attributes=*/true, /*noFlic=*/true},
               {BitmapView{}, BitmapView{}, mixed.View(), BitmapView{}});
  return mixed;
}

std::vector<std::string> OutputFiles(const ConvertRequest& request, const std::string& output) {
  std::vector<std::string> files = {output};
  if (request.previewPath) files.push_back(*request.previewPath);
  if (request.framePaths) {
    files.push_back(request.framePaths->first);
    files.push_back(request.framePaths->second);
  }
  return files;
}

Status Failed(const std::string& file, const Status& status) {
  return Status::Error(LedByFileName(file, status.Message()));
}

Status SavePngOutput(const Bitmap24& picture, const std::string& file) {
  Status status = SavePng(picture, file);
  return status ? status : Failed(file, status);
}

Status WriteExtras(const ConvertRequest& request, const ImportOutcome& outcome) {
  if (request.previewPath)
    if (Status status = SavePngOutput(RenderMix(outcome), *request.previewPath); !status)
      return status;
  if (request.framePaths) {
    if (Status status = SavePngOutput(outcome.dest1, request.framePaths->first); !status)
      return status;
    if (Status status = SavePngOutput(outcome.dest2, request.framePaths->second); !status)
      return status;
  }
  return Status::Ok();
}

// Errors of reading name the input, errors of writing the output concerned.
Status ConvertOne(const ConvertRequest& request, const std::string& input,
                  const std::string& output) {
  if (Status distinct = CheckDistinctFiles({input}, OutputFiles(request, output)); !distinct)
    return distinct;
  Bitmap24 picture;
  if (Status status = LoadPicture(input, picture); !status) return Failed(input, status);
  ImportJob job{request.options, request.stretch, request.filter, request.crop};
  auto outcome = std::make_unique<ImportOutcome>();
  if (Status status = RunImport(std::move(picture), job, *outcome); !status)
    return Failed(input, status);
  if (Status status = WriteNativeFile(output, outcome->screen, outcome->geometry); !status)
    return Failed(output, status);
  return WriteExtras(request, *outcome);
}

}  // namespace

int RunConvert(const Args& args, std::ostream& out, std::ostream& err) {
  if (IsHelpRequest(args)) {
    out << ConvertHelpText();
    return 0;
  }
  ConvertRequest request;
  if (Status status = ParseConvertRequest(args, request); !status) {
    err << ConvertHelpText() << "\n" << ForTerminal(status.Message()) << "\n";
    return 2;
  }
  if (!request.outputDir.empty()) {
    if (Status folder = CheckOutputFolder(request.outputDir); !folder) {
      err << ForTerminal(folder.Message()) << "\n";
      return 1;
    }
  }
  const std::vector<std::string> outputs =
      request.outputDir.empty() ? std::vector<std::string>{request.output}
                                : BatchOutputNames(request.inputs, request.outputDir);
  std::size_t failures = 0, count = request.inputs.size();
  for (std::size_t i = 0; i < count; ++i) {
    const std::string& input = request.inputs[i];
    const std::string& output = outputs[i];
    if (count > 1)
      out << "[" << i + 1 << "/" << count << "] " << ForTerminal(input) << " -> "
          << ForTerminal(output) << std::endl;
    if (Status status = ConvertOne(request, input, output); !status) {
      err << ForTerminal(status.Message()) << "\n";
      ++failures;
    }
  }
  if (count > 1) out << count - failures << " of " << count << " converted\n";
  return failures == 0 ? 0 : 1;
}

}  // namespace tinto::cli
