#include <filesystem>
#include <map>
#include <ostream>
#include <sstream>

#include "cli/commands.h"
#include "cli/convert_request.h"
#include "cli/picture_import.h"
#include "cli/picture_source.h"
#include "core/format/native_format.h"
#include "core/model/renderer.h"
#include "picture/bitmap_image.h"
#include "picture/picture_io.h"

namespace tinto::cli {
namespace {

// The preview and the frames are rendered from the written picture, as `tinto render` shows it:
// the import's own previews differ from it on the plain path.
Status WriteExtras(const ConvertRequest& request, const ImportOutcome& outcome) {
  const ScreenGeometry& geometry = outcome.geometry;
  Bitmap24 frame0(geometry.WidthPixels(), geometry.DY()), frame1 = frame0, mixed = frame0;
  RenderScreen(outcome.screen, geometry, {/*attributes=*/true, /*noFlic=*/true},
               {frame0.View(), frame1.View(), mixed.View(), BitmapView{}});
  if (request.previewPath)
    if (Status status = SavePng(mixed, *request.previewPath); !status) return status;
  if (request.framePaths) {
    if (Status status = SavePng(frame0, request.framePaths->first); !status) return status;
    if (Status status = SavePng(frame1, request.framePaths->second); !status) return status;
  }
  return Status::Ok();
}

// The chosen options as `tinto convert` takes them, so that a run can be repeated without --auto.
std::string OptionsLine(const ImportOptions& o) {
  std::ostringstream line;
  line << "--dither " << (o.Bright ? "--bright " : "") << "--hth " << o.HTH << " --lr " << o.LR
       << " --lg " << o.LG << " --lb " << o.LB << " --hr " << o.HR << " --hg " << o.HG << " --hb "
       << o.HB << " --contrast " << o.Contrast;
  return line.str();
}

Status ConvertOne(const ConvertRequest& request, const std::string& input,
                  const std::string& output, std::ostream& out) {
  Bitmap24 picture;
  if (Status status = LoadPicture(input, picture); !status) return status;
  ImportJob job{request.options, request.stretch, request.filter, request.crop,
                request.autoOptions};
  auto outcome = std::make_unique<ImportOutcome>();
  if (Status status = RunImport(std::move(picture), job, *outcome); !status) return status;
  if (Status status = WriteNativeFile(output, outcome->screen, outcome->geometry); !status)
    return status;
  if (request.autoOptions) out << "auto: " << OptionsLine(outcome->options) << std::endl;
  return WriteExtras(request, *outcome);
}

// One .tin per input in the output folder. Inputs that share a stem (cat.bmp, cat.ico) keep
// their extension in the name (cat.bmp.tin), so no conversion overwrites another.
std::vector<std::string> OutputsFor(const ConvertRequest& request) {
  if (request.outputDir.empty()) return {request.output};
  std::map<std::string, int> stems;
  for (const std::string& input : request.inputs)
    ++stems[std::filesystem::path(input).stem().string()];
  std::vector<std::string> outputs;
  for (const std::string& input : request.inputs) {
    std::filesystem::path name = std::filesystem::path(input).filename();
    if (stems[name.stem().string()] > 1)
      name += ".tin";
    else
      name.replace_extension(".tin");
    outputs.push_back((std::filesystem::path(request.outputDir) / name).string());
  }
  return outputs;
}

}  // namespace

int RunConvert(const Args& args, std::ostream& out, std::ostream& err) {
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    out << ConvertHelpText();
    return 0;
  }
  ConvertRequest request;
  if (Status status = ParseConvertRequest(args, request); !status) {
    err << ConvertHelpText() << "\n" << status.Message() << "\n";
    return 2;
  }
  std::vector<std::string> outputs = OutputsFor(request);
  std::size_t failures = 0, count = request.inputs.size();
  for (std::size_t i = 0; i < count; ++i) {
    const std::string& input = request.inputs[i];
    const std::string& output = outputs[i];
    if (count > 1)
      out << "[" << i + 1 << "/" << count << "] " << input << " -> " << output << std::endl;
    if (Status status = ConvertOne(request, input, output, out); !status) {
      err << input << ": " << ForTerminal(status.Message()) << "\n";
      ++failures;
    }
  }
  if (count > 1) out << count - failures << " of " << count << " converted\n";
  return failures == 0 ? 0 : 1;
}

}  // namespace tinto::cli
