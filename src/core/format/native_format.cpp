#include "core/format/native_format.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "core/format/atomic_file.h"
#include "core/format/file_prefix.h"

namespace tinto {
namespace {

constexpr std::size_t kHeaderBytes = 8;
constexpr std::string_view kMagic = "TIN";
constexpr const char* kReadBeyondEnd = "Read beyond end of file";

struct Header {
  std::uint8_t mode;
  std::uint8_t dx;
  std::uint8_t dy;
  std::uint8_t left;
  std::uint8_t width;
};

// One stored block of a frame: one byte per cell of `cellHeight` rows, `cellRows` cells down
// from row 0, in columns firstColumn .. firstColumn + columnCount - 1. The file holds the
// block of frame 0, then that of frame 1. A cell's byte is taken from its first row and, on
// reading, copied into all its rows.
struct CellBlock {
  int firstColumn = 0;
  int columnCount = 0;
  int cellHeight = 1;
  int cellRows = 0;

  std::size_t StoredBytes() const { return 2 * static_cast<std::size_t>(columnCount * cellRows); }
};

struct Layout {
  CellBlock pixels;
  std::array<CellBlock, 3> attributes;  // in file order; unused ones have no columns
};

// Precondition: left + width <= dx.
Layout LayoutOf(const Header& h) {
  int dx = h.dx, dy = h.dy, left = h.left, width = h.width;
  Layout layout{{0, dx, 1, dy}, {}};
  if (h.mode == 1) {
    layout.attributes[0] = {0, dx, 2, dy / 2};
  } else {
    // MLT window in 8x1 cells, then 8x8 cells left of it, then right of it.
    layout.attributes = {CellBlock{left, width, 1, dy}, CellBlock{0, left, 8, dy / 8},
                         CellBlock{left + width, dx - left - width, 8, dy / 8}};
  }
  return layout;
}

std::size_t FileBytes(const Layout& layout) {
  std::size_t total = kHeaderBytes + layout.pixels.StoredBytes();
  for (const CellBlock& block : layout.attributes) total += block.StoredBytes();
  return total;
}

// The picture blocks' own layout (BlockIndex), as an offset into a block's bytes.
std::size_t PlaneOffset(FrameIndex f, int row, int column) {
  return static_cast<std::size_t>(BlockIndex(f, row, column));
}

void AppendBlock(std::string& out, const ScreenBlock& plane, const CellBlock& block) {
  for (FrameIndex f = 0; f < 2; ++f) {
    for (int k = 0; k < block.cellRows; ++k) {
      const std::uint8_t* src =
          plane.data() + PlaneOffset(f, k * block.cellHeight, block.firstColumn);
      out.append(reinterpret_cast<const char*>(src), static_cast<std::size_t>(block.columnCount));
    }
  }
}

// Returns the input just past the block. The caller has checked that the input holds it and
// that the block lies inside the 32 x 192 planes.
const char* CopyBlock(const char* in, ScreenBlock& plane, const CellBlock& block) {
  std::size_t count = static_cast<std::size_t>(block.columnCount);
  for (FrameIndex f = 0; f < 2; ++f) {
    for (int k = 0; k < block.cellRows; ++k, in += count) {
      for (int r = 0; r < block.cellHeight; ++r) {
        int row = k * block.cellHeight + r;
        std::memcpy(plane.data() + PlaneOffset(f, row, block.firstColumn), in, count);
      }
    }
  }
  return in;
}

Header ReadHeader(std::string_view bytes) {
  auto at = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
  return {at(3), at(4), at(5), at(6), at(7)};
}

// Mode and width face no test of their own; a width of 0 is accepted.
bool IsValidHeader(std::string_view bytes, const Header& h) {
  int windowEnd = h.left + h.width;
  return bytes.substr(0, kMagic.size()) == kMagic && h.dx >= 1 && h.dx <= 32 && h.dy >= 8 &&
         h.dy <= 192 && windowEnd <= h.dx && windowEnd <= 32;
}

void ClearAttributeArea(ScreenBuffers& screen, int dx, int dy) {
  for (FrameIndex f = 0; f < 2; ++f)
    for (int row = 0; row < dy; ++row)
      std::memset(screen.Attrs().data() + PlaneOffset(f, row, 0), 0, static_cast<std::size_t>(dx));
}

void ApplyHeader(const Header& h, ScreenGeometry& geometry) {
  geometry.SetDX(h.dx);
  geometry.SetDY(h.dy);
  geometry.SetMltLeft(h.left);
  geometry.SetMltWidth(h.width);
  geometry.SetMode(h.mode == 1 ? AttrMode::Mode8x2 : AttrMode::Mode8x1);
}

// The atomic write would replace a read-only file without complaint; refuse it as a plain
// write would. Opening for writing without truncation leaves the file as it is; anything but a
// regular file (a device, a FIFO) is refused before it is opened.
Status CheckTargetWritable(const std::string& path) {
  if (Status regular = CheckRegularTarget(path); !regular) return regular;
  int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd >= 0) {
    ::close(fd);
    return Status::Ok();
  }
  if (errno == ENOENT) return Status::Ok();
  return Status::Error(IoErrorText(errno));
}

}  // namespace

