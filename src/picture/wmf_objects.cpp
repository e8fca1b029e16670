#include "picture/wmf_objects.h"

#include <QByteArray>
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "picture/byte_reader.h"
#include "picture/picture_limits.h"

extern "C" {
#include <uwmf.h>
}

namespace tinto {
namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::uint32_t kCoreHeaderBytes = 12;
constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr std::size_t kFaceOffset = 18;
constexpr std::size_t kFaceBytes = 32;
constexpr int kBitFields = 3;
constexpr int kAlphaBitFields = 6;

WmfObject PenFrom(const WmfRecord& record) {
  if (!record.Has(5)) return {};
  const int style = record.Word(0);
  const int width = std::abs(record.Int(1));
  QPen pen(ColorRefAt(record, 3), width);  // width 0 is Qt's one-pixel cosmetic pen as in GDI
  switch (style & U_PS_STYLE_MASK) {
    case U_PS_NULL:
      pen.setStyle(Qt::NoPen);
      break;
    case U_PS_DASH:
      pen.setStyle(Qt::DashLine);
      break;
    case U_PS_DOT:
      pen.setStyle(Qt::DotLine);
      break;
    case U_PS_DASHDOT:
      pen.setStyle(Qt::DashDotLine);
      break;
    case U_PS_DASHDOTDOT:
      pen.setStyle(Qt::DashDotDotLine);
      break;
    default:
      break;
  }
  const int cap = style & U_PS_ENDCAP_MASK, join = style & U_PS_JOIN_MASK;
  pen.setCapStyle(cap == U_PS_ENDCAP_SQUARE ? Qt::SquareCap
                  : cap == U_PS_ENDCAP_FLAT ? Qt::FlatCap
                                            : Qt::RoundCap);
  pen.setJoinStyle(join == U_PS_JOIN_BEVEL   ? Qt::BevelJoin
                   : join == U_PS_JOIN_MITER ? Qt::MiterJoin
                                             : Qt::RoundJoin);
  return pen;
}

Qt::BrushStyle HatchStyle(int hatch) {
  switch (hatch) {
    case U_HS_HORIZONTAL:
      return Qt::HorPattern;
    case U_HS_VERTICAL:
      return Qt::VerPattern;
    case U_HS_FDIAGONAL:
      return Qt::FDiagPattern;
    case U_HS_BDIAGONAL:
      return Qt::BDiagPattern;
    case U_HS_CROSS:
      return Qt::CrossPattern;
    case U_HS_DIAGCROSS:
      return Qt::DiagCrossPattern;
    default:
      return Qt::SolidPattern;
  }
}

WmfObject BrushFrom(const WmfRecord& record) {
  if (!record.Has(4)) return {};
  const int style = record.Word(0);
  const QColor color = ColorRefAt(record, 1);
  if (style == U_BS_NULL) return QBrush(Qt::NoBrush);
  if (style == U_BS_HATCHED) return QBrush(color, HatchStyle(record.Word(3)));
  return QBrush(color);
}

WmfObject FontFrom(const WmfRecord& record) {
  if (!record.Has(kFaceOffset / 2)) return {};
  WmfFont font;
  font.height = record.Int(0);
  font.escapement = record.Int(2);
  const int weight = record.Int(4);
  font.weight = weight <= 0 ? 400 : std::min(weight, 1000);
  font.italic = record.params[10] != 0;
  font.underline = record.params[11] != 0;
  font.strikeOut = record.params[12] != 0;
  const std::size_t available = std::min(kFaceBytes, record.paramBytes - kFaceOffset);
  const auto* face = reinterpret_cast<const char*>(record.params + kFaceOffset);
  font.face = QString::fromLatin1(face, static_cast<qsizetype>(strnlen(face, available)));
  return font;
}

WmfObject PatternBrushFrom(const WmfRecord& record) {
  if (!record.Has(2) || record.Word(1) != U_DIB_RGB_COLORS) return std::monostate{};
  const QImage pattern = DibToImage(record.params + 4, record.paramBytes - 4);
  if (pattern.isNull()) return std::monostate{};
  return QBrush(pattern);
}

// Bytes of colour table and colour masks between the header and the pixels.
std::uint64_t TableBytes(const std::uint8_t* dib, std::uint32_t headerSize) {
  if (headerSize == kCoreHeaderBytes) {
    const int bits = ReadU16(dib + 10);
    return bits <= 8 ? 3ull << bits : 0;
  }
  const int bits = ReadU16(dib + 14);
  const std::uint32_t compression = ReadU32(dib + 16);
  const std::uint32_t used = ReadU32(dib + 32);
  const std::uint64_t colors = used != 0 ? used : bits <= 8 ? 1ull << bits : 0;
  std::uint64_t masks = 0;
  if (headerSize == kInfoHeaderBytes && compression == kBitFields) masks = 12;
  if (headerSize == kInfoHeaderBytes && compression == kAlphaBitFields) masks = 16;
  return 4 * colors + masks;
}

// Besides the picture limits, a DIB may claim no more than 256 pixels for each of its bytes
// (run-length coding gets near 128), so that a short record cannot make Qt allocate a huge
// image.
bool DibSizeAllowed(const std::uint8_t* dib, std::uint32_t headerSize, std::size_t size) {
  const std::int64_t maxPixels =
      std::min<std::int64_t>(kMaxPicturePixels, 256 * static_cast<std::int64_t>(size));
  if (headerSize == kCoreHeaderBytes)
    return CheckPictureSize(ReadU16(dib + 4), ReadU16(dib + 6), maxPixels).IsOk();
  const std::int64_t width = ReadI32(dib + 4), height = ReadI32(dib + 8);
  return CheckPictureSize(width, height < 0 ? -height : height, maxPixels).IsOk();
}

}  // namespace

