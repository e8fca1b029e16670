// The player, its record dispatch and the records that change the device context; the records
// that draw are in wmf_drawing.cpp.
#include "picture/wmf_player.h"

#include <QImage>
#include <array>
#include <cmath>
#include <utility>

#include "picture/bitmap_image.h"

extern "C" {
#include <uwmf.h>
}

namespace tinto {
namespace {

constexpr std::size_t kMaxSavedStates = 1024;
constexpr int kMaxRecords = 1'000'000;

// Repeated scaling could shrink an extent to nothing or blow it up past any sensible mapping.
bool UsableExtent(double extent) { return std::abs(extent) >= 1e-3 && std::abs(extent) <= 1e9; }

}  // namespace

WmfPlayer::WmfPlayer(QPainter& painter, const WmfFrame& frame, int objectCount)
    : m_painter(painter),
      m_width(frame.width),
      m_height(frame.height),
      m_objects(objectCount),
      m_budget(frame.width, frame.height) {
  m_state.window = frame.window;
  m_painter.setRenderHint(QPainter::Antialiasing, false);
}

void WmfPlayer::Play(const WmfRecord& record) {
  using Handler = bool (WmfPlayer::*)(const WmfRecord&);
  static constexpr std::array<Handler, 9> kHandlers = {
      &WmfPlayer::PlayState, &WmfPlayer::PlayWindow, &WmfPlayer::PlayObject,
      &WmfPlayer::PlayClip,  &WmfPlayer::PlayShape,  &WmfPlayer::PlayPoly,
      &WmfPlayer::PlayArc,   &WmfPlayer::PlayBitmap, &WmfPlayer::PlayText};
  for (Handler handler : kHandlers)
    if ((this->*handler)(record)) return;
}

bool WmfPlayer::PlayState(const WmfRecord& r) {
  State& s = m_state;
  switch (r.Type()) {
    case U_WMR_SETBKCOLOR:
      if (r.Has(2)) s.backColor = ColorRefAt(r, 0);
      return true;
    case U_WMR_SETTEXTCOLOR:
      if (r.Has(2)) s.textColor = ColorRefAt(r, 0);
      return true;
    case U_WMR_SETBKMODE:
      if (r.Has(1)) s.opaqueBack = r.Word(0) == U_OPAQUE;
      return true;
    case U_WMR_SETTEXTALIGN:
      if (r.Has(1)) s.textAlign = r.Word(0);
      return true;
    case U_WMR_MOVETO:
      if (r.Has(2)) s.position = PointAt(r, 0);
      return true;
    case U_WMR_SETPOLYFILLMODE:
      if (r.Has(1)) s.fillRule = r.Word(0) == U_WINDING ? Qt::WindingFill : Qt::OddEvenFill;
      return true;
    case U_WMR_SAVEDC:
      if (m_saved.size() < kMaxSavedStates) m_saved.push_back(s);
      return true;
    case U_WMR_RESTOREDC:
      if (r.Has(1)) RestoreDC(r.Int(0));
      return true;
    default:
      return false;
  }
}

// Only the window is followed: the picture always shows the whole window, so viewport and
// mapping-mode records change nothing.
bool WmfPlayer::PlayWindow(const WmfRecord& r) {
  WmfWindow& w = m_state.window;
  switch (r.Type()) {
    case U_WMR_SETWINDOWORG:
      if (r.Has(2)) {
        w.x = r.Int(1);
        w.y = r.Int(0);
      }
      return true;
    case U_WMR_SETWINDOWEXT:
      if (r.Has(2) && r.Int(0) != 0 && r.Int(1) != 0) {
        w.width = r.Int(1);
        w.height = r.Int(0);
      }
      return true;
    case U_WMR_OFFSETWINDOWORG:
      if (r.Has(2)) {
        w.x += r.Int(1);
        w.y += r.Int(0);
      }
      return true;
    case U_WMR_SCALEWINDOWEXT:
      // Parameters: y denominator, y numerator, x denominator, x numerator.
      if (r.Has(4) && r.Int(0) != 0 && r.Int(2) != 0) {
        const double width = w.width * r.Int(3) / r.Int(2);
        const double height = w.height * r.Int(1) / r.Int(0);
        if (UsableExtent(width) && UsableExtent(height)) {
          w.width = width;
          w.height = height;
        }
      }
      return true;
    case U_WMR_SETMAPMODE:
    case U_WMR_SETVIEWPORTORG:
    case U_WMR_SETVIEWPORTEXT:
    case U_WMR_OFFSETVIEWPORTORG:
    case U_WMR_SCALEVIEWPORTEXT:
      return true;
    default:
      return false;
  }
}

bool WmfPlayer::PlayObject(const WmfRecord& r) {
  const int type = r.Type();
  if (type != U_WMR_SELECTOBJECT && type != U_WMR_DELETEOBJECT) {
    WmfObject created;
    if (!CreateWmfObject(r, created)) return false;
    m_objects.Add(std::move(created));
    return true;
  }
  const WmfObject* slot = r.Has(1) ? m_objects.Find(r.Word(0)) : nullptr;
  if (slot == nullptr) return true;
  if (type == U_WMR_DELETEOBJECT) {
    m_objects.Remove(r.Word(0));
  } else if (const auto* pen = std::get_if<QPen>(slot)) {
    m_state.pen = *pen;
  } else if (const auto* brush = std::get_if<QBrush>(slot)) {
    m_state.brush = *brush;
  } else if (const auto* font = std::get_if<WmfFont>(slot)) {
    m_state.font = *font;
  }
  return true;
}

bool WmfPlayer::PlayClip(const WmfRecord& r) {
  const int type = r.Type();
  if (type == U_WMR_SELECTCLIPREGION) {
    m_state.clip.reset();  // regions are not kept, so any region selection clears the clip
    return true;
  }
  if (type != U_WMR_INTERSECTCLIPRECT && type != U_WMR_EXCLUDECLIPRECT) return false;
  if (!r.Has(4)) return true;
  const QRegion current = m_state.clip.value_or(QRegion(0, 0, m_width, m_height));
  // Only the part inside the picture matters, and it keeps the conversion to ints in range.
  const QRegion rect(Transform()
                         .mapRect(RectAt(r, 0))
                         .intersected(QRectF(0, 0, m_width, m_height))
                         .toAlignedRect());
  m_state.clip =
      type == U_WMR_INTERSECTCLIPRECT ? current.intersected(rect) : current.subtracted(rect);
  return true;
}

QTransform WmfPlayer::Transform() const {
  const WmfWindow& w = m_state.window;
  const double sx = m_width / w.width, sy = m_height / w.height;
  return QTransform(sx, 0, 0, sy, -w.x * sx, -w.y * sy);
}

void WmfPlayer::Prepare() {
  m_painter.resetTransform();
  if (m_state.clip)
    m_painter.setClipRegion(*m_state.clip);
  else
    m_painter.setClipping(false);
  m_painter.setWorldTransform(Transform());
  m_painter.setPen(m_state.pen);
  m_painter.setBrush(m_state.brush);
  m_painter.setBackground(m_state.backColor);
  m_painter.setBackgroundMode(m_state.opaqueBack ? Qt::OpaqueMode : Qt::TransparentMode);
  m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

// `which` < 0 goes back that many saves; `which` > 0 names the save by its number from 1.
void WmfPlayer::RestoreDC(int which) {
  std::size_t keep = 0;
  if (which < 0 && static_cast<std::size_t>(-which) <= m_saved.size())
    keep = m_saved.size() - static_cast<std::size_t>(-which);
  else if (which > 0 && static_cast<std::size_t>(which) <= m_saved.size())
    keep = static_cast<std::size_t>(which) - 1;
  else
    return;
  m_state = m_saved[keep];
  m_saved.resize(keep);
}

QRectF WmfPlayer::RectAt(const WmfRecord& r, std::size_t index) const {
  return QRectF(QPointF(r.Int(index + 3), r.Int(index + 2)),
                QPointF(r.Int(index + 1), r.Int(index)))
      .normalized();
}

QPointF WmfPlayer::PointAt(const WmfRecord& r, std::size_t index) const {
  return QPointF(r.Int(index + 1), r.Int(index));
}

Status RenderWmf(const std::uint8_t* data, std::size_t size, Bitmap24& out,
                 std::int64_t maxPixels) {
  if (data == nullptr || size == 0) return Status::Error("Empty WMF file");
  WmfHeader header;
  if (Status read = ReadWmfHeader(data, size, header); !read) return read;
  WmfFrame frame;
  if (Status framed = ReadWmfFrame(data, size, header, maxPixels, frame); !framed) return framed;
  QImage image(frame.width, frame.height, QImage::Format_RGB32);
  if (image.isNull()) return OutOfMemory();
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    WmfPlayer player(painter, frame, header.objectCount);
    WmfRecordReader reader(data, size, header.firstRecord);
    WmfRecord record;
    for (int played = 0; played < kMaxRecords && reader.Next(record); ++played) {
      player.Play(record);
      if (player.OverBudget()) return Status::Error("Picture too complex");
    }
  }
  return StoreAsBitmap(std::move(image), out);
}

}  // namespace tinto
