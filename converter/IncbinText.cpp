// Text of the incbin style: the preprocessor's choice of route, each object format's directives,
// and the asm of one array.
#include "converter/IncbinText.h"

#include <filesystem>
#include <system_error>

#include "converter/GeneratedText.h"
#include "converter/IndexText.h"
#include "toolkit/PathText.h"
#include "toolkit/TextEncoding.h"

namespace Zenlo {

namespace {

#ifdef _WIN32
// GNU as for Windows opens the file it includes through the ANSI code page.
constexpr bool asciiPathsOnly = true;
#else
constexpr bool asciiPathsOnly = false;
#endif

// The route is taken where GNU top-level asm meets an object format whose directives are known:
// ELF (with a section stack), Mach-O (the same through LLVM's assembler) and COFF, whose GNU as
// has no section stack: there a function after each array makes the compiler name its current
// section again (without it gcc -O0 would put the next variable into .text).
// Each array holds exactly its size's bytes, then a test that the file had no more (or fewer),
// then one zero byte (the terminator, the placeholder, or padding). GNU as takes the size's
// bytes, the rest (nothing) and tests with .if. LLVM's assembler loads the file again for each
// .incbin, takes a shorter file without a word, and under -flto (reading the asm for its symbols
// without laying anything out) cannot test with .if: there the whole file is read once and a
// length other than the size makes the zero too big for its byte.
constexpr const char* preambleText =
    "#ifndef HEXMOOR_INCBIN_ASM\r\n"
    "#if defined(__GNUC__) && !defined(_MSC_VER) && !defined(HEXMOOR_NO_INCBIN) && \\\r\n"
    "    !defined(HEXMOOR_FORCE_ARRAYS) && \\\r\n"
    "    (defined(__ELF__) || defined(__APPLE__) || defined(_WIN32) || defined(__CYGWIN__))\r\n"
    "#define HEXMOOR_INCBIN_ASM 1\r\n"
    "#define HEXMOOR_INCBIN_TEXT(x) #x\r\n"
    "#define HEXMOOR_INCBIN_STRING(x) HEXMOOR_INCBIN_TEXT(x)\r\n"
    "#define HEXMOOR_INCBIN_PREFIX HEXMOOR_INCBIN_STRING(__USER_LABEL_PREFIX__)\r\n"
    "#if defined(__clang__)\r\n"
    "#define HEXMOOR_INCBIN_BYTES(path, size) \\\r\n"
    "    \"\\t.incbin \\\"\" path \"\\\"\\n\\t.byte 1000 * (. - 1b - \" #size \") \" \\\r\n"
    "    \"/* the file is not the \" #size \" bytes this array was generated from */\\n\"\r\n"
    "#else\r\n"
    "#define HEXMOOR_INCBIN_BYTES(path, size) \\\r\n"
    "    \"\\t.incbin \\\"\" path \"\\\", 0, \" #size \"\\n\\t.incbin \\\"\" path \"\\\", \" #size "
    "\"\\n\" \\\r\n"
    "    \"\\t.if . - 1b - \" #size \"\\n\\t.error \\\"\" path \" is not the file of \" #size "
    "\\\r\n"
    "    \" bytes this array was generated from\\\"\\n\\t.endif\\n\\t.byte 0\\n\"\r\n"
    "#endif\r\n"
    "#if defined(__ELF__)\r\n"
    "#define HEXMOOR_INCBIN_RODATA \"\\t.pushsection .rodata\\n\"\r\n"
    "#define HEXMOOR_INCBIN_DATA \"\\t.pushsection .data\\n\"\r\n"
    "#define HEXMOOR_INCBIN_END \"\\t.popsection\\n\"\r\n"
    "#define HEXMOOR_INCBIN_OBJECT(name, size) \\\r\n"
    "    \"\\t.type \" name \", STT_OBJECT\\n\\t.size \" name \", \" #size \"\\n\"\r\n"
    "#define HEXMOOR_INCBIN_SYNC(name)\r\n"
    "#elif defined(__APPLE__)\r\n"
    "#define HEXMOOR_INCBIN_RODATA \"\\t.pushsection __TEXT,__const\\n\"\r\n"
    "#define HEXMOOR_INCBIN_DATA \"\\t.pushsection __DATA,__data\\n\"\r\n"
    "#define HEXMOOR_INCBIN_END \"\\t.popsection\\n\"\r\n"
    "#define HEXMOOR_INCBIN_OBJECT(name, size)\r\n"
    "#define HEXMOOR_INCBIN_SYNC(name)\r\n"
    "#else\r\n"
    "#define HEXMOOR_INCBIN_RODATA \"\\t.section .rdata,\\\"dr\\\"\\n\"\r\n"
    "#define HEXMOOR_INCBIN_DATA \"\\t.data\\n\"\r\n"
    "#define HEXMOOR_INCBIN_END \"\\t.text\\n\"\r\n"
    "#define HEXMOOR_INCBIN_OBJECT(name, size)\r\n"
    "#define HEXMOOR_INCBIN_SYNC(name) \\\r\n"
    "    static void __attribute__((used)) hexmoor_incbin_##name(void) {}\r\n"
    "#endif\r\n"
    "#else\r\n"
    "#define HEXMOOR_INCBIN_ASM 0\r\n"
    "#endif\r\n"
    "#endif\r\n";

bool isPlainSymbol(const std::string& name) {
    for (char c : name)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
              c == '_'))
            return false;
    return true;
}

