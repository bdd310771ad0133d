// #embed lines: path rules and the directive's parameters.
#include "converter/EmbedText.h"

#include <filesystem>
#include <system_error>

#include "toolkit/TextEncoding.h"

namespace Zenlo {

bool isEmbeddablePath(std::string_view text) {
    if (text.empty()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 32 || c == 127 || c == '"' || c == '\\' || c == '\'') return false;
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if ((c == '/' && (next == '/' || next == '*')) || (c == '?' && next == '?')) return false;
    }
    return utf16ToUtf8(utf8ToUtf16(text)) == text;
}

bool embedPathText(const WideString& inputPath, const WideString& sourceFolder, std::string& text) {
    std::error_code error;
    const std::filesystem::path input = std::filesystem::weakly_canonical(toPath(inputPath), error);
    if (error) return false;
    const std::filesystem::path folder =
        std::filesystem::weakly_canonical(toPath(sourceFolder), error);
    std::filesystem::path chosen = input;
    if (!error) {
        const std::filesystem::path relative = input.lexically_relative(folder);
        if (!relative.empty()) chosen = relative;
    }
    text = chosen.generic_string();
    return isEmbeddablePath(text);
}

std::string embedDirective(const std::string& pathText, std::uint64_t size, bool nullTerminate) {
    return "#embed \"" + pathText + "\" limit(" + std::to_string(size) + ")" +
           (nullTerminate ? " suffix(, 0)" : "") + " if_empty(0)\r\n";
}

} // namespace Zenlo
