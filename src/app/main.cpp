// `tinto-editor [FILE]`: see app/shell/command_line.h. QApplication consumes the window
// system's own arguments first.

#include <QApplication>
#include <QTimer>
#include <cstdio>

#include "app/editor/document_flows.h"
#include "app/shell/command_line.h"
#include "app/shell/editor_windows.h"

namespace {

int Print(const CommandLine& line) {
  std::fputs(line.output.toLocal8Bit().constData(), stdout);
  std::fputs(line.errors.toLocal8Bit().constData(), stderr);
  return line.exitCode;
}

}  // namespace

int main(int argc, char** argv) {
  // The help and version texts are printed without a display.
  if (AsksForTextOnly(argc, argv)) {
    QCoreApplication app(argc, argv);
    return Print(ParseCommandLine(QCoreApplication::arguments()));
  }
  QApplication app(argc, argv);
  const CommandLine line = ParseCommandLine(QCoreApplication::arguments());
  Print(line);
  if (line.exit) return line.exitCode;
  EditorWindows windows;
  windows.ShowMainWindow();
  // Opened once the event loop runs, so that its prompts and dialogs come over a shown window.
  if (!line.file.isEmpty())
    QTimer::singleShot(0, &windows.MainForm(), [&windows, file = line.file] {
      windows.MainForm().Flows()->OpenFile(file);
    });
  return QApplication::exec();
}
