#include "app/editor/opened_file_kind.h"

#include <QFileInfo>

#include "picture/picture_io.h"

OpenedFileKind KindOfOpenedFile(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("tin") || suffix == QLatin1String("od0") ||
      suffix == QLatin1String("od1"))
    return OpenedFileKind::Picture;
  if (tinto::IsPictureFileName(path.toStdString())) return OpenedFileKind::Photo;
  return OpenedFileKind::Other;
}
