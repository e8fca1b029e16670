#include "core/format/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <set>

namespace tinto {
namespace {

namespace fs = std::filesystem;

constexpr int kMaxLinkHops = 40;  // as the kernel allows before ELOOP
constexpr int kNameAttempts = 100;
constexpr std::size_t kRandomLength = 6;

Status ErrnoStatus(int errorNumber) { return Status::Error(IoErrorText(errorNumber)); }

// The file a save of `path` replaces: symbolic links are followed one hop at a time, so a
// dangling link names the file the save creates.
Status ResolveTarget(const std::string& path, std::string& target) {
  target = path;
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat info {};
    if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return Status::Ok();
    std::error_code error;
    const fs::path link = fs::read_symlink(target, error);
    if (error) return ErrnoStatus(error.value());
    target = link.is_absolute() ? link.string() : (fs::path(target).parent_path() / link).string();
  }
  return ErrnoStatus(ELOOP);
}

std::string FolderOf(const std::string& target) {
  const fs::path parent = fs::path(target).parent_path();
  return parent.empty() ? std::string(".") : parent.string();
}

std::string RandomSuffix() {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  static std::mt19937 engine{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
  std::string suffix(kRandomLength, ' ');
  for (char& letter : suffix) letter = kLetters[pick(engine)];
  return suffix;
}

// What a crashed save of this target left behind; nothing else starts with its prefix.
void RemoveLeftovers(const std::string& folder, const std::string& prefix) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.size() == prefix.size() + kRandomLength && name.compare(0, prefix.size(), prefix) == 0)
      ::unlinkat(::dirfd(dir), name.c_str(), 0);
  }
  ::closedir(dir);
}

// Keeps the target's owner where permitted, then its permission bits (a change of owner
// clears set-id bits); a new file gets the usual mode.
void CopyOwnerAndMode(int fd, const struct stat* old) {
  mode_t mode = 0666;
  if (old != nullptr) {
    if (::fchown(fd, old->st_uid, old->st_gid) != 0) {
      // Not permitted (another user's file): the new file stays ours.
    }
    mode = old->st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode &= ~mask;
  }
  ::fchmod(fd, mode);
}

Status WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return ErrnoStatus(errno);
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return Status::Ok();
}

Status FillAndSync(int fd, const struct stat* old, std::string_view bytes) {
  CopyOwnerAndMode(fd, old);
  Status status = WriteAll(fd, bytes);
  if (status && ::fsync(fd) != 0) status = ErrnoStatus(errno);
  return status;
}

// A file with no name until its bytes are on disk; then it is linked under a fresh temporary
// name. Fails (without a trace) where the system cannot do it; the caller then uses a named
// temporary file.
bool WriteUnnamed(const std::string& folder, const std::string& prefix, const struct stat* old,
                  std::string_view bytes, std::string& tempName, Status& status) {
#ifdef O_TMPFILE
  const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  status = FillAndSync(fd, old, bytes);
  bool linked = false;
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  for (int attempt = 0; status && !linked && attempt < kNameAttempts; ++attempt) {
    tempName = folder + "/" + prefix + RandomSuffix();
    linked = ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, tempName.c_str(), AT_SYMLINK_FOLLOW) == 0;
    if (!linked && errno != EEXIST) break;
  }
  if (::close(fd) != 0 && status && linked) status = ErrnoStatus(errno);
  if (!status && linked) ::unlink(tempName.c_str());
  return !status || linked;
#else
  (void)folder, (void)prefix, (void)old, (void)bytes, (void)tempName, (void)status;
  return false;
#endif
}

Status WriteNamed(const std::string& folder, const std::string& prefix, const struct stat* old,
                  std::string_view bytes, std::string& tempName) {
  tempName = folder + "/" + prefix + std::string(kRandomLength, 'X');
  const int fd = ::mkstemp(tempName.data());
  if (fd < 0) return ErrnoStatus(errno);
  Status status = FillAndSync(fd, old, bytes);
  if (::close(fd) != 0 && status) status = ErrnoStatus(errno);
  if (!status) ::unlink(tempName.c_str());
  return status;
}

// Makes the rename itself durable.
void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// One file of a save: where it goes and, once its bytes are on disk, the temporary file that
// holds them under a name of its own.
struct PendingWrite {
  std::string target;
  std::string folder;
  std::string temp;
};

Status WriteTemporary(const FileContent& file, PendingWrite& pending) {
  if (Status resolved = ResolveTarget(file.path, pending.target); !resolved) return resolved;
  if (Status regular = CheckRegularTarget(file.path); !regular) return regular;
  struct stat info {};
  const struct stat* old = ::stat(pending.target.c_str(), &info) == 0 ? &info : nullptr;
  pending.folder = FolderOf(pending.target);
  const std::string prefix = TemporaryNamePrefix(fs::path(pending.target).filename().string());
  RemoveLeftovers(pending.folder, prefix);
  Status status = Status::Ok();
  if (!WriteUnnamed(pending.folder, prefix, old, file.bytes, pending.temp, status))
    status = WriteNamed(pending.folder, prefix, old, file.bytes, pending.temp);
  if (!status) pending.temp.clear();
  return status;
}

Status Named(const std::string& path, Status status, bool namePaths) {
  if (status || !namePaths || status.Message().starts_with(path)) return status;
  return Status::Error(path + ": " + status.Message());
}

// Every file's bytes reach the disk before any target changes; then the renames follow each
// other with nothing in between, so a crash tears a group only in that instant.
Status WriteGroup(const std::vector<FileContent>& files, bool namePaths) {
  std::vector<PendingWrite> pending(files.size());
  Status status = Status::Ok();
  for (std::size_t i = 0; status && i < files.size(); ++i)
    status = Named(files[i].path, WriteTemporary(files[i], pending[i]), namePaths);
  for (std::size_t i = 0; status && i < files.size(); ++i) {
    if (::rename(pending[i].temp.c_str(), pending[i].target.c_str()) != 0)
      status = Named(files[i].path, ErrnoStatus(errno), namePaths);
    else
      pending[i].temp.clear();
  }
  for (const PendingWrite& write : pending)
    if (!write.temp.empty()) ::unlink(write.temp.c_str());
  std::set<std::string> folders;
  for (const PendingWrite& write : pending)
    if (!write.folder.empty() && folders.insert(write.folder).second) SyncFolder(write.folder);
  return status;
}

}  // namespace

std::string IoErrorText(int errorNumber) {
  if (errorNumber == ENOSPC) return "Disk full";
  return std::strerror(errorNumber);
}

Status CheckRegularTarget(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
    return Status::Error(path + " is not a regular file");
  return Status::Ok();
}

std::string TemporaryNamePrefix(const std::string& fileName) {
  std::uint32_t hash = 2166136261u;  // FNV-1a
  for (unsigned char byte : fileName) hash = (hash ^ byte) * 16777619u;
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08x", static_cast<unsigned>(hash));
  return ".tinto-" + std::string(hex) + "-";
}

Status WriteFileAtomically(const std::string& path, std::string_view bytes) {
  return WriteGroup({{path, bytes}}, /*namePaths=*/false);
}

Status WriteFilesAtomically(const std::vector<FileContent>& files) {
  return WriteGroup(files, /*namePaths=*/true);
}

}  // namespace tinto
