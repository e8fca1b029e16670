#include "app/canvas/tool_cursors.h"

#include <QFile>
#include <QPixmap>
#include <QTextStream>
#include <map>

namespace {

std::map<int, QCursor>& Registry() {
  static std::map<int, QCursor> cursors;
  return cursors;
}

// Each line of the hot-spot list: name, cursor id, x, y; '#' starts a comment line.
void LoadCursors(std::map<int, QCursor>& cursors) {
  QFile list(QStringLiteral(":/cursors/HOTSPOTS.txt"));
  if (!list.open(QIODevice::ReadOnly | QIODevice::Text)) return;
  QTextStream in(&list);
  while (!in.atEnd()) {
    const QStringList fields = in.readLine().simplified().split(QLatin1Char(' '));
    if (fields.size() != 4 || fields[0].startsWith(QLatin1Char('#'))) continue;
    const QPixmap image(QStringLiteral(":/cursors/") + fields[0]);
    if (image.isNull()) continue;
    cursors[fields[1].toInt()] = QCursor(image, fields[2].toInt(), fields[3].toInt());
  }
}

}  // namespace

void RegisterToolCursors() {
  std::map<int, QCursor>& cursors = Registry();
  if (!cursors.empty()) return;
  // The resources live in a static library: nothing pulls them in unless named here.
  Q_INIT_RESOURCE(cursors);
  LoadCursors(cursors);
  cursors[static_cast<int>(tinto::PointerMode::Cross)] = QCursor(Qt::CrossCursor);
}

QCursor ToolCursor(tinto::PointerMode mode) {
  RegisterToolCursors();
  const auto found = Registry().find(static_cast<int>(mode));
  return found != Registry().end() ? found->second : QCursor(Qt::ArrowCursor);
}
