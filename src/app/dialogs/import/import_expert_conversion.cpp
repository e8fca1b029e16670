// The Import Expert's conversions: the option and slider handlers, "Convert", "Auto", the level
// preview and the flicker of both converted frames.
#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QSpinBox>

#include "app/dialogs/import/destination_pane.h"
#include "app/dialogs/import/import_expert.h"
#include "app/dialogs/import/import_sliders.h"
#include "app/dialogs/import/import_status_bar.h"
#include "app/dialogs/import/source_pane.h"
#include "app/platform/message_service.h"
#include "app/platform/vertical_retrace.h"

namespace {

QString MethodText(tinto::ImportMethod method) {
  const std::string_view name = tinto::ImportMethodName(method);
  return QString::fromLatin1(name.data(), static_cast<int>(name.size()));
}

}  // namespace

// A slider that a linked move carries along leaves the labels and the preview to the slider
// that moved its group, which shows them once with every value in place.
void TImportExpert::SliderChange(int index) {
  if (!isVisible() || !m_importReady) return;
  m_sliders->LinkedMove(index);
  if (m_sliders->MovingGroup()) return;
  UpdateStatusLabels();
  const bool classic = m_sliders->Row(index).UsedBy(tinto::ImportMethod::Classic);
  if (m_sliders->RT()->isChecked() && classic) ComputeLevelPreview();
}

// A size field resizes the previews in any case, then every option converts again; the status
// bar shows the values again in place of any message.
void TImportExpert::OptionChange(const tinto::ImportOptionRow& row) {
  EnableOptions();
  UpdateStatusLabels();
  if (row.place == tinto::OptionPlace::ToolBar) {
    const tinto::ScreenGeometry geometry = tinto::ImportGeometry(Options());
    const tinto::Bitmap24& dest1 = m_session.Dest1();
    if (dest1.Width() != geometry.WidthPixels() || dest1.Height() != geometry.DY()) SizePreviews();
  }
  ConvertImport();
}

void TImportExpert::RTClick() { m_sliders->Conv()->setEnabled(!m_sliders->RT()->isChecked()); }

void TImportExpert::ConvertImport() {
  if (!m_session.Loaded() || !isVisible() || !m_importReady) return;
  m_timer.SetEnabled(false);
  EnableOptions();
  ShowOptions(*m_session.SetOptions(Options()));
  if (const tinto::Status converted = m_session.Convert(); converted)
    ShowConversion();
  else
    m_messages.ShowMessage(MessageKind::Error, QString::fromStdString(converted.Message()),
                           MessageButtons::Ok);
  m_timer.SetEnabled(true);
}

void TImportExpert::ShowConversion() {
  m_sbSource->ShowBitmap(*m_session.Shown(), Magnify());
  m_pnStatus->ShowQuality(m_session.Score());
  ShowPreviews();
  m_sbDestin->RepaintPreviews();
}

void TImportExpert::AutoClick() {
  if (!m_session.Loaded() || !isVisible() || !m_importReady) return;
  m_timer.SetEnabled(false);
  ShowOptions(*m_session.SetOptions(Options()));
  QApplication::setOverrideCursor(Qt::WaitCursor);
  tinto::AutoOptions found;
  const tinto::Status status = m_session.RunAuto(found);
  QApplication::restoreOverrideCursor();
  if (status) {
    ShowOptions(*found.options);
    EnableImportControls();
    UpdateStatusLabels();
    ShowConversion();
    m_pnStatus->ShowMessage(QStringLiteral("Auto chose ") + MethodText(found.options->Method));
  } else {
    m_messages.ShowMessage(MessageKind::Error, QString::fromStdString(status.Message()),
                           MessageButtons::Ok);
  }
  m_timer.SetEnabled(m_session.Loaded());
}

void TImportExpert::ComputeLevelPreview() {
  if (!m_session.Loaded() || !isVisible() || !m_importReady) return;
  m_session.SetOptions(Options());
  if (m_session.PreviewLevels()) ShowPreviews();
}

// The source pane keeps the size of the bitmap it shows, magnified, so that a crop drawn
// after the change still maps onto that bitmap's pixels.
void TImportExpert::TMagnifyChange() {
  if (!isVisible()) return;
  SizePreviews();
  if (m_session.Loaded())
    m_sbSource->ShowBitmap(m_session.Shown() ? *m_session.Shown() : m_session.Picture(), Magnify());
}

void TImportExpert::SizePreviews() {
  m_session.SetOptions(Options());
  m_session.SizePreviews();
  ShowPreviews();
}

void TImportExpert::ShowPreviews() {
  const int m = Magnify();
  const tinto::Bitmap24& dest1 = m_session.Dest1();
  m_sbDestin->ShowPreviews(dest1, m_session.Dest2(), QSize(dest1.Width() * m, dest1.Height() * m));
  ShowMltLines();
}

void TImportExpert::ShowMltLines() {
  const tinto::ScreenGeometry geometry = tinto::ImportGeometry(Options());
  if (geometry.Mode() == tinto::AttrMode::Mode8x2) {
    m_sbDestin->SetMltLines(std::nullopt);
    return;
  }
  const int step = 8 * Magnify();
  m_sbDestin->SetMltLines(
      MltLines{geometry.MltLeft() * step, (geometry.MltLeft() + geometry.MltWidth()) * step});
}

void TImportExpert::TimerTimer() {
  if (!m_session.Loaded() || !isVisible()) return;
  m_sbDestin->SwapFrames();
  if (m_links.vsync && m_links.vsync()) WaitForVerticalRetrace(this);
}
