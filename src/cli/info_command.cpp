#include <ostream>

#include "cli/cli_args.h"
#include "cli/commands.h"
#include "cli/picture_source.h"
#include "cli/terminal_text.h"

namespace tinto::cli {

constexpr const char* kInfoUsage =
    "usage: tinto info FILE   (.tin, .scr, .img, .mg1, .mg2, .mg4, .mg8)\n";

int RunInfo(const Args& args, std::ostream& out, std::ostream& err) {
  if (IsHelpRequest(args)) {
    out << kInfoUsage;
    return 0;
  }
  CliArgs cli(args);
  std::vector<std::string> files;
  if (Status status = cli.Finish(files); !status || files.size() != 1) {
    err << kInfoUsage;
    if (!status) err << ForTerminal(status.Message()) << "\n";
    return 2;
  }
  ScreenBuffers screen;
  ScreenGeometry geometry;
  if (Status status = ReadPictureFile(files[0], std::nullopt, screen, geometry); !status) {
    err << ForTerminal(status.Message()) << "\n";
    return 1;
  }
  bool is8x2 = geometry.Mode() == AttrMode::Mode8x2;
  out << "Total Width: " << geometry.DX() << " (" << geometry.WidthPixels() << " pixels)\n"
      << "DY: " << geometry.DY() << "\n"
      << "Left MLT: " << geometry.MltLeft() << "\n"
      << "Width MLT: " << geometry.MltWidth() << "\n"
      << "Mode: " << (is8x2 ? "8x2 Full Screen" : "8x1 + 8x8") << "\n";
  return 0;
}

}  // namespace tinto::cli
