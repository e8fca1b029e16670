#include <filesystem>
#include <map>
#include <ostream>

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

// The static mix of the converted picture as the editor shows it with attributes on.
Bitmap24 RenderMix(const ImportOutcome& outcome) {
  Bitmap24 mixed(outcome.geometry.WidthPixels(), outcome.geometry.DY());
  RenderScreen(outcome.screen, outcome.geometry, {/*attributes=*/true, /*noFlic=*/true},
               {BitmapView{}, BitmapView{}, mixed.View(), BitmapView{}});
  return mixed;
}

Status WriteExtras(const ConvertRequest& request, const ImportOutcome& outcome) {
  if (request.previewPath)
    if (Status status = SavePng(RenderMix(outcome), *request.previewPath); !status) return status;
  if (request.framePaths) {
    if (Status status = SavePng(outcome.dest1, request.framePaths->first); !status) return status;
    if (Status status = SavePng(outcome.dest2, request.framePaths->second); !status) return status;
  }
  return Status::Ok();
}

Status ConvertOne(const ConvertRequest& request, const std::string& input,
                  const std::string& output, PictureNotes& notes) {
  Bitmap24 picture;
  if (Status status = LoadPicture(input, picture, &notes); !status) return status;
  ImportJob job{request.options, request.stretch, request.filter, request.crop};
  auto outcome = std::make_unique<ImportOutcome>();
  if (Status status = RunImport(std::move(picture), job, *outcome); !status) return status;
  if (Status status = WriteNativeFile(output, outcome->screen, outcome->geometry); !status)
    return status;
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
    PictureNotes notes;
    if (Status status = ConvertOne(request, input, output, notes); !status) {
      err << input << ": " << ForTerminal(status.Message()) << "\n";
      ++failures;
    }
    if (notes.truncated) err << input << ": " << kTruncatedWarning << "\n";
  }
  if (count > 1) out << count - failures << " of " << count << " converted\n";
  return failures == 0 ? 0 : 1;
}

}  // namespace tinto::cli
