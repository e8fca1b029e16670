#pragma once
// Runs the `tinto` tool in-process and keeps what it printed; pictures to feed it and checks of
// the pictures it writes.

#include <QImage>
#include <functional>
#include <sstream>

#include "cli/commands.h"
#include "core/model/bitmap.h"
#include "support/temp_dir.h"
#include "support/test_common.h"

namespace tinto::cli {

struct ToolRun {
  int status;
  std::string out, err;
};

inline ToolRun RunCli(const Args& args) {
  std::ostringstream out, err;
  int status = RunTool(args, out, err);
  return {status, out.str(), err.str()};
}

// dir/name, pixel (x, y) coloured `color(x, y)`, in the format its extension names.
inline std::string SavePicture(const test::TempDir& dir, const std::string& name, int width,
                               int height, const std::function<QRgb(int, int)>& color) {
  QImage image(width, height, QImage::Format_RGB888);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.setPixel(x, y, color(x, y));
  EXPECT_TRUE(image.save(QString::fromStdString(dir.File(name))));
  return dir.File(name);
}

// Four vertical bands: white, red, green, blue.
inline std::string SaveBands(const test::TempDir& dir, const std::string& name, int width,
                             int height) {
  return SavePicture(dir, name, width, height, [width](int x, int) {
    const QRgb bands[4] = {qRgb(255, 255, 255), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
    return bands[x * 4 / width];
  });
}

// The PNG at `path` is `bitmap` enlarged `scale` times.
inline void ExpectPngShows(const std::string& path, const Bitmap24& bitmap, int scale = 1) {
  const QImage png(QString::fromStdString(path));
  ASSERT_EQ(png.size(), QSize(bitmap.Width() * scale, bitmap.Height() * scale)) << path;
  for (int y = 0; y < png.height(); ++y)
    for (int x = 0; x < png.width(); ++x) {
      const QRgb p = png.pixel(x, y);
      ASSERT_EQ(MakeRgb(qRed(p), qGreen(p), qBlue(p)), bitmap.Pixel(x / scale, y / scale))
          << path << " at " << x << "," << y;
    }
}

}  // namespace tinto::cli
