#include <unistd.h>

#include <QGuiApplication>
#include <filesystem>
#include <iostream>
#include <string>

#include "cli/commands.h"

namespace {

// Qt warns on every run when there is no runtime folder (as under cron or ssh); give it a
// private one of our own.
void EnsureRuntimeDir() {
  if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return;
  std::error_code error;
  auto dir =
      std::filesystem::temp_directory_path(error) / ("tinto-runtime-" + std::to_string(getuid()));
  std::filesystem::create_directories(dir, error);
  std::filesystem::permissions(dir, std::filesystem::perms::owner_all, error);
  if (!error) qputenv("XDG_RUNTIME_DIR", dir.string().c_str());
}

}  // namespace

int main(int argc, char** argv) {
  // Picture decoders and the SVG renderer need a Gui application but never a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  EnsureRuntimeDir();
  QGuiApplication app(argc, argv);
  tinto::cli::Args args(argv + 1, argv + argc);
  return tinto::cli::RunTool(args, std::cout, std::cerr);
}
