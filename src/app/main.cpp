// The editor takes no command-line arguments; QApplication consumes the window system's own.

#include <QApplication>

#include "app/shell/editor_windows.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  EditorWindows windows;
  windows.ShowMainWindow();
  return QApplication::exec();
}
