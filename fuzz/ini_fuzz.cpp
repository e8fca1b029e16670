// Feeds arbitrary bytes as a settings file: every key is read, then one key is written and
// the result must keep every byte outside that key's line and read the value back.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>

#include "core/format/ini_file.h"
#include "core/format/settings_keys.h"

namespace {

// A private folder, on tmpfs when there is one so that the writes' fsync costs nothing;
// removed when the fuzzer exits normally.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::filesystem::path base = "/dev/shm";
    if (!std::filesystem::is_directory(base)) base = std::filesystem::temp_directory_path();
    std::string folder = (base / "tinto-ini-fuzz-XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr) std::abort();
    m_folder = folder;
  }
  ~ScratchFolder() {
    std::error_code error;
    std::filesystem::remove_all(m_folder, error);
  }
  std::string File() const { return (m_folder / "TintoEditor.ini").string(); }

 private:
  std::filesystem::path m_folder;
};

void WriteBytes(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// True when `after` is `before` with bytes changed inside one line at most, or with bytes
// only inserted.
bool KeepsOtherLines(std::string_view before, std::string_view after) {
  std::size_t prefix = static_cast<std::size_t>(
      std::mismatch(before.begin(), before.end(), after.begin(), after.end()).first -
      before.begin());
  std::size_t maxSuffix = std::min(before.size(), after.size()) - prefix;
  std::size_t suffix = 0;
  while (suffix < maxSuffix &&
         before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
    ++suffix;
  return before.substr(prefix, before.size() - prefix - suffix).find('\n') == std::string::npos;
}

void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "ini_fuzz: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const ScratchFolder scratch;
  static const std::string path = scratch.File();
  std::string_view input(reinterpret_cast<const char*>(data), size);
  WriteBytes(path, input);
  tinto::IniFile ini(path);
  for (const tinto::SettingKey& key : tinto::AllSettingKeys()) {
    ini.ReadString(key.section, key.key, "");
    ini.ReadInteger(key.section, key.key, key.defaultValue);
    ini.HasKey(key.section, key.key);
  }
  const tinto::SettingKey& key = tinto::AllSettingKeys()[size % tinto::AllSettingKeys().size()];
  std::string value = "v" + std::to_string(size);
  Check(ini.WriteString(key.section, key.key, value).IsOk(), "write failed");
  Check(KeepsOtherLines(input, ReadBytes(path)), "write changed another line");
  Check(ini.ReadString(key.section, key.key, "") == value, "written value not read back");
  // The input's tail as a value: whatever it holds must stay on the key's own line.
  std::string before = ReadBytes(path);
  Check(ini.WriteString(key.section, key.key, input.substr(input.size() / 2)).IsOk(),
        "second write failed");
  Check(KeepsOtherLines(before, ReadBytes(path)), "raw value changed another line");
  return 0;
}
