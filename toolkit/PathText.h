// Path operations on text: file and folder parts, extensions, the long-path prefix.
#pragma once

#include "toolkit/WideString.h"

namespace Zenlo {

#ifdef _WIN32
constexpr char16_t nativeSeparator = u'\\';
constexpr bool hasLongPathPrefix = true;
#else
constexpr char16_t nativeSeparator = u'/';
constexpr bool hasLongPathPrefix = false;
#endif

// Whether the file system takes names that differ only by case for one name: on Windows and macOS
// by default; elsewhere names are exact.
#if defined(_WIN32) || defined(__APPLE__)
constexpr bool namesIgnoreCase = true;
#else
constexpr bool namesIgnoreCase = false;
#endif

// Where a path's separator is a parameter, the native one is the default; tests pass the other
// to check the Windows rules on any platform.

// The text behind the last separator; the whole text without one; empty when it ends with one.
// With Windows rules a drive-relative path without a separator ("Z:a.bin", a.bin in the current
// folder of Z:) has its file name behind the drive.
WideString fileNamePart(const WideString& path, char16_t separator = nativeSeparator);
// The text up to and including the last separator; empty when there is none. With Windows rules
// the drive ("Z:") of a drive-relative path without a separator.
WideString folderPart(const WideString& path, char16_t separator = nativeSeparator);
// The folder with the separator appended unless it ends with one. An empty text names no folder
// and stays empty.
WideString folderWithSeparator(const WideString& folder, char16_t separator = nativeSeparator);
// The path with its extension replaced by "." + extension (given with or without its dot).
// A null extension, or a path ending with a separator, gives the path unchanged.
WideString replaceExtension(const WideString& path, const char16_t* extension,
                            char16_t separator = nativeSeparator);
// The long-path form "\\?\" + path where the platform has it (withPrefix); otherwise the path.
WideString longPath(const WideString& path, bool withPrefix = hasLongPathPrefix);
// Where the levels of a long-path folder begin (the first separator that may end one): behind the
// prefix, or for a network path ("\\?\UNC\server\share\...") at the separator behind the
// share, since server and share cannot be created. 0 without the prefix.
WideString::Size folderLevelsStart(const WideString& path, bool withPrefix = hasLongPathPrefix);
// The name with every letter in the one case a file system that ignores case compares it in:
// the capitals of the letters of the Basic Latin, Latin-1, Latin Extended-A, Greek and Cyrillic
// blocks and of the full-width Latin ones; other characters stay as they are.
std::u16string caseFoldedName(std::u16string_view name);
// The path with middle levels left out, so that it has at most maxLength characters: its first
// level ("C:\\", "/home/") and as many whole levels of its end as fit, with "…" between them; a
// path whose last level alone does not fit keeps the end of that. A shorter path stays whole.
WideString shortenedPath(const WideString& path, WideString::Size maxLength,
                         char16_t separator = nativeSeparator);
// The text without its leading backslashes and question marks, where the platform has the prefix.
WideString stripLongPathPrefix(const WideString& text, bool withPrefix = hasLongPathPrefix);

} // namespace Zenlo
