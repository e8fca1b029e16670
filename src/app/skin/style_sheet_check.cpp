#include "app/skin/style_sheet_check.h"

#include <QWidget>
#include <QtGlobal>

namespace {

// Set while a probe widget is polished; a message handler cannot carry state of its own.
bool* g_parseFailed = nullptr;
QtMessageHandler g_previousHandler = nullptr;

void NoteParseFailure(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (g_parseFailed != nullptr && text.startsWith(QLatin1String("Could not parse"))) {
    *g_parseFailed = true;
    return;
  }
  if (g_previousHandler != nullptr) g_previousHandler(type, context, text);
}

}  // namespace

bool StyleSheetParses(const QString& sheet) {
  bool failed = false;
  g_parseFailed = &failed;
  g_previousHandler = qInstallMessageHandler(NoteParseFailure);
  {
    QWidget probe;
    probe.setStyleSheet(sheet);
    probe.ensurePolished();
  }
  qInstallMessageHandler(g_previousHandler);
  g_parseFailed = nullptr;
  return !failed;
}
