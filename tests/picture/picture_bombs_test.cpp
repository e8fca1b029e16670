// Hostile raster files: bombs refused before anything is allocated, failures in the program's
// words with nothing printed, and files cut short that still load but say so.
#include <sys/resource.h>

#include <QImage>
#include <cstdlib>

#include "picture/picture_fixtures.h"
#include "picture/picture_io.h"
#include "picture/qt_image_loader.h"
#include "support/temp_dir.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TINTO_TEST_UNDER_ASAN
#endif
#endif
#ifdef __SANITIZE_ADDRESS__
#define TINTO_TEST_UNDER_ASAN
#endif

namespace tinto {
namespace {

Status LoadBytes(const std::string& name, const std::string& bytes) {
  test::TempDir dir;
  test::WriteAll(dir.File(name), bytes);
  Bitmap24 picture;
  return LoadPicture(dir.File(name), picture);
}

// Bombs within the size limit but over the decode budget, and headers claiming sizes whose
// pixels would never fit (tests/data/picture/README.md).
TEST(PictureBomb, RefusedBeforeItIsDecoded) {
  for (const char* name : {"bomb_screen.gif", "bomb_png_entry.ico", "bomb_dib_entry.ico",
                           "bomb_progressive.jpg", "bomb_deep.png"}) {
    SCOPED_TRACE(name);
    test::ExpectRefusedAsTooLarge([&] { return LoadBytes(name, test::DataBytes(name)); });
  }
}

TEST(PictureFailure, SaysWhatIsWrongAndPrintsNothing) {
  const std::string garbage(64, '\x5a');
  const std::tuple<const char*, std::string, const char*> cases[] = {
      {"a.bmp", garbage, "Not a BMP picture"},
      {"a.png", garbage, "Not a PNG picture"},
      {"a.gif", garbage, "Not a GIF picture"},
      {"a.ico", garbage, "Not an ICO picture"},
      {"seven_bits.bmp", test::DataBytes("seven_bits.bmp"), "Damaged or truncated BMP picture"},
      {"bad_data.png", test::DataBytes("bad_data.png"), "Damaged or truncated PNG picture"},
      {"cut.ico", test::DataBytes("cut.ico"), "Damaged or truncated ICO picture"}};
  for (const auto& [name, bytes, message] : cases) {
    testing::internal::CaptureStderr();
    const Status status = LoadBytes(name, bytes);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << name;
    EXPECT_EQ(status.Message(), message);
  }
}

TEST(PictureFailure, QtAllocationRefusalsAreToldApart) {
  EXPECT_EQ(QtReadFailure(RasterKind::Gif, 9000, 9000,
                          "QImageIOHandler: Rejecting image as it exceeds the current allocation "
                          "limit of 5 megabytes\n")
                .Message(),
            "Picture too large: 9000 x 9000 needs more than 163 MB to decode");
  EXPECT_EQ(QtReadFailure(RasterKind::Png, 2, 2, "QImage: out of memory, returning null image\n")
                .Message(),
            "Out of memory");
}

// Ends the process with 0 when a read failing under a 512 MB address space limit is told as out
// of memory.
[[noreturn]] void ReadFailureUnderMemoryLimit() {
  const rlimit limit{512ull << 20, 512ull << 20};
  setrlimit(RLIMIT_AS, &limit);
  std::_Exit(QtReadFailure(RasterKind::Png, 20000, 20000, "").Message() == "Out of memory" ? 0 : 1);
}

// Qt fails silently when an image's memory cannot be had: under a memory limit the failure
// is told as out of memory, not as damage. (A sanitizer's own allocator would not survive the
// limit.)
TEST(PictureFailure, AReadFailingForWantOfMemoryIsOutOfMemory) {
#ifdef TINTO_TEST_UNDER_ASAN
  GTEST_SKIP() << "under AddressSanitizer";
#endif
  EXPECT_EQ(QtReadFailure(RasterKind::Png, 2, 2, "").Message(), "Damaged or truncated PNG picture");
  EXPECT_EXIT(ReadFailureUnderMemoryLimit(), testing::ExitedWithCode(0), "");
}

// A BMP cut inside its pixels, a GIF inside its image data, a JPEG inside its scan: each loads
// at its full size.
TEST(PictureTruncation, CutFilesLoadAndSaySo) {
  test::TempDir dir;
  QImage(24, 16, QImage::Format_RGB32).save(QString::fromStdString(dir.File("whole.bmp")));
  const std::string bmp = test::ReadAll(dir.File("whole.bmp"));
  const std::string gif = test::DataBytes("sample.gif"), jpeg = test::DataBytes("detailed.jpg");
  for (const auto& [name, whole] : {std::pair{"a.bmp", bmp}, {"a.gif", gif}, {"a.jpg", jpeg}}) {
    PictureNotes notes;
    Bitmap24 full, cut;
    test::WriteAll(dir.File(name), whole);
    ASSERT_TRUE(LoadPicture(dir.File(name), full, &notes).IsOk()) << name;
    EXPECT_FALSE(notes.truncated) << name;
    test::WriteAll(dir.File(name), whole.substr(0, whole.size() * 2 / 3));
    const Status status = LoadPicture(dir.File(name), cut, &notes);
    EXPECT_TRUE(status.IsOk()) << name << ": " << status.Message();
    EXPECT_TRUE(notes.truncated) << name;
    EXPECT_EQ(std::pair(cut.Width(), cut.Height()), std::pair(full.Width(), full.Height()));
  }
}

}  // namespace
}  // namespace tinto
