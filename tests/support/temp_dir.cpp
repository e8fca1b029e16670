#include "support/temp_dir.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>

namespace tinto::test {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tinto-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) std::abort();
  m_path = pattern;
}

TempDir::~TempDir() {
  std::error_code error;
  // Tests may leave read-only folders behind; make them writable again so they can go.
  for (auto& entry : std::filesystem::recursive_directory_iterator(m_path, error))
    std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, error);
  std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, error);
  std::filesystem::remove_all(m_path, error);
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace tinto::test
