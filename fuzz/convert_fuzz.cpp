// Converts random small pictures with random option values, in range or not. Beyond memory safety
// it checks that the options come back fitted, that the previews have their size and only the
// three levels, that nothing outside the converted area is written, that attribute bit 7 stays
// clear and that a second conversion gives the same output. The steps are also called on their
// own with unfitted options and previews of the wrong size.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "core/import/convert_import.h"
#include "core/import/dithered_conversion.h"
#include "core/import/import_option_table.h"
#include "core/import/level_preview.h"
#include "core/import/plain_attributes.h"

namespace {

using tinto::Bitmap24;
using tinto::ImportOptions;
using tinto::ImportResult;

void Require(bool condition) {
  if (!condition) std::abort();
}

// Reads the input front to back; past its end every byte is 0.
class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
  int Byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
  int Word() { return Byte() | Byte() << 8; }
  // Copies up to `count` further bytes to `out`; what the input lacks stays as it was.
  void Bytes(std::uint8_t* out, std::size_t count) {
    const std::size_t n = std::min(count, m_size - m_pos);
    if (n == 0) return;  // the data pointer may be null for an empty input
    std::memcpy(out, m_data + m_pos, n);
    m_pos += n;
  }
  // -200..499: every range's edges and well beyond them.
  int Option() { return Word() % 700 - 200; }

 private:
  const std::uint8_t* m_data;
  std::size_t m_size;
  std::size_t m_pos = 0;
};

// Every number and switch of the option table; the method stays Classic (the perceptual
// conversion has a fuzzer's worth of cases of its own in its tests).
ImportOptions ReadOptions(Input& in) {
  ImportOptions o;
  int flags = in.Byte();
  for (const tinto::ImportOptionRow& row : tinto::ImportOptionTable()) {
    if (row.kind == tinto::OptionKind::Integer) row.Set(o, in.Option());
    if (row.kind != tinto::OptionKind::Boolean) continue;
    row.Set(o, flags & 1);
    flags >>= 1;
  }
  return o;
}

Bitmap24 ReadPicture(Input& in) {
  const int width = 1 + in.Word() % 300;
  const int height = 1 + in.Byte() % 200;
  Bitmap24 picture(width, height);
  for (int y = 0; y < height; ++y) in.Bytes(picture.Row(y), picture.Stride());
  return picture;
}

void RequireLevelsOnly(const Bitmap24& preview) {
  for (int y = 0; y < preview.Height(); ++y)
    for (int i = 0; i < preview.Stride(); ++i) {
      const int v = preview.Row(y)[i];
      Require(v == 0 || v == 177 || v == 254);
    }
}

void RequireConverted(const ImportOptions& o, const ImportResult& result) {
  const int rows = o.Dither ? (o.DY >= 8 ? o.DY / 8 * 8 : 0) : o.DY;
  const int columns = o.Dither ? o.DX : o.MLTWidth;
  for (int f = 0; f < 2; ++f)
    for (int y = 0; y < tinto::kScreenHeight; ++y)
      for (int x = 0; x < tinto::kRowBytes; ++x) {
        Require((result.AttrByte(f, y, x) & 0x80) == 0);
        if (y < rows && x < columns) continue;
        Require(result.AttrByte(f, y, x) == 0 && result.PixelByte(f, y, x) == 0);
      }
}

void CheckConvertImport(const Bitmap24& picture, const ImportOptions& raw) {
  const tinto::FittedImportOptions fitted = tinto::FitImportOptions(raw);
  const ImportOptions& options = *fitted;
  ImportResult result;
  result.pixels.fill(0xA7);
  Bitmap24 dest1, dest2;
  Require(tinto::ConvertImport(picture, fitted, result, dest1, dest2));
  Require(fitted == tinto::FitImportOptions(options));
  Require(options.MLTLeft + options.MLTWidth <= options.DX);
  Require(dest1.Width() == options.DX * 8 && dest1.Height() == options.DY);
  Require(dest2.Width() == dest1.Width() && dest2.Height() == dest1.Height());
  RequireLevelsOnly(dest1);
  RequireLevelsOnly(dest2);
  RequireConverted(options, result);

  ImportResult second;
  Bitmap24 again1, again2;
  Require(tinto::ConvertImport(picture, fitted, second, again1, again2));
  Require(second.pixels == result.pixels && second.attrs == result.attrs);
  Require(again1 == dest1 && again2 == dest2);
}

// Previews of sizes unrelated to the options, for the steps called on their own.
struct OddPreviews {
  Bitmap24 plain1, plain2, dithered1, dithered2;
};

OddPreviews ReadOddPreviews(Input& in) {
  OddPreviews p;
  p.plain1.Resize(in.Byte() % 40, in.Byte() % 40);
  p.plain2.Resize(in.Byte() % 300, in.Byte() % 200);
  p.dithered1.Resize(in.Byte() % 40, in.Byte() % 40);
  return p;
}

void CheckStepsAlone(const Bitmap24& picture, const ImportOptions& raw, OddPreviews& p) {
  const tinto::FittedImportOptions options = tinto::FitImportOptions(raw);
  ImportResult result;
  tinto::FitPlainAttributes(options, result, p.plain1, p.plain2);
  tinto::ComputeLevelPreview(picture, options, p.plain1, p.plain2);
  tinto::FitPlainAttributes(options, result, p.plain1, p.plain2);
  tinto::ConvertDithered(picture, options, result, p.dithered1, p.dithered2);
  for (int f = 0; f < 2; ++f)
    for (int y = 0; y < tinto::kScreenHeight; ++y)
      for (int x = 0; x < tinto::kRowBytes; ++x) Require((result.AttrByte(f, y, x) & 0x80) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in(data, size);
  const ImportOptions raw = ReadOptions(in);
  OddPreviews previews = ReadOddPreviews(in);
  const Bitmap24 picture = ReadPicture(in);
  CheckConvertImport(picture, raw);
  CheckStepsAlone(picture, raw, previews);
  return 0;
}
