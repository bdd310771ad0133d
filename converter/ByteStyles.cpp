// The byte styles: option rules, and the order of text and byte passes of one array.
#include "converter/ByteStyles.h"

#include "converter/ByteLines.h"
#include "converter/EmbedText.h"
#include "converter/GeneratedText.h"
#include "converter/IncbinText.h"
#include "converter/StringLiteral.h"
#include "toolkit/TextEncoding.h"

namespace Zenlo {

namespace {

// Element lines; with a terminator the input's last line keeps its comma and a zero follows.
class ArrayLinesPass final : public BytePass {
public:
    ArrayLinesPass(const ZnConversionOptions& options, bool terminate, bool castHighBytes = false)
        : lines_(options, castHighBytes), terminate_(terminate) {}
    bool writeBlock(const std::uint8_t* bytes, std::size_t count, bool lastBlock, OutputFile& out,
                    const std::atomic<bool>& stop) const override {
        if (!lines_.writeBlock(bytes, count, lastBlock && !terminate_, out, stop)) return false;
        if (lastBlock && terminate_) out.write("    0x00\r\n");
        return true;
    }
    // The placeholder zero also ends the text of an empty input.
    void writeEmpty(OutputFile& out) const override { out.write(emptyArrayLine()); }

private:
    ByteLineWriter lines_;
    bool terminate_;
};

// String-literal lines; the literal's own terminating zero is the terminator when one is asked.
class StringLinesPass final : public BytePass {
public:
    bool writeBlock(const std::uint8_t* bytes, std::size_t count, bool, OutputFile& out,
                    const std::atomic<bool>& stop) const override {
        return lines_.writeBlock(bytes, count, out, stop);
    }
    void writeEmpty(OutputFile& out) const override { out.write(StringLineWriter::emptyLine()); }

private:
    StringLineWriter lines_;
};

// By the styles' order in ByteStyle.
constexpr std::string_view styleNames[] = {"array", "string", "embed", "incbin"};

std::string withoutSpaces(const WideString& text) {
    std::string plain;
    for (char16_t c : text.view())
        if (c != u' ' && c != u'\t') plain += c < 128 ? static_cast<char>(c) : '?';
    return plain;
}

} // namespace

bool parseByteStyle(std::string_view name, ByteStyle& style) {
    for (std::size_t i = 0; i < std::size(styleNames); ++i)
        if (name == styleNames[i]) return style = static_cast<ByteStyle>(i), true;
    return false;
}

std::string_view byteStyleName(ByteStyle style) {
    return styleNames[static_cast<std::size_t>(style)];
}

bool isAlignment(std::int64_t value) {
    return value >= 1 && value <= maxAlignment && (value & (value - 1)) == 0;
}

bool isByteElementType(const WideString& elementType) {
    const std::string type = withoutSpaces(elementType);
    return type == "uint8_t" || type == "unsignedchar" || type == "std::uint8_t" ||
           type == "::uint8_t" || isSignedByteType(elementType);
}

bool isSignedByteType(const WideString& elementType) {
    const std::string type = withoutSpaces(elementType);
    return type == "char" || type == "signedchar" || type == "int8_t" || type == "std::int8_t" ||
           type == "::int8_t";
}

bool styleTakesElementType(ByteStyle style, const WideString& elementType) {
    return style == ByteStyle::Array || isByteElementType(elementType);
}

bool styleGivesCLinkage(ByteStyle style) {
    return style == ByteStyle::Incbin;
}

bool isCSourceName(const WideString& outputFileName) {
    return outputFileName.view().ends_with(u".c");
}

std::string alignmentSpecifier(std::uint32_t align, const ZnConversionOptions& options,
                               const WideString& sourceName) {
    if (!align) return {};
    const std::string bytes = std::to_string(align);
    if (isCSourceName(sourceName)) return "_Alignas(" + bytes + ") ";
    // An include file is read by C and C++ alike.
    if (!options.choices.includeFile) return "alignas(" + bytes + ") ";
    return "#if defined(__cplusplus)\r\nalignas(" + bytes + ")\r\n#else\r\n_Alignas(" + bytes +
           ")\r\n#endif\r\n";
}

StyledArray::StyledArray(const ZnConversionOptions& options, const ByteStyleOptions& style,
                         const Input& input) {
    const std::string opening = sectionLines(options) +
                                alignmentSpecifier(style.align, options, input.sourceName) +
                                arrayOpening(input.variableName, options);
    if (style.style == ByteStyle::Array) {
        arrayLines_ = std::make_unique<ArrayLinesPass>(options, style.nullTerminate);
        addText(opening);
        addPass(*arrayLines_);
        addText("};\r\n");
        return;
    }
    // The element lines of the fallback are one block wide whatever the options ask: every
    // compiler lexes this branch even when it skips it, and g++ 12 skips 100 MB of 16-element
    // lines in 5.9 s and 1 GB, the same bytes in 4096-element lines in 0.8 s and 200 MB.
    ZnConversionOptions wide = options;
    wide.bytesPerLine = static_cast<std::int32_t>(byteBlockSize);
    // A char element would take 0xff as a narrowing (C++) or an overflow (C): the bit pattern
    // goes in through a cast.
    arrayLines_ = std::make_unique<ArrayLinesPass>(wide, style.nullTerminate,
                                                   isSignedByteType(options.elementType));
    stringLines_ = std::make_unique<StringLinesPass>();
    if (style.style == ByteStyle::Incbin)
        addIncbin(options, style, input, opening);
    else
        addFallbacks(style, input, opening, style.style == ByteStyle::Embed);
}

void StyledArray::addFallbacks(const ByteStyleOptions& style, const Input& input,
                               const std::string& opening, bool embed) {
    std::string embedPath;
    embed = embed && embedPathText(input.path, input.sourceFolder, embedPath);
    const std::string forced = std::string(forceArraysMacro);
    if (embed) {
        // Clang warns of #embed outside C23 even without -pedantic; the line is meant. Clang 19
        // in C++ also reads a first byte above 127 as a negative number and refuses it as a
        // narrowing, although the element it stores is right.
        addText("#if defined(__has_embed) && !defined(" + forced + ") && !defined(" +
                std::string(noEmbedMacro) +
                ")\r\n#if defined(__clang__)\r\n#pragma clang diagnostic push\r\n"
                "#pragma clang diagnostic ignored \"-Wc23-extensions\"\r\n"
                "#pragma clang diagnostic ignored \"-Wc++11-narrowing\"\r\n#endif\r\n" +
                opening + embedDirective(embedPath, input.size, style.nullTerminate) +
                "};\r\n#if defined(__clang__)\r\n#pragma clang diagnostic pop\r\n#endif\r\n#elif ");
    } else {
        addText("#if ");
    }
    // MSVC takes string literals of at most about 64 KiB: it gets the element lines.
    addText("defined(_MSC_VER) || defined(" + forced + ")\r\n" + opening);
    addPass(*arrayLines_);
    // Long literals are what this branch is for: -pedantic would warn of each.
    addText("};\r\n#else\r\n#if defined(__GNUC__)\r\n#pragma GCC diagnostic push\r\n"
            "#pragma GCC diagnostic ignored \"-Woverlength-strings\"\r\n#endif\r\n" +
            opening);
    addPass(*stringLines_);
    addText("};\r\n#if defined(__GNUC__)\r\n#pragma GCC diagnostic pop\r\n#endif\r\n#endif\r\n");
}

void StyledArray::addIncbin(const ZnConversionOptions& options, const ByteStyleOptions& style,
                            const Input& input, const std::string& opening) {
    // Without a fallback file the fallbacks stay in the source, behind each array's asm.
    const bool fallbackFile = !input.fallbackName.isEmpty();
    if (input.first) {
        addText(incbinPreamble(input.fallbackName));
        toFallback_ = fallbackFile;
        if (fallbackFile) addText(incbinFallbackBanner(input.sourceName));
        toFallback_ = false;
    }
    IncbinSymbol symbol{.name = utf16ToUtf8(input.variableName.view()),
                        .path = {},
                        .size = input.size,
                        .align = style.align,
                        .terminated = style.nullTerminate || input.size == 0,
                        .writable = (options.arrayQualifiers & qualifierConst) == 0,
                        .local = (options.arrayQualifiers & qualifierStatic) != 0};
    // A path the assembler cannot take gets the string form, in every compiler's branch.
    if (!incbinPathText(input.path, symbol.path)) {
        addText(cLinkageOpening());
        addFallbacks(style, input, opening, false);
        return addText(cLinkageClosing());
    }
    addText("#if HEXMOOR_INCBIN_ASM\r\n" + incbinDefinition(symbol) + cLinkageOpening() +
            alignmentSpecifier(style.align, options, input.sourceName) +
            externArrayDeclaration(input.variableName, options, symbol.size + symbol.terminated) +
            cLinkageClosing() + (fallbackFile ? "#endif\r\n" : "#else\r\n"));
    toFallback_ = fallbackFile;
    addText("\r\n" + cLinkageOpening());
    addFallbacks(style, input, opening, true);
    addText(cLinkageClosing() + (fallbackFile ? "" : "#endif\r\n"));
    toFallback_ = false;
}

StyledArray::~StyledArray() = default;

int StyledArray::passCount() const {
    int count = 0;
    for (const Piece& piece : pieces_)
        count += piece.pass != nullptr;
    return count;
}

void StyledArray::addText(std::string text) {
    if (!pieces_.empty() && !pieces_.back().pass && pieces_.back().fallback == toFallback_)
        pieces_.back().text += text;
    else
        pieces_.push_back({std::move(text), nullptr, toFallback_});
}

} // namespace Zenlo
