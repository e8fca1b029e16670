#include "cli/cli_args.h"

#include <algorithm>
#include <charconv>

namespace tinto::cli {

std::optional<int> ParseInt(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::vector<std::string>::iterator CliArgs::Find(std::string_view name) {
  return std::find(m_args.begin(), m_args.end(), "--" + std::string(name));
}

bool CliArgs::TakeFlag(std::string_view name) {
  auto it = Find(name);
  if (it == m_args.end()) return false;
  m_args.erase(it);
  return true;
}

std::optional<std::vector<std::string>> CliArgs::TakeValues(std::string_view name, int count) {
  auto it = Find(name);
  if (it == m_args.end()) return std::nullopt;
  if (m_args.end() - it <= count) {
    if (m_error.empty())
      m_error = "--" + std::string(name) + " needs " + std::to_string(count) + " value(s)";
    m_args.erase(it, m_args.end());
    return std::nullopt;
  }
  std::vector<std::string> values(it + 1, it + 1 + count);
  m_args.erase(it, it + 1 + count);
  return values;
}

std::optional<std::string> CliArgs::TakeValue(std::string_view name) {
  auto values = TakeValues(name, 1);
  if (!values) return std::nullopt;
  return values->front();
}

std::optional<int> CliArgs::TakeInt(std::string_view name, IntRange range) {
  auto text = TakeValue(name);
  if (!text) return std::nullopt;
  auto value = ParseInt(*text);
  if (!value) {
    if (m_error.empty())
      m_error = "--" + std::string(name) + " needs a whole number, not \"" + *text + "\"";
    return std::nullopt;
  }
  return range.Clamp(*value);
}

Status CliArgs::Finish(std::vector<std::string>& positionals) {
  if (!m_error.empty()) return Status::Error(m_error);
  for (const std::string& arg : m_args)
    if (arg.size() > 2 && arg.starts_with("--")) return Status::Error("unknown option " + arg);
  positionals = m_args;
  return Status::Ok();
}

}  // namespace tinto::cli
