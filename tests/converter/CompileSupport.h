// Test helpers for compiling generated sources: hostile inputs, C literals, running commands.
#pragma once

#include <cstdlib>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace testfiles {

struct Input {
    std::string name;
    std::string bytes;
};

// Names that try to break comments, lines and identifiers; contents that end comment lines in a
// backslash or a trigraph.
inline std::vector<Input> hostileInputs() {
    std::string all;
    for (int i = 0; i < 256; ++i)
        all += static_cast<char>(i);
    std::string trigraphs;
    for (int i = 0; i < 200; ++i)
        trigraphs += "?\?/";
    return {
        {"plain.bin", testfiles::patternBytes(5000)},
        {"a*b\\c ?\?.bin", std::string(40, '\\')},
        {"tri?\?", trigraphs},
        {"new\nline.bin", "\n"},
        {"\xc3\x84rger $1 (2).dat", testfiles::patternBytes(4097, 7)},
        {"-dash;semi\"quote'.bin", "0123456789abcdefg"},
        {"all.bin", all},
        {"empty", ""},
    };
}

// The text as a C string literal of octal escapes: no byte can end or bend it.
inline std::string cLiteral(const std::string& bytes) {
    std::string text = "\"";
    for (unsigned char c : bytes) {
        const char digits[] = {'\\', char('0' + (c >> 6)), char('0' + ((c >> 3) & 7)),
                               char('0' + (c & 7)), 0};
        text += digits;
    }
    return text + "\"";
}

// The checks drive the host's gcc, g++, clang and clang++ on file names that Windows forbids
// (* ? " \ and a line break). A Windows machine has neither; the text it generates equals the
// Linux text byte for byte (the cross-platform end-to-end test), and that text is compiled here.
#ifdef _WIN32
#define SKIP_WITHOUT_HOST_COMPILERS() GTEST_SKIP() << "needs the host's C and C++ compilers"
#else
#define SKIP_WITHOUT_HOST_COMPILERS() (void)0
#endif

// The command's exit status, its output shown on the test's output.
inline int run(const std::string& command) {
    int status = std::system((command + " 2>&1").c_str());
#ifdef _WIN32
    return status;
#else
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

} // namespace testfiles
