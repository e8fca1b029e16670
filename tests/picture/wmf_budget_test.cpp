// The WMF player's limits on work: a picture that draws far more than its area is refused, and
// the object table takes thousands of objects without searching.

#include "picture/picture_fixtures.h"
#include "picture/wmf_player.h"

namespace tinto {
namespace {

std::string Words(std::vector<int> words) {
  std::string out;
  for (int w : words) out += {static_cast<char>(w & 0xFF), static_cast<char>((w >> 8) & 0xFF)};
  return out;
}

std::string Record(int function, std::vector<int> params) {
  const int size = 3 + static_cast<int>(params.size());
  return Words({size & 0xFFFF, size >> 16, function}) + Words(params);
}

// A plain WMF of `side` x `side` pixels with a table of `objects` slots.
std::string Wmf(int side, int objects, const std::string& records) {
  return Words({1, 9, 0x300, 0, 0, objects, 0, 0, 0}) + Record(0x20B, {0, 0}) +
         Record(0x20C, {side, side}) + records + Record(0, {});
}

// Rectangle records: bottom, right, top, left.
std::string Fills(int count, int side) {
  std::string records;
  for (int i = 0; i < count; ++i) records += Record(0x41B, {side, side, 0, 0});
  return records;
}

Status Render(const std::string& bytes, Bitmap24& out) {
  return RenderWmf(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), out);
}

// The budget is 16 passes over the picture but at least 2^26 pixels: 6711 fills of 10000 pixels.
TEST(WmfBudget, RefusesDrawingFarBeyondThePicture) {
  Bitmap24 picture;
  EXPECT_TRUE(Render(Wmf(100, 0, Fills(6000, 100)), picture).IsOk());
  EXPECT_EQ(Render(Wmf(100, 0, Fills(7000, 100)), picture).Message(), "Picture too complex");
  // Drawing outside the picture costs only what lands inside it, a line only its length.
  std::string cheap;
  for (int i = 0; i < 10000; ++i)
    cheap += Record(0x41B, {30000, 30000, 20000, 20000}) + Record(0x214, {0, 0}) +
             Record(0x213, {100, 100});
  EXPECT_TRUE(Render(Wmf(100, 0, cheap), picture).IsOk());
}

// 200000 green brushes fill the table (65535 slots); slot 5 is freed and taken by a red one.
TEST(WmfObjectTable, TakesTheLowestFreeSlot) {
  std::string records;
  for (int i = 0; i < 200000; ++i) records += Record(0x2FC, {0, 0xFF00, 0x0000, 0});
  records += Record(0x1F0, {5}) + Record(0x2FC, {0, 0x00FF, 0, 0}) + Record(0x12D, {5}) +
             Record(0x41B, {10, 10, 0, 0});
  Bitmap24 picture;
  ASSERT_TRUE(Render(Wmf(10, 65535, records), picture).IsOk());
  EXPECT_EQ(test::PixelAt(picture, 5, 5), (test::Color{255, 0, 0}));
}

}  // namespace
}  // namespace tinto
