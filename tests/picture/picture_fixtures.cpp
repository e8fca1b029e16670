#include "picture/picture_fixtures.h"

#include <cstdlib>

#include "support/temp_dir.h"

namespace tinto::test {

std::string DataPath(const std::string& name) {
  return std::string(TINTO_TEST_DATA_DIR) + "/" + name;
}

std::string DataBytes(const std::string& name) {
  const std::string bytes = ReadAll(DataPath(name));
  EXPECT_FALSE(bytes.empty()) << "missing reference file " << name;
  return bytes;
}

Color PixelAt(const Bitmap24& bitmap, int x, int y) {
  const Rgb rgb = bitmap.Pixel(x, y);
  return {RedOf(rgb), GreenOf(rgb), BlueOf(rgb)};
}

bool Near(Color a, Color b, int tolerance) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
         std::abs(a.b - b.b) <= tolerance;
}

void ExpectRefusedAsTooLarge(const std::function<Status()>& load) {
  const Status status = load();
  EXPECT_FALSE(status.IsOk());
  EXPECT_NE(status.Message().find("too large"), std::string::npos) << status.Message();
}

void ExpectSurvivesDamage(const std::string& whole, std::size_t step,
                          const std::function<Status(const std::string&, Bitmap24&)>& render) {
  for (std::size_t size = 0; size < whole.size(); size += step) {
    Bitmap24 picture;
    if (render(whole.substr(0, size), picture).IsOk()) {
      EXPECT_FALSE(picture.Empty()) << size;
    }
  }
  for (std::size_t at = 0; at < whole.size(); ++at)
    for (char value : {'\x00', '\xFF', '\x7F', '\x80'}) {
      std::string damaged = whole;
      damaged[at] = value;
      Bitmap24 picture;
      if (render(damaged, picture).IsOk()) {
        EXPECT_FALSE(picture.Empty()) << at;
      }
    }
}

}  // namespace tinto::test
