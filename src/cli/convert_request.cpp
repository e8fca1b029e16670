#include "cli/convert_request.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <sstream>
#include <string_view>

#include "cli/cli_args.h"
#include "cli/worker_pool.h"
#include "picture/png_writer.h"

namespace tinto::cli {
namespace {

constexpr IntRange kWorkerRange{1, 64};

Status ParseCrop(const std::string& text, PixelRect& rect) {
  int values[4];
  std::size_t start = 0;
  for (int i = 0; i < 4; ++i) {
    std::size_t comma = text.find(',', start);
    bool last = i == 3;
    if (last != (comma == std::string::npos)) return Status::Error("--crop takes L,T,R,B");
    auto value =
        ParseInt(std::string_view(text).substr(start, last ? std::string::npos : comma - start));
    if (!value) return Status::Error("--crop takes L,T,R,B");
    values[i] = *value;
    start = comma + 1;
  }
  // Compared, never subtracted: any two ints are a valid request until they meet the picture.
  if (values[2] <= values[0] || values[3] <= values[1])
    return Status::Error("--crop needs R > L and B > T");
  rect = {values[0], values[1], values[2], values[3]};
  return Status::Ok();
}

void TakeThresholds(CliArgs& cli, ImportOptions& o) {
  auto take = [&](const char* name, int& value) {
    value = cli.TakeInt(name, kThresholdRange).value_or(value);
  };
  take("lr", o.LR);
  take("lg", o.LG);
  take("lb", o.LB);
  take("hr", o.HR);
  take("hg", o.HG);
  take("hb", o.HB);
  o.HTH = cli.TakeInt("hth", kHthRange).value_or(o.HTH);
  o.Contrast = cli.TakeInt("contrast", kContrastRange).value_or(o.Contrast);
}

// A decimal number clamped to 0..1, as the other values are clamped to their ranges.
Status TakeFlickerWeight(CliArgs& cli, ImportOptions& o) {
  const std::optional<std::string> text = cli.TakeValue("flicker-weight");
  if (!text) return Status::Ok();
  double value = 0;
  const char* end = text->data() + text->size();
  const auto [stop, error] = std::from_chars(text->data(), end, value);
  if (error != std::errc() || stop != end || !std::isfinite(value))
    return Status::Error("--flicker-weight takes a number from 0 to 1, not \"" + *text + "\"");
  o.FlickerWeight = std::clamp(value, 0.0, 1.0);
  return Status::Ok();
}

void TakeGeometry(CliArgs& cli, ImportOptions& o) {
  o.DX = cli.TakeInt("dx", kDxRange).value_or(o.DX);
  o.DY = cli.TakeInt("dy", kDyRange).value_or(o.DY);
  o.MLTLeft = cli.TakeInt("mlt-left", kMltLeftRange).value_or(o.MLTLeft);
  o.MLTWidth = cli.TakeInt("mlt-width", kMltWidthRange).value_or(o.MLTWidth);
}

// A help line for an option with a range: "  --name N   what min..max (default)".
std::string RangeLine(std::string_view option, std::string_view what, IntRange range, int value) {
  std::string line = "  " + std::string(option);
  line.resize(28, ' ');
  return line + std::string(what) + " " + std::to_string(range.min) + ".." +
         std::to_string(range.max) + " (" + std::to_string(value) + ")\n";
}

// The filters in list order, the default one marked.
std::string FilterNames() {
  std::string names;
  for (std::size_t i = 0; i < kResampleFilters.size(); ++i) {
    if (i > 0) names += ", ";
    names += kResampleFilters[i].name;
    if (i == static_cast<std::size_t>(kDefaultResampleFilter)) names += " (default)";
  }
  return names;
}

Status TakeFiles(CliArgs& cli, ConvertRequest& request) {
  request.outputDir = cli.TakeValue("o").value_or("");
  std::vector<std::string> files;
  if (Status status = cli.Finish(files); !status) return status;
  for (const std::string& file : files)
    if (file == "-o") return Status::Error("-o needs a folder");
  if (!request.outputDir.empty()) {
    if (files.empty()) return Status::Error("no input pictures");
    request.inputs = files;
    return Status::Ok();
  }
  if (files.size() != 2) return Status::Error("expected IN OUT.tin, or -o DIR IN...");
  request.inputs = {files[0]};
  request.output = files[1];
  return Status::Ok();
}

// Refused before anything is written, so no .tin is left without the pictures asked for.
Status CheckPngNames(const ConvertRequest& request) {
  if (request.previewPath)
    if (Status status = CheckPngFileName(*request.previewPath); !status) return status;
  if (request.framePaths) {
    if (Status status = CheckPngFileName(request.framePaths->first); !status) return status;
    return CheckPngFileName(request.framePaths->second);
  }
  return Status::Ok();
}

}  // namespace

ImportOptions DefaultConvertOptions() {
  ImportOptions o;
  // The whole screen, with the widest MLT window from the left edge.
  o.DX = kDxRange.max;
  o.DY = kDyRange.max;
  o.MLTLeft = kMltLeftRange.min;
  o.MLTWidth = kMltWidthRange.max;
  o.Dither = true;
  o.Bright = false;
  o.LR = o.LG = o.LB = 96;
  o.HR = o.HG = o.HB = 160;
  o.HTH = 128;
  o.Contrast = 2;
  o.TintoMode = false;
  return o;
}

Status ParseConvertRequest(const Args& args, ConvertRequest& request) {
  // "-o DIR" and "-j N" are the short options; turn them into long forms the reader knows.
  Args normalised = args;
  std::replace(normalised.begin(), normalised.end(), std::string("-o"), std::string("--o"));
  std::replace(normalised.begin(), normalised.end(), std::string("-j"), std::string("--jobs"));
  CliArgs cli(normalised);
  ImportOptions& o = request.options = DefaultConvertOptions();
  request.stretch = !cli.TakeFlag("no-stretch");
  cli.TakeFlag("stretch");
  if (cli.TakeFlag("no-dither")) o.Dither = false;
  if (cli.TakeFlag("dither")) o.Dither = true;
  o.Bright = cli.TakeFlag("bright");
  o.TintoMode = cli.TakeFlag("tinto8x2");
  request.autoOptions = cli.TakeFlag("auto");
  if (auto method = cli.TakeValue("method")) {
    const std::optional<ImportMethod> known = ImportMethodOfName(*method);
    if (!known) return Status::Error("unknown method \"" + *method + "\" (classic or perceptual)");
    o.Method = *known;
  }
  if (request.autoOptions && o.Method != ImportMethod::Classic)
    return Status::Error("--auto searches the classic conversion's options; leave out --method");
  if (Status status = TakeFlickerWeight(cli, o); !status) return status;
  TakeThresholds(cli, o);
  TakeGeometry(cli, o);
  if (auto name = cli.TakeValue("filter")) {
    request.filter = FindResampleFilter(*name);
    if (!request.filter) return Status::Error("unknown filter \"" + *name + "\"");
  }
  if (auto crop = cli.TakeValue("crop")) {
    PixelRect rect;
    if (Status status = ParseCrop(*crop, rect); !status) return status;
    request.crop = rect;
  }
  request.workers = cli.TakeInt("jobs", kWorkerRange).value_or(DefaultWorkerCount());
  request.previewPath = cli.TakeValue("preview");
  if (auto frames = cli.TakeValues("frames", 2)) request.framePaths = {(*frames)[0], (*frames)[1]};
  if (Status status = TakeFiles(cli, request); !status) return status;
  if (request.inputs.size() > 1 && (request.previewPath || request.framePaths))
    return Status::Error("--preview and --frames take one input only");
  return CheckPngNames(request);
}

std::string ConvertHelpText() {
  const ImportOptions d = DefaultConvertOptions();
  std::ostringstream text;
  text << "usage: tinto convert IN OUT.tin [options]\n"
          "       tinto convert -o DIR IN... [options]\n\n"
          "Converts a picture (JPEG, BMP, ICO, PNG, GIF, WMF, EMF) into a .tin picture.\n\n"
          "  --stretch / --no-stretch  resample to DX*8 x DY first (default: on); without it\n"
          "                            DX and DY are fitted to the picture's own size\n"
       << "  --filter NAME             " << FilterNames() << "\n"
       << "  --method NAME             classic (default) or perceptual: the latter chooses\n"
          "                            each cell's colours itself and ignores --dither,\n"
          "                            --bright, the thresholds, --hth and --contrast\n"
       << "  --flicker-weight W        perceptual: 0 matches the mix alone, up to 1 prefers\n"
          "                            frames that differ less in brightness ("
       << d.FlickerWeight << ")\n"
       << "  --dither / --no-dither    ordered dither (default: on) or plain 8x1 fit\n"
          "  --bright                  decide bright per cell (default: off)\n"
          "  --tinto8x2                8x2 cells over the whole width (default: 8x1 + 8x8)\n"
       << RangeLine("--dx N", "width in columns", kDxRange, d.DX)
       << RangeLine("--dy N", "height in rows", kDyRange, d.DY)
       << RangeLine("--mlt-left N", "first 8x1 column", kMltLeftRange, d.MLTLeft)
       << RangeLine("--mlt-width N", "8x1 columns", kMltWidthRange, d.MLTWidth)
       << RangeLine("--lr N --lg N --lb N", "screen 1 thresholds", kThresholdRange, d.LR)
       << RangeLine("--hr N --hg N --hb N", "screen 2 thresholds", kThresholdRange, d.HR)
       << RangeLine("--hth N", "half threshold / brightness", kHthRange, d.HTH)
       << RangeLine("--contrast N", "contrast", kContrastRange, d.Contrast)
       << "  --auto                    search the dithered options (thresholds, --hth,\n"
          "                            --contrast, --bright) for the least blurred colour\n"
          "                            error of this picture, use them and print them\n"
       << "  --crop L,T,R,B            crop the shown picture first (right, bottom exclusive)\n"
          "  --preview OUT.png         also write the static mix of the result\n"
          "  --frames F0.png F1.png    also write the two converted frames\n"
          "  -j N, --jobs N            convert N pictures at once (1..64; default: one per\n"
          "                            processor core); output and messages keep the\n"
          "                            inputs' order\n\n"
          "Values outside a range are clamped to it.\n\n"
          "With -o, each input becomes DIR/<name>.tin; inputs that share a stem keep their\n"
          "extension (cat.jpg.tin, cat.png.tin), and inputs that would still share a name get\n"
          "distinct ones (a/cat.jpg -> cat.jpg.tin, b/cat.jpg -> cat.jpg-2.tin): no output of a\n"
          "run overwrites another. Each [n/N] line shows the name used. An output that is the\n"
          "same file as its input is refused.\n";
  return text.str();
}

}  // namespace tinto::cli
