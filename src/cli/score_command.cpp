#include <cmath>
#include <cstdio>
#include <filesystem>
#include <ostream>

#include "cli/cli_args.h"
#include "cli/commands.h"
#include "cli/output_plan.h"
#include "cli/picture_source.h"
#include "cli/terminal_text.h"
#include "core/quality/picture_score.h"
#include "picture/picture_io.h"

namespace tinto::cli {
namespace {

// Four decimals as the Python scorer rounds them; JSON has no NaN, so a missing figure is null.
std::string Figure(double value) {
  if (std::isnan(value)) return "null";
  char text[32];
  std::snprintf(text, sizeof text, "%.4f", value);
  return text;
}

std::string ScoreLine(const std::string& photo, const std::string& picture, int width, int height,
                      const PictureScore& score) {
  return "{\"image\": \"" + std::filesystem::path(photo).stem().string() + "\", \"seen\": \"" +
         ForTerminal(picture) + "\", \"size\": \"" + std::to_string(width) + "x" +
         std::to_string(height) + "\", \"de00\": " + Figure(score.de00) +
         ", \"de00_blur\": " + Figure(score.de00Blur) + ", \"ssim_y\": " + Figure(score.ssimY) +
         ", \"flicker\": " + Figure(score.flicker.mean) +
         ", \"flicker_block95\": " + Figure(score.flicker.block95) + "}";
}

}  // namespace

constexpr const char* kScoreUsage = "usage: tinto score PHOTO PICTURE.tin\n";

int RunScore(const Args& args, std::ostream& out, std::ostream& err) {
  if (IsHelpRequest(args)) {
    out << kScoreUsage;
    return 0;
  }
  CliArgs cli(args);
  std::vector<std::string> files;
  if (Status status = cli.Finish(files); !status || files.size() != 2) {
    err << kScoreUsage;
    if (!status) err << ForTerminal(status.Message()) << "\n";
    return 2;
  }
  Bitmap24 photo;
  if (Status status = LoadPicture(files[0], photo); !status) {
    err << ForTerminal(LedByFileName(files[0], status.Message())) << "\n";
    return 1;
  }
  ScreenBuffers screen;
  ScreenGeometry geometry;
  if (Status status = ReadPictureFile(files[1], std::nullopt, screen, geometry); !status) {
    err << ForTerminal(LedByFileName(files[1], status.Message())) << "\n";
    return 1;
  }
  const PictureScore score = ScorePicture(photo, screen, geometry);
  out << ScoreLine(files[0], files[1], geometry.WidthPixels(), geometry.DY(), score) << "\n";
  return 0;
}

}  // namespace tinto::cli
