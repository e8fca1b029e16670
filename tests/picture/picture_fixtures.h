#pragma once
// Small pictures made at run time for the loader tests: JPEGs written with libjpeg, metafiles
// written with libuemf, and helpers to read pixels of the results.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

extern "C" {
#include <uwmf.h>
}

#include "core/model/bitmap.h"
#include "core/status.h"

namespace tinto::test {

enum class JpegKind { Rgb, Grey, CmykAdobe, CmykPlain };

struct JpegOptions {
  JpegKind kind = JpegKind::Rgb;
  bool progressive = false;
  int quality = 100;
};

// `samples` holds width * height pixels row by row, with 3 (Rgb), 1 (Grey) or 4 (CMYK)
// values each, stored in the file as given.
std::string MakeJpeg(int width, int height, const std::vector<std::uint8_t>& samples,
                     const JpegOptions& options = {});
// Every pixel `pixel`.
std::string UniformJpeg(int width, int height, const std::vector<std::uint8_t>& pixel,
                        const JpegOptions& options = {});
// A picture with some detail in every 8x8 block, so that its data fills the whole file.
std::string DetailedJpeg(int width, int height, const JpegOptions& options = {});

// (red, green, blue) of a bitmap pixel.
struct Color {
  int r, g, b;
  bool operator==(const Color&) const = default;
};

// A GIF of up to four colours; `indices` holds width * height palette indices row by row.
// Qt reads GIF but cannot write it.
std::string MakeGif(int width, int height, const std::vector<Color>& palette,
                    const std::vector<std::uint8_t>& indices);
Color PixelAt(const Bitmap24& bitmap, int x, int y);
// True when every component differs by at most `tolerance`.
bool Near(Color a, Color b, int tolerance);

// A WMF file written with libuemf. Records come from libuemf's U_WMR*_set functions.
class WmfWriter {
 public:
  // A placeable file when `inches` (frame width and height) is given, with `unitsPerInch`
  // logical units per inch.
  WmfWriter(const std::string& path, std::optional<U_PAIRF> inches, unsigned unitsPerInch = 96);
  ~WmfWriter();
  WmfWriter(const WmfWriter&) = delete;
  WmfWriter& operator=(const WmfWriter&) = delete;

  void Add(char* record);  // takes the record
  std::uint32_t CreateBrush(U_WLOGBRUSH brush);
  std::uint32_t CreatePen(U_PEN pen);
  void Select(std::uint32_t handle);
  void Delete(std::uint32_t handle);
  // Appends the end-of-file record and writes the file.
  void Finish();

 private:
  WMFTRACK* m_track = nullptr;
  WMFHANDLES* m_handles = nullptr;
};

// An EMF file written with libuemf; `bounds` in device pixels, `frame` in 0.01 mm, on a
// reference device of 96 pixels per inch.
class EmfWriter {
 public:
  EmfWriter(const std::string& path, U_RECTL bounds, U_RECTL frame);
  ~EmfWriter();
  EmfWriter(const EmfWriter&) = delete;
  EmfWriter& operator=(const EmfWriter&) = delete;

  void Add(char* record);
  void FillWith(U_COLORREF color);  // creates and selects a solid brush
  void Finish();

 private:
  EMFTRACK* m_track = nullptr;
  EMFHANDLES* m_handles = nullptr;
};

// 0.01 mm of `pixels` at 96 pixels per inch, rounded.
std::int32_t HundredthsMm(int pixels);

// A 2 x 2, 24-bit DIB record payload source: top row red, green; bottom row blue, (13,147,201).
void AddQuadrantDib(WmfWriter& writer, U_POINT16 at, U_POINT16 size, U_POINT16 source,
                    U_POINT16 sourceSize);

// Expects `load` to fail within half a second with a "too large" message.
void ExpectRefusedQuickly(const std::function<Status()>& load);
// Renders every cut (in steps of `step` bytes) and every byte of `whole` set to a few damaging
// values: each must give a non-empty picture or an error, never a crash.
void ExpectSurvivesDamage(const std::string& whole, std::size_t step,
                          const std::function<Status(const std::string&, Bitmap24&)>& render);

// 64 x 48 pictures that use most record kinds the players know, for damage and fuzz tests.
void WriteSampleWmf(const std::string& path);
void WriteSampleEmf(const std::string& path);

}  // namespace tinto::test
