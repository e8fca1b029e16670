#include "picture/emf_renderer.h"

#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QSvgRenderer>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

#include "picture/bitmap_image.h"
#include "picture/byte_reader.h"
#include "picture/font_support.h"
#include "picture/picture_limits.h"
#include "picture/qt_chatter.h"

extern "C" {
#include <emf2svg.h>
#include <uemf.h>
#include <uemf_safe.h>
}

namespace tinto {
namespace {

constexpr std::size_t kHeaderBytes = 88;
constexpr std::uint32_t kHeaderRecord = 1;
constexpr std::uint32_t kSignature = 0x464D4520;  // " EMF"
constexpr std::size_t kRecordHeadBytes = 8;
constexpr std::size_t kDescriptionCountAt = 60;
constexpr std::size_t kDescriptionOffsetAt = 64;
constexpr double kHundredthsMmPerInch = 2540.0;
constexpr double kPixelsPerInch = 96.0;

struct RectL {
  std::int32_t left, top, right, bottom;
  double Width() const { return static_cast<double>(right) - left; }
  double Height() const { return static_cast<double>(bottom) - top; }
};

struct EmfHeader {
  RectL bounds;    // device pixels, inclusive
  RectL frame;     // 0.01 mm, inclusive
  double deviceX;  // reference device pixels per 0.01 mm
  double deviceY;
};

RectL ReadRect(const std::uint8_t* p) {
  return {ReadI32(p), ReadI32(p + 4), ReadI32(p + 8), ReadI32(p + 12)};
}

double DevicePerHundredthMm(std::int32_t pixels, std::int32_t millimeters) {
  if (pixels <= 0 || millimeters <= 0) return kPixelsPerInch / kHundredthsMmPerInch;
  return static_cast<double>(pixels) / (100.0 * millimeters);
}

Status ReadHeader(const std::uint8_t* data, std::size_t size, EmfHeader& header) {
  if (size < kHeaderBytes || ReadU32(data) != kHeaderRecord || ReadU32(data + 40) != kSignature)
    return Status::Error("Not an EMF picture");
  const std::uint32_t headerSize = ReadU32(data + 4);
  if (headerSize < kHeaderBytes || headerSize > size) return Status::Error("Damaged EMF header");
  header.bounds = ReadRect(data + 8);
  header.frame = ReadRect(data + 24);
  header.deviceX = DevicePerHundredthMm(ReadI32(data + 72), ReadI32(data + 80));
  header.deviceY = DevicePerHundredthMm(ReadI32(data + 76), ReadI32(data + 84));
  return Status::Ok();
}

bool HasFrame(const EmfHeader& header) {
  return header.frame.Width() > 0 && header.frame.Height() > 0;
}

// Rounded and kept where the conversion to int is safe; CheckPictureSize refuses the rest.
int ToPixels(double value) { return static_cast<int>(std::clamp(std::round(value), -1e9, 1e9)); }

// The picture's size in output pixels.
QSize PixelSize(const EmfHeader& header) {
  if (!HasFrame(header))
    return QSize(ToPixels(header.bounds.Width() + 1), ToPixels(header.bounds.Height() + 1));
  const double scale = kPixelsPerInch / kHundredthsMmPerInch;
  return QSize(std::max(1, ToPixels(header.frame.Width() * scale)),
               std::max(1, ToPixels(header.frame.Height() * scale)));
}

// The part of libemf2svg's drawing that the frame covers. Its coordinates are device pixels
// shifted so that the bounds' top-left corner is the origin.
QRectF FrameInSvg(const EmfHeader& header) {
  const RectL& b = header.bounds;
  if (!HasFrame(header)) return QRectF(0, 0, b.Width() + 1, b.Height() + 1);
  const RectL& f = header.frame;
  return QRectF(f.left * header.deviceX - b.left, f.top * header.deviceY - b.top,
                f.Width() * header.deviceX, f.Height() * header.deviceY);
}

// Removes <text ...>...</text> elements, for drawing without fonts.
void RemoveText(QByteArray& svg) {
  for (qsizetype start = svg.indexOf("<text"); start >= 0; start = svg.indexOf("<text", start)) {
    const qsizetype end = svg.indexOf("</text>", start);
    if (end < 0) {
      svg.truncate(start);
      break;
    }
    svg.remove(start, end + 7 - start);
  }
}

void WriteU32(std::vector<char>& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// libemf2svg trusts the counts and offsets inside records. libuemf's checks find records whose
// contents reach past their own end; such a file is refused before it is converted.
Status CheckRecords(const std::vector<char>& contents) {
  const auto* data = reinterpret_cast<const std::uint8_t*>(contents.data());
  for (std::size_t at = 0; contents.size() - at >= kRecordHeadBytes;) {
    const std::uint32_t type = ReadU32(data + at), size = ReadU32(data + at + 4);
    if (size < kRecordHeadBytes || size % 4 != 0 || size > contents.size() - at)
      return Status::Error("Damaged EMF record");
    // Unknown record types are skipped by the converter and need no check.
    if (type >= U_EMR_MIN && type <= U_EMR_MAX && !U_emf_record_safe(contents.data() + at))
      return Status::Error("Damaged EMF record");
    if (type == U_EMR_EOF) break;
    at += size;
  }
  return Status::Ok();
}

// Precondition: ReadHeader accepted the data, so the whole header is there.
Status ConvertToSvg(const std::uint8_t* data, std::size_t size, QByteArray& svg) {
  std::vector<char> contents(data, data + size);  // libemf2svg takes a non-const buffer
  // libemf2svg reads the header's description string without bounds; we never show it.
  WriteU32(contents, kDescriptionCountAt, 0);
  WriteU32(contents, kDescriptionOffsetAt, 0);
  // libuemf's checks and the converter print warnings of their own ("EMF WARNING: could not
  // safety check record ..." for types they do not know); they are not the user's business.
  StderrCapture chatter({"EMF ", "WARNING"});
  if (Status checked = CheckRecords(contents); !checked) return checked;
  generatorOptions options{};
  char emptyNamespace[] = "";
  options.nameSpace = emptyNamespace;
  // GDI records only: EMF+ records are a second, unchecked copy of the picture.
  options.emfplus = false;
  options.svgDelimiter = true;
  char* text = nullptr;
  std::size_t length = 0;
  const int converted = emf2svg(contents.data(), contents.size(), &text, &length, &options);
  std::unique_ptr<char, decltype(&std::free)> owner(text, &std::free);
  if (converted != 1 || text == nullptr || length == 0)
    return Status::Error("Cannot convert the EMF picture");
  svg = QByteArray(text, static_cast<qsizetype>(length));
  return Status::Ok();
}

}  // namespace

Status RenderEmf(const std::uint8_t* data, std::size_t size, Bitmap24& out) {
  if (data == nullptr || size == 0) return Status::Error("Empty EMF file");
  EmfHeader header;
  if (Status read = ReadHeader(data, size, header); !read) return read;
  const QSize pixels = PixelSize(header);
  if (Status fits = CheckPictureSize(pixels.width(), pixels.height()); !fits) return fits;
  QByteArray svg;
  if (Status converted = ConvertToSvg(data, size, svg); !converted) return converted;
  if (!FontsAvailable()) RemoveText(svg);
  QSvgRenderer renderer(svg);
  if (!renderer.isValid()) return Status::Error("Cannot draw the EMF picture");
  renderer.setViewBox(FrameInSvg(header));
  QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) return OutOfMemory();
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    renderer.render(&painter, QRectF(0, 0, pixels.width(), pixels.height()));
  }
  return StoreAsBitmap(std::move(image), out);
}

}  // namespace tinto
