// The text rules of language files: decoding, line pieces, keys, escapes and the two first lines.
#include "i18n/LanguageFileText.h"

#include <limits>

#include "toolkit/TextEncoding.h"

namespace Zenlo {

namespace {

std::u16string joinLineEnds(const std::u16string& text) {
    std::u16string joined;
    joined.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') continue;
        joined.push_back(text[i]);
    }
    return joined;
}

bool isCSpace(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

WideString replaceEscape(const WideString& text, char16_t letter, char16_t replacement) {
    WideString result;
    for (WideString::Size i = 0; i < text.length(); ++i) {
        if (text[i] == u'\\' && i + 1 < text.length() && text[i + 1] == letter) {
            result.append(replacement);
            ++i;
        } else {
            result.append(text[i]);
        }
    }
    return result;
}

} // namespace

std::u16string decodeLanguageText(std::string_view bytes) {
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE')
        return joinLineEnds(decodeUtf16le(bytes.substr(2)));
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    return joinLineEnds(utf8ToUtf16(bytes));
}

bool LanguageLineReader::readLine(WideString& line) {
    line = WideString();
    if (atEnd()) return false;
    std::size_t start = position_;
    std::size_t end = start;
    while (end < text_.size() && end - start < languageLineLimit) {
        if (text_[end++] == u'\n') break;
    }
    position_ = end;
    std::u16string_view piece = text_.substr(start, end - start);
    // The piece is handled as a terminated text: a zero code unit ends it.
    piece = piece.substr(0, piece.find(u'\0'));
    while (!piece.empty() && (piece.back() == u'\n' || piece.back() == u'\r'))
        piece.remove_suffix(1);
    line.append(piece.data(), static_cast<WideString::Size>(piece.size()));
    return true;
}

std::int32_t parseLanguageKey(std::u16string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isCSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    // Kept just beyond the 32-bit range once it gets there, so it cannot overflow.
    constexpr std::int64_t limit = std::int64_t(std::numeric_limits<std::int32_t>::max()) + 2;
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i] - u'0');
        if (value > limit) value = limit;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

WideString replaceLanguageEscapes(const WideString& text) {
    return replaceEscape(replaceEscape(text, u'n', u'\n'), u't', u'\t');
}

bool parseLangIdLine(const WideString& line, WideString& langId) {
    StringList words;
    line.splitString(u' ', words);
    if (words.count() < 2 || !words[0].equals(u"LangID")) return false;
    langId = words[1];
    return true;
}

bool parseEntryLine(const WideString& line, std::int32_t& key, WideString& text) {
    WideString::Size space = line.find(u' ');
    if (space == WideString::npos) return false;
    key = parseLanguageKey(line.view());
    text = replaceLanguageEscapes(line.substr(space + 1, WideString::npos));
    return true;
}

} // namespace Zenlo
