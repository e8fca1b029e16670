#include "core/format/file_prefix.h"

#include <fcntl.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "core/format/atomic_file.h"

namespace tinto {

Status ReadFilePrefix(const std::string& path, std::size_t maxBytes, std::string& bytes) {
  // Non-blocking so that a named pipe without a writer reads as empty instead of hanging.
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return Status::Error("File " + path + " not found.");
    return Status::Error(IoErrorText(errno));
  }
  bytes.assign(maxBytes, '\0');
  std::size_t filled = 0;
  Status status = Status::Ok();
  while (filled < maxBytes) {
    ssize_t got = ::read(fd, bytes.data() + filled, maxBytes - filled);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) status = Status::Error(IoErrorText(errno));
    if (got <= 0) break;
    filled += static_cast<std::size_t>(got);
  }
  ::close(fd);
  bytes.resize(filled);
  return status;
}

Status CheckReadableFile(const std::string& path) {
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (error && error != std::errc::no_such_file_or_directory &&
      error != std::errc::not_a_directory) {
    std::string text = error.message();
    if (!text.empty())
      text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    return Status::Error(text);
  }
  if (!std::filesystem::exists(status)) return Status::Error("File not found");
  if (std::filesystem::is_directory(status)) return Status::Error("Is a folder");
  if (!std::filesystem::is_regular_file(status)) return Status::Error("Not a regular file");
  return Status::Ok();
}

}  // namespace tinto
