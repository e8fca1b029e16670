#include "picture/qt_image_loader.h"

#include <fcntl.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QString>
#include <cerrno>

#include "core/format/atomic_file.h"
#include "picture/bitmap_image.h"
#include "picture/picture_limits.h"

namespace tinto {
namespace {

// Qt refuses to allocate more than this for one image; enough for a picture at the pixel limit
// even in a 64-bit format.
constexpr int kAllocationLimitMb = static_cast<int>(kMaxPicturePixels * 8 / (1024 * 1024)) + 1;

Status ReaderError(const QImageReader& reader) {
  return Status::Error("Cannot read picture: " + reader.errorString().toStdString());
}

// Icon files hold several images; the one with the most pixels is the picture.
void JumpToLargestImage(QImageReader& reader) {
  const int count = reader.imageCount();
  int best = 0;
  qint64 bestArea = -1;
  for (int i = 0; i < count; ++i) {
    if (!reader.jumpToImage(i)) continue;
    const QSize size = reader.size();
    const qint64 area = static_cast<qint64>(size.width()) * size.height();
    if (size.isValid() && area > bestArea) {
      best = i;
      bestArea = area;
    }
  }
  reader.jumpToImage(best);
}

}  // namespace

Status LoadWithQtReader(const std::string& path, const char* format, Bitmap24& out) {
  QImageReader::setAllocationLimit(kAllocationLimitMb);
  // Opened by its bytes: a name that is not UTF-8 would not survive a trip through QString.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Status::Error("Cannot read picture: " + IoErrorText(errno));
  QFile file;
  if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return Status::Error("Cannot read picture: " + file.errorString().toStdString());
  }
  QImageReader reader(&file, format);
  reader.setAutoDetectImageFormat(false);
  if (qstrcmp(format, "ico") == 0 && reader.imageCount() > 1) JumpToLargestImage(reader);
  const QSize size = reader.size();
  if (!size.isValid()) return ReaderError(reader);
  if (Status fits = CheckPictureSize(size.width(), size.height()); !fits) return fits;
  QImage image;
  if (!reader.read(&image)) return ReaderError(reader);
  if (Status fits = CheckPictureSize(image.width(), image.height()); !fits) return fits;
  return StoreAsBitmap(image, out);
}

}  // namespace tinto
