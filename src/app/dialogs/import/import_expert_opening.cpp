// The Import Expert's source picture: opening it (dialog, dropped file, pasted image), replacing
// it, cropping it.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

#include "app/dialogs/import/destination_pane.h"
#include "app/dialogs/import/import_expert.h"
#include "app/dialogs/import/import_status_bar.h"
#include "app/dialogs/import/source_pane.h"
#include "app/editor/file_dialogs.h"
#include "app/platform/message_service.h"
#include "picture/bitmap_image.h"
#include "picture/picture_io.h"

void TImportExpert::OBMPClick() {
  if (m_openDialog == nullptr) return;
  m_timer.SetEnabled(false);
  OpenRequest request;
  request.title = QString::fromLatin1(kOpenPictureTitle);
  request.showPicture = true;
  if (const std::optional<QString> chosen = m_openDialog->Execute(request)) LoadSourceFile(*chosen);
  FinishOpening();
}

void TImportExpert::OpenSourceFile(const QString& path) {
  m_timer.SetEnabled(false);
  LoadSourceFile(path);
  FinishOpening();
}

void TImportExpert::OpenSourceImage(const QImage& image) {
  m_timer.SetEnabled(false);
  LoadedPicture loaded;
  if (image.isNull() || !tinto::StoreAsBitmap(QImage(image), loaded.picture))
    m_messages.ShowMessage(MessageKind::Error, QString::fromLatin1(kImportErrorText),
                           MessageButtons::Ok);
  else
    ReplacePicture(std::move(loaded));
  FinishOpening();
}

bool TImportExpert::QueueSourceFile(const QString& path) {
  m_queuedSource = ReadSourceFile(path);
  return m_queuedSource.has_value();
}

void TImportExpert::LoadSourceFile(const QString& path) {
  if (std::optional<LoadedPicture> loaded = ReadSourceFile(path))
    ReplacePicture(std::move(*loaded));
}

std::optional<TImportExpert::LoadedPicture> TImportExpert::ReadSourceFile(const QString& path) {
  LoadedPicture loaded;
  tinto::PictureNotes notes;
  if (tinto::LoadPicture(path.toStdString(), loaded.picture, &notes)) {
    loaded.truncated = notes.truncated;
    return loaded;
  }
  m_messages.ShowMessage(MessageKind::Error, QString::fromLatin1(kImportErrorText),
                         MessageButtons::Ok);
  return std::nullopt;
}

// The pane shows the new picture at once: it must never paint from rows that were replaced.
// A damaged picture is kept, and the status bar says so once it is shown; what it said of the
// picture before goes.
void TImportExpert::ReplacePicture(LoadedPicture loaded) {
  m_session.SetPicture(std::move(loaded.picture));
  m_openingNote = loaded.truncated ? QString::fromLatin1(tinto::kTruncatedWarning) : QString();
  UpdateStatusLabels();
  if (m_session.Loaded())
    m_sbSource->ShowBitmap(m_session.Picture(), Magnify());
  else
    m_sbSource->ShowEmpty();
}

// An opened picture brings the dialog back to converting, as showing it does.
void TImportExpert::FinishOpening() {
  if (m_session.Loaded()) {
    m_sbSource->ShowBitmap(m_session.Picture(), Magnify());
    m_sbDestin->ShowFirst();
  } else {
    m_sbSource->ShowEmpty();
    m_sbDestin->ShowEmpty();
  }
  EnableImportControls();
  FitSizeToPicture();
  m_importReady = true;
  ConvertImport();
  if (!m_openingNote.isEmpty()) m_pnStatus->ShowMessage(std::exchange(m_openingNote, {}));
}

void TImportExpert::CropPicture(const tinto::PixelRect& rect) {
  m_session.SetOptions(Options());
  if (!m_session.Crop(rect)) return;
  m_openingNote.clear();
  m_sbSource->ShowBitmap(m_session.Picture(), Magnify());
  ShowOptions(*m_session.Options());
  m_importReady = true;
  ConvertImport();
}

void TImportExpert::FitSizeToPicture() {
  if (!m_session.Loaded()) return;
  m_session.SetOptions(Options());
  ShowOptions(*m_session.FitSizeToPicture());
}

void TImportExpert::dragEnterEvent(QDragEnterEvent* event) {
  const QMimeData* data = event->mimeData();
  if (data->hasUrls() && !data->urls().isEmpty() && data->urls().first().isLocalFile())
    event->acceptProposedAction();
}

void TImportExpert::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.first().isLocalFile()) return;
  event->acceptProposedAction();
  OpenSourceFile(urls.first().toLocalFile());
}
