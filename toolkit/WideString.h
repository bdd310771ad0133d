// The program's text type: a growable, always-terminated string of code units with its own edge
// rules.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "toolkit/TextFormat.h"

namespace Zenlo {

// One UTF-16 code unit on every platform (the size of wchar_t on Windows).
using WideChar = char16_t;

struct WideTraits {
    using CharType = char16_t;
};

struct NarrowTraits {
    using CharType = char;
};

template <class CharT, class Traits> class StringImpl;
template <class T> class Array;

using WideString = StringImpl<char16_t, WideTraits>;
using NarrowString = StringImpl<char, NarrowTraits>;
using StringList = Array<WideString>;

template <class CharT, class Traits> class StringImpl {
public:
    using Size = std::uint32_t;
    // All ones: "not found" as a result, "to the end" as a count, "last character" as a start.
    static constexpr Size npos = 0xFFFFFFFFu;
    // Storage sizes: powers of two from smallestStorage up to growthStep, then multiples of
    // growthStep. Names and paths, of which a run holds several per input, stay small; long
    // texts still grow in fixed steps.
    static constexpr Size smallestStorage = 16;
    static constexpr Size growthStep = 1024;

    StringImpl() = default;
    explicit StringImpl(CharT character);
    StringImpl(const CharT* text);
    // Up to count characters of the text, stopping at its terminator.
    StringImpl(const CharT* text, Size count);
    StringImpl(const StringImpl& other);
    StringImpl(StringImpl&& other) noexcept;
    ~StringImpl();
    StringImpl& operator=(const StringImpl& other);
    StringImpl& operator=(StringImpl&& other) noexcept;
    StringImpl& operator=(const CharT* text) { return assign(text); }

    // Replaces the contents with the text; a null pointer changes nothing.
    StringImpl& assign(const CharT* text);
    // Replaces the contents with printf-style formatting (C locale). "%s" takes a string or text.
    template <class... Args> StringImpl& format(const CharT* pattern, const Args&... args) {
        const FormatArg list[] = {FormatArg(args)..., FormatArg()};
        return assignFormatted(pattern, list, sizeof...(Args));
    }
    // A new string holding the formatting of the arguments.
    template <class... Args>
    static StringImpl formatted(const CharT* pattern, const Args&... args) {
        StringImpl result;
        result.format(pattern, args...);
        return result;
    }

    Size length() const { return length_; }
    Size capacity() const { return capacity_; }
    // The characters, or null while the string has no storage.
    const CharT* buffer() const { return buffer_; }
    CharT* buffer() { return buffer_; }
    // The characters as a terminated text; never null.
    const CharT* c_str() const { return buffer_ ? buffer_ : emptyText(); }
    bool isEmpty() const { return length_ == 0; }
    CharT operator[](Size index) const { return buffer_[index]; }
    CharT& operator[](Size index) { return buffer_[index]; }
    std::basic_string_view<CharT> view() const { return {c_str(), length_}; }

    // Makes room for n characters; all of them (and any old ones) become 0.
    void resize(Size n);

    StringImpl& append(const StringImpl& other);
    StringImpl& append(const CharT* text);
    StringImpl& append(const CharT* text, Size count);
    StringImpl& append(CharT character);
    StringImpl& operator+=(const StringImpl& other) { return append(other); }
    StringImpl& operator+=(const CharT* text) { return append(text); }
    StringImpl& operator+=(CharT character) { return append(character); }

    void insert(Size position, const StringImpl& other, Size start, Size count);
    void insert(Size position, const CharT* text, Size count);
    void erase(Size position, Size count);

    StringImpl left(Size n) const;
    StringImpl right(Size n) const;
    StringImpl substr(Size position, Size count) const;

    Size find(CharT character, Size start = 0) const;
    Size find(const StringImpl& other, Size start = 0) const;
    Size findFirstOf(const CharT* set, Size start = 0, Size count = npos) const;
    Size findFirstNotOf(CharT character, Size start = 0) const;
    Size findFirstNotOf(const CharT* set, Size start = 0, Size count = npos) const;
    Size findLastOf(CharT character, Size start = npos) const;
    Size findLastNotOf(const CharT* set, Size start = npos, Size count = npos) const;

    void replaceAll(CharT from, CharT to);
    void replaceAll(const CharT* text, CharT to);
    void trimLeft(CharT character);
    void trimRight(CharT character);
    void trimLeftAny(const CharT* set);
    void toUpper();
    void toLower();

    bool equals(const StringImpl& other) const;
    bool equals(const CharT* text) const;
    bool less(const StringImpl& other) const;
    bool operator==(const StringImpl& other) const { return equals(other); }
    bool operator==(const CharT* text) const { return equals(text); }
    bool operator<(const StringImpl& other) const { return less(other); }

    // Fills the list with the non-empty pieces between separators.
    void splitString(CharT separator, Array<StringImpl>& list) const;
    // The UTF-8 form of the text; lone surrogates become U+FFFD.
    NarrowString toUtf8() const;

private:
    static const CharT* emptyText();
    static Size roundedCapacity(Size n);
    void ensureRoom(Size n);
    void adopt(CharT* buffer, Size capacity, Size length);
    StringImpl& assignFormatted(const CharT* pattern, const FormatArg* args, std::size_t count);

    CharT* buffer_ = nullptr;
    Size capacity_ = 0;
    Size length_ = 0;
};

template <class C, class T>
StringImpl<C, T> operator+(const StringImpl<C, T>& left, const StringImpl<C, T>& right) {
    StringImpl<C, T> result(left);
    return result.append(right), result;
}
template <class C, class T>
StringImpl<C, T> operator+(const StringImpl<C, T>& left, const C* right) {
    StringImpl<C, T> result(left);
    return result.append(right), result;
}
template <class C, class T> StringImpl<C, T> operator+(const StringImpl<C, T>& left, C right) {
    StringImpl<C, T> result(left);
    return result.append(right), result;
}

// The text of UTF-8 bytes; invalid sequences become U+FFFD.
WideString fromUtf8(std::string_view bytes);
// The text of a native path (lossless: see nativeToUtf16), and the native path of a text.
WideString fromPath(const std::filesystem::path& path);
std::filesystem::path toPath(const WideString& text);

extern template class StringImpl<char16_t, WideTraits>;
extern template class StringImpl<char, NarrowTraits>;

} // namespace Zenlo

#include "toolkit/StringList.h"
