#include <array>
#include <ostream>
#include <string_view>

#include "cli/commands.h"
#include "tinto_version.h"

namespace tinto::cli {
namespace {

struct Command {
  std::string_view name;
  int (*run)(const Args&, std::ostream&, std::ostream&);
  std::string_view summary;
};

constexpr std::array kCommands = {
    Command{"info", RunInfo,
            "info FILE                      print the picture's geometry and mode"},
    Command{"render", RunRender, "render FILE OUT.png [options]  render a picture to PNG"},
    Command{"convert", RunConvert,
            "convert IN OUT.tin [options]   convert a picture (or -o DIR IN...)"},
    Command{"resample", RunResample,
            "resample IN OUT.png --size WxH [--filter NAME]  resample only"},
    Command{"export", RunExport,
            "export FILE STEM|OUT.ext       write STEM.od0 + STEM.od1, or a .scr, .img, .mg*"},
    Command{"score", RunScore,
            "score PHOTO PICTURE.tin        how close the picture's mix is to the photo"},
};

void PrintUsage(std::ostream& out) {
  out << "usage: tinto COMMAND [arguments]\n\ncommands:\n";
  for (const Command& command : kCommands) out << "  " << command.summary << "\n";
  out << "\n'tinto COMMAND --help' describes a command; 'tinto --version' prints the version.\n";
}

}  // namespace

int RunTool(const Args& args, std::ostream& out, std::ostream& err) {
  if (args.empty() || args[0] == "--help" || args[0] == "-h") {
    PrintUsage(args.empty() ? err : out);
    return args.empty() ? 2 : 0;
  }
  if (args[0] == "--version") {
    out << kTintoVersionLine << "\n";
    return 0;
  }
  for (const Command& command : kCommands)
    if (command.name == args[0]) return command.run(Args(args.begin() + 1, args.end()), out, err);
  err << "tinto: unknown command \"" << args[0] << "\"\n";
  PrintUsage(err);
  return 2;
}

}  // namespace tinto::cli
