#include "app/editor/opened_file_kind.h"

#include <QFileInfo>

#include "core/format/screen_file_layout.h"
#include "picture/picture_io.h"

OpenedFileKind KindOfOpenedFile(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("tin") || suffix == QLatin1String("od0") ||
      suffix == QLatin1String("od1") || tinto::ScreenFileOfPath(path.toStdString()))
    return OpenedFileKind::Picture;
  if (tinto::IsPictureFileName(path.toStdString())) return OpenedFileKind::Photo;
  return OpenedFileKind::Other;
}
