// The fixed text around the arrays: banners, headings, definitions, declarations, the guard.
#pragma once

#include <cstdint>
#include <string>

#include "converter/ConversionOptions.h"
#include "toolkit/DateTime.h"
#include "toolkit/WideString.h"

namespace Zenlo {

// The name as shown (see shownText) inside a "/* */" comment: "*/" is written "*\/" and control
// characters "?", so no name can end the comment or break its line.
std::string commentSafeName(const WideString& name);

// True when the source written with its header (withHeader) includes that header: where no
// variable is static and the header name can stand in an include line, a C++ source (any
// extension but ".c") whose array or size variables are const, and a C source when
// choices.ownHeaderInC. In C++ a namespace-scope const definition only has external linkage after
// an extern declaration.
bool includesOwnHeader(const WideString& outputFileName, bool withHeader,
                       const ZnConversionOptions& options);
// The banner of the source file, with its include lines; when includesOwnHeader, the list ends
// with the source's own header. An include file (choices.includeFile) opens its guard first;
// headerClosing of its name closes it.
std::string sourceBanner(const WideString& outputFileName, const DateTime& when,
                         const ZnConversionOptions& options, bool withHeader = false);
// The banner of the header, with the guard's opening and the include lines.
std::string headerBanner(const WideString& headerName, const DateTime& when,
                         const ZnConversionOptions& options);
// One input's heading and size variable in the source file; its array's opening line follows.
std::string sourceHeading(const WideString& inputFileName, const WideString& variableName,
                          std::uint64_t size, const ZnConversionOptions& options);
// The lines before an array's definition that place it in the options' section (the compiler's
// own form for GCC and Clang, and for MSVC); empty without a section.
std::string sectionLines(const ZnConversionOptions& options);
// The array's opening line, after the input's heading; the options' attribute stands after the
// name's brackets.
std::string arrayOpening(const WideString& variableName, const ZnConversionOptions& options);
// Which of an input's declarations in the header have C linkage in C++: none, the array's (a
// symbol the assembler defines, while the source defines the size variable), or all (the symbols
// of an object file).
enum class CLinkage { None, Array, All };
// One input's heading and declarations in the header, with the linkage asked for.
std::string headerDeclarations(const WideString& inputFileName, const WideString& variableName,
                               const ZnConversionOptions& options,
                               CLinkage linkage = CLinkage::None);
// The array's extern declaration, as the header has it: "extern const uint8_t g_a_bin_array[];",
// with that many elements between the brackets when elements is not 0.
std::string externArrayDeclaration(const WideString& variableName,
                                   const ZnConversionOptions& options, std::uint64_t elements = 0);
// The lines that open and close a block of declarations with C linkage in C++.
std::string cLinkageOpening();
std::string cLinkageClosing();
// The declarations or definitions given C linkage when compiled as C++.
std::string withCLinkage(const std::string& text);
// The element line of an empty input's array: one placeholder element, since C has no empty
// arrays; its size variable says 0.
std::string emptyArrayLine();
// The guard's closing line with the empty lines around it.
std::string headerClosing(const WideString& headerName);
// The end of an include file (see sourceBanner): its guard's closing line.
std::string includeFileClosing(const WideString& fileName);

} // namespace Zenlo
