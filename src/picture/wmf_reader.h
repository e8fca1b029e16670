#pragma once
// Bounds-checked reading of WMF files: the optional placeable header, the standard header, the
// record list and the picture's declared frame. Nothing here trusts a length or count from the
// file before checking it against the bytes that are really there.

#include <cstddef>
#include <cstdint>

#include "core/status.h"

namespace tinto {

// One record: `function` is the full 16-bit record function (its low byte names the record),
// `params` the parameter bytes after the 6-byte record head.
struct WmfRecord {
  std::uint16_t function = 0;
  const std::uint8_t* params = nullptr;
  std::size_t paramBytes = 0;

  int Type() const { return function & 0xFF; }  // the low byte: the record's U_WMR_* number
  std::size_t Words() const { return paramBytes / 2; }
  bool Has(std::size_t words) const { return words <= Words(); }
  // Preconditions: Has(index + 1), and Has(index + 2) for Dword.
  std::int16_t Int(std::size_t index) const;
  std::uint16_t Word(std::size_t index) const;
  std::uint32_t Dword(std::size_t index) const;  // low word first
};

// A rectangle of logical coordinates: origin and (possibly negative) extent.
struct WmfWindow {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;
};

struct WmfHeader {
  bool placeable = false;
  WmfWindow bounds;             // placeable files only: the picture's frame, logical units
  int unitsPerInch = 0;         // placeable files only
  int objectCount = 0;          // size of the object table the file asks for
  std::size_t firstRecord = 0;  // offset of the first record after the headers
};

// Fails when the bytes do not start with a (placeable or plain) WMF header.
Status ReadWmfHeader(const std::uint8_t* data, std::size_t size, WmfHeader& header);

// Walks the records after the headers. Stops at the end-of-file record, at the end of the data
// and at the first record whose length does not fit the data.
class WmfRecordReader {
 public:
  WmfRecordReader(const std::uint8_t* data, std::size_t size, std::size_t offset)
      : m_data(data), m_size(size), m_offset(offset) {}
  bool Next(WmfRecord& record);

 private:
  const std::uint8_t* m_data;
  std::size_t m_size;
  std::size_t m_offset;
};

// The picture's size in pixels and the logical window mapped onto it. A placeable file gives
// its frame at 96 pixels per inch; a plain one the extent of its first SetWindowExt record, one
// logical unit per pixel, at the origin of the SetWindowOrg record before it (if any). Sizes
// over the picture limits (with at most `maxPixels` pixels) are refused.
struct WmfFrame {
  int width = 0;
  int height = 0;
  WmfWindow window;
};
Status ReadWmfFrame(const std::uint8_t* data, std::size_t size, const WmfHeader& header,
                    std::int64_t maxPixels, WmfFrame& frame);

}  // namespace tinto
