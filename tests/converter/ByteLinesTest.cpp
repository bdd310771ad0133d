// Element lines: the table-driven writer against a byte-by-byte reference, over every layout.
#include "converter/ByteLines.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include <gtest/gtest.h>

#include "support/TestSupport.h"

using Zenlo::ZnConversionOptions;

namespace {

char shownInComment(unsigned char c) {
    return c >= 32 && c <= 126 && c != '\\' ? c : '.';
}

std::string commentText(const std::vector<char>& buffer) {
    std::string text(buffer.data());
    if (text.size() >= 3 && text.compare(text.size() - 3, 3, "?\?/") == 0) text.back() = '.';
    return " //" + text + " ";
}

// One formatted write per byte, as the layout rules describe it.
std::string referenceLines(const std::string& input, int requestedPerLine, bool upper,
                           bool comment) {
    const int perLine = std::max(requestedPerLine, 1);
    std::string out;
    std::vector<char> buffer(perLine + 1);
    int position = 0;
    const std::size_t n = input.size();
    for (std::size_t block = 0; block < n; block += 4096) {
        const std::size_t blockEnd = std::min(n, block + 4096);
        for (std::size_t i = block; i < blockEnd; ++i) {
            const unsigned char byte = static_cast<unsigned char>(input[i]);
            if (position == 0) {
                out += "    ";
                std::fill(buffer.begin(), buffer.end(), 0);
            }
            char element[8];
            std::snprintf(element, sizeof element, upper ? "0x%02X" : "0x%02x", byte);
            out += element;
            if (comment) buffer[position] = shownInComment(byte);
            if (i == n - 1) {
                // The filler reaches the comment column of the widest line a block can hold.
                const int fullLine = std::min(perLine, 4096);
                if (comment)
                    out += std::string((fullLine - position) * 6 - 5, ' ') + commentText(buffer);
                out += "\r\n";
            } else if (i == blockEnd - 1 || position == perLine - 1) {
                out += ",";
                if (comment) out += commentText(buffer);
                out += "\r\n";
                position = 0;
            } else {
                out += ", ";
                ++position;
            }
        }
    }
    return out;
}

std::string fastLines(const std::string& input, int perLine, bool upper, bool comment,
                      const std::filesystem::path& path) {
    ZnConversionOptions options;
    options.bytesPerLine = perLine;
    options.upperCaseHex = upper;
    options.printableComment = comment;
    const Zenlo::ByteLineWriter writer(options);
    const std::atomic<bool> stop{false};
    Zenlo::OutputFile out;
    EXPECT_TRUE(out.open(Zenlo::fromPath(path), false));
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(input.data());
    for (std::size_t done = 0; done < input.size();) {
        std::size_t count = std::min<std::size_t>(input.size() - done, Zenlo::byteBlockSize);
        EXPECT_TRUE(
            writer.writeBlock(bytes + done, count, done + count == input.size(), out, stop));
        done += count;
    }
    EXPECT_TRUE(out.close());
    return testfiles::readFile(path);
}

} // namespace

TEST(ByteLines, MatchesTheByteByByteReferenceForEveryLayout) {
    testfiles::TestFolder temp;
    const std::size_t sizes[] = {1, 2, 3, 15, 16, 17, 31, 33, 4095, 4096, 4097, 8192, 10000, 12289};
    const int perLines[] = {-5, 0, 1, 2, 3, 4, 7, 12, 16, 17, 100, 4096, 5000};
    for (std::size_t size : sizes) {
        const std::string input = testfiles::patternBytes(size, static_cast<unsigned>(size));
        for (int perLine : perLines)
            for (int upper = 0; upper < 2; ++upper)
                for (int comment = 0; comment < 2; ++comment) {
                    SCOPED_TRACE(testing::Message()
                                 << "size " << size << " perLine " << perLine << " upper " << upper
                                 << " comment " << comment);
                    ASSERT_EQ(fastLines(input, perLine, upper, comment, temp / "out"),
                              referenceLines(input, perLine, upper, comment));
                }
    }
}

