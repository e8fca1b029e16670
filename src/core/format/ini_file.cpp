#include "core/format/ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <system_error>

#include "core/format/atomic_file.h"
#include "core/format/ini_text.h"
#include "core/format/settings_keys.h"

namespace tinto {
namespace {

// A settings file is a few kilobytes; anything far larger is not one and is left alone.
constexpr off_t kMaxIniBytes = 16 * 1024 * 1024;
// The reader's buffer holds 2048 characters including the terminating NUL.
constexpr std::size_t kMaxValueChars = 2047;

enum class LoadResult { Ok, Missing, Failed };

LoadResult ReadWholeFile(int fd, std::string& bytes) {
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kMaxIniBytes)
    return LoadResult::Failed;
  bytes.resize(static_cast<std::size_t>(info.st_size));
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return LoadResult::Failed;
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  bytes.resize(done);
  return LoadResult::Ok;
}

LoadResult LoadFile(const std::string& path, std::string& bytes) {
  // Non-blocking, so that a FIFO at the path cannot hang the program; fstat rejects it.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return errno == ENOENT ? LoadResult::Missing : LoadResult::Failed;
  LoadResult result = ReadWholeFile(fd, bytes);
  ::close(fd);
  return result;
}

std::optional<std::string> ReadValue(const std::string& path, std::string_view section,
                                     std::string_view key) {
  std::string bytes;
  if (LoadFile(path, bytes) != LoadResult::Ok) return std::nullopt;
  std::optional<std::string_view> value = FindIniValue(bytes, section, key);
  if (!value) return std::nullopt;
  return std::string(*value);
}

std::string FullPath(const std::string& path) {
  std::error_code error;
  std::filesystem::path full = std::filesystem::absolute(path, error);
  return error ? path : full.string();
}

// A settings file kept as a symbolic link (say, into a folder of dotfiles) stays a link: the
// new content replaces the file the link points to.
std::string WriteTarget(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_symlink(path, error)) return path;
  std::filesystem::path target = std::filesystem::weakly_canonical(path, error);
  return error ? path : target.string();
}

std::filesystem::path UserConfigFolder() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  // The XDG rules ignore a relative XDG_CONFIG_HOME.
  if (xdg != nullptr && xdg[0] == '/') return xdg;
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] != '\0') return std::filesystem::path(home) / ".config";
  return {};
}

}  // namespace

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const {
  if (!m_pending) return ReadValue(m_path, section, key);
  std::optional<std::string_view> value = FindIniValue(*m_pending, section, key);
  if (!value) return std::nullopt;
  return std::string(*value);
}

Status IniFile::Failure() const { return Status::Error("Unable to write to " + FullPath(m_path)); }

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
  std::optional<std::string> value = Value(section, key);
  if (!value) return std::string(fallback);
  std::string text = value->substr(0, value->find('\0'));
  if (text.size() > kMaxValueChars) text.resize(kMaxValueChars);
  return text;
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int fallback) const {
  std::string text = ReadString(section, key, "");
  return ParseIniInteger(text).value_or(fallback);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

bool IniFile::HasKey(std::string_view section, std::string_view key) const {
  return Value(section, key).has_value();
}

Status IniFile::WriteString(std::string_view section, std::string_view key,
                            std::string_view value) {
  if (!IsValidIniSectionName(section) || !IsValidIniKeyName(key)) return Failure();
  if (m_pending) {
    *m_pending = SetIniValue(*m_pending, section, key, SanitizeIniValue(value));
    return Status::Ok();
  }
  std::string bytes;
  if (LoadFile(m_path, bytes) == LoadResult::Failed) return Failure();
  std::string updated = SetIniValue(bytes, section, key, SanitizeIniValue(value));
  if (updated == bytes) return Status::Ok();
  if (!WriteFileAtomically(WriteTarget(m_path), updated)) return Failure();
  return Status::Ok();
}

Status IniFile::WriteAtOnce(const std::function<Status(IniFile&)>& writes) {
  std::string bytes;
  if (LoadFile(m_path, bytes) == LoadResult::Failed) return Failure();
  m_pending = bytes;
  Status written = writes(*this);
  std::string updated = std::move(*m_pending);
  m_pending.reset();
  if (updated != bytes && !WriteFileAtomically(WriteTarget(m_path), updated)) return Failure();
  return written;
}

Status IniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  return WriteString(section, key, std::to_string(value));
}

Status IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  return WriteString(section, key, value ? "1" : "0");
}

bool IsWritableFolder(const std::filesystem::path& folder) {
  std::error_code error;
  return std::filesystem::is_directory(folder, error) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

std::string ProgramDir() {
  std::error_code error;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error || !exe.has_parent_path()) return {};
  std::string folder = exe.parent_path().string();
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

std::string SettingsFilePath(const std::string& programDir) {
  if (!programDir.empty() && IsWritableFolder(programDir))
    return (std::filesystem::path(programDir) / kSettingsFileName).string();
  std::filesystem::path folder = UserConfigFolder();
  if (folder.empty()) return (std::filesystem::path(programDir) / kSettingsFileName).string();
  std::error_code error;
  // When the folder cannot be made, the first write reports the path instead.
  std::filesystem::create_directories(folder, error);
  return (folder / kSettingsFileName).string();
}

}  // namespace tinto
