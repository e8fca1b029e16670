#include "cli/convert_request.h"

#include <algorithm>
#include <sstream>
#include <string_view>
#include <vector>

#include "cli/cli_args.h"
#include "cli/worker_pool.h"
#include "core/import/import_option_table.h"
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

Status BadValue(const ImportOptionRow& row, const std::string& text) {
  const std::string flag(row.flag);
  if (row.kind == OptionKind::Choice)
    return Status::Error("unknown " + flag + " \"" + text + "\" (" + ChoiceNames(row) + ")");
  const char* number = row.decimals > 0 ? "a number" : "a whole number";
  return Status::Error("--" + flag + " needs " + number + ", not \"" + text + "\"");
}

// Every option of the table by its flag; a Boolean also by --no-flag, which its flag overrides.
Status TakeOptions(CliArgs& cli, ImportOptions& options) {
  for (const ImportOptionRow& row : ImportOptionTable()) {
    if (row.flag.empty()) continue;
    if (row.kind == OptionKind::Boolean) {
      if (cli.TakeFlag("no-" + std::string(row.flag))) row.Set(options, 0);
      if (cli.TakeFlag(row.flag)) row.Set(options, 1);
      continue;
    }
    const std::optional<std::string> text = cli.TakeValue(row.flag);
    if (!text) continue;
    const std::optional<int> value = ParseOptionValue(row, *text);
    if (!value) return BadValue(row, *text);
    row.Set(options, *value);
  }
  return Status::Ok();
}

// `lead` followed by `words` separated by spaces, broken into lines of at most 90 columns
// (a longer word stands alone), the lines after the first indented by `indent`.
std::string Wrapped(std::string lead, const std::vector<std::string>& words, std::size_t indent) {
  constexpr std::size_t kWidth = 90;
  std::string text, line = std::move(lead);
  bool lineHasWord = false;
  for (const std::string& word : words) {
    if (lineHasWord && line.size() + 1 + word.size() > kWidth) {
      text += line + "\n";
      line = std::string(indent, ' ');
      lineHasWord = false;
    }
    line += (lineHasWord ? " " : "") + word;
    lineHasWord = true;
  }
  return text + line + "\n";
}

std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find(' ', start), text.size());
    if (end > start) words.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return words;
}

// "  --lr N                    screen 1 red threshold, 0..255 (default 96; key LR)".
std::string OptionHelp(const ImportOptionRow& row) {
  constexpr std::size_t kDescriptionColumn = 28;
  const std::string flag(row.flag);
  std::string line = "  --" + flag;
  if (row.kind == OptionKind::Boolean) line += " / --no-" + flag;
  if (row.kind == OptionKind::Choice) line += " NAME";
  if (row.kind == OptionKind::Integer) line += row.decimals > 0 ? " X" : " N";
  line.resize(std::max(line.size() + 1, kDescriptionColumn), ' ');
  std::string description(row.help);
  if (row.kind == OptionKind::Integer)
    description +=
        ", " + OptionValueText(row, row.range.min) + ".." + OptionValueText(row, row.range.max);
  if (row.kind == OptionKind::Choice) description += ": " + ChoiceNames(row);
  std::vector<std::string> words = Words(description);
  // The default and the key stay on one line.
  std::string origin = "(default " + OptionValueText(row, row.Default());
  if (row.key.name != nullptr) origin += "; key " + std::string(row.key.name);
  words.push_back(origin + ")");
  return Wrapped(line, words, kDescriptionColumn);
}

// "--lr, --lg, ...": the flags of the options the perceptual method ignores.
std::string ClassicOnlyFlags() {
  std::string flags;
  for (const ImportOptionRow& row : ImportOptionTable())
    if (!row.flag.empty() && !row.UsedBy(ImportMethod::Perceptual))
      flags += (flags.empty() ? "--" : ", --") + std::string(row.flag);
  return flags;
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

Status ParseConvertRequest(const Args& args, ConvertRequest& request) {
  // "-o DIR" and "-j N" are the short options; turn them into long forms the reader knows.
  Args normalised = args;
  std::replace(normalised.begin(), normalised.end(), std::string("-o"), std::string("--o"));
  std::replace(normalised.begin(), normalised.end(), std::string("-j"), std::string("--jobs"));
  CliArgs cli(normalised);
  request.options = ImportOptions{};
  if (Status status = TakeOptions(cli, request.options); !status) return status;
  request.autoOptions = cli.TakeFlag("auto");
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
  std::ostringstream text;
  text << "usage: tinto convert IN OUT.tin [options]\n"
          "       tinto convert -o DIR IN... [options]\n\n"
          "Converts a picture (JPEG, BMP, ICO, PNG, GIF, WMF, EMF) into a .tin picture; a screen\n"
          "file of another tool (.scr, .img, .mg1, .mg2, .mg4, .mg8) is taken as it is. Each\n"
          "option is the Import Expert's control of that role; \"key\" names its key in section\n"
          "[Import] of TintoEditor.ini.\n\n";
  for (const ImportOptionRow& row : ImportOptionTable())
    if (!row.flag.empty()) text << OptionHelp(row);
  text << "  --auto                    choose the method and the classic options for the least\n"
          "                            blurred colour error whose structure (SSIM) stays within\n"
          "                            0.05 of the best seen, use them and print them\n"
          "  --crop L,T,R,B            crop the shown picture first (right, bottom exclusive)\n"
          "  --preview OUT.png         also write the static mix of the result\n"
          "  --frames F0.png F1.png    also write the two converted frames\n"
          "  -j N, --jobs N            convert N pictures at once (1..64; default: one per\n"
          "                            processor core); output and messages keep the\n"
          "                            inputs' order\n\n"
       << Wrapped({},
                  Words("Without --stretch, DX and DY are fitted to the picture's own size. "
                        "Values outside a range are clamped to it. The perceptual method "
                        "ignores " +
                        ClassicOnlyFlags() + "."),
                  0)
       << "\n"
          "With -o, each input becomes DIR/<name>.tin; inputs that share a stem keep their\n"
          "extension (cat.jpg.tin, cat.png.tin), and inputs that would still share a name get\n"
          "distinct ones (a/cat.jpg -> cat.jpg.tin, b/cat.jpg -> cat.jpg-2.tin): no output of a\n"
          "run overwrites another. Each [n/N] line shows the name used. An output that is the\n"
          "same file as its input is refused.\n";
  return text.str();
}

std::string MethodFlags(const ImportOptions& options) {
  std::string flags = "--method " + std::string(ImportMethodName(options.Method));
  for (const ImportOptionRow& row : ImportOptionTable()) {
    if (row.flag.empty() || row.use == OptionUse::Both || !row.UsedBy(options.Method)) continue;
    const int value = row.Get(options);
    flags += ' ';
    if (row.kind == OptionKind::Boolean)
      flags += (value != 0 ? "--" : "--no-") + std::string(row.flag);
    else
      flags += "--" + std::string(row.flag) + " " + OptionValueText(row, value);
  }
  return flags;
}

}  // namespace tinto::cli
