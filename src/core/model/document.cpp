#include "core/model/document.h"

#include <filesystem>
#include <system_error>

namespace tinto {
namespace {

constexpr char kSeparator = static_cast<char>(std::filesystem::path::preferred_separator);

std::string ProcessDirectory() {
  std::error_code error;
  std::string dir = std::filesystem::current_path(error).string();
  return error ? std::string() : dir;
}

}  // namespace

bool HasDirectoryPart(const std::string& name) { return name.find(kSeparator) != std::string::npos; }

Document::Document(const ScreenBuffers& screen, UndoSnapshot& undo, DirectoryProvider currentDirectory)
    : m_screen(screen), m_undo(undo), m_currentDirectory(std::move(currentDirectory)) {
  if (!m_currentDirectory) m_currentDirectory = ProcessDirectory;
}

void Document::SetModified(bool value) {
  if (!m_undo.Available()) m_undo.Take(m_screen);
  if (value == m_modified) return;
  MakeFileNameAbsolute();
  m_appTitle = "Tinto Editor - [" + m_fileName + "]";
  m_caption = m_appTitle;
  m_modified = value;
  if (value)
    m_caption += "*";
  else
    m_undo.Disable();
}

void Document::Reset() {
  m_fileName = kUntitledName;
  SetModified(true);
  SetModified(false);
}

void Document::MakeFileNameAbsolute() {
  if (HasDirectoryPart(m_fileName)) return;
  std::string dir = m_currentDirectory();
  if (dir.empty() || dir.back() != kSeparator) dir += kSeparator;
  m_fileName = dir + m_fileName;
}

}  // namespace tinto
