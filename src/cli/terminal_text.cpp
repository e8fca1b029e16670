#include "cli/terminal_text.h"

#include <cstdint>
#include <cstdio>

namespace tinto::cli {
namespace {

void AppendEscaped(std::string& out, unsigned char byte) {
  char text[5];
  std::snprintf(text, sizeof text, "\\x%02x", byte);
  out += text;
}

// The length of the valid UTF-8 sequence at the start of `text`, 0 when it is not one.
// Overlong forms, surrogates and values past U+10FFFF are not valid.
std::size_t Utf8SequenceLength(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  const std::size_t length = lead < 0xc2   ? 0
                             : lead < 0xe0 ? 2
                             : lead < 0xf0 ? 3
                             : lead < 0xf5 ? 4
                                           : 0;
  if (length == 0 || text.size() < length) return 0;
  std::uint32_t value = lead & (0x7f >> length);
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[i]);
    if ((next & 0xc0) != 0x80) return 0;
    value = (value << 6) | (next & 0x3f);
  }
  const bool overlong = (length == 3 && value < 0x800) || (length == 4 && value < 0x10000);
  const bool invalid = (value >= 0xd800 && value <= 0xdfff) || value > 0x10ffff;
  const bool c1Control = value >= 0x80 && value <= 0x9f;
  return overlong || invalid || c1Control ? 0 : length;
}

}  // namespace

std::string ForTerminal(std::string_view message) {
  std::string out;
  out.reserve(message.size());
  for (std::size_t at = 0; at < message.size();) {
    const auto byte = static_cast<unsigned char>(message[at]);
    if (byte == '\n' && message.substr(at + 1, 1) == "\r") {
      out += '\n';
      at += 2;
    } else if (byte == '\n' || byte == '\t' || (byte >= 0x20 && byte < 0x7f)) {
      out += static_cast<char>(byte);
      ++at;
    } else if (std::size_t length = byte < 0x80 ? 0 : Utf8SequenceLength(message.substr(at))) {
      out.append(message.substr(at, length));
      at += length;
    } else {
      AppendEscaped(out, byte);
      ++at;
    }
  }
  return out;
}

}  // namespace tinto::cli
