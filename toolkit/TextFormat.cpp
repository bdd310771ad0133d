// printf-style formatting built on std::to_chars, so no locale can change a digit or a point.
#include "toolkit/TextFormat.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "toolkit/TextEncoding.h"

namespace Zenlo {

template <class T> T FormatArg::as() const {
    switch (kind_) {
    case Kind::Signed:
        return static_cast<T>(signed_);
    case Kind::Unsigned:
        return static_cast<T>(unsigned_);
    case Kind::Real:
        return static_cast<T>(real_);
    default:
        return T(0);
    }
}

namespace {

struct Directive {
    bool leftAlign = false, zeroPad = false, alternate = false, plus = false, space = false;
    int width = 0;
    int precision = -1;
    // The width or the precision is taken from an argument ("*").
    bool sizeFromArgument = false;
    char conversion = 0;
};

class ArgReader {
public:
    ArgReader(const FormatArg* args, std::size_t count) : args_(args), count_(count) {}
    const FormatArg& next() {
        static const FormatArg none;
        return index_ < count_ ? args_[index_++] : none;
    }

private:
    const FormatArg* args_;
    std::size_t count_;
    std::size_t index_ = 0;
};

// Digits of an integer conversion, without sign; precision 0 with value 0 gives nothing.
std::string integerDigits(std::uint64_t magnitude, const Directive& directive) {
    int base = (directive.conversion == 'x' || directive.conversion == 'X') ? 16 : 10;
    char digits[32];
    auto end = std::to_chars(digits, digits + sizeof digits, magnitude, base).ptr;
    std::string text(digits, end);
    if (directive.conversion == 'X')
        for (char& c : text)
            c = static_cast<char>(c >= 'a' && c <= 'f' ? c - 32 : c);
    if (directive.precision == 0 && magnitude == 0) text.clear();
    if (directive.precision > 0 && static_cast<int>(text.size()) < directive.precision)
        text.insert(0, static_cast<std::size_t>(directive.precision) - text.size(), '0');
    return text;
}

std::string realDigits(double value, const Directive& directive) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return "inf";
    int precision = directive.precision < 0 ? 6 : directive.precision;
    std::string text(400 + static_cast<std::size_t>(precision), '\0');
    auto result = std::to_chars(text.data(), text.data() + text.size(), std::fabs(value),
                                std::chars_format::fixed, precision);
    text.resize(static_cast<std::size_t>(result.ptr - text.data()));
    if (directive.alternate && text.find('.') == std::string::npos) text += '.';
    return text;
}

// Pads sign + body to the width: zeros between sign and digits, or spaces on either side.
template <class CharT>
void emitPadded(std::basic_string<CharT>& out, std::string_view sign, std::u16string_view body,
                const Directive& directive, bool zeroAllowed) {
    std::size_t used = sign.size() + body.size();
    std::size_t pad = directive.width > 0 && static_cast<std::size_t>(directive.width) > used
                          ? static_cast<std::size_t>(directive.width) - used
                          : 0;
    bool zeros = directive.zeroPad && !directive.leftAlign && zeroAllowed;
    if (!directive.leftAlign && !zeros) out.append(pad, CharT(' '));
    for (char c : sign)
        out.push_back(CharT(c));
    if (zeros) out.append(pad, CharT('0'));
    for (char16_t c : body)
        out.push_back(static_cast<CharT>(c));
    if (directive.leftAlign) out.append(pad, CharT(' '));
}

template <class CharT>
void emitNarrowBody(std::basic_string<CharT>& out, std::string_view sign, const std::string& body,
                    const Directive& directive, bool zeroAllowed) {
    std::u16string wide(body.begin(), body.end());
    emitPadded(out, sign, wide, directive, zeroAllowed);
}

template <class CharT> std::u16string textArgument(const FormatArg& arg) {
    std::string bytes = arg.narrow() ? std::string(arg.narrow()) : std::string();
    if constexpr (std::is_same_v<CharT, char16_t>) {
        if (arg.wide()) return std::u16string(arg.wide());
        return utf8ToUtf16(bytes);
    } else {
        // Narrow output keeps bytes as they are; wide text arrives as UTF-8.
        if (arg.wide()) bytes = utf16ToUtf8(arg.wide());
        std::u16string out;
        for (char c : bytes)
            out.push_back(static_cast<unsigned char>(c));
        return out;
    }
}

template <class CharT>
void emitConversion(std::basic_string<CharT>& out, Directive directive, ArgReader& reader) {
    switch (directive.conversion) {
    case 'd':
    case 'i': {
        std::int64_t value = reader.next().as<std::int64_t>();
        std::uint64_t magnitude =
            value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
        const char* sign = value < 0 ? "-" : directive.plus ? "+" : directive.space ? " " : "";
        emitNarrowBody(out, sign, integerDigits(magnitude, directive), directive,
                       directive.precision < 0);
        break;
    }
    case 'u':
    case 'x':
    case 'X': {
        std::uint64_t value = reader.next().as<std::uint64_t>();
        // A plain pointer: GCC 12 at -O2 takes a short std::string here for uninitialised.
        const char* prefix = "";
        if (directive.alternate && value != 0 && directive.conversion != 'u')
            prefix = directive.conversion == 'x' ? "0x" : "0X";
        emitNarrowBody(out, prefix, integerDigits(value, directive), directive,
                       directive.precision < 0);
        break;
    }
    case 'f':
    case 'F': {
        double value = reader.next().as<double>();
        const char* sign = std::signbit(value) ? "-"
                           : directive.plus    ? "+"
                           : directive.space   ? " "
                                               : "";
        emitNarrowBody(out, sign, realDigits(value, directive), directive, std::isfinite(value));
        break;
    }
    case 'c': {
        char16_t c = static_cast<char16_t>(reader.next().as<std::uint64_t>());
        emitPadded(out, "", std::u16string_view(&c, 1), directive, false);
        break;
    }
    case 's': {
        std::u16string text = textArgument<CharT>(reader.next());
        if (directive.precision >= 0 && text.size() > static_cast<std::size_t>(directive.precision))
            text.resize(static_cast<std::size_t>(directive.precision));
        emitPadded(out, "", text, directive, false);
        break;
    }
    }
}

template <class CharT> int readNumber(const CharT*& p) {
    int value = 0;
    while (*p >= CharT('0') && *p <= CharT('9')) {
        if (value < 100000) value = value * 10 + (*p - CharT('0'));
        ++p;
    }
    return value;
}

// Parses one conversion after its "%"; returns false (nothing consumed) when it is unknown.
template <class CharT>
bool parseDirective(const CharT*& p, Directive& directive, ArgReader& reader) {
    const CharT* q = p;
    for (;; ++q) {
        if (*q == CharT('-'))
            directive.leftAlign = true;
        else if (*q == CharT('0'))
            directive.zeroPad = true;
        else if (*q == CharT('#'))
            directive.alternate = true;
        else if (*q == CharT('+'))
            directive.plus = true;
        else if (*q == CharT(' '))
            directive.space = true;
        else
            break;
    }
    if (*q == CharT('*')) {
        directive.sizeFromArgument = true;
        auto width = reader.next().as<std::int64_t>();
        if (width < 0) directive.leftAlign = true;
        directive.width = static_cast<int>(width < 0 ? -width : width);
        ++q;
    } else {
        directive.width = readNumber(q);
    }
    if (*q == CharT('.')) {
        ++q;
        if (*q == CharT('*')) {
            directive.sizeFromArgument = true;
            auto precision = reader.next().as<std::int64_t>();
            directive.precision = precision < 0 ? -1 : static_cast<int>(precision);
            ++q;
        } else {
            directive.precision = readNumber(q);
        }
    }
    while (*q == CharT('h') || *q == CharT('l') || *q == CharT('z') || *q == CharT('j'))
        ++q;
    static constexpr std::string_view known = "diuxXfFcs";
    if (*q == 0 || *q > 127 || known.find(static_cast<char>(*q)) == std::string_view::npos)
        return false;
    directive.conversion = static_cast<char>(*q);
    p = q + 1;
    return true;
}

// Walks the pattern: literal gets each character that stands for itself ("%%" gives one "%", an
// unknown conversion its "%"), conversion each directive, with the reader at its argument.
template <class CharT, class Literal, class Conversion>
void walkPattern(const CharT* pattern, ArgReader& reader, Literal literal, Conversion conversion) {
    for (const CharT* p = pattern; p && *p;) {
        if (*p != CharT('%')) {
            literal(*p++);
            continue;
        }
        if (p[1] == CharT('%')) {
            literal(CharT('%'));
            p += 2;
            continue;
        }
        ++p;
        Directive directive;
        if (parseDirective(p, directive, reader))
            conversion(directive);
        else
            literal(CharT('%'));
    }
}

template <class CharT>
std::basic_string<CharT> formatAny(const CharT* pattern, const FormatArg* args, std::size_t count) {
    std::basic_string<CharT> out;
    ArgReader reader(args, count);
    walkPattern(
        pattern, reader, [&](CharT c) { out.push_back(c); },
        [&](const Directive& directive) { emitConversion(out, directive, reader); });
    return out;
}

char conversionKind(char conversion) {
    if (conversion == 's') return 's';
    return conversion == 'f' || conversion == 'F' ? 'f' : 'd';
}

} // namespace

std::u16string formatText(const char16_t* pattern, const FormatArg* args, std::size_t count) {
    return formatAny(pattern, args, count);
}

std::string formatText(const char* pattern, const FormatArg* args, std::size_t count) {
    return formatAny(pattern, args, count);
}

bool conversionKinds(const char16_t* pattern, int maxWidth, std::u16string& kinds) {
    kinds.clear();
    bool bounded = true;
    ArgReader none(nullptr, 0);
    walkPattern(
        pattern, none, [](char16_t) {},
        [&](const Directive& directive) {
            kinds.push_back(static_cast<char16_t>(conversionKind(directive.conversion)));
            bounded = bounded && !directive.sizeFromArgument && directive.width <= maxWidth &&
                      directive.precision <= maxWidth;
        });
    return bounded;
}

} // namespace Zenlo
