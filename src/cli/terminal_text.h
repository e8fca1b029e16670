#pragma once
// Text the tool prints: file names come from the user and may hold anything a file name can,
// so nothing printed may reach the terminal as a control sequence.

#include <string>
#include <string_view>

namespace tinto::cli {

// Editor messages join lines with "\n\r"; a terminal wants plain line feeds. Every other
// control character (C0, DEL, and C1 written in UTF-8) and every byte that is not part of valid
// UTF-8 is shown as "\xHH", so a name's exact bytes stay readable.
std::string ForTerminal(std::string_view message);

}  // namespace tinto::cli