TEST(ByteLines, LayoutExamples) {
    testfiles::TestFolder temp;
    const auto out = temp / "out";
    EXPECT_EQ(fastLines("ABCDEFG", 4, false, true, out), "    0x41, 0x42, 0x43, 0x44, //ABCD \r\n"
                                                         "    0x45, 0x46, 0x47        //EFG \r\n");
    EXPECT_EQ(fastLines("AB", 1, false, true, out), "    0x41, //A \r\n    0x42  //B \r\n");
    EXPECT_EQ(fastLines("\xab\x0a", 16, true, false, out), "    0xAB, 0x0A\r\n");
    // Exactly one line's worth: no trailing comma; one more: a full line and a single element.
    EXPECT_EQ(fastLines("abc", 3, false, false, out), "    0x61, 0x62, 0x63\r\n");
    EXPECT_EQ(fastLines("abcd", 3, false, false, out), "    0x61, 0x62, 0x63,\r\n    0x64\r\n");
    // Control bytes, DEL, high bytes and the backslash show as "."; a space stays a space.
    EXPECT_EQ(fastLines(std::string("\0\x1f \x7f\x80\xff\\~", 8), 8, false, true, out),
              "    0x00, 0x1f, 0x20, 0x7f, 0x80, 0xff, 0x5c, 0x7e  //.. ....~ \r\n");
    // A comment may not end in the trigraph that means a backslash.
    EXPECT_EQ(fastLines("a?\?/", 4, false, true, out), "    0x61, 0x3f, 0x3f, 0x2f  //a?\?. \r\n");
    EXPECT_EQ(fastLines("?\?/x", 2, false, true, out),
              "    0x3f, 0x3f, //?? \r\n    0x2f, 0x78  ///x \r\n");
}

TEST(ByteLines, TheLastLineIsPaddedToTheWidthAFullLineReallyHas) {
    testfiles::TestFolder temp;
    // A line never holds more than one block, so widths above 4096 lay out like 4096.
    const std::size_t sizes[] = {1, 4095, 4097};
    const int perLines[] = {4097, 65536, 2147483647};
    for (std::size_t size : sizes) {
        const std::string input = testfiles::patternBytes(size, 7);
        const std::string full = fastLines(input, 4096, false, true, temp / "out");
        // Each line: indent, six characters per element, the filler, the comment.
        const std::size_t lines = (size + 4095) / 4096;
        EXPECT_LE(full.size(), lines * (7 * 4096 + 16));
        for (int perLine : perLines) {
            SCOPED_TRACE(testing::Message() << "size " << size << " perLine " << perLine);
            const std::string got = fastLines(input, perLine, false, true, temp / "out");
            ASSERT_EQ(got.size(), full.size());
            EXPECT_TRUE(got == full);
        }
    }
}

TEST(ByteLines, BlockBoundaries) {
    testfiles::TestFolder temp;
    // 4097 bytes, 16 per line: 256 full lines, then one line with one element.
    std::string lines = fastLines(std::string(4097, 'x'), 16, false, false, temp / "out");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 257);
    EXPECT_EQ(lines.substr(lines.size() - 12), "\r\n    0x78\r\n");
    // 10000 bytes, 12 per line: 341 full lines, a line of 4 ending with ",", then byte 4097 starts
    // a new line.
    lines = fastLines(std::string(10000, 'y'), 12, false, false, temp / "out");
    std::size_t line342 = 341 * (4 + 12 * 6 - 1 + 2);
    EXPECT_EQ(lines.substr(line342, 4 + 4 * 6 - 1 + 2), "    0x79, 0x79, 0x79, 0x79,\r\n");
    EXPECT_EQ(lines.substr(line342 + 29, 10), "    0x79, ");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 342 + 342 + 151);
}

TEST(ByteLines, StopBeforeTheFirstByteWritesNothing) {
    testfiles::TestFolder temp;
    ZnConversionOptions options;
    const Zenlo::ByteLineWriter writer(options);
    const std::atomic<bool> stop{true};
    Zenlo::OutputFile out;
    ASSERT_TRUE(out.open(Zenlo::fromPath(temp / "out"), false));
    const std::uint8_t bytes[3] = {1, 2, 3};
    EXPECT_FALSE(writer.writeBlock(bytes, 3, true, out, stop));
    EXPECT_TRUE(out.close());
    EXPECT_EQ(testfiles::readFile(temp / "out"), "");
}
