#include "cli/output_plan.h"

#include <filesystem>
#include <map>
#include <set>

#include "core/format/same_file.h"

namespace tinto::cli {
namespace {

namespace fs = std::filesystem;

std::string PreferredName(const fs::path& input, const std::map<std::string, int>& stems) {
  fs::path name = input.filename();
  if (stems.at(name.stem().string()) > 1) return name.string();
  return name.replace_extension().string();
}

}  // namespace

std::vector<std::string> BatchOutputNames(const std::vector<std::string>& inputs,
                                          const std::string& folder) {
  std::map<std::string, int> stems;
  for (const std::string& input : inputs) ++stems[fs::path(input).stem().string()];
  std::vector<std::string> bases;
  for (const std::string& input : inputs) bases.push_back(PreferredName(input, stems));
  // Every preferred name is reserved first, so a suffixed name never takes one that a later
  // input would have had.
  std::set<std::string> taken(bases.begin(), bases.end());
  std::set<std::string> used;
  std::vector<std::string> outputs;
  for (const std::string& base : bases) {
    std::string name = base;
    for (int n = 2; used.count(name) > 0 || (name != base && taken.count(name) > 0); ++n)
      name = base + "-" + std::to_string(n);
    used.insert(name);
    outputs.push_back((fs::path(folder) / (name + ".tin")).string());
  }
  return outputs;
}

Status CheckOutputFolder(const std::string& folder) {
  std::error_code error;
  const fs::file_status status = fs::status(folder, error);
  if (fs::is_directory(status)) return Status::Ok();
  if (fs::exists(status)) return Status::Error(folder + ": not a folder");
  return Status::Error(folder + ": no such folder");
}

Status CheckDistinctFiles(const std::vector<std::string>& inputs,
                          const std::vector<std::string>& outputs) {
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    for (const std::string& input : inputs)
      if (IsSameFile(outputs[i], input))
        return Status::Error(outputs[i] + ": the output is the input " + input +
                             "; nothing written");
    for (std::size_t j = 0; j < i; ++j)
      if (IsSameFile(outputs[i], outputs[j]))
        return Status::Error(outputs[i] + ": the output is also the output " + outputs[j] +
                             "; nothing written");
  }
  return Status::Ok();
}

std::string LedByFileName(const std::string& file, const std::string& message) {
  if (message.find(file) != std::string::npos) return message;
  return file + ": " + message;
}

}  // namespace tinto::cli
