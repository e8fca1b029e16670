#include "picture/wmf_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "picture/byte_reader.h"
#include "picture/picture_limits.h"

extern "C" {
#include <uwmf.h>
}

namespace tinto {
namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::size_t kPlaceableBytes = 22;
constexpr std::size_t kHeaderBytes = 18;
constexpr std::uint16_t kHeaderWords = 9;
constexpr std::size_t kRecordHeadBytes = 6;
constexpr int kDefaultUnitsPerInch = 1440;  // twips, the usual unit when a file gives none
constexpr double kPixelsPerInch = 96.0;

void ReadPlaceable(const std::uint8_t* data, WmfHeader& header) {
  const int left = ReadI16(data + 6), top = ReadI16(data + 8);
  header.bounds = {static_cast<double>(left), static_cast<double>(top),
                   static_cast<double>(ReadI16(data + 10) - left),
                   static_cast<double>(ReadI16(data + 12) - top)};
  const int inch = ReadU16(data + 14);
  header.unitsPerInch = inch > 0 ? inch : kDefaultUnitsPerInch;
}

int PixelsOf(double logical, int unitsPerInch) {
  const double pixels = std::round(std::abs(logical) * kPixelsPerInch / unitsPerInch);
  return static_cast<int>(std::clamp(pixels, 1.0, 1e9));
}

}  // namespace

std::int16_t WmfRecord::Int(std::size_t index) const { return ReadI16(params + 2 * index); }
std::uint16_t WmfRecord::Word(std::size_t index) const { return ReadU16(params + 2 * index); }
std::uint32_t WmfRecord::Dword(std::size_t index) const { return ReadU32(params + 2 * index); }

Status ReadWmfHeader(const std::uint8_t* data, std::size_t size, WmfHeader& header) {
  header = {};
  std::size_t offset = 0;
  if (size >= kPlaceableBytes && ReadU32(data) == kPlaceableKey) {
    header.placeable = true;
    ReadPlaceable(data, header);
    offset = kPlaceableBytes;
  }
  if (size - offset < kHeaderBytes) return Status::Error("Not a WMF picture");
  const std::uint8_t* standard = data + offset;
  const std::uint16_t type = ReadU16(standard);
  if ((type != 1 && type != 2) || ReadU16(standard + 2) != kHeaderWords)
    return Status::Error("Not a WMF picture");
  header.objectCount = ReadU16(standard + 10);
  header.firstRecord = offset + kHeaderBytes;
  return Status::Ok();
}

bool WmfRecordReader::Next(WmfRecord& record) {
  if (m_size - m_offset < kRecordHeadBytes) return false;
  const std::uint8_t* head = m_data + m_offset;
  const std::uint64_t bytes = 2ull * ReadU32(head);
  if (bytes < kRecordHeadBytes || bytes > m_size - m_offset) return false;
  record.function = ReadU16(head + 4);
  record.params = head + kRecordHeadBytes;
  record.paramBytes = static_cast<std::size_t>(bytes) - kRecordHeadBytes;
  m_offset += static_cast<std::size_t>(bytes);
  return record.Type() != U_WMR_EOF;
}

Status ReadWmfFrame(const std::uint8_t* data, std::size_t size, const WmfHeader& header,
                    std::int64_t maxPixels, WmfFrame& frame) {
  frame = {};
  if (header.placeable) {
    if (header.bounds.width == 0 || header.bounds.height == 0)
      return Status::Error("WMF picture has an empty frame");
    frame.window = header.bounds;
    frame.width = PixelsOf(header.bounds.width, header.unitsPerInch);
    frame.height = PixelsOf(header.bounds.height, header.unitsPerInch);
    return CheckPictureSize(frame.width, frame.height, maxPixels);
  }
  WmfRecordReader reader(data, size, header.firstRecord);
  WmfRecord record;
  while (reader.Next(record)) {
    if (!record.Has(2)) continue;
    if (record.Type() == U_WMR_SETWINDOWORG) {
      frame.window.x = record.Int(1);
      frame.window.y = record.Int(0);
    } else if (record.Type() == U_WMR_SETWINDOWEXT && record.Int(0) != 0 && record.Int(1) != 0) {
      frame.window.width = record.Int(1);
      frame.window.height = record.Int(0);
      frame.width = PixelsOf(frame.window.width, static_cast<int>(kPixelsPerInch));
      frame.height = PixelsOf(frame.window.height, static_cast<int>(kPixelsPerInch));
      return CheckPictureSize(frame.width, frame.height, maxPixels);
    }
  }
  return Status::Error("WMF picture declares no size");
}

}  // namespace tinto
