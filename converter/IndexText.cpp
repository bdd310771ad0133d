// Text of the lookup table: entry type, sorted table, count and a binary search, for C and C++.
#include "converter/IndexText.h"

#include <algorithm>
#include <cassert>
#include <cstdio>

#include "converter/GeneratedText.h"
#include "toolkit/TextEncoding.h"

namespace Zenlo {

namespace {

std::string utf8(const WideString& text) {
    return utf16ToUtf8(text.view());
}

// The static size variables beside the table, which it does not read (its sizes are constants):
// named once in the find function, so no compiler calls them unused.
std::string staticSizesUsed(const std::vector<IndexEntry>& sorted,
                            const ZnConversionOptions& options) {
    if (!options.writeSizeVariable || !(options.sizeQualifiers & qualifierStatic)) return {};
    std::string text;
    for (const IndexEntry& entry : sorted)
        text += "    (void)" + utf8(entry.variable) + utf8(options.choices.sizeSuffix) + ";\r\n";
    return text;
}

std::string findFunction(const std::string& name, const std::string& sizesUsed) {
    return "const struct " + name + "_entry* " + name +
           "_find(const char* path)\r\n"
           "{\r\n"
           "    unsigned long low = 0, high = (unsigned long)" +
           name +
           "_count;\r\n"
           "    if (!path) return 0;\r\n" +
           sizesUsed +
           "    while (low < high) {\r\n"
           "        const unsigned long middle = low + (high - low) / 2;\r\n"
           "        const unsigned char* a = (const unsigned char*)path;\r\n"
           "        const unsigned char* b = (const unsigned char*)" +
           name +
           "_entries[middle].path;\r\n"
           "        while (*a && *a == *b) ++a, ++b;\r\n"
           "        if (*a == *b) return &" +
           name +
           "_entries[middle];\r\n"
           "        if (*a < *b) high = middle;\r\n"
           "        else low = middle + 1;\r\n"
           "    }\r\n"
           "    return 0;\r\n"
           "}\r\n";
}

} // namespace

bool isIndexName(std::string_view name) {
    if (name.empty() || (name[0] >= '0' && name[0] <= '9')) return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_';
    });
}

bool sortIndexEntries(std::vector<IndexEntry>& entries, std::string& sharedKey) {
    std::stable_sort(entries.begin(), entries.end(),
                     [](const IndexEntry& a, const IndexEntry& b) { return a.key < b.key; });
    const auto same =
        std::adjacent_find(entries.begin(), entries.end(),
                           [](const IndexEntry& a, const IndexEntry& b) { return a.key == b.key; });
    if (same == entries.end()) return true;
    sharedKey = same->key;
    return false;
}

std::string cStringLiteral(std::string_view bytes) {
    std::string text = "\"";
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\' || c == '?') {
            text += '\\';
            text += c;
        } else if (byte >= 32 && byte < 127) {
            text += c;
        } else {
            char octal[8];
            std::snprintf(octal, sizeof octal, "\\%03o", byte);
            text += octal;
        }
    }
    return text + "\"";
}

std::string indexDeclarations(std::string_view name, const ZnConversionOptions& options) {
    assert(isIndexName(name));
    const std::string n(name);
    const std::string sizeType = utf8(options.sizeType);
    return "\r\n/**\r\n *      " + n +
           "_find(): every file above by its path\r\n */\r\n"
           "#ifndef " +
           n + "_ENTRY_DEFINED\r\n#define " + n +
           "_ENTRY_DEFINED\r\n"
           "struct " +
           n +
           "_entry {\r\n"
           "    const char* path;\r\n"
           "    const " +
           utf8(options.elementType) +
           "* data;\r\n"
           "    " +
           sizeType +
           " size;\r\n"
           "};\r\n#endif\r\n" +
           withCLinkage("extern const struct " + n + "_entry " + n +
                        "_entries[];\r\nextern const " + sizeType + " " + n +
                        "_count;\r\nconst struct " + n + "_entry* " + n +
                        "_find(const char* path);\r\n");
}

std::string indexDefinitions(std::string_view name, const std::vector<IndexEntry>& sorted,
                             const ZnConversionOptions& options, bool declareArrays, bool cLinkage,
                             bool headerIncluded) {
    const std::string n(name);
    // A declaration repeated in one unit is redundant (gcc's -Wredundant-decls).
    std::string text = headerIncluded ? std::string() : indexDeclarations(name, options);
    if (declareArrays) {
        std::string arrays;
        for (const IndexEntry& entry : sorted)
            arrays += externArrayDeclaration(entry.variable, options);
        text += "\r\n" + (cLinkage ? withCLinkage(arrays) : arrays);
    }
    std::string definitions = "const struct " + n + "_entry " + n + "_entries[] = {\r\n";
    for (const IndexEntry& entry : sorted)
        definitions += "    {" + cStringLiteral(entry.key) + ", " + utf8(entry.variable) + ", " +
                       std::to_string(entry.size) + "},\r\n";
    // C has no empty arrays: an empty table holds one entry that the count leaves out.
    if (sorted.empty()) definitions += "    {0, 0, 0}\r\n";
    definitions += "};\r\n";
    definitions += "const " + utf8(options.sizeType) + " " + n +
                   "_count = " + std::to_string(sorted.size()) + ";\r\n\r\n";
    const std::string sizesUsed = declareArrays ? std::string() : staticSizesUsed(sorted, options);
    return text + "\r\n" + withCLinkage(definitions + findFunction(n, sizesUsed));
}

} // namespace Zenlo