QColor ColorRefAt(const WmfRecord& record, std::size_t index) {
  const std::uint8_t* p = record.params + 2 * index;
  return QColor(p[0], p[1], p[2]);
}

bool CreateWmfObject(const WmfRecord& record, WmfObject& object) {
  switch (record.Type()) {
    case U_WMR_CREATEPENINDIRECT:
      object = PenFrom(record);
      return true;
    case U_WMR_CREATEBRUSHINDIRECT:
      object = BrushFrom(record);
      return true;
    case U_WMR_CREATEFONTINDIRECT:
      object = FontFrom(record);
      return true;
    case U_WMR_DIBCREATEPATTERNBRUSH:
      object = PatternBrushFrom(record);
      return true;
    case U_WMR_CREATEPALETTE:
    case U_WMR_F8:  // the obsolete CreateBrush
    case U_WMR_CREATEPATTERNBRUSH:
    case U_WMR_CREATEBITMAPINDIRECT:
    case U_WMR_CREATEBITMAP:
    case U_WMR_CREATEREGION:
      object = std::monostate{};
      return true;
    default:
      return false;
  }
}

QImage DibToImage(const std::uint8_t* dib, std::size_t size, bool* bottomUp) {
  if (size < 4) return {};
  const std::uint32_t headerSize = ReadU32(dib);
  if ((headerSize != kCoreHeaderBytes && headerSize < kInfoHeaderBytes) || headerSize > size)
    return {};
  if (!DibSizeAllowed(dib, headerSize, size)) return {};
  if (bottomUp != nullptr) *bottomUp = headerSize == kCoreHeaderBytes || ReadI32(dib + 8) > 0;
  const std::uint64_t pixelOffset = kFileHeaderBytes + headerSize + TableBytes(dib, headerSize);
  if (pixelOffset > kFileHeaderBytes + size) return {};
  // Qt reads DIBs as BMP files: put the 14-byte file header in front.
  QByteArray file(static_cast<qsizetype>(kFileHeaderBytes), '\0');
  const std::uint64_t fileSize = kFileHeaderBytes + size;
  file[0] = 'B';
  file[1] = 'M';
  for (int i = 0; i < 4; ++i) {
    file[2 + i] = static_cast<char>((fileSize >> (8 * i)) & 0xFF);
    file[10 + i] = static_cast<char>((pixelOffset >> (8 * i)) & 0xFF);
  }
  file.append(reinterpret_cast<const char*>(dib), static_cast<qsizetype>(size));
  return QImage::fromData(file, "BMP");
}

}  // namespace tinto
