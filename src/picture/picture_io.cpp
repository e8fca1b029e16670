#include "picture/picture_io.h"

#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <QString>
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <new>
#include <system_error>
#include <vector>

#include "core/format/atomic_file.h"
#include "core/format/file_prefix.h"
#include "picture/emf_renderer.h"
#include "picture/jpeg_decoder.h"
#include "picture/qt_chatter.h"
#include "picture/qt_image_loader.h"
#include "picture/wmf_player.h"

namespace tinto {
namespace {

// Far above any picture within the pixel limit, yet refused before a runaway allocation.
constexpr std::uintmax_t kMaxFileBytes = 512ull * 1024 * 1024;

enum class PictureKind { Unknown, Jpeg, Bmp, Ico, Png, Gif, Emf, Wmf };

PictureKind KindOf(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == ".jpg" || extension == ".jpeg") return PictureKind::Jpeg;
  if (extension == ".bmp") return PictureKind::Bmp;
  if (extension == ".ico") return PictureKind::Ico;
  if (extension == ".png") return PictureKind::Png;
  if (extension == ".gif") return PictureKind::Gif;
  if (extension == ".emf") return PictureKind::Emf;
  if (extension == ".wmf") return PictureKind::Wmf;
  return PictureKind::Unknown;
}

Status ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) return Status::Error("Cannot read file");
  if (size > kMaxFileBytes) return Status::Error("File too large");
  std::ifstream in(path, std::ios::binary);
  if (!in) return Status::Error("Cannot open file");
  try {
    bytes.resize(static_cast<std::size_t>(size));
  } catch (const std::bad_alloc&) {
    return OutOfMemory();
  }
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
  if (static_cast<std::uintmax_t>(in.gcount()) != size) return Status::Error("Cannot read file");
  return Status::Ok();
}

using MemoryDecoder = Status (*)(const std::uint8_t*, std::size_t, Bitmap24&, PictureNotes*);

Status DecodeFile(const std::string& path, MemoryDecoder decoder, Bitmap24& out,
                  PictureNotes* notes) {
  std::vector<std::uint8_t> bytes;
  if (Status read = ReadFileBytes(path, bytes); !read) return read;
  return decoder(bytes.data(), bytes.size(), out, notes);
}

// The decoders at the default pixel limit.
Status JpegDecoder(const std::uint8_t* data, std::size_t size, Bitmap24& out, PictureNotes* notes) {
  return DecodeJpeg(data, size, out, kMaxPicturePixels, notes);
}
Status WmfDecoder(const std::uint8_t* data, std::size_t size, Bitmap24& out, PictureNotes*) {
  return RenderWmf(data, size, out);
}
Status EmfDecoder(const std::uint8_t* data, std::size_t size, Bitmap24& out, PictureNotes*) {
  return RenderEmf(data, size, out);
}

// Qt reads from the file itself: a raster file may be as large as its picture.
Status LoadWithQt(const std::string& path, RasterKind kind, Bitmap24& out, PictureNotes* notes) {
  // Opened by its bytes: a name that is not UTF-8 would not survive a trip through QString.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Status::Error("Cannot open file: " + IoErrorText(errno));
  QFile file;
  if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return Status::Error("Cannot open file: " + file.errorString().toStdString());
  }
  return DecodeWithQt(file, kind, out, notes);
}

Status LoadKind(const std::string& path, PictureKind kind, Bitmap24& out, PictureNotes* notes) {
  switch (kind) {
    case PictureKind::Jpeg:
      return DecodeFile(path, JpegDecoder, out, notes);
    case PictureKind::Emf:
      return DecodeFile(path, EmfDecoder, out, notes);
    case PictureKind::Wmf:
      return DecodeFile(path, WmfDecoder, out, notes);
    case PictureKind::Bmp:
      return LoadWithQt(path, RasterKind::Bmp, out, notes);
    case PictureKind::Ico:
      return LoadWithQt(path, RasterKind::Ico, out, notes);
    case PictureKind::Png:
      return LoadWithQt(path, RasterKind::Png, out, notes);
    case PictureKind::Gif:
      return LoadWithQt(path, RasterKind::Gif, out, notes);
    case PictureKind::Unknown:
      break;
  }
  return Status::Error("Unknown picture type");
}

}  // namespace

bool IsPictureFileName(const std::string& path) { return KindOf(path) != PictureKind::Unknown; }

Status LoadPicture(const std::string& path, Bitmap24& out, PictureNotes* notes) {
  // What is wrong with the file itself comes first: a folder named "x.png" is a folder.
  if (Status file = CheckReadableFile(path); !file) return file;
  const PictureKind kind = KindOf(path);
  if (kind == PictureKind::Unknown) return Status::Error("Unknown picture type");
  if (notes != nullptr) *notes = {};
  const QtChatter quiet;
  return LoadKind(path, kind, out, notes);
}

}  // namespace tinto
