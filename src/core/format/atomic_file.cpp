#include "core/format/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace tinto {
namespace {

Status WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return Status::Error(IoErrorText(errno));
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return Status::Ok();
}

// Keeps the target's permission bits, or the usual ones for a new file.
void CopyMode(int fd, const std::string& target) {
  struct stat info {};
  mode_t mode = 0666;
  if (::stat(target.c_str(), &info) == 0) {
    mode = info.st_mode & 07777;
  } else {
    mode_t mask = ::umask(0);
    ::umask(mask);
    mode &= ~mask;
  }
  ::fchmod(fd, mode);
}

}  // namespace

std::string IoErrorText(int errorNumber) {
  if (errorNumber == ENOSPC) return "Disk full";
  return std::strerror(errorNumber);
}

Status WriteFileAtomically(const std::string& path, std::string_view bytes) {
  std::filesystem::path target(path);
  std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
  std::string temp = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  int fd = ::mkstemp(temp.data());
  if (fd < 0) return Status::Error(IoErrorText(errno));
  CopyMode(fd, path);
  Status status = WriteAll(fd, bytes);
  if (status && ::fsync(fd) != 0) status = Status::Error(IoErrorText(errno));
  if (::close(fd) != 0 && status) status = Status::Error(IoErrorText(errno));
  if (status && ::rename(temp.c_str(), path.c_str()) != 0)
    status = Status::Error(IoErrorText(errno));
  if (!status) ::unlink(temp.c_str());
  return status;
}

}  // namespace tinto
