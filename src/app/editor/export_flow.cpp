#include "app/editor/export_flow.h"

#include <array>
#include <filesystem>
#include <system_error>

#include "app/editor/document_window.h"
#include "app/editor/editor_session.h"
#include "app/platform/message_service.h"
#include "core/format/ondrel_format.h"
#include "core/format/screen_file_format.h"
#include "core/model/frame_picture.h"
#include "picture/png_writer.h"

namespace {

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool FileExists(const std::string& path) {
  std::error_code error;
  return std::filesystem::exists(path, error);
}

struct ScreenFileChoice {
  ExportFormat format;
  tinto::ScreenFile file;
  tinto::FrameIndex frame;  // the screen a .scr holds
};

constexpr std::array<ScreenFileChoice, 7> kScreenFileExports = {{
    {ExportFormat::Scr1, tinto::ScreenFile::Scr, 0},
    {ExportFormat::Scr2, tinto::ScreenFile::Scr, 1},
    {ExportFormat::Img, tinto::ScreenFile::Img, 0},
    {ExportFormat::Mg8, tinto::ScreenFile::Mg8, 0},
    {ExportFormat::Mg4, tinto::ScreenFile::Mg4, 0},
    {ExportFormat::Mg2, tinto::ScreenFile::Mg2, 0},
    {ExportFormat::Mg1, tinto::ScreenFile::Mg1, 0},
}};

std::optional<ScreenFileChoice> ScreenFileOf(ExportFormat format) {
  for (const ScreenFileChoice& choice : kScreenFileExports)
    if (choice.format == format) return choice;
  return std::nullopt;
}

tinto::PictureFrame FrameOf(ExportFormat format) {
  if (format == ExportFormat::Frame1Png) return tinto::PictureFrame::First;
  if (format == ExportFormat::Frame2Png) return tinto::PictureFrame::Second;
  return tinto::PictureFrame::Mix;
}

}  // namespace

TExportFlow::TExportFlow(TEditorSession& session, DocumentWindow& window, MessageService& messages,
                         ExportFileDialog& dialog, QObject* parent)
    : QObject(parent),
      m_session(session),
      m_window(window),
      m_messages(messages),
      m_dialog(dialog) {}

void TExportFlow::Export1Click() {
  m_window.PauseDisplay();
  if (const std::optional<ExportChoice> choice = m_dialog.Execute()) Export(*choice);
  m_window.RestoreDisplay();
}

void TExportFlow::Export(const ExportChoice& choice) {
  const std::vector<std::string> targets = TargetFiles(choice);
  tinto::Status status = CheckHeld(choice);
  if (status && !ConfirmOverwrite(targets)) return;
  if (status) status = Write(choice, targets);
  if (!status)
    m_messages.ShowMessage(MessageKind::Error, QString::fromStdString(status.Message()),
                           MessageButtons::Ok);
}

// A screen file that cannot hold the picture is refused before the user is asked anything.
tinto::Status TExportFlow::CheckHeld(const ExportChoice& choice) const {
  const std::optional<ScreenFileChoice> screenFile = ScreenFileOf(choice.format);
  if (!screenFile) return tinto::Status::Ok();
  std::string bytes;
  return tinto::EncodeScreenFile(screenFile->file, m_session.Screen(), m_session.Geometry(),
                                 screenFile->frame, bytes);
}

std::vector<std::string> TExportFlow::TargetFiles(const ExportChoice& choice) {
  std::string path = choice.path.toStdString();
  if (choice.format != ExportFormat::TwoFile) {
    const std::optional<ScreenFileChoice> screenFile = ScreenFileOf(choice.format);
    if (std::filesystem::path(path).filename().string().find('.') == std::string::npos)
      path += screenFile ? std::string(tinto::ExtensionOf(screenFile->file)) : ".png";
    return {path};
  }
  if (EndsWith(path, ".od0") || EndsWith(path, ".od1"))
    path.resize(path.size() - 4);
  else if (EndsWith(path, ".od"))
    path.resize(path.size() - 3);
  return {path + ".od0", path + ".od1"};
}

// One question covers both files of a pair: the first of them that exists is named.
bool TExportFlow::ConfirmOverwrite(const std::vector<std::string>& targets) {
  for (const std::string& target : targets) {
    if (!FileExists(target)) continue;
    const QString text = QStringLiteral("File: ") + QString::fromStdString(target) +
                         QStringLiteral(" already Exists.") + QStringLiteral("\n\r") +
                         QStringLiteral("Overwrite?");
    return m_messages.ShowMessage(MessageKind::Error, text, MessageButtons::YesNo) ==
           MessageAnswer::Yes;
  }
  return true;
}

tinto::Status TExportFlow::Write(const ExportChoice& choice,
                                 const std::vector<std::string>& targets) {
  if (const std::optional<ScreenFileChoice> screenFile = ScreenFileOf(choice.format))
    return tinto::WriteScreenFile(targets.front(), screenFile->file, m_session.Screen(),
                                  m_session.Geometry(), screenFile->frame);
  if (choice.format == ExportFormat::TwoFile) {
    std::string stem;
    if (tinto::Status named = tinto::OndrelStemOf(targets.front(), stem); !named) return named;
    return tinto::WriteOndrelFiles(stem, m_session.Screen(), m_session.Geometry());
  }
  const tinto::Bitmap24 picture =
      tinto::RenderFramePicture(m_session.Screen(), m_session.Geometry(), FrameOf(choice.format),
                                /*attributes=*/true, choice.scale);
  return tinto::SavePng(picture, targets.front());
}
