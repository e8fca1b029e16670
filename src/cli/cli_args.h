#pragma once
// A small command-line reader: options are taken out by name, what remains are the positional
// arguments. Anything left that starts with "--" is an unknown option.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/screen_geometry.h"
#include "core/status.h"

namespace tinto::cli {

// True for a lone "--help" or "-h": the command prints its usage on standard output.
inline bool IsHelpRequest(const std::vector<std::string>& args) {
  return args.size() == 1 && (args[0] == "--help" || args[0] == "-h");
}

class CliArgs {
 public:
  explicit CliArgs(std::vector<std::string> args) : m_args(std::move(args)) {}

  // Removes "--name" and says whether it was there.
  bool TakeFlag(std::string_view name);
  // Removes "--name VALUE" and returns VALUE; sets an error when VALUE is missing.
  std::optional<std::string> TakeValue(std::string_view name);
  // Removes "--name V1 V2 ... Vcount".
  std::optional<std::vector<std::string>> TakeValues(std::string_view name, int count);
  // Removes an integer option, clamped to `range` as the editor's controls clamp; sets an
  // error when the value is not a whole number.
  std::optional<int> TakeInt(std::string_view name, IntRange range);

  // The positional arguments, or an error for an unknown option or an earlier bad value.
  Status Finish(std::vector<std::string>& positionals);

 private:
  std::vector<std::string>::iterator Find(std::string_view name);

  std::vector<std::string> m_args;
  std::string m_error;
};

// Whole decimal number with optional sign; nothing else.
std::optional<int> ParseInt(std::string_view text);

}  // namespace tinto::cli
