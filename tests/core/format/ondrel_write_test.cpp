#include <gtest/gtest.h>

#include "core/format/ondrel_format.h"
#include "support/temp_dir.h"

namespace tinto {
namespace {

using namespace test;

// A 3 x 2 pair read in and written out again gives the same bytes; the writer's layout is
// worked out by hand on a picture with one pixel byte and one attribute byte set.
TEST(OndrelWrite, WritesTheLayoutTheReaderReadsBack) {
  TempDir dir;
  ScreenGeometry geometry;
  geometry.SetDX(3);
  geometry.SetDY(2);
  ScreenBuffers screen;
  screen.PixelByte(1, 1, 2) = 0xA5;
  screen.AttrByte(1, 0, 1) = 0x47;
  ASSERT_TRUE(WriteOndrelFiles(dir.File("pic"), screen, geometry).IsOk());
  EXPECT_EQ(ReadAll(dir.File("pic.od0")), std::string(12, '\0'));
  EXPECT_EQ(ReadAll(dir.File("pic.od1")), std::string("\0\0\0\0\0\xA5\0\x47\0\0\0\0", 12));

  ScreenBuffers back;
  std::string name;
  ASSERT_TRUE(ReadOndrelFiles(dir.File("pic.od1"), back, geometry, name).IsOk());
  EXPECT_EQ(back.Pixels(), screen.Pixels());
  EXPECT_EQ(back.Attrs(), screen.Attrs());
}

}  // namespace
}  // namespace tinto
