#pragma once
// The `tinto` sub-commands. Each takes the arguments after its name, prints results to `out`
// and errors to `err`, and returns the process exit status (0 success, 1 failure, 2 usage).

#include <iosfwd>
#include <string>
#include <vector>

namespace tinto::cli {

using Args = std::vector<std::string>;

int RunInfo(const Args& args, std::ostream& out, std::ostream& err);
int RunRender(const Args& args, std::ostream& out, std::ostream& err);
int RunConvert(const Args& args, std::ostream& out, std::ostream& err);
int RunResample(const Args& args, std::ostream& out, std::ostream& err);
int RunExport(const Args& args, std::ostream& out, std::ostream& err);
int RunScore(const Args& args, std::ostream& out, std::ostream& err);

// Dispatches argv[1] to its command; prints usage for none or an unknown one.
int RunTool(const Args& args, std::ostream& out, std::ostream& err);

}  // namespace tinto::cli
