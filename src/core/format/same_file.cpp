#include "core/format/same_file.h"

#include <sys/stat.h>

#include <filesystem>

namespace tinto {
namespace {

// Links in the existing part of the path are resolved, "." and ".." taken out of the rest.
std::filesystem::path Normalised(const std::string& path) {
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::weakly_canonical(path, error);
  if (error) absolute = std::filesystem::absolute(path, error);
  return absolute.lexically_normal();
}

}  // namespace

bool IsSameFile(const std::string& first, const std::string& second) {
  struct stat a {
  }, b{};
  if (::stat(first.c_str(), &a) == 0 && ::stat(second.c_str(), &b) == 0)
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
  return Normalised(first) == Normalised(second);
}

}  // namespace tinto
