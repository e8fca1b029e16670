#include "app/editor/document_flows.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>

#include "app/editor/document_window.h"
#include "app/editor/editor_session.h"
#include "app/editor/opened_file_kind.h"
#include "core/format/file_prefix.h"
#include "core/format/native_format.h"
#include "core/format/ondrel_format.h"
#include "core/format/screen_file_format.h"
#include "core/model/document.h"

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

bool Contains(const std::string& text, const char* part) {
  return text.find(part) != std::string::npos;
}

// A folder of that name does not count: writing over it fails with the system's own text.
bool FileExists(const std::string& path) {
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  return std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

}  // namespace

TDocumentFlows::TDocumentFlows(TEditorSession& session, DocumentWindow& window,
                               MessageService& messages, SaveFileDialog& saveDialog,
                               QObject* parent)
    : QObject(parent),
      m_session(session),
      m_window(window),
      m_messages(messages),
      m_saveDialog(saveDialog) {}

bool TDocumentFlows::SaveDocument(bool forceSaveDialog) {
  tinto::Document& document = m_session.Document();
  const bool askForName = Contains(document.FileName(), tinto::kUntitledName) || forceSaveDialog;
  std::string target = document.FileName();
  if (askForName) {
    std::optional<std::string> chosen = ChooseSaveName();
    if (!chosen) return false;
    target = std::move(*chosen);
    if (!ConfirmOverwrite(target)) return false;
  }
  const tinto::Status written =
      m_writer ? m_writer(target, m_session.Screen(), m_session.Geometry())
               : tinto::WriteNativeFile(target, m_session.Screen(), m_session.Geometry());
  if (!written) {
    m_messages.ShowMessage(MessageKind::Error, Q(written.Message()), MessageButtons::Ok);
    return false;
  }
  // The document takes the new name only now that the file holds the picture: a declined
  // overwrite or a failed write must leave F2 pointing where it pointed before.
  m_session.MarkSaved(target);
  return true;
}

std::optional<std::string> TDocumentFlows::ChooseSaveName() {
  const QString chosen = m_saveDialog.Execute();
  if (chosen.isEmpty()) return std::nullopt;
  return m_session.Document().AbsoluteName(tinto::WithTintoExtension(chosen.toStdString()));
}

bool TDocumentFlows::ConfirmOverwrite(const std::string& name) {
  if (!FileExists(name)) return true;
  const QString text = QStringLiteral("File: ") + Q(name) + QStringLiteral(" already Exists.") +
                       QStringLiteral("\n\r") + QStringLiteral("Overwrite?");
  return m_messages.ShowMessage(MessageKind::Error, text, MessageButtons::YesNo) ==
         MessageAnswer::Yes;
}

void TDocumentFlows::Save_11Click() {
  StopTimer();
  // A picture read from a two-file pair is named by its stem, which must not be written to
  // without asking.
  SaveDocument(tinto::IsOndrelStem(m_session.Document().FileName()));
  RestoreDisplay();
}

void TDocumentFlows::Save_21Click() {
  StopTimer();
  SaveDocument(true);
  RestoreDisplay();
}

void TDocumentFlows::New1Click() {
  StopTimer();
  if (m_session.Document().Modified()) {
    const MessageAnswer answer = AskSaveChanges(MessageButtons::YesNoCancel);
    const bool goOn = answer == MessageAnswer::No || (answer == MessageAnswer::Yes && SavedAs());
    if (!goOn) {
      RestoreDisplay();
      return;
    }
  }
  m_window.DropSelection();
  m_session.Screen().ClearScreen();
  m_session.StartDocument(tinto::kUntitledName);
  m_window.ShowNewPicture();
  RestoreDisplay();
}

void TDocumentFlows::Open1Click() {
  if (m_openDialog == nullptr) return;
  StopTimer();
  if (KeepsUnsavedPicture()) {
    RestoreDisplay();
    return;
  }
  OpenRequest request;
  request.title = QString::fromLatin1(kOpenDocumentTitle);
  request.filter = QString::fromLatin1(kOpenDocumentFilter);
  if (const std::optional<QString> chosen = m_openDialog->Execute(request))
    OpenPictureFile(m_session.Document().AbsoluteName(chosen->toStdString()));
  RestoreDisplay();
}

