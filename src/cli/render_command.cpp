#include <ostream>

#include "cli/cli_args.h"
#include "cli/commands.h"
#include "cli/output_plan.h"
#include "cli/picture_source.h"
#include "cli/terminal_text.h"
#include "core/model/frame_picture.h"
#include "picture/png_writer.h"

namespace tinto::cli {
namespace {

constexpr IntRange kScaleRange{1, 16};

void PrintUsage(std::ostream& stream) {
  stream << "usage: tinto render FILE OUT.png [--frame 0|1|mix] [--no-attributes] [--scale N]\n"
            "                   [--dx N --dy N]   (size of a two-file .od0/.od1 picture)\n";
}

struct RenderRequest {
  std::string input, output, frame = "0";
  bool attributes = true;
  int scale = 1;
  std::optional<TwoFileSize> twoFileSize;
};

Status ParseRender(const Args& args, RenderRequest& request) {
  CliArgs cli(args);
  request.frame = cli.TakeValue("frame").value_or("0");
  request.attributes = !cli.TakeFlag("no-attributes");
  request.scale = cli.TakeInt("scale", kScaleRange).value_or(1);
  auto dx = cli.TakeInt("dx", kDxRange);
  auto dy = cli.TakeInt("dy", kDyRange);
  if (dx && dy) request.twoFileSize = TwoFileSize{*dx, *dy};
  std::vector<std::string> files;
  if (Status status = cli.Finish(files); !status) return status;
  if (files.size() != 2) return Status::Error("expected an input file and an output .png");
  if (request.frame != "0" && request.frame != "1" && request.frame != "mix")
    return Status::Error("--frame takes 0, 1 or mix");
  if (dx.has_value() != dy.has_value()) return Status::Error("--dx and --dy go together");
  request.input = files[0];
  request.output = files[1];
  if (Status named = CheckPngFileName(request.output); !named) return named;
  return CheckDistinctFiles({request.input}, {request.output});
}

}  // namespace

int RunRender(const Args& args, std::ostream& out, std::ostream& err) {
  if (IsHelpRequest(args)) {
    PrintUsage(out);
    return 0;
  }
  RenderRequest request;
  if (Status status = ParseRender(args, request); !status) {
    PrintUsage(err);
    err << ForTerminal(status.Message()) << "\n";
    return 2;
  }
  ScreenBuffers screen;
  ScreenGeometry geometry;
  if (Status status = ReadPictureFile(request.input, request.twoFileSize, screen, geometry);
      !status) {
    err << ForTerminal(status.Message()) << "\n";
    return 1;
  }
  const PictureFrame frame =
      request.frame == "mix" ? PictureFrame::Mix
                             : (request.frame == "1" ? PictureFrame::Second : PictureFrame::First);
  Status saved =
      SavePng(RenderFramePicture(screen, geometry, frame, request.attributes, request.scale),
              request.output);
  if (!saved) {
    err << ForTerminal(LedByFileName(request.output, saved.Message())) << "\n";
    return 1;
  }
  return 0;
}

}  // namespace tinto::cli
