// Text for the user's console: paths as readable text, and UTF-8 written so that it shows.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "toolkit/WideString.h"

namespace Zenlo {

// A path as shown in messages, UTF-8; a byte of a name that is not UTF-8 shows as \xFF, so two
// such names never look alike.
std::string shownPath(const WideString& path);

// Writes UTF-8 text to the stream. On Windows a console gets it as UTF-16 through the console's
// own wide output (the console's code page cannot show every character); a redirected stream
// gets the UTF-8 bytes. Elsewhere the bytes as they are. Write errors are not reported.
void writeText(std::FILE* stream, std::string_view text);

// Writes one message of the program: "hexmoor-cli: ", the message and a line end, as writeText.
void writeMessage(std::FILE* stream, std::string_view message);

// The value as one line of a message shows it: control characters become "?".
std::string oneLineText(std::string value);

// True when the stream is a console or terminal the user looks at.
bool isConsole(std::FILE* stream);

} // namespace Zenlo
