#include <ostream>

#include "cli/cli_args.h"
#include "cli/commands.h"
#include "cli/output_plan.h"
#include "cli/picture_source.h"
#include "cli/terminal_text.h"
#include "core/format/ondrel_format.h"
#include "core/format/screen_file_fit.h"
#include "core/format/screen_file_format.h"

namespace tinto::cli {
namespace {

void PrintUsage(std::ostream& stream) {
  stream << "usage: tinto export FILE STEM   writes the two-file picture STEM.od0 + STEM.od1\n"
            "                   (a STEM ending in .od0 or .od1 is taken without it)\n"
            "       tinto export FILE OUT.scr|.img|.mg8|.mg4|.mg2|.mg1   writes that screen file\n"
            "                   [--frame 0|1]     (the screen a .scr holds)\n"
            "                   [--dx N --dy N]   (size of a two-file .od0/.od1 input)\n";
}

struct ExportRequest {
  std::string input, stem;  // the stem is the output file when it names a screen file
  std::optional<TwoFileSize> twoFileSize;
  std::optional<std::string> frame;
};

Status ParseExport(const Args& args, ExportRequest& request) {
  CliArgs cli(args);
  auto dx = cli.TakeInt("dx", kDxRange);
  auto dy = cli.TakeInt("dy", kDyRange);
  request.frame = cli.TakeValue("frame");
  std::vector<std::string> files;
  if (Status status = cli.Finish(files); !status) return status;
  if (files.size() != 2) return Status::Error("expected an input file and an output stem");
  if (dx.has_value() != dy.has_value()) return Status::Error("--dx and --dy go together");
  if (dx && dy) request.twoFileSize = TwoFileSize{*dx, *dy};
  request.input = files[0];
  request.stem = files[1];
  if (request.frame && ScreenFileOfPath(request.stem) != ScreenFile::Scr)
    return Status::Error("--frame chooses the screen of a .scr output");
  if (request.frame && *request.frame != "0" && *request.frame != "1")
    return Status::Error("--frame takes 0 or 1");
  return Status::Ok();
}

// A .scr holds one screen: without --frame, only a picture whose screens are equal is written.
Status ExportScreenFile(const ExportRequest& request, ScreenFile file, const ScreenBuffers& screen,
                        const ScreenGeometry& geometry) {
  if (Status distinct = CheckDistinctFiles({request.input}, {request.stem}); !distinct)
    return distinct;
  Status status = Status::Ok();
  if (file == ScreenFile::Scr && !request.frame && !FramesEqual(screen, geometry))
    status = Status::Error(FramesDifferRefusal(screen, geometry, " (--frame 0 or 1)"));
  if (status)
    status = WriteScreenFile(request.stem, file, screen, geometry, request.frame == "1" ? 1 : 0);
  return status ? status : Status::Error(LedByFileName(request.stem, status.Message()));
}

}  // namespace

int RunExport(const Args& args, std::ostream& out, std::ostream& err) {
  if (IsHelpRequest(args)) {
    PrintUsage(out);
    return 0;
  }
  ExportRequest request;
  if (Status status = ParseExport(args, request); !status) {
    PrintUsage(err);
    err << status.Message() << "\n";
    return 2;
  }
  std::string stem;
  if (Status named = OndrelStemOf(request.stem, stem); !named) {
    err << ForTerminal(named.Message()) << "\n";
    return 2;
  }
  ScreenBuffers screen;
  ScreenGeometry geometry;
  Status status = ReadPictureFile(request.input, request.twoFileSize, screen, geometry);
  if (status) {
    const std::optional<ScreenFile> file = ScreenFileOfPath(request.stem);
    status = file ? ExportScreenFile(request, *file, screen, geometry)
                  : WriteOndrelFiles(stem, screen, geometry);
  }
  if (!status) {
    err << ForTerminal(status.Message()) << "\n";
    return 1;
  }
  return 0;
}

}  // namespace tinto::cli
