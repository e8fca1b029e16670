#pragma once
// Runs the `tinto` tool in-process and keeps what it printed.

#include <sstream>

#include "cli/commands.h"
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

}  // namespace tinto::cli
