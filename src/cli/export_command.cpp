#include <ostream>

#include "cli/cli_args.h"
#include "cli/commands.h"
#include "cli/picture_source.h"
#include "cli/terminal_text.h"
#include "core/format/ondrel_format.h"

namespace tinto::cli {
namespace {

void PrintUsage(std::ostream& stream) {
  stream << "usage: tinto export FILE STEM   writes the two-file picture STEM.od0 + STEM.od1\n"
            "                   (a STEM ending in .od0 or .od1 is taken without it)\n"
            "                   [--dx N --dy N]   (size of a two-file .od0/.od1 input)\n";
}

struct ExportRequest {
  std::string input, stem;
  std::optional<TwoFileSize> twoFileSize;
};

Status ParseExport(const Args& args, ExportRequest& request) {
  CliArgs cli(args);
  auto dx = cli.TakeInt("dx", kDxRange);
  auto dy = cli.TakeInt("dy", kDyRange);
  std::vector<std::string> files;
  if (Status status = cli.Finish(files); !status) return status;
  if (files.size() != 2) return Status::Error("expected an input file and an output stem");
  if (dx.has_value() != dy.has_value()) return Status::Error("--dx and --dy go together");
  if (dx && dy) request.twoFileSize = TwoFileSize{*dx, *dy};
  request.input = files[0];
  request.stem = files[1];
  return Status::Ok();
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
  if (status) status = WriteOndrelFiles(stem, screen, geometry);
  if (!status) {
    err << ForTerminal(status.Message()) << "\n";
    return 1;
  }
  return 0;
}

}  // namespace tinto::cli
