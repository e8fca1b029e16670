#include "app/document_flows.h"

#include <QAction>
#include <QSpinBox>
#include <filesystem>
#include <system_error>

#include "app/geometry_bar.h"
#include "app/main_form.h"
#include "app/open_dialog.h"
#include "core/format/native_format.h"
#include "core/format/ondrel_format.h"
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

TDocumentFlows::TDocumentFlows(TMainForm& form, MessageService& messages)
    : QObject(&form), m_form(form), m_messages(messages), m_saveDialog(&form) {}

bool TDocumentFlows::SaveDocument() {
  tinto::Document& document = m_form.Document();
  if (Contains(document.FileName(), tinto::kUntitledName) || document.ForceSaveDialog()) {
    if (!ChooseSaveName()) return false;
  }
  if (document.ForceSaveDialog() && !ConfirmOverwrite()) return false;
  const std::string& path = document.FileName();
  const tinto::Status written =
      m_writer ? m_writer(path, m_form.Screen(), m_form.Geometry())
               : tinto::WriteNativeFile(path, m_form.Screen(), m_form.Geometry());
  if (!written) {
    m_messages.ShowMessage(MessageKind::Error, Q(written.Message()), MessageButtons::Ok);
    return false;
  }
  m_form.SetModified(false);
  return true;
}

bool TDocumentFlows::ChooseSaveName() {
  m_saveDialog.SetTreeRolledUp(m_form.SaveTreePanelState());
  const QString chosen = m_saveDialog.Execute();
  m_form.SetSaveTreePanelState(m_saveDialog.TreeRolledUp());
  if (chosen.isEmpty()) return false;
  tinto::Document& document = m_form.Document();
  document.SetForceSaveDialog(true);
  std::string name = chosen.toStdString();
  // Any dot counts, also one in a folder name: such a name is used as typed.
  if (!Contains(name, ".")) name += ".tin";
  document.SetFileName(name);
  return true;
}

bool TDocumentFlows::ConfirmOverwrite() {
  const std::string& name = m_form.Document().FileName();
  if (!FileExists(name)) return true;
  const QString text = QStringLiteral("File: ") + Q(name) + QStringLiteral(" already Exists.") +
                       QStringLiteral("\n\r") + QStringLiteral("Overwrite?");
  return m_messages.ShowMessage(MessageKind::Error, text, MessageButtons::YesNo) ==
         MessageAnswer::Yes;
}

void TDocumentFlows::Save_11Click() {
  StopTimer();
  tinto::Document& document = m_form.Document();
  // A picture read from a two-file pair is named by its stem, which must not be written to
  // without asking.
  document.SetForceSaveDialog(tinto::IsOndrelPath(document.FileName()));
  SaveDocument();
  RestoreDisplay();
}

void TDocumentFlows::Save_21Click() {
  StopTimer();
  m_form.Document().SetForceSaveDialog(true);
  SaveDocument();
  RestoreDisplay();
}

void TDocumentFlows::New1Click() {
  StopTimer();
  if (m_form.Document().Modified()) {
    const MessageAnswer answer = AskSaveChanges(MessageButtons::YesNoCancel);
    if (answer == MessageAnswer::Yes) {
      Save_21Click();
      StopTimer();
    } else if (answer != MessageAnswer::No) {
      RestoreDisplay();
      return;
    }
  }
  RenameDocument(tinto::kUntitledName);
  m_form.Screen().ClearScreen();
  m_form.LayoutImages();
  RestoreDisplay();
}

void TDocumentFlows::Open1Click() {
  if (m_openDialog == nullptr) return;
  StopTimer();
  if (m_form.Document().Modified() && AskSaveChanges(MessageButtons::YesNo) == MessageAnswer::Yes) {
    Save_11Click();
    StopTimer();
  }
  m_openDialog->SetFilter(QString::fromLatin1(kOpenDocumentFilter));
  m_openDialog->SetTitle(QString::fromLatin1(kOpenDocumentTitle));
  m_openDialog->SetShowPicture(false);
  const bool confirmed = m_openRunner ? m_openRunner(*m_openDialog) : m_openDialog->Execute();
  if (confirmed) {
    m_form.Screen().ClearScreen();
    if (ReadChosenFile(m_openDialog->FileName().toStdString()))
      m_form.LayoutImages();
    else
      // Untitled, so that a later Save asks for a name instead of writing over the file that
      // failed to open.
      RenameDocument(tinto::kUntitledName);
  }
  RestoreDisplay();
}

bool TDocumentFlows::CloseQuerySave() {
  StopTimer();
  if (!m_form.Document().Modified()) return true;
  const MessageAnswer answer = AskSaveChanges(MessageButtons::YesNoCancel);
  if (answer == MessageAnswer::Yes) {
    Save_21Click();
    StopTimer();
    return true;
  }
  if (answer == MessageAnswer::No) return true;
  // The window stays: its display resumes as after any other pause.
  RestoreDisplay();
  return false;
}

MessageAnswer TDocumentFlows::AskSaveChanges(MessageButtons buttons) {
  const QString text = QStringLiteral("File ") + Q(m_form.Document().FileName()) +
                       QStringLiteral(" not saved.") + QStringLiteral("\n\r") +
                       QStringLiteral("Save Changes?");
  return m_messages.ShowMessage(MessageKind::Warning, text, buttons);
}

bool TDocumentFlows::ReadChosenFile(const std::string& path) {
  std::string name = path;
  const tinto::Status read =
      tinto::IsOndrelPath(path)
          ? tinto::ReadOndrelFiles(path, m_form.Screen(), m_form.Geometry(), name)
          : tinto::ReadNativeFile(path, m_form.Screen(), m_form.Geometry());
  if (!read) {
    m_messages.ShowMessage(MessageKind::Error, Q(read.Message()), MessageButtons::Ok);
    return false;
  }
  ShowGeometry();
  RenameDocument(name);
  return true;
}

// The reader has already set the geometry; the controls are its views and only need to show
// it. The guard keeps them from reacting while they are rewritten one by one.
void TDocumentFlows::ShowGeometry() {
  const tinto::ScreenGeometry geometry = m_form.Geometry();
  TGeometryBar* bar = m_form.SizePanel();
  bar->SetGuard(false);
  bar->DX()->setValue(geometry.DX());
  bar->DY()->setValue(geometry.DY());
  bar->MLTLeft()->setValue(geometry.MltLeft());
  bar->MLTWidth()->setValue(geometry.MltWidth());
  bar->SetGuard(true);
  const bool mode8x2 = geometry.Mode() == tinto::AttrMode::Mode8x2;
  m_form.Actions().Tinto8x1->setChecked(!mode8x2);
  m_form.Actions().Tinto8x2->setChecked(mode8x2);
}

// The title follows a new name only at a change of the modified flag, hence the pair.
void TDocumentFlows::RenameDocument(const std::string& name) {
  m_form.Document().SetFileName(name);
  m_form.SetModified(true);
  m_form.SetModified(false);
}

void TDocumentFlows::StopTimer() { m_form.Timer().SetEnabled(false); }

void TDocumentFlows::RestoreDisplay() { m_form.NoFlicClick(); }
