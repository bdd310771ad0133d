// The checks of option values that become generated text. Each sets the field and returns true
// for a value its place takes; otherwise it returns false with the reason in error.
#pragma once

#include <string>

#include "toolkit/WideString.h"

namespace Zenlo {

// Header names, each followed by ";": no line break, control character or ">".
bool setIncludeList(WideString& field, const std::string& value, std::string& error);
// A type: letters, digits, "_", spaces and ": * < > ,"; not empty.
bool setTypeText(WideString& field, const std::string& value, std::string& error);
// A part of a variable name: characters of C identifiers only.
bool setNameText(WideString& field, const std::string& value, std::string& error);
// An attribute: matched parentheses and quotes; no ";", braces, "#", backslash, comment start or
// control character.
bool setAttributeText(WideString& field, const std::string& value, std::string& error);
// A section's name: letters, digits and "_ . $ ,".
bool setSectionName(WideString& field, const std::string& value, std::string& error);

} // namespace Zenlo
