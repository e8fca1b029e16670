#include "app/skin/skin_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

std::unique_ptr<QFile> OpenSkinFile(const QString& path) {
  auto file = std::make_unique<QFile>(path);
  if (path.startsWith(QLatin1Char(':'))) {
    if (!file->open(QIODevice::ReadOnly)) return nullptr;
    return file;
  }
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
      !file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return nullptr;
  }
  return file;
}

std::optional<QByteArray> ReadSkinFile(const QString& path, qint64 limit) {
  const std::unique_ptr<QFile> file = OpenSkinFile(path);
  if (!file || file->size() > limit) return std::nullopt;
  QByteArray bytes = file->read(limit + 1);
  if (bytes.size() > limit) return std::nullopt;
  return bytes;
}
