#include <ostream>
#include <sstream>
#include <vector>

#include "cli/cli_args.h"
#include "cli/commands.h"
#include "cli/convert_request.h"
#include "cli/output_plan.h"
#include "cli/picture_import.h"
#include "cli/picture_source.h"
#include "cli/terminal_text.h"
#include "cli/worker_pool.h"
#include "core/format/native_format.h"
#include "core/format/screen_file_format.h"
#include "core/model/frame_picture.h"
#include "picture/picture_io.h"
#include "picture/png_writer.h"

namespace tinto::cli {
namespace {

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

// The preview and the frames are rendered from the written picture, as `tinto render` shows it:
// the import's own previews differ from it on the plain path.
Status WriteExtras(const ConvertRequest& request, const ImportOutcome& outcome) {
  auto render = [&outcome](PictureFrame frame) {
    return RenderFramePicture(outcome.screen, outcome.geometry, frame, /*attributes=*/true, 1);
  };
  if (request.previewPath)
    if (Status status = SavePngOutput(render(PictureFrame::Mix), *request.previewPath); !status)
      return status;
  if (request.framePaths) {
    for (auto [frame, file] : {std::pair{PictureFrame::First, request.framePaths->first},
                               std::pair{PictureFrame::Second, request.framePaths->second}})
      if (Status status = SavePngOutput(render(frame), file); !status) return status;
  }
  return Status::Ok();
}

// A screen file of another tool already is a picture: it is taken as it stands, and the import
// options do not apply to it.
Status ReadInput(const ConvertRequest& request, const std::string& input, ImportOutcome& outcome,
                 PictureNotes& notes) {
  if (ScreenFileOfPath(input)) return ReadScreenFile(input, outcome.screen, outcome.geometry);
  Bitmap24 picture;
  if (Status status = LoadPicture(input, picture, &notes); !status) return status;
  ImportJob job{request.options, request.crop, request.autoOptions};
  return RunImport(std::move(picture), job, outcome);
}

// Errors of reading name the input, errors of writing the output concerned.
Status ConvertOne(const ConvertRequest& request, const std::string& input,
                  const std::string& output, std::ostream& out, PictureNotes& notes) {
  if (Status distinct = CheckDistinctFiles({input}, OutputFiles(request, output)); !distinct)
    return distinct;
  auto outcome = std::make_unique<ImportOutcome>();
  if (Status status = ReadInput(request, input, *outcome, notes); !status)
    return Failed(input, status);
  if (Status status = WriteNativeFile(output, outcome->screen, outcome->geometry); !status)
    return Failed(output, status);
  // The choice as flags, so that a run can be repeated without --auto.
  if (request.autoOptions && !ScreenFileOfPath(input))
    out << "auto: " << MethodFlags(outcome->options) << "\n";
  return WriteExtras(request, *outcome);
}

// What converting one input of the batch printed, kept until the inputs before it are done.
struct ConvertedOne {
  std::string out;
  std::string err;
  bool failed = false;
};

ConvertedOne ConvertInput(const ConvertRequest& request, const std::vector<std::string>& outputs,
                          std::size_t i) {
  const std::size_t count = request.inputs.size();
  const std::string& input = request.inputs[i];
  std::ostringstream out, err;
  if (count > 1)
    out << "[" << i + 1 << "/" << count << "] " << ForTerminal(input) << " -> "
        << ForTerminal(outputs[i]) << "\n";
  PictureNotes notes;
  const Status status = ConvertOne(request, input, outputs[i], out, notes);
  if (!status) err << ForTerminal(status.Message()) << "\n";
  if (notes.truncated) err << ForTerminal(input) << ": " << kTruncatedWarning << "\n";
  return {out.str(), err.str(), !status};
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
  const std::size_t count = request.inputs.size();
  std::vector<ConvertedOne> results(count);
  std::size_t failures = 0;
  RunInOrder(
      count, request.workers,
      [&](std::size_t i) { results[i] = ConvertInput(request, outputs, i); },
      [&](std::size_t i) {
        out << results[i].out << std::flush;
        err << results[i].err << std::flush;
        failures += results[i].failed ? 1 : 0;
        results[i] = {};
      });
  if (count > 1) out << count - failures << " of " << count << " converted\n";
  return failures == 0 ? 0 : 1;
}

}  // namespace tinto::cli
