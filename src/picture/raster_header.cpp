#include "picture/raster_header.h"

#include <array>
#include <cstring>

#include "picture/byte_reader.h"
#include "picture/picture_limits.h"

namespace tinto {
namespace {

constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::size_t kPngHeadBytes = 24;  // signature, IHDR length and type, width, height
constexpr std::size_t kBmpFileHeaderBytes = 14;
constexpr std::uint32_t kCoreHeaderBytes = 12;
constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr std::size_t kIconEntryBytes = 16;
constexpr int kMaxIcons = 4096;

// `bytes` read at `offset`; false when the file ends first.
template <std::size_t N>
bool ReadAt(QIODevice& device, std::int64_t offset, std::array<std::uint8_t, N>& bytes) {
  // Checked first: a buffer complains on standard error about a seek past its end.
  return offset >= 0 && offset <= device.size() - static_cast<qint64>(N) && device.seek(offset) &&
         device.read(reinterpret_cast<char*>(bytes.data()), N) == static_cast<qint64>(N);
}

std::uint32_t ReadU32Big(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
         static_cast<std::uint32_t>(p[2]) << 8 | p[3];
}

Status Damaged(RasterKind kind) {
  return Status::Error(std::string("Damaged or truncated ") + RasterKindName(kind) + " picture");
}

Status NotOfKind(RasterKind kind) {
  return Status::Error(std::string(kind == RasterKind::Ico ? "Not an " : "Not a ") +
                       RasterKindName(kind) + " picture");
}

// `in` is the kind of file the PNG lies in: a PNG file or an icon file.
Status ReadPngSize(QIODevice& device, std::int64_t offset, RasterKind in, RasterHeader& header,
                   std::int64_t maxPixels) {
  std::array<std::uint8_t, kPngHeadBytes> head{};
  if (!ReadAt(device, offset, head)) return Damaged(in);
  if (std::memcmp(head.data(), kPngSignature, sizeof kPngSignature) != 0) return NotOfKind(in);
  if (std::memcmp(head.data() + 12, "IHDR", 4) != 0) return Damaged(in);
  header.width = ReadU32Big(head.data() + 16);
  header.height = ReadU32Big(head.data() + 20);
  return CheckPictureSize(header.width, header.height, maxPixels);
}

// The size a DIB header (at `offset`) declares; `rows` is its height as stored (an icon's DIB
// stores the mask's rows too).
Status ReadDibSize(QIODevice& device, std::int64_t offset, RasterKind kind, std::int64_t& width,
                   std::int64_t& rows) {
  std::array<std::uint8_t, 12> dib{};
  if (!ReadAt(device, offset, dib)) return Damaged(kind);
  const std::uint32_t size = ReadU32(dib.data());
  if (size == kCoreHeaderBytes) {
    width = ReadU16(dib.data() + 4);
    rows = ReadU16(dib.data() + 6);
  } else if (size >= kInfoHeaderBytes) {
    width = ReadI32(dib.data() + 4);
    rows = ReadI32(dib.data() + 8);
    if (rows < 0) rows = -rows;
  } else {
    return Damaged(kind);
  }
  return Status::Ok();
}

// Whether an uncompressed BMP's pixels reach past the end of the file.
bool BmpPixelsCut(QIODevice& device, std::int64_t width, std::int64_t height) {
  std::array<std::uint8_t, 36> head{};
  if (!ReadAt(device, 0, head)) return false;
  const std::uint32_t pixelOffset = ReadU32(head.data() + 10);
  const bool core = ReadU32(head.data() + 14) == kCoreHeaderBytes;
  const int bits = ReadU16(head.data() + (core ? 24 : 28));
  const std::uint32_t compression = core ? 0 : ReadU32(head.data() + 30);
  if (compression != 0 && compression != 3 && compression != 6) return false;  // coded runs
  const std::int64_t rowBytes = (width * bits + 31) / 32 * 4;
  return device.size() < static_cast<std::int64_t>(pixelOffset) + rowBytes * height;
}

Status ReadBmp(QIODevice& device, RasterHeader& header, std::int64_t maxPixels) {
  std::array<std::uint8_t, 2> magic{};
  if (!ReadAt(device, 0, magic) || magic[0] != 'B' || magic[1] != 'M')
    return NotOfKind(RasterKind::Bmp);
  if (Status read =
          ReadDibSize(device, kBmpFileHeaderBytes, RasterKind::Bmp, header.width, header.height);
      !read)
    return read;
  if (Status fits = CheckPictureSize(header.width, header.height, maxPixels); !fits) return fits;
  header.truncated = BmpPixelsCut(device, header.width, header.height);
  return Status::Ok();
}

// Skips sub-blocks from `at` up to and past the empty one that ends them; false at the file's end.
bool SkipSubBlocks(QIODevice& device, std::int64_t& at) {
  for (std::array<std::uint8_t, 1> length{}; ReadAt(device, at, length);) {
    at += 1 + length[0];
    if (length[0] == 0) return true;
  }
  return false;
}

std::int64_t ColorTableBytes(std::uint8_t flags) {
  return (flags & 0x80) != 0 ? 3ll << ((flags & 7) + 1) : 0;
}

// Walks the blocks up to the end of the first image's data. Qt makes a picture of the logical
// screen's size, or of the first image's extent when that is larger.
Status ReadGif(QIODevice& device, RasterHeader& header, std::int64_t maxPixels) {
  std::array<std::uint8_t, 13> screen{};
  if (!ReadAt(device, 0, screen)) return NotOfKind(RasterKind::Gif);
  if (std::memcmp(screen.data(), "GIF87a", 6) != 0 && std::memcmp(screen.data(), "GIF89a", 6) != 0)
    return NotOfKind(RasterKind::Gif);
  header.width = ReadU16(screen.data() + 6);
  header.height = ReadU16(screen.data() + 8);
  std::int64_t at = 13 + ColorTableBytes(screen[10]);
  for (std::array<std::uint8_t, 2> block{}; ReadAt(device, at, block);) {
    if (block[0] == 0x21) {
      at += 2;
      if (!SkipSubBlocks(device, at)) break;
    } else if (block[0] == 0x2C) {
      std::array<std::uint8_t, 10> image{};
      if (!ReadAt(device, at, image)) break;
      header.width = std::max<std::int64_t>(header.width,
                                            ReadU16(image.data() + 1) + ReadU16(image.data() + 5));
      header.height = std::max<std::int64_t>(header.height,
                                             ReadU16(image.data() + 3) + ReadU16(image.data() + 7));
      if (Status fits = CheckPictureSize(header.width, header.height, maxPixels); !fits)
        return fits;
      at += 10 + ColorTableBytes(image[9]) + 1;
      header.truncated = !SkipSubBlocks(device, at);
      return Status::Ok();
    } else {
      return Damaged(RasterKind::Gif);
    }
  }
  if (Status fits = CheckPictureSize(header.width, header.height, maxPixels); !fits) return fits;
  return Damaged(RasterKind::Gif);
}

// Every image of the directory is checked, PNG ones by their own header: the directory's bytes
// say at most 256 x 256 whatever the image holds.
Status ReadIco(QIODevice& device, RasterHeader& header, std::int64_t maxPixels) {
  std::array<std::uint8_t, 6> directory{};
  if (!ReadAt(device, 0, directory) || ReadU16(directory.data()) != 0 ||
      (ReadU16(directory.data() + 2) != 1 && ReadU16(directory.data() + 2) != 2))
    return NotOfKind(RasterKind::Ico);
  const int count = ReadU16(directory.data() + 4);
  if (count == 0 || count > kMaxIcons) return Damaged(RasterKind::Ico);
  std::int64_t bestArea = -1;
  for (int i = 0; i < count; ++i) {
    std::array<std::uint8_t, kIconEntryBytes> entry{};
    if (!ReadAt(device, 6 + static_cast<std::int64_t>(i) * kIconEntryBytes, entry))
      return Damaged(RasterKind::Ico);
    const std::int64_t offset = ReadU32(entry.data() + 12);
    std::array<std::uint8_t, 4> start{};
    if (!ReadAt(device, offset, start)) return Damaged(RasterKind::Ico);
    RasterHeader image;
    if (start[0] == kPngSignature[0] && start[1] == 'P') {
      if (Status read = ReadPngSize(device, offset, RasterKind::Ico, image, maxPixels); !read)
        return read;
    } else {
      if (Status read = ReadDibSize(device, offset, RasterKind::Ico, image.width, image.height);
          !read)
        return read;
      image.height /= 2;  // the colour rows, then the mask's
      if (Status fits = CheckPictureSize(image.width, image.height, maxPixels); !fits) return fits;
    }
    if (image.width * image.height > bestArea) {
      bestArea = image.width * image.height;
      header.width = image.width;
      header.height = image.height;
      header.iconIndex = i;
    }
  }
  return Status::Ok();
}

}  // namespace

const char* RasterKindName(RasterKind kind) {
  switch (kind) {
    case RasterKind::Bmp:
      return "BMP";
    case RasterKind::Png:
      return "PNG";
    case RasterKind::Gif:
      return "GIF";
    case RasterKind::Ico:
      return "ICO";
  }
  return "";
}

Status ReadRasterHeader(QIODevice& device, RasterKind kind, RasterHeader& header,
                        std::int64_t maxPixels) {
  header = {};
  switch (kind) {
    case RasterKind::Bmp:
      return ReadBmp(device, header, maxPixels);
    case RasterKind::Png:
      return ReadPngSize(device, 0, RasterKind::Png, header, maxPixels);
    case RasterKind::Gif:
      return ReadGif(device, header, maxPixels);
    case RasterKind::Ico:
      return ReadIco(device, header, maxPixels);
  }
  return NotOfKind(kind);
}

}  // namespace tinto
