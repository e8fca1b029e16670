#include "picture/picture_fixtures.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
// <cstdio> must come first: jpeglib.h uses FILE without including it.
#include <jpeglib.h>

namespace tinto::test {
namespace {

int ComponentsOf(JpegKind kind) {
  switch (kind) {
    case JpegKind::Grey:
      return 1;
    case JpegKind::Rgb:
      return 3;
    default:
      return 4;
  }
}

void SetColorSpace(jpeg_compress_struct& info, JpegKind kind) {
  info.input_components = ComponentsOf(kind);
  info.in_color_space = kind == JpegKind::Grey  ? JCS_GRAYSCALE
                        : kind == JpegKind::Rgb ? JCS_RGB
                                                : JCS_CMYK;
  jpeg_set_defaults(&info);
  if (kind == JpegKind::CmykAdobe || kind == JpegKind::CmykPlain) {
    jpeg_set_colorspace(&info, JCS_CMYK);
    info.write_Adobe_marker = kind == JpegKind::CmykAdobe;
  }
}

}  // namespace

std::string MakeJpeg(int width, int height, const std::vector<std::uint8_t>& samples,
                     const JpegOptions& options) {
  jpeg_compress_struct info{};
  jpeg_error_mgr error{};
  info.err = jpeg_std_error(&error);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  SetColorSpace(info, options.kind);
  jpeg_set_quality(&info, options.quality, TRUE);
  if (options.progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  const std::size_t rowBytes = static_cast<std::size_t>(width) * ComponentsOf(options.kind);
  while (info.next_scanline < info.image_height) {
    auto* row = const_cast<JSAMPLE*>(samples.data() + info.next_scanline * rowBytes);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  std::string bytes(reinterpret_cast<const char*>(buffer), size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return bytes;
}

std::string UniformJpeg(int width, int height, const std::vector<std::uint8_t>& pixel,
                        const JpegOptions& options) {
  std::vector<std::uint8_t> samples;
  for (int i = 0; i < width * height; ++i)
    samples.insert(samples.end(), pixel.begin(), pixel.end());
  return MakeJpeg(width, height, samples, options);
}

std::string DetailedJpeg(int width, int height, const JpegOptions& options) {
  std::vector<std::uint8_t> samples;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      for (int c = 0; c < ComponentsOf(options.kind); ++c)
        samples.push_back(static_cast<std::uint8_t>((x * 37 + y * 91 + c * 53) % 256));
  return MakeJpeg(width, height, samples, options);
}

// LZW codes of 3 bits: a clear code before every pixel keeps the code table from growing, so
// no code ever needs more bits.
std::string MakeGif(int width, int height, const std::vector<Color>& palette,
                    const std::vector<std::uint8_t>& indices) {
  constexpr int kClear = 4, kEnd = 5, kCodeBits = 3;
  std::string gif = "GIF89a";
  const auto word = [&gif](int value) {
    gif += static_cast<char>(value & 0xFF);
    gif += static_cast<char>(value >> 8);
  };
  word(width);
  word(height);
  gif += "\xF1";  // global colour table of 4 entries
  gif += std::string(2, '\0');
  for (std::size_t i = 0; i < 4; ++i) {
    const Color c = i < palette.size() ? palette[i] : Color{0, 0, 0};
    gif += {static_cast<char>(c.r), static_cast<char>(c.g), static_cast<char>(c.b)};
  }
  gif += ',';
  word(0);
  word(0);
  word(width);
  word(height);
  gif += '\0';
  std::vector<int> codes;
  for (std::uint8_t index : indices) codes.insert(codes.end(), {kClear, index});
  codes.push_back(kEnd);
  std::string data((codes.size() * kCodeBits + 7) / 8, '\0');
  for (std::size_t i = 0; i < codes.size(); ++i)
    for (int bit = 0; bit < kCodeBits; ++bit)
      if (codes[i] & (1 << bit))
        data[(i * kCodeBits + bit) / 8] |= static_cast<char>(1 << ((i * kCodeBits + bit) % 8));
  gif += '\2';  // minimum code size
  for (std::size_t at = 0; at < data.size(); at += 255) {
    const std::string block = data.substr(at, 255);
    gif += static_cast<char>(block.size());
    gif += block;
  }
  gif += '\0';
  gif += ';';
  return gif;
}

Color PixelAt(const Bitmap24& bitmap, int x, int y) {
  const Rgb rgb = bitmap.Pixel(x, y);
  return {RedOf(rgb), GreenOf(rgb), BlueOf(rgb)};
}

bool Near(Color a, Color b, int tolerance) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
         std::abs(a.b - b.b) <= tolerance;
}

void ExpectRefusedQuickly(const std::function<Status()>& load) {
  const auto start = std::chrono::steady_clock::now();
  const Status status = load();
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_FALSE(status.IsOk());
  EXPECT_NE(status.Message().find("too large"), std::string::npos) << status.Message();
  EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count(), 500);
}

void ExpectSurvivesDamage(const std::string& whole, std::size_t step,
                          const std::function<Status(const std::string&, Bitmap24&)>& render) {
  for (std::size_t size = 0; size < whole.size(); size += step) {
    Bitmap24 picture;
    if (render(whole.substr(0, size), picture).IsOk()) {
      EXPECT_FALSE(picture.Empty()) << size;
    }
  }
  for (std::size_t at = 0; at < whole.size(); ++at)
    for (char value : {'\x00', '\xFF', '\x7F', '\x80'}) {
      std::string damaged = whole;
      damaged[at] = value;
      Bitmap24 picture;
      if (render(damaged, picture).IsOk()) {
        EXPECT_FALSE(picture.Empty()) << at;
      }
    }
}

WmfWriter::WmfWriter(const std::string& path, std::optional<U_PAIRF> inches,
                     unsigned unitsPerInch) {
  wmf_start(path.c_str(), 1 << 16, 1 << 16, &m_track);
  wmf_htable_create(64, 64, &m_handles);
  wmf_header_append(
      reinterpret_cast<U_METARECORD*>(U_WMRHEADER_set(inches ? &*inches : nullptr, unitsPerInch)),
      m_track, U_REC_FREE);
}

WmfWriter::~WmfWriter() {
  wmf_free(&m_track);
  wmf_htable_free(&m_handles);
}

void WmfWriter::Add(char* record) {
  wmf_append(reinterpret_cast<U_METARECORD*>(record), m_track, U_REC_FREE);
}

std::uint32_t WmfWriter::CreateBrush(U_WLOGBRUSH brush) {
  std::uint32_t handle = 0;
  Add(wcreatebrushindirect_set(&handle, m_handles, brush));
  return handle;
}

std::uint32_t WmfWriter::CreatePen(U_PEN pen) {
  std::uint32_t handle = 0;
  Add(wcreatepenindirect_set(&handle, m_handles, pen));
  return handle;
}

void WmfWriter::Select(std::uint32_t handle) { Add(wselectobject_set(handle, m_handles)); }

void WmfWriter::Delete(std::uint32_t handle) { Add(wdeleteobject_set(&handle, m_handles)); }

void WmfWriter::Finish() {
  Add(U_WMREOF_set());
  wmf_finish(m_track);
}

EmfWriter::EmfWriter(const std::string& path, U_RECTL bounds, U_RECTL frame) {
  emf_start(path.c_str(), 1 << 16, 1 << 16, &m_track);
  emf_htable_create(64, 64, &m_handles);
  // 960 pixels over 254 mm: exactly 96 pixels per inch.
  Add(U_EMRHEADER_set(bounds, frame, nullptr, 0, nullptr, U_SIZEL{960, 960}, U_SIZEL{254, 254}, 0));
}

EmfWriter::~EmfWriter() {
  emf_free(&m_track);
  emf_htable_free(&m_handles);
}

void EmfWriter::Add(char* record) {
  emf_append(reinterpret_cast<U_ENHMETARECORD*>(record), m_track, U_REC_FREE);
}

void EmfWriter::FillWith(U_COLORREF color) {
  std::uint32_t handle = 0;
  Add(createbrushindirect_set(&handle, m_handles, logbrush_set(U_BS_SOLID, color, 0)));
  Add(selectobject_set(handle, m_handles));
}

void EmfWriter::Finish() {
  Add(U_EMREOF_set(0, nullptr, m_track));
  emf_finish(m_track, m_handles);
}

std::int32_t HundredthsMm(int pixels) {
  return static_cast<std::int32_t>(std::lround(pixels * 2540.0 / 96.0));
}

void AddQuadrantDib(WmfWriter& writer, U_POINT16 at, U_POINT16 size, U_POINT16 source,
                    U_POINT16 sourceSize) {
  // Rows bottom first, each blue-green-red triples padded to four bytes.
  const char pixels[] = {'\xFF', 0, 0,      '\xC9', '\x93', '\x0D', 0, 0,
                         0,      0, '\xFF', 0,      '\xFF', 0,      0, 0};
  U_BITMAPINFO info{};
  info.bmiHeader = bitmapinfoheader_set(2, 2, 1, 24, U_BI_RGB, sizeof pixels, 0, 0, 0, 0);
  writer.Add(U_WMRSTRETCHDIB_set(at, size, source, sourceSize, U_DIB_RGB_COLORS, U_SRCCOPY, &info,
                                 sizeof pixels, pixels));
}

void WriteSampleWmf(const std::string& path) {
  WmfWriter wmf(path, U_PAIRF{64.0f / 96, 48.0f / 96});
  wmf.Add(U_WMRSETWINDOWORG_set(U_POINT16{0, 0}));
  wmf.Add(U_WMRSETWINDOWEXT_set(U_POINT16{64, 48}));
  wmf.Add(U_WMRSAVEDC_set());
  wmf.Select(wmf.CreatePen(U_PEN_set(U_PS_DASH, 1, U_RGB(1, 2, 3))));
  wmf.Select(wmf.CreateBrush(U_WLOGBRUSH_set(U_BS_HATCHED, U_RGB(9, 99, 199), U_HS_CROSS)));
  wmf.Add(U_WMRRECTANGLE_set(U_RECT16{2, 2, 20, 14}));
  wmf.Add(U_WMRROUNDRECT_set(6, 6, U_RECT16{22, 2, 40, 14}));
  wmf.Add(U_WMRRESTOREDC_set(-1));
  wmf.Select(wmf.CreateBrush(U_WLOGBRUSH_set(U_BS_SOLID, U_RGB(13, 147, 201), 0)));
  wmf.Add(U_WMRELLIPSE_set(U_RECT16{42, 2, 62, 14}));
  const U_POINT16 points[] = {{2, 16}, {20, 16}, {11, 30}, {2, 16}, {20, 16}, {11, 30}};
  wmf.Add(U_WMRPOLYGON_set(3, points));
  wmf.Add(U_WMRPOLYLINE_set(3, points));
  const uint16_t counts[] = {3, 3};
  wmf.Add(U_WMRPOLYPOLYGON_set(2, counts, points));
  wmf.Add(U_WMRPIE_set(U_POINT16{40, 24}, U_POINT16{31, 16}, U_RECT16{22, 16, 40, 32}));
  wmf.Add(U_WMRCHORD_set(U_POINT16{60, 24}, U_POINT16{51, 16}, U_RECT16{42, 16, 60, 32}));
  wmf.Add(U_WMRARC_set(U_POINT16{60, 24}, U_POINT16{51, 16}, U_RECT16{42, 16, 60, 32}));
  wmf.Add(U_WMRMOVETO_set(U_POINT16{0, 47}));
  wmf.Add(U_WMRLINETO_set(U_POINT16{63, 47}));
  wmf.Add(U_WMRSETPIXEL_set(U_RGB(255, 0, 0), U_POINT16{1, 1}));
  wmf.Add(U_WMRINTERSECTCLIPRECT_set(U_RECT16{0, 0, 63, 47}));
  wmf.Add(U_WMRPATBLT_set(U_POINT16{2, 34}, U_POINT16{6, 6}, U_PATCOPY));
  AddQuadrantDib(wmf, U_POINT16{10, 34}, U_POINT16{10, 10}, U_POINT16{0, 0}, U_POINT16{2, 2});
  char face[] = "Sans";
  U_FONT* font = U_FONT_set(-10, 0, 0, 0, 700, 1, 0, 0, 0, 0, 0, 0, 0, face);
  wmf.Add(U_WMRCREATEFONTINDIRECT_set(font));
  std::free(font);
  wmf.Add(U_WMRSELECTOBJECT_set(3));
  wmf.Add(U_WMRSETTEXTCOLOR_set(U_RGB(200, 0, 0)));
  char text[] = "Tinto";
  wmf.Add(U_WMRTEXTOUT_set(U_POINT16{24, 34}, text));
  wmf.Add(U_WMREXTTEXTOUT_set(U_POINT16{40, 34}, 5, U_ETO_OPAQUE, text, nullptr,
                              U_RECT16{40, 34, 62, 44}));
  wmf.Finish();
}

void WriteSampleEmf(const std::string& path) {
  const int width = 64, height = 48;
  EmfWriter emf(path, U_RECTL{0, 0, width - 1, height - 1},
                U_RECTL{0, 0, HundredthsMm(width), HundredthsMm(height)});
  emf.FillWith(U_RGB(13, 147, 201));
  emf.Add(U_EMRRECTANGLE_set(U_RECTL{2, 2, 20, 14}));
  emf.Add(U_EMRELLIPSE_set(U_RECTL{22, 2, 40, 14}));
  emf.Add(U_EMRSETTEXTCOLOR_set(U_RGB(200, 0, 0)));
  char text[] = "Tinto";
  uint32_t* dx = dx_set(-10, U_FW_NORMAL, 5);
  char* record = emrtext_set(U_POINTL{4, 30}, 5, 1, text, U_ETO_NONE, U_RECTL{0, 0, -1, -1}, dx);
  emf.Add(U_EMREXTTEXTOUTA_set(U_RECTL{0, 0, -1, -1}, U_GM_COMPATIBLE, 1.0f, 1.0f,
                               reinterpret_cast<PU_EMRTEXT>(record)));
  std::free(record);
  std::free(dx);
  emf.Finish();
}

}  // namespace tinto::test