std::string EncodeNativeFile(const ScreenBuffers& screen, const ScreenGeometry& geometry) {
  MltWindow window = ClampMltWindow(geometry.Window(), geometry.DX());
  Header h{static_cast<std::uint8_t>(geometry.Mode() == AttrMode::Mode8x2 ? 1 : 0),
           static_cast<std::uint8_t>(geometry.DX()), static_cast<std::uint8_t>(geometry.DY()),
           static_cast<std::uint8_t>(window.left), static_cast<std::uint8_t>(window.width)};
  Layout layout = LayoutOf(h);
  std::string out;
  out.reserve(FileBytes(layout));
  out.append(kMagic);
  for (std::uint8_t value : {h.mode, h.dx, h.dy, h.left, h.width})
    out.push_back(static_cast<char>(value));
  AppendBlock(out, screen.Pixels(), layout.pixels);
  for (const CellBlock& block : layout.attributes) AppendBlock(out, screen.Attrs(), block);
  return out;
}

Status DecodeNativeFile(std::string_view bytes, const std::string& path, ScreenBuffers& screen,
                        ScreenGeometry& geometry) {
  if (bytes.size() < kHeaderBytes) return Status::Error(kReadBeyondEnd);
  Header h = ReadHeader(bytes);
  if (!IsValidHeader(bytes, h))
    return Status::Error("File " + path + "\n\r" + "Is not Tinto File.");
  Layout layout = LayoutOf(h);
  if (bytes.size() < FileBytes(layout)) return Status::Error(kReadBeyondEnd);

  // Rows that no block covers (the last of an odd DY in 8x2 cells, the last DY mod 8 outside
  // the MLT window) must read as 0 whatever the buffers held before.
  ClearAttributeArea(screen, h.dx, h.dy);
  const char* in = CopyBlock(bytes.data() + kHeaderBytes, screen.Pixels(), layout.pixels);
  for (const CellBlock& block : layout.attributes) in = CopyBlock(in, screen.Attrs(), block);
  ApplyHeader(h, geometry);
  return Status::Ok();
}

Status WriteNativeFile(const std::string& path, const ScreenBuffers& screen,
                       const ScreenGeometry& geometry) {
  Status writable = CheckTargetWritable(path);
  if (!writable) return writable;
  return WriteFileAtomically(path, EncodeNativeFile(screen, geometry));
}

Status ReadNativeFile(const std::string& path, ScreenBuffers& screen, ScreenGeometry& geometry) {
  std::string bytes;
  Status status = ReadFilePrefix(path, kMaxNativeFileBytes, bytes);
  if (!status) return status;
  return DecodeNativeFile(bytes, path, screen, geometry);
}

}  // namespace tinto
