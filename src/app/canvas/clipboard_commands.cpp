#include "app/canvas/clipboard_commands.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <string_view>

#include "app/canvas/canvas_controller.h"
#include "app/editor/editor_session.h"
#include "app/editor/view_state.h"
#include "core/format/cell_payload.h"
#include "core/model/frame_picture.h"
#include "picture/bitmap_image.h"

namespace {

QString PayloadType() { return QString::fromLatin1(tinto::kCellPayloadMimeType); }

}  // namespace

TClipboardCommands::TClipboardCommands(TEditorSession& session, TViewState& view,
                                       TCanvasController& canvas, ClipboardActions actions,
                                       QObject* parent)
    : QObject(parent), m_session(session), m_view(view), m_canvas(canvas), m_actions(actions) {
  connect(actions.cut, &QAction::triggered, this, &TClipboardCommands::Cut1Click);
  connect(actions.copy, &QAction::triggered, this, &TClipboardCommands::Copy1Click);
  connect(actions.paste, &QAction::triggered, this, &TClipboardCommands::Paste1Click);
  connect(&canvas, &TCanvasController::SelectionChanged, this, &TClipboardCommands::UpdateActions);
  connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
          &TClipboardCommands::UpdateActions);
  UpdateActions();
}

void TClipboardCommands::Cut1Click() {
  if (!HasMarquee()) return;
  Copy1Click();
  m_canvas.ClearMarquee();
}

void TClipboardCommands::Copy1Click() {
  if (HasMarquee()) QGuiApplication::clipboard()->setMimeData(MarqueeData());
}

void TClipboardCommands::Paste1Click() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (data == nullptr) return;
  if (const std::optional<tinto::ClipboardCells> cells = PastedCells(*data)) {
    m_canvas.PlacePastedCopy(*cells);
    return;
  }
  if (data->hasImage() && m_importer) m_importer(qvariant_cast<QImage>(data->imageData()));
}

void TClipboardCommands::UpdateActions() {
  const bool marquee = HasMarquee();
  m_actions.cut->setEnabled(marquee);
  m_actions.copy->setEnabled(marquee);
  // Decided from the offered formats alone: another program's payload is fetched only when it
  // is pasted, however large it is.
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  m_actions.paste->setEnabled(data != nullptr &&
                              (data->hasFormat(PayloadType()) || data->hasImage()));
}

// A marquee being drawn does not count until the button is released.
bool TClipboardCommands::HasMarquee() const {
  const tinto::SelectionRecord& marquee = m_canvas.Selection().Current();
  return marquee.active && !m_canvas.Selection().Dragging() && marquee.x1 < marquee.x2 &&
         marquee.y1 < marquee.y2;
}

QMimeData* TClipboardCommands::MarqueeData() const {
  const tinto::SelectionRecord& marquee = m_canvas.Selection().Current();
  const tinto::ClipboardCells cells =
      tinto::CopyCells(m_session.Screen(), m_session.Geometry(), marquee, m_view.EditedFrame());
  const std::string payload = tinto::EncodeCellPayload(cells);
  auto* data = new QMimeData;
  data->setData(PayloadType(), QByteArray(payload.data(), static_cast<qsizetype>(payload.size())));
  const tinto::Bitmap24 mix = tinto::RenderFramePicture(m_session.Screen(), m_session.Geometry(),
                                                        tinto::PictureFrame::Mix, true, 1);
  data->setImageData(
      tinto::BitmapToImage(mix).copy(marquee.x1, marquee.y1, cells.width, cells.height));
  return data;
}

std::optional<tinto::ClipboardCells> TClipboardCommands::PastedCells(const QMimeData& data) {
  if (!data.hasFormat(PayloadType())) return std::nullopt;
  // Qt hands over the whole payload and cannot say its size first; a payload larger than any
  // picture's cells is dropped before it is decoded.
  const QByteArray bytes = data.data(PayloadType());
  if (static_cast<std::size_t>(bytes.size()) > tinto::kMaxCellPayloadBytes) return std::nullopt;
  return tinto::DecodeCellPayload(
      std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}
