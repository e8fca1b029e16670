#include "app/editor/export_flow.h"

#include <filesystem>
#include <system_error>

#include "app/editor/document_window.h"
#include "app/editor/editor_session.h"
#include "app/platform/message_service.h"
#include "core/format/ondrel_format.h"
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

tinto::PictureFrame FrameOf(ExportFormat format) {
  if (format == ExportFormat::Frame1Png) return tinto::PictureFrame::First;
  if (format == ExportFormat::Frame2Png) return tinto::PictureFrame::Second;
  return tinto::PictureFrame::Mix;
}

}  // namespace

TExportFlow::TExportFlow(TEditorSession& session, DocumentWindow& window, MessageService& messages,
                         QObject* parent)
    : QObject(parent),
      m_session(session),
      m_window(window),
      m_messages(messages),
      m_dialog(window.DialogParent()) {}

void TExportFlow::Export1Click() {
  m_window.PauseDisplay();
  if (const std::optional<ExportChoice> choice = m_dialog.Execute()) {
    const std::vector<std::string> targets = TargetFiles(*choice);
    if (ConfirmOverwrite(targets)) {
      const tinto::Status written = Write(*choice, targets);
      if (!written)
        m_messages.ShowMessage(MessageKind::Error, QString::fromStdString(written.Message()),
                               MessageButtons::Ok);
    }
  }
  m_window.RestoreDisplay();
}

std::vector<std::string> TExportFlow::TargetFiles(const ExportChoice& choice) {
  std::string path = choice.path.toStdString();
  if (choice.format != ExportFormat::TwoFile) {
    if (std::filesystem::path(path).filename().string().find('.') == std::string::npos)
      path += ".png";
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
