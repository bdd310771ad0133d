// How an input's bytes are written (array, string, #embed or assembler text, alignment,
// terminator) and the text of one array in that style.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "converter/ConversionOptions.h"
#include "converter/OutputFile.h"
#include "toolkit/WideString.h"

namespace Zenlo {

// array: element lines "0x41, 0x42". string: string literals, fast to compile; under MSVC
// (whose literals are short) the same file holds the array text. embed: an #embed line for
// compilers that have it, the string form (or the array text under MSVC) for the others. incbin:
// a symbol the assembler fills from the input (.incbin) under GNU compilers, the embed text in a
// second file for the others.
enum class ByteStyle { Array, String, Embed, Incbin };

struct ByteStyleOptions {
    ByteStyle style = ByteStyle::Array;
    // The arrays' alignment in bytes; 0 leaves the element type's own.
    std::uint32_t align = 0;
    // One zero element after the bytes, not counted in the size variable.
    bool nullTerminate = false;
};

constexpr std::uint32_t maxAlignment = 4096;
// Defined when compiling a generated source, it selects the array text in string and embed
// files, as under MSVC.
constexpr std::string_view forceArraysMacro = "HEXMOOR_FORCE_ARRAYS";
// Defined when compiling a generated source, it makes embed files take the string form.
constexpr std::string_view noEmbedMacro = "HEXMOOR_NO_EMBED";
// Defined when compiling a generated source, it makes incbin files take the embed text.
constexpr std::string_view noIncbinMacro = "HEXMOOR_NO_INCBIN";

// The style named "array", "string", "embed" or "incbin"; false for any other name.
bool parseByteStyle(std::string_view name, ByteStyle& style);
// The name of the style, as parseByteStyle takes it.
std::string_view byteStyleName(ByteStyle style);
// True for the alignments taken: powers of two from 1 to maxAlignment.
bool isAlignment(std::int64_t value);
// True when the element type is one byte that a string literal or #embed can fill: uint8_t,
// unsigned char, std::uint8_t, or one of isSignedByteType's (spaces around the words do not
// matter).
bool isByteElementType(const WideString& elementType);
// True for the byte types that may be signed: char, signed char, int8_t, std::int8_t.
bool isSignedByteType(const WideString& elementType);
// True when the style can write arrays of the element type: any type for array, byte types for
// the others.
bool styleTakesElementType(ByteStyle style, const WideString& elementType);
// True when the style's arrays have C linkage in C++ (every declaration of them says so), as the
// assembler's symbols need.
bool styleGivesCLinkage(ByteStyle style);
// True when the generated source is C (its name ends in ".c"), which spells alignment _Alignas.
bool isCSourceName(const WideString& outputFileName);
// The alignment specifier in front of a declaration, "alignas(64) " (or "_Alignas(64) " in a C
// source, both under #if in an include file); empty for alignment 0.
std::string alignmentSpecifier(std::uint32_t align, const ZnConversionOptions& options,
                               const WideString& sourceName);

// One pass over an input's bytes, block by block.
class BytePass {
public:
    virtual ~BytePass() = default;
    // Writes one block of lines; lastBlock says that the input ends with it. Returns false when
    // the stop flag was seen (the text before that point stays written).
    virtual bool writeBlock(const std::uint8_t* bytes, std::size_t count, bool lastBlock,
                            OutputFile& out, const std::atomic<bool>& stop) const = 0;
    // Writes the lines of an input without bytes.
    virtual void writeEmpty(OutputFile& out) const = 0;
};

// The text of one input's array, from its opening line to its last line: fixed text, and
// between the pieces of text passes over the input's bytes. The plain array style is one pass
// between arrayOpening's line and "};", exactly as the element lines write it.
class StyledArray {
public:
    struct Piece {
        std::string text;
        // When set, the piece is this pass over the bytes instead of text.
        const BytePass* pass = nullptr;
        // Written into the source's fallback file (see incbinFallbackName) instead of the source.
        bool fallback = false;
    };
    struct Input {
        const WideString& variableName;
        std::uint64_t size;
        const WideString& path;
        // The folder and name of the generated source that holds the array.
        const WideString& sourceFolder;
        const WideString& sourceName;
        // incbin only: the fallback file's name (empty: the fallback text stays in the source),
        // and whether the array is the first that this source or fallback file gets, which
        // writes the macros the arrays use and the fallback file's #include.
        WideString fallbackName = {};
        bool first = false;
    };

    StyledArray(const ZnConversionOptions& options, const ByteStyleOptions& style,
                const Input& input);
    ~StyledArray();

    const std::vector<Piece>& pieces() const { return pieces_; }
    // How many pieces are passes over the bytes.
    int passCount() const;

private:
    // The embed, string and array branches chosen by the preprocessor (embed only with embed).
    void addFallbacks(const ByteStyleOptions& style, const Input& input, const std::string& opening,
                      bool embed);
    // The assembler's array with its declaration, the fallbacks in the fallback file or inline.
    void addIncbin(const ZnConversionOptions& options, const ByteStyleOptions& style,
                   const Input& input, const std::string& opening);
    void addText(std::string text);
    void addPass(const BytePass& pass) { pieces_.push_back({{}, &pass, toFallback_}); }

    std::unique_ptr<BytePass> arrayLines_;
    std::unique_ptr<BytePass> stringLines_;
    std::vector<Piece> pieces_;
    // Where the pieces being added go.
    bool toFallback_ = false;
};

} // namespace Zenlo