// The symbol as C string literals for the asm text, behind the user-label prefix; quoted for the
// assembler when it holds more than ASCII letters, digits and "_".
std::string symbolText(const std::string& name) {
    const std::string prefixed = "HEXMOOR_INCBIN_PREFIX " + cStringLiteral(name);
    return isPlainSymbol(name) ? prefixed : "\"\\\"\" " + prefixed + " \"\\\"\"";
}

// Without the long-path prefix, which GNU as does not read: "//?/C:/a" and "//?/UNC/s/a".
std::string withoutLongPathPrefix(std::string text) {
    if (!hasLongPathPrefix || !text.starts_with("//?/")) return text;
    if (text.starts_with("//?/UNC/")) return "//" + text.substr(8);
    return text.substr(4);
}

bool assemblerTakes(const std::string& text) {
    if (text.empty() || utf16ToUtf8(utf8ToUtf16(text)) != text) return false;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 32 || byte == 127 || c == '"' || c == '\\') return false;
        if (asciiPathsOnly && byte > 127) return false;
    }
    return true;
}

} // namespace

bool incbinPathText(const WideString& inputPath, std::string& text) {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::weakly_canonical(toPath(inputPath), error);
    if (error || !path.is_absolute()) return false;
    const std::u8string generic = path.generic_u8string();
    text = withoutLongPathPrefix(std::string(generic.begin(), generic.end()));
    return assemblerTakes(text);
}

std::string incbinPreamble(const WideString& fallbackName) {
    std::string text = preambleText;
    if (!fallbackName.isEmpty())
        text += "#if !HEXMOOR_INCBIN_ASM\r\n#include \"" + utf16ToUtf8(fallbackName.view()) +
                "\"\r\n#endif\r\n";
    return text;
}

std::string incbinFallbackBanner(const WideString& sourceName) {
    const std::string name = commentSafeName(sourceName);
    return "/**\r\n *      The arrays of " + name +
           " for compilers without GNU top-level asm;\r\n *      " + name +
           " includes this file in their place.\r\n */\r\n";
}

std::string incbinDefinition(const IncbinSymbol& symbol) {
    const std::string name = symbolText(symbol.name);
    const std::string elements = std::to_string(symbol.size + symbol.terminated);
    std::string text =
        "__asm__(" + std::string(symbol.writable ? "HEXMOOR_INCBIN_DATA" : "HEXMOOR_INCBIN_RODATA");
    const auto line = [&text](const std::string& pieces) { text += "\r\n        " + pieces; };
    if (symbol.align > 1) line("\"\\t.balign " + std::to_string(symbol.align) + "\\n\"");
    if (!symbol.local) line("\"\\t.globl \" " + name + " \"\\n\"");
    line("HEXMOOR_INCBIN_OBJECT(" + name + ", " + elements + ")");
    line(name + " \":\\n1:\\n\"");
    line("HEXMOOR_INCBIN_BYTES(" + cStringLiteral(symbol.path) + ", " +
         std::to_string(symbol.size) + ")");
    line("HEXMOOR_INCBIN_END);\r\nHEXMOOR_INCBIN_SYNC(" + symbol.name + ")\r\n");
    return text;
}

} // namespace Zenlo
