#include <ostream>

#include "cli/cli_args.h"
#include "cli/commands.h"
#include "cli/picture_source.h"
#include "cli/output_plan.h"
#include "cli/terminal_text.h"
#include "core/import/resampler.h"
#include "picture/picture_io.h"
#include "picture/picture_limits.h"
#include "picture/png_writer.h"

namespace tinto::cli {
namespace {

struct ResampleRequest {
  std::string input, output;
  int width = 0, height = 0;
  const ResampleFilter* filter = &kResampleFilters[kDefaultResampleFilter];
};

Status ParseSize(const std::string& text, int& width, int& height) {
  std::size_t x = text.find('x');
  if (x == std::string::npos) return Status::Error("--size takes WxH, e.g. 256x192");
  auto w = ParseInt(std::string_view(text).substr(0, x));
  auto h = ParseInt(std::string_view(text).substr(x + 1));
  if (!w || !h || *w < 1 || *h < 1) return Status::Error("--size takes WxH with both at least 1");
  width = *w;
  height = *h;
  return CheckPictureSize(width, height);
}

Status ParseResample(const Args& args, ResampleRequest& request) {
  CliArgs cli(args);
  auto size = cli.TakeValue("size");
  auto filterName = cli.TakeValue("filter");
  std::vector<std::string> files;
  if (Status status = cli.Finish(files); !status) return status;
  if (files.size() != 2) return Status::Error("expected IN and OUT.png");
  if (!size) return Status::Error("--size WxH is required");
  if (filterName) {
    request.filter = FindResampleFilter(*filterName);
    if (!request.filter) return Status::Error("unknown filter \"" + *filterName + "\"");
  }
  request.input = files[0];
  request.output = files[1];
  if (Status named = CheckPngFileName(request.output); !named) return named;
  if (Status distinct = CheckDistinctFiles({request.input}, {request.output}); !distinct)
    return distinct;
  return ParseSize(*size, request.width, request.height);
}

}  // namespace

constexpr const char* kResampleUsage =
    "usage: tinto resample IN OUT.png --size WxH [--filter NAME]\n";

int RunResample(const Args& args, std::ostream& out, std::ostream& err) {
  if (IsHelpRequest(args)) {
    out << kResampleUsage;
    return 0;
  }
  ResampleRequest request;
  if (Status status = ParseResample(args, request); !status) {
    err << kResampleUsage << ForTerminal(status.Message()) << "\n";
    return 2;
  }
  Bitmap24 picture;
  PictureNotes notes;
  Status status = LoadPicture(request.input, picture, &notes);
  if (notes.truncated) err << ForTerminal(request.input) << ": " << kTruncatedWarning << "\n";
  Bitmap24 resized(request.width, request.height);
  if (status) status = Stretch(picture, resized, *request.filter);
  picture = Bitmap24();  // the source is not needed while the result is written
  if (!status) {
    err << ForTerminal(request.input + ": " + status.Message()) << "\n";
    return 1;
  }
  if (Status saved = SavePng(resized, request.output); !saved) {
    err << ForTerminal(LedByFileName(request.output, saved.Message())) << "\n";
    return 1;
  }
  return 0;
}

}  // namespace tinto::cli
