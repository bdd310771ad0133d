// printf-style formatting into UTF-16 or narrow text, independent of the process locale.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>

namespace Zenlo {

// One formatting argument, captured by value (texts by pointer, valid during the call).
class FormatArg {
public:
    enum class Kind { None, Signed, Unsigned, Real, Wide, Narrow };

    FormatArg() = default;
    template <class T, std::enable_if_t<std::is_integral_v<T> && std::is_signed_v<T>, int> = 0>
    FormatArg(T value) : kind_(Kind::Signed), signed_(value) {}
    template <class T, std::enable_if_t<std::is_integral_v<T> && !std::is_signed_v<T>, int> = 0>
    FormatArg(T value) : kind_(Kind::Unsigned), unsigned_(value) {}
    FormatArg(double value) : kind_(Kind::Real), real_(value) {}
    FormatArg(const char16_t* text) : kind_(Kind::Wide), wide_(text) {}
    FormatArg(const char* text) : kind_(Kind::Narrow), narrow_(text) {}
    // Any of the program's strings: formatted through its terminated text.
    template <class S, std::enable_if_t<std::is_class_v<S>, int> = 0>
    FormatArg(const S& text) : FormatArg(text.c_str()) {}

    Kind kind() const { return kind_; }
    // The value as a T (std::int64_t, std::uint64_t or double) with C's conversions; 0 for text.
    template <class T> T as() const;
    const char16_t* wide() const { return kind_ == Kind::Wide ? wide_ : nullptr; }
    const char* narrow() const { return kind_ == Kind::Narrow ? narrow_ : nullptr; }

private:
    Kind kind_ = Kind::None;
    union {
        std::int64_t signed_ = 0;
        std::uint64_t unsigned_;
        double real_;
        const char16_t* wide_;
        const char* narrow_;
    };
};

// Formats the pattern with the conversions d i u x X c s f and the flags "-0# +", width and
// precision (numbers or "*"), and the length modifiers h l ll z j (read, then ignored).
// Returns the text; a missing argument formats as 0 or empty text, an unknown conversion is
// copied as it stands.
std::u16string formatText(const char16_t* pattern, const FormatArg* args, std::size_t count);
std::string formatText(const char* pattern, const FormatArg* args, std::size_t count);

// The kinds of the pattern's conversions as formatText reads them, in order: 'd' for d i u x X c,
// 'f' for f F, 's' for s. Returns false when a width or precision comes from an argument ("*")
// or is larger than maxWidth.
bool conversionKinds(const char16_t* pattern, int maxWidth, std::u16string& kinds);

} // namespace Zenlo
