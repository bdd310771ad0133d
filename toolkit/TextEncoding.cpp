// UTF-8 and UTF-16 coding by hand, so results never depend on the locale or the platform.
#include "toolkit/TextEncoding.h"

#include <cstdint>
#include <cstdio>

namespace Zenlo {

namespace {

constexpr char32_t replacement = 0xFFFD;

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

void appendUtf16(std::u16string& out, char32_t cp) {
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
    } else {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    }
}

// Decodes one UTF-8 sequence at i; returns its length, or 0 when it is not a valid sequence.
std::size_t decodeUtf8(std::string_view bytes, std::size_t i, char32_t& cp) {
    auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(bytes[k]); };
    std::uint8_t lead = byte(i);
    if (lead < 0x80) return cp = lead, 1;
    std::size_t length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (lead > 0xF4 || length == 0 || i + length > bytes.size()) return 0;
    cp = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    bool overlong = (length == 3 && cp < 0x800) || (length == 4 && cp < 0x10000);
    if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return length;
}

// Visits the code points of UTF-16 text; a lone surrogate is passed as itself.
template <class Visit> void forEachCodePoint(std::u16string_view text, Visit visit) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            visit(0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else {
            visit(unit);
        }
    }
}

bool isSurrogate(char32_t cp) {
    return cp >= 0xD800 && cp <= 0xDFFF;
}

// UTF-16 of UTF-8 bytes; each byte of an invalid sequence becomes the code point invalid gives it.
template <class Invalid> std::u16string decodeUtf8Bytes(std::string_view bytes, Invalid invalid) {
    std::u16string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t cp = 0;
        std::size_t length = decodeUtf8(bytes, i, cp);
        appendUtf16(out, length ? cp : invalid(static_cast<std::uint8_t>(bytes[i])));
        i += length ? length : 1;
    }
    return out;
}

// The byte a lone surrogate keeps from a native name, or -1 when it keeps none.
int keptByte(char32_t cp) {
#ifdef _WIN32
    (void)cp;
    return -1;
#else
    return cp >= 0xDC80 && cp <= 0xDCFF ? static_cast<int>(cp - 0xDC00) : -1;
#endif
}

// How a lone surrogate reads in shown text.
std::string surrogateEscape(char32_t cp) {
    char escape[8];
    if (keptByte(cp) >= 0)
        std::snprintf(escape, sizeof escape, "\\x%02X", keptByte(cp));
    else
        std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(cp));
    return escape;
}

} // namespace

std::string utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    forEachCodePoint(text,
                     [&](char32_t cp) { appendUtf8(out, isSurrogate(cp) ? replacement : cp); });
    return out;
}

std::u16string utf8ToUtf16(std::string_view bytes) {
    return decodeUtf8Bytes(bytes, [](std::uint8_t) { return replacement; });
}

std::u16string decodeUtf16le(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        auto low = static_cast<std::uint8_t>(bytes[i]);
        auto high = static_cast<std::uint8_t>(bytes[i + 1]);
        text.push_back(static_cast<char16_t>(low | (high << 8)));
    }
    return text;
}

std::string shownText(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    forEachCodePoint(text, [&](char32_t cp) {
        if (isSurrogate(cp))
            out += surrogateEscape(cp);
        else
            appendUtf8(out, cp);
    });
    return out;
}

#ifdef _WIN32

std::u16string nativeToUtf16(const std::filesystem::path& path) {
    const std::wstring& text = path.native();
    return std::u16string(text.begin(), text.end());
}

std::filesystem::path utf16ToNative(std::u16string_view text) {
    return std::filesystem::path(std::wstring(text.begin(), text.end()));
}

std::string pathBytes(std::u16string_view text) {
    return utf16ToUtf8(text);
}

#else

std::u16string nativeToUtf16(const std::filesystem::path& path) {
    return decodeUtf8Bytes(path.native(),
                           [](std::uint8_t byte) { return char32_t{0xDC00u + byte}; });
}

std::filesystem::path utf16ToNative(std::u16string_view text) {
    return std::filesystem::path(pathBytes(text));
}

std::string pathBytes(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    forEachCodePoint(text, [&](char32_t cp) {
        if (keptByte(cp) >= 0)
            out.push_back(static_cast<char>(keptByte(cp)));
        else
            appendUtf8(out, isSurrogate(cp) ? replacement : cp);
    });
    return out;
}

#endif

} // namespace Zenlo
