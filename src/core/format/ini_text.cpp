#include "core/format/ini_text.h"

#include <charconv>
#include <cstddef>
#include <limits>

namespace tinto {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

std::string_view Trim(std::string_view s) {
  s = TrimLeft(s);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

bool HasLineBreakOrNul(std::string_view s) {
  return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

enum class LineKind { Header, Key, Other };

// One line of the text: positions are offsets into the whole text.
struct Line {
  std::size_t end = 0;  // past the line end, i.e. where the next line starts
  LineKind kind = LineKind::Other;
  std::string_view name;       // trimmed section or key name
  std::size_t valueBegin = 0;  // key lines: first byte after "=" and the blanks after it
  std::size_t valueEnd = 0;    // key lines: end of the line's content (before CR LF / LF)
};

Line ReadLine(std::string_view text, std::size_t begin) {
  Line line;
  std::size_t newline = text.find('\n', begin);
  std::size_t contentEnd = newline == std::string_view::npos ? text.size() : newline;
  line.end = newline == std::string_view::npos ? text.size() : newline + 1;
  if (newline != std::string_view::npos && contentEnd > begin && text[contentEnd - 1] == '\r')
    --contentEnd;
  std::string_view content = TrimLeft(text.substr(begin, contentEnd - begin));
  if (content.empty() || content.front() == ';') return line;
  if (content.front() == '[') {
    std::size_t close = content.find(']');
    if (close == std::string_view::npos) return line;
    line.kind = LineKind::Header;
    line.name = Trim(content.substr(1, close - 1));
    return line;
  }
  std::size_t equals = content.find('=');
  if (equals == std::string_view::npos) return line;
  line.name = Trim(content.substr(0, equals));
  if (line.name.empty()) return line;
  line.kind = LineKind::Key;
  std::size_t afterEquals = static_cast<std::size_t>(content.data() - text.data()) + equals + 1;
  std::string_view rest = TrimLeft(text.substr(afterEquals, contentEnd - afterEquals));
  line.valueBegin = static_cast<std::size_t>(rest.data() - text.data());
  line.valueEnd = contentEnd;
  return line;
}

// Where a key is, or where it would go.
struct KeyLookup {
  bool sectionFound = false;
  bool keyFound = false;
  Line keyLine;              // when keyFound
  std::size_t insertAt = 0;  // when only the section was found: end of its last key line
};

KeyLookup LookUp(std::string_view text, std::string_view section, std::string_view key) {
  section = Trim(section);
  key = Trim(key);
  KeyLookup result;
  std::size_t pos = text.starts_with(kUtf8Bom) ? kUtf8Bom.size() : 0;
  bool inSection = false;
  while (pos < text.size()) {
    Line line = ReadLine(text, pos);
    pos = line.end;
    if (line.kind == LineKind::Header) {
      if (inSection) break;
      if (SameName(line.name, section)) {
        inSection = result.sectionFound = true;
        result.insertAt = line.end;
      }
    } else if (inSection && line.kind == LineKind::Key) {
      if (SameName(line.name, key)) {
        result.keyFound = true;
        result.keyLine = line;
        break;
      }
      result.insertAt = line.end;
    }
  }
  return result;
}

std::string_view LineEndOf(std::string_view text) {
  std::size_t newline = text.find('\n');
  if (newline != std::string_view::npos && newline > 0 && text[newline - 1] == '\r') return "\r\n";
  return "\n";
}

// `text` ends with a line end.
bool EndsWithBlankLine(std::string_view text) {
  std::string_view rest = text.substr(0, text.size() - 1);
  std::size_t previous = rest.rfind('\n');
  return Trim(previous == std::string_view::npos ? rest : rest.substr(previous + 1)).empty();
}

std::string AppendSection(std::string_view text, std::string_view section, std::string_view key,
                          std::string_view value) {
  std::string_view eol = LineEndOf(text);
  std::string out(text);
  if (!out.empty() && out.back() != '\n') out += eol;
  if (!out.empty() && !EndsWithBlankLine(out)) out += eol;
  out.append("[").append(Trim(section)).append("]").append(eol);
  out.append(Trim(key)).append("=").append(value).append(eol);
  return out;
}

}  // namespace

std::optional<std::string_view> FindIniValue(std::string_view text, std::string_view section,
                                             std::string_view key) {
  KeyLookup found = LookUp(text, section, key);
  if (!found.keyFound) return std::nullopt;
  const Line& line = found.keyLine;
  return Trim(text.substr(line.valueBegin, line.valueEnd - line.valueBegin));
}

bool IsValidIniSectionName(std::string_view section) {
  section = Trim(section);
  return !section.empty() && !HasLineBreakOrNul(section) && section.find(']') == section.npos;
}

bool IsValidIniKeyName(std::string_view key) {
  key = Trim(key);
  return !key.empty() && !HasLineBreakOrNul(key) && key.find('=') == key.npos &&
         key.front() != '[' && key.front() != ';';
}

std::string SanitizeIniValue(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (char c : value)
    if (c != '\r' && c != '\n' && c != '\0') out += c;
  return out;
}

std::string SetIniValue(std::string_view text, std::string_view section, std::string_view key,
                        std::string_view value) {
  KeyLookup found = LookUp(text, section, key);
  if (!found.sectionFound) return AppendSection(text, section, key, value);
  std::string out;
  if (found.keyFound) {
    const Line& line = found.keyLine;
    out.append(text.substr(0, line.valueBegin)).append(value).append(text.substr(line.valueEnd));
    return out;
  }
  std::string_view eol = LineEndOf(text);
  std::string_view before = text.substr(0, found.insertAt);
  out.append(before);
  if (!before.empty() && before.back() != '\n') out += eol;
  out.append(Trim(key)).append("=").append(value).append(eol);
  out.append(text.substr(found.insertAt));
  return out;
}

std::optional<int> ParseIniInteger(std::string_view text) {
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  bool negative = false;
  if (base == 10 && !text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  // Unsigned parsing takes digits only, so no second sign and no sign after "0x".
  unsigned long long magnitude = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  constexpr unsigned long long kMaxPositive = std::numeric_limits<int>::max();
  if (magnitude > kMaxPositive + (negative ? 1 : 0)) return std::nullopt;
  if (negative) return static_cast<int>(-static_cast<long long>(magnitude));
  return static_cast<int>(magnitude);
}

}  // namespace tinto
