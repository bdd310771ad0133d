// Conversions between UTF-16 text, UTF-8 bytes and the file-system's own path form.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace Zenlo {

// UTF-8 form of UTF-16 text; a lone surrogate becomes U+FFFD.
std::string utf16ToUtf8(std::u16string_view text);
// UTF-16 form of UTF-8 bytes; each byte of an invalid sequence becomes U+FFFD.
std::u16string utf8ToUtf16(std::string_view bytes);
// UTF-16 code units of little-endian byte pairs; an odd last byte is half a unit and is dropped.
std::u16string decodeUtf16le(std::string_view bytes);

// UTF-16 form of a native path. Outside Windows a path is bytes: invalid UTF-8 bytes are kept
// as the lone surrogates U+DC80..U+DCFF, so every name survives the round trip unchanged.
std::u16string nativeToUtf16(const std::filesystem::path& path);
// The native path of UTF-16 text; the exact inverse of nativeToUtf16.
std::filesystem::path utf16ToNative(std::u16string_view text);
// The bytes a path's text names, for text that must find the file again (a lookup key, an
// include line): outside Windows its native bytes, on Windows its UTF-8 form.
std::string pathBytes(std::u16string_view text);
// UTF-8 of text for people to read. Outside Windows a byte kept from a name shows as \xFF; any
// other lone surrogate shows as \uD800. So two different names never look alike.
std::string shownText(std::u16string_view text);

} // namespace Zenlo
