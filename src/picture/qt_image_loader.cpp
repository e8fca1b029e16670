#include "picture/qt_image_loader.h"

#include <QImage>
#include <QImageReader>
#include <cstdlib>
#include <mutex>

#include "picture/bitmap_image.h"
#include "picture/picture_limits.h"
#include "picture/qt_chatter.h"

namespace tinto {
namespace {

const char* QtFormatOf(RasterKind kind) {
  switch (kind) {
    case RasterKind::Bmp:
      return "bmp";
    case RasterKind::Png:
      return "png";
    case RasterKind::Gif:
      return "gif";
    case RasterKind::Ico:
      return "ico";
  }
  return "";
}

// Qt's limit on one image's allocation is process-wide: set for one read, then put back.
class AllocationLimit {
 public:
  explicit AllocationLimit(int megabytes) : m_previous(QImageReader::allocationLimit()) {
    QImageReader::setAllocationLimit(megabytes);
  }
  ~AllocationLimit() { QImageReader::setAllocationLimit(m_previous); }
  AllocationLimit(const AllocationLimit&) = delete;
  AllocationLimit& operator=(const AllocationLimit&) = delete;

 private:
  int m_previous;
};

// Qt's image plus our bitmap may take the picture's 3 bytes a pixel and the decode budget; the
// image is given back while the bitmap is filled, so the image alone may take all of it.
int AllocationLimitMb(std::int64_t width, std::int64_t height) {
  const std::int64_t pixels = width * height;
  return static_cast<int>((3 * pixels + DecodeBudgetBytes(pixels)) >> 20);
}

// Qt gives up silently when the memory for the image cannot be had (under a ulimit, say): a
// failed read is only taken for damage when that much memory could be reserved now.
bool CouldHoldImage(std::int64_t width, std::int64_t height) {
  // Held through a volatile pointer: an optimiser may otherwise drop the unused allocation and
  // report success without asking for the memory (clang does).
  void* volatile probe = std::malloc(static_cast<std::size_t>(4 * width * height));
  const bool held = probe != nullptr;
  std::free(probe);
  return held;
}

}  // namespace

Status QtReadFailure(RasterKind kind, std::int64_t width, std::int64_t height,
                     const std::string& chatter) {
  if (chatter.find("allocation limit") != std::string::npos) return TooLargeToDecode(width, height);
  if (chatter.find("out of memory") != std::string::npos || !CouldHoldImage(width, height))
    return OutOfMemory();
  return Status::Error(std::string("Damaged or truncated ") + RasterKindName(kind) + " picture");
}

Status DecodeWithQt(QIODevice& device, RasterKind kind, Bitmap24& out, PictureNotes* notes,
                    std::int64_t maxPixels) {
  QtChatter chatter;
  RasterHeader header;
  if (Status read = ReadRasterHeader(device, kind, header, maxPixels); !read) return read;
  if (!device.seek(0)) return QtReadFailure(kind, header.width, header.height, "");
  QImage image;
  {
    // The reader keeps a shallow copy of the last image (GIF): it must be gone before the image
    // is converted, so that the image's memory can be given back.
    // The allocation limit and standard error belong to the whole process: threads converting
    // at once (tinto convert -j) decode with Qt one at a time.
    static std::mutex oneAtATime;
    const std::lock_guard turn(oneAtATime);
    AllocationLimit limit(AllocationLimitMb(header.width, header.height));
    StderrCapture printed;
    QImageReader reader(&device, QtFormatOf(kind));
    reader.setAutoDetectImageFormat(false);
    const bool read =
        (kind != RasterKind::Ico || reader.jumpToImage(header.iconIndex)) && reader.read(&image);
    if (!read)
      return QtReadFailure(kind, header.width, header.height, chatter.Text() + printed.Finish());
  }
  if (Status fits = CheckPictureSize(image.width(), image.height(), maxPixels); !fits) return fits;
  if (Status stored = StoreAsBitmap(std::move(image), out); !stored) return stored;
  if (notes != nullptr) notes->truncated = header.truncated;
  return Status::Ok();
}

}  // namespace tinto
