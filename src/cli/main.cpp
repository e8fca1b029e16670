#include <QGuiApplication>
#include <iostream>

#include "cli/commands.h"

int main(int argc, char** argv) {
  // Picture decoders and the SVG renderer need a Gui application but never a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  tinto::cli::Args args(argv + 1, argv + argc);
  return tinto::cli::RunTool(args, std::cout, std::cerr);
}
