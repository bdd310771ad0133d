// The progress bar's line: width, fill, percent, throughput, long and non-ASCII names.
#include "cli/CliProgress.h"

#include <gtest/gtest.h>

using Zenlo::progressLine;
using Zenlo::terminalWidth;
using Zenlo::wantsProgressBar;

namespace {

std::size_t columns(const std::string& text) {
    std::size_t n = 0;
    for (char c : text)
        n += (c & 0xC0) != 0x80;
    return n;
}

} // namespace

TEST(CliProgress, LineFitsAndShowsTheRun) {
    const std::string half = progressLine("data.bin", 50, 100, 3.5 * 1024 * 1024, 80);
    EXPECT_EQ(half.size(), 79u);
    EXPECT_EQ(half.find("data.bin"), 0u);
    EXPECT_NE(half.find("[#############.............]"), std::string::npos);
    EXPECT_TRUE(half.ends_with(" 50%     3.5 MiB/s"));
    const std::string done = progressLine("x", 7, 7, 0, 80);
    EXPECT_NE(done.find("[##########################]"), std::string::npos);
    EXPECT_NE(done.find("100%"), std::string::npos);
    // Nothing to do counts as done; more than the total stays at 100.
    EXPECT_NE(progressLine("x", 0, 0, 0, 80).find("100%"), std::string::npos);
    EXPECT_NE(progressLine("x", 9, 7, 0, 80).find("100%"), std::string::npos);
}

TEST(CliProgress, LongAndNonAsciiNamesKeepTheirEnd) {
    const std::string name = std::string(100, 'a') + "-\xc3\xa4nd.bin";
    const std::string line = progressLine(name, 1, 4, 0, 60);
    EXPECT_EQ(columns(line), 59u);
    EXPECT_EQ(line.find("..."), 0u);
    EXPECT_NE(line.find("-\xc3\xa4nd.bin ["), std::string::npos);
    // A tiny terminal still gets a whole line.
    EXPECT_GE(progressLine(name, 1, 4, 0, 5).size(), 19u);
}

TEST(CliProgress, OnlyOnATerminal) {
    EXPECT_FALSE(wantsProgressBar(true, stderr));
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    EXPECT_FALSE(wantsProgressBar(false, file));
    EXPECT_EQ(terminalWidth(file), 80);
    std::fclose(file);
}
