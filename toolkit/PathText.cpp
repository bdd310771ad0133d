// Path text rules: only the separator is known; joining is plain concatenation.
#include "toolkit/PathText.h"

namespace Zenlo {

namespace {

// Where the file name begins: behind the last separator; with Windows rules behind the drive of a
// drive-relative path ("Z:a.bin"); else at 0.
WideString::Size fileNameStart(const WideString& path, char16_t separator) {
    const WideString::Size last = path.findLastOf(separator);
    if (last != WideString::npos) return last + 1;
    const char16_t letter = path.length() >= 2 && path[1] == u':' ? path[0] : u'\0';
    const bool drive = separator == u'\\' &&
                       ((letter >= u'A' && letter <= u'Z') || (letter >= u'a' && letter <= u'z'));
    return drive ? 2 : 0;
}

// The capital of a small letter in the blocks caseFoldedName names; else the character itself.
char16_t capital(char16_t c) {
    if ((c >= u'a' && c <= u'z') || (c >= u'\u00e0' && c <= u'\u00fe' && c != u'\u00f7') ||
        (c >= u'\u03b1' && c <= u'\u03cb' && c != u'\u03c2') ||
        (c >= u'\u0430' && c <= u'\u044f') || (c >= u'\uff41' && c <= u'\uff5a'))
        return static_cast<char16_t>(c - 0x20);
    if (c >= u'\u0450' && c <= u'\u045f') return static_cast<char16_t>(c - 0x50);
    if (c == u'\u00ff') return u'\u0178';
    if (c == u'\u03c2') return u'\u03a3'; // the final sigma
    if (c == u'\u03ac') return u'\u0386';
    if (c >= u'\u03ad' && c <= u'\u03af') return static_cast<char16_t>(c - 0x25);
    if (c == u'\u03cc') return u'\u038c';
    if (c == u'\u03cd' || c == u'\u03ce') return static_cast<char16_t>(c - 0x3f);
    // Latin Extended-A pairs a capital with the small letter behind it, from even or odd places.
    const bool oddPairs = (c >= u'\u0139' && c <= u'\u0148') || (c >= u'\u0179' && c <= u'\u017e');
    const bool evenPairs = c >= u'\u0100' && c <= u'\u0177' && c != u'\u0131' && c != u'\u0138' &&
                           !(c >= u'\u0139' && c <= u'\u0149');
    if ((oddPairs && c % 2 == 0) || (evenPairs && c % 2 == 1)) return static_cast<char16_t>(c - 1);
    return c;
}

} // namespace

std::u16string caseFoldedName(std::u16string_view name) {
    std::u16string folded(name);
    for (char16_t& c : folded)
        c = capital(c);
    return folded;
}

WideString fileNamePart(const WideString& path, char16_t separator) {
    return path.substr(fileNameStart(path, separator), WideString::npos);
}

WideString folderPart(const WideString& path, char16_t separator) {
    return path.left(fileNameStart(path, separator));
}

WideString folderWithSeparator(const WideString& folder, char16_t separator) {
    if (folder.isEmpty() || folder[folder.length() - 1] == separator) return folder;
    return folder + separator;
}

WideString replaceExtension(const WideString& path, const char16_t* extension, char16_t separator) {
    if (!extension) return path;
    if (!path.isEmpty() && path[path.length() - 1] == separator) return path;
    WideString result(path);
    WideString::Size dot = result.findLastOf(u'.');
    WideString::Size slash = result.findLastOf(separator);
    if (dot != WideString::npos && (slash == WideString::npos || dot > slash))
        result.erase(dot, WideString::npos);
    WideString bare(extension[0] == u'.' ? extension + 1 : extension);
    return result.append(WideString::formatted(u".%s", bare));
}

WideString longPath(const WideString& path, bool withPrefix) {
    if (!withPrefix) return path;
    return WideString(u"\\\\?\\") + path;
}

WideString::Size folderLevelsStart(const WideString& path, bool withPrefix) {
    const std::u16string_view text = path.view();
    if (!withPrefix || !text.starts_with(u"\\\\?\\")) return 0;
    if (!text.substr(4).starts_with(u"UNC\\")) return 4;
    const std::size_t server = text.find(u'\\', 8);
    const std::size_t share = server == text.npos ? text.npos : text.find(u'\\', server + 1);
    return share == text.npos ? path.length() : static_cast<WideString::Size>(share);
}

WideString shortenedPath(const WideString& path, WideString::Size maxLength, char16_t separator) {
    if (path.length() <= maxLength) return path;
    const std::u16string_view text = path.view();
    const auto piece = [&](std::size_t start, std::size_t count) {
        return WideString(text.data() + start, static_cast<WideString::Size>(count));
    };
    const WideString gap(u"\u2026");
    const std::size_t firstEnd = text.find(separator, 1);
    const std::size_t head = firstEnd == text.npos ? 0 : firstEnd + 1;
    const auto fits = [&](std::size_t tail) {
        return tail != text.npos && tail >= head &&
               head + gap.length() + text.size() - tail <= maxLength;
    };
    // The end begins at a separator, so only whole levels follow the gap.
    std::size_t tail = text.rfind(separator, text.size() - 2);
    if (!fits(tail)) {
        const std::size_t kept = maxLength > gap.length() ? maxLength - gap.length() : 0;
        return gap + piece(text.size() - kept, kept);
    }
    while (tail > head && fits(text.rfind(separator, tail - 1)))
        tail = text.rfind(separator, tail - 1);
    return piece(0, head) + gap + piece(tail, text.size() - tail);
}

WideString stripLongPathPrefix(const WideString& text, bool withPrefix) {
    WideString result(text);
    if (withPrefix) result.trimLeftAny(u"\\?");
    return result;
}

} // namespace Zenlo
