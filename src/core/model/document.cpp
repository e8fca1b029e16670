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

std::string WithTintoExtension(const std::string& name) {
  const std::size_t separator = name.rfind(kSeparator);
  const std::size_t ownStart = separator == std::string::npos ? 0 : separator + 1;
  if (name.find('.', ownStart) != std::string::npos) return name;
  return name + ".tin";
}

Document::Document(DirectoryProvider currentDirectory)
    : m_currentDirectory(std::move(currentDirectory)) {
  if (!m_currentDirectory) m_currentDirectory = ProcessDirectory;
  SetFileName(kUntitledName);
}

std::string Document::AbsoluteName(const std::string& name) const {
  std::filesystem::path path(name);
  if (!path.is_absolute()) {
    std::string dir = m_currentDirectory();
    if (dir.empty() || dir.back() != kSeparator) dir += kSeparator;
    path = dir + name;
  }
  return path.lexically_normal().string();
}

void Document::SetFileName(const std::string& name) {
  m_fileName = AbsoluteName(name);
  BuildTitle();
}

void Document::SetModified(bool value) {
  m_modified = value;
  BuildTitle();
}

void Document::BuildTitle() {
  m_appTitle = "Tinto Editor - [" + m_fileName + "]";
  m_caption = m_modified ? m_appTitle + "*" : m_appTitle;
}

}  // namespace tinto