void TDocumentFlows::OpenFile(const QString& path) {
  // A folder, a FIFO or a device is named with what is wrong before any reader sees it; a
  // missing file is the readers' to report.
  const tinto::Status file = tinto::CheckReadableFile(path.toStdString());
  if (!file && std::filesystem::exists(std::filesystem::status(path.toStdString()))) {
    m_messages.ShowMessage(MessageKind::Error, path + QStringLiteral(": ") + Q(file.Message()),
                           MessageButtons::Ok);
    return;
  }
  if (KindOfOpenedFile(path) != OpenedFileKind::Picture) {
    ImportPhotoFile(path);
    return;
  }
  StopTimer();
  if (!KeepsUnsavedPicture()) OpenPictureFile(path.toStdString());
  RestoreDisplay();
}

bool TDocumentFlows::KeepsUnsavedPicture() {
  if (!m_session.Document().Modified() ||
      AskSaveChanges(MessageButtons::YesNo) != MessageAnswer::Yes)
    return false;
  Save_11Click();
  StopTimer();
  // The picture was not saved: it must not be cleared by the open that follows.
  return m_session.Document().Modified();
}

void TDocumentFlows::OpenPictureFile(const std::string& path) {
  if (tinto::ScreenFileOfPath(path)) {
    OpenScreenFile(path);
    return;
  }
  m_window.DropSelection();
  m_session.Screen().ClearScreen();
  if (ReadChosenFile(path))
    m_window.ShowNewPicture();
  else
    // Untitled, so that a later Save asks for a name instead of writing over the file that
    // failed to open.
    m_session.StartDocument(tinto::kUntitledName);
}

// Another tool's picture is not a .tin: it comes in as an import does, untitled and modified,
// and a file that does not read changes nothing.
void TDocumentFlows::OpenScreenFile(const std::string& path) {
  ImportedPicture picture{m_session.Geometry(), {}};
  auto screen = std::make_unique<tinto::ScreenBuffers>();
  const tinto::Status read = tinto::ReadScreenFile(path, *screen, picture.geometry);
  if (!read) {
    m_messages.ShowMessage(MessageKind::Error, Q(read.Message()), MessageButtons::Ok);
    return;
  }
  picture.result.pixels = screen->Pixels();
  picture.result.attrs = screen->Attrs();
  TakeImport(picture);
}

void TDocumentFlows::Import1Click() {
  if (!m_importRunner) return;
  StopTimer();
  if (const std::optional<ImportedPicture> picture = m_importRunner()) TakeImport(*picture);
  RestoreDisplay();
}

void TDocumentFlows::ImportPhotoFile(const QString& path) {
  if (!m_photoImportRunner) return;
  StopTimer();
  if (const std::optional<ImportedPicture> picture = m_photoImportRunner(path))
    TakeImport(*picture);
  RestoreDisplay();
}

// The geometry is taken as the dialog shows it, without fitting the MLT window: the dialog
// fitted it with its last conversion.
void TDocumentFlows::TakeImport(const ImportedPicture& picture) {
  m_window.DropSelection();
  m_session.TakePicture(picture.geometry, picture.result.pixels, picture.result.attrs,
                        tinto::ChangeKind::Import);
  m_window.ShowNewPicture();
}

bool TDocumentFlows::CloseQuerySave() {
  StopTimer();
  if (!m_session.Document().Modified()) return true;
  const MessageAnswer answer = AskSaveChanges(MessageButtons::YesNoCancel);
  if (answer == MessageAnswer::No || (answer == MessageAnswer::Yes && SavedAs())) return true;
  // The window stays: its display resumes as after any other pause.
  RestoreDisplay();
  return false;
}

// Save As for a save-changes prompt answered Yes: true when the picture is safe on disk, so
// that the flow may throw it away.
bool TDocumentFlows::SavedAs() {
  Save_21Click();
  StopTimer();
  return !m_session.Document().Modified();
}

MessageAnswer TDocumentFlows::AskSaveChanges(MessageButtons buttons) {
  const QString text = QStringLiteral("File ") + Q(m_session.Document().FileName()) +
                       QStringLiteral(" not saved.") + QStringLiteral("\n\r") +
                       QStringLiteral("Save Changes?");
  return m_messages.ShowMessage(MessageKind::Warning, text, buttons);
}

bool TDocumentFlows::ReadChosenFile(const std::string& path) {
  std::string name = path;
  const tinto::Status read =
      tinto::IsOndrelPath(path)
          ? tinto::ReadOndrelFiles(path, m_session.Screen(), m_session.Geometry(), name)
          : tinto::ReadNativeFile(path, m_session.Screen(), m_session.Geometry());
  if (!read) {
    m_messages.ShowMessage(MessageKind::Error, Q(read.Message()), MessageButtons::Ok);
    return false;
  }
  m_session.StartDocument(name);
  return true;
}

void TDocumentFlows::StopTimer() { m_window.PauseDisplay(); }

void TDocumentFlows::RestoreDisplay() { m_window.RestoreDisplay(); }
