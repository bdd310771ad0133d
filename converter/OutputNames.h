// The names of the files a run writes: the source's extension, the header beside it, its include
// guard, the object in place of a source, the incbin style's fallback file, one input's own
// source, and the check that a name holds no folder.
#pragma once

#include "converter/ObjectFormat.h"
#include "toolkit/PathText.h"
#include "toolkit/WideString.h"

namespace Zenlo {

// The extensions a generated source file may keep; any piece of this text counts as one.
constexpr const char16_t* sourceExtensions = u".cpp.c.cc.c++";

// The output file name with a source extension: the text from the last "." (a separator does
// not end the search) stays when it occurs, with exact case, inside sourceExtensions; otherwise
// it is dropped and ".cpp" appended. A name without "." gets ".cpp" appended. Cannot fail.
WideString correctSourceExtension(const WideString& name);
// The output file name as it will stand on disk: with Windows rules without the trailing dots and
// spaces that Windows drops ("out.cpp." is out.cpp), then correctSourceExtension. Cannot fail.
WideString correctedOutputName(const WideString& name, char16_t separator = nativeSeparator);

// True when the output file name names a file and not a path: it holds no "/" and, with Windows
// rules, no "\" and no ":" either. A name with a separator would write outside the output folder;
// with a ":" it names a drive ("C:x.cpp") or, on NTFS, a stream of another file ("out:x.cpp").
bool isPlainFileName(const WideString& name, char16_t separator = nativeSeparator);

// True when the name ends in an extension of headers and include files (.h .hh .hpp .hxx .inc
// .ipp): such an output is written as named, one self-contained file to include.
bool isIncludeFileName(const WideString& name);

// The header's file name: the output name, without a long-path prefix, with its extension
// replaced by ".h" and without its folder. Cannot fail.
WideString headerFileName(const WideString& outputFileName, char16_t separator = nativeSeparator);
// The object's file name for a source name (an object format, not None): its extension replaced
// by .obj (COFF) or .o (ELF). Cannot fail.
WideString objectFileName(const WideString& sourceName, ObjectFormat format);
// The name of the file that holds the incbin style's fallback text for a source: the source's
// name without its folder (and long-path prefix) with ".inc" appended; empty when that name
// cannot stand in an #include line, which keeps the fallback text in the source itself.
WideString incbinFallbackName(const WideString& sourceName, char16_t separator = nativeSeparator);
// The include guard's name: the header name composed (NFC), the name characters replaced by "_",
// in capitals.
WideString guardName(const WideString& headerFileName);
// The source name of one input in separate-files mode: its file name, "." made "_", plus ".cpp".
WideString separateOutputName(const WideString& inputPath, char16_t separator = nativeSeparator);

} // namespace Zenlo
