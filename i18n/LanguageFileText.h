// The text rules of language files: decoding, line pieces, keys, escapes and the two first lines.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "toolkit/WideString.h"

namespace Zenlo {

// The exact first line of every language file.
inline constexpr const char16_t* languageHeaderLine = u"<utf-8 encoding>";
// The longest piece of a line handled as one line, in code units (a line end counts as one).
inline constexpr std::size_t languageLineLimit = 254;

// The text of a language file's bytes: UTF-16 little-endian when they start with its byte-order
// mark, otherwise UTF-8 with an optional mark (invalid bytes become U+FFFD). Each CR LF becomes LF.
std::u16string decodeLanguageText(std::string_view bytes);

// Hands out the lines of a decoded text one piece at a time: at most languageLineLimit code
// units, ending after a line feed; a piece ends at a zero code unit, and its trailing carriage
// returns and line feeds are removed.
class LanguageLineReader {
public:
    explicit LanguageLineReader(std::u16string_view text) : text_(text) {}
    // The next piece; false (and an empty line) at the end of the text.
    bool readLine(WideString& line);
    bool atEnd() const { return position_ >= text_.size(); }

private:
    std::u16string_view text_;
    std::size_t position_ = 0;
};

// The number at the start of the text as the C library's wide-to-long conversion reads it in
// base 10 (white space skipped, optional sign, decimal digits; 0 without digits), clamped to
// the 32-bit range.
std::int32_t parseLanguageKey(std::u16string_view text);

// The text with every backslash-n turned into a line feed, then every backslash-t into a tab,
// each searched from the left.
WideString replaceLanguageEscapes(const WideString& text);

// The LangID of a second line ("LangID" and the name, split at spaces); false when the line has
// no "LangID" first word or no name after it.
bool parseLangIdLine(const WideString& line, WideString& langId);

// Splits an entry line at its first space into key and text (escapes replaced); false for a
// line without a space.
bool parseEntryLine(const WideString& line, std::int32_t& key, WideString& text);

} // namespace Zenlo
