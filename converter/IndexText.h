// The lookup table by name: a sorted table of every embedded file and a find function, as text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "converter/ConversionOptions.h"
#include "toolkit/WideString.h"

namespace Zenlo {

// One embedded file as the table lists it.
struct IndexEntry {
    // The path it is found by, UTF-8 with "/" separators ("textures/stone.png").
    std::string key;
    // The array that holds its bytes.
    WideString variable;
    // Its size in bytes (an empty file's placeholder element is not counted).
    std::uint64_t size = 0;
};

// True when the text can name the table: a C identifier of ASCII letters, digits and "_" that
// does not start with a digit.
bool isIndexName(std::string_view name);

// Sorts the entries by key in byte order, the order the find function searches. Returns false
// with the key in sharedKey when two entries have the same key (one could never be found).
bool sortIndexEntries(std::vector<IndexEntry>& entries, std::string& sharedKey);

// A C string literal of the bytes: printable ASCII as it is (with '"', '\' and '?' escaped, the
// last so no trigraph forms), every other byte as a three-digit octal escape.
std::string cStringLiteral(std::string_view bytes);

// The declarations a program includes: the entry type (guarded, so the header and the source
// may both hold it), the table, its count and the find function, with C linkage in C++.
std::string indexDeclarations(std::string_view name, const ZnConversionOptions& options);

// The definitions: the declarations (unless the source has them from its header, headerIncluded),
// then, with declareArrays, an extern declaration of each array (when they live in other sources;
// with C linkage for cLinkage), the table of the sorted entries, its count and the find function
// (a binary search returning null for an absent path or a null pointer).
std::string indexDefinitions(std::string_view name, const std::vector<IndexEntry>& sorted,
                             const ZnConversionOptions& options, bool declareArrays,
                             bool cLinkage = false, bool headerIncluded = false);

} // namespace Zenlo
