// Buffered output: many buffers' worth of text arrives whole and in order; failures are kept.
#include "converter/OutputFile.h"

#include <cerrno>
#include <cstring>

#include <gtest/gtest.h>

#include "support/TestSupport.h"

TEST(OutputFile, LargeTextArrivesWholeAndAppends) {
    testfiles::TestFolder temp;
    const Zenlo::WideString path = temp.folder() + u"out";
    const std::string pattern = testfiles::patternBytes(3 * Zenlo::OutputFile::bufferSize + 17);
    {
        Zenlo::OutputFile out;
        ASSERT_TRUE(out.open(path, false));
        out.write(pattern.substr(0, 1000));
        for (std::size_t i = 1000; i < pattern.size(); i += 4096) {
            const std::size_t n = std::min<std::size_t>(4096, pattern.size() - i);
            std::memcpy(out.reserve(n), pattern.data() + i, n);
            out.commit(n);
        }
        out.fill('x', 2 * Zenlo::OutputFile::bufferSize + 3);
        EXPECT_TRUE(out.close());
        EXPECT_FALSE(out.close()); // nothing open any more
    }
    std::string want = pattern + std::string(2 * Zenlo::OutputFile::bufferSize + 3, 'x');
    EXPECT_EQ(testfiles::readFile(temp / "out"), want);
    {
        Zenlo::OutputFile out;
        ASSERT_TRUE(out.open(path, true));
        out.write("tail");
    } // the destructor closes too
    EXPECT_EQ(testfiles::readFile(temp / "out"), want + "tail");
    Zenlo::OutputFile again;
    ASSERT_TRUE(again.open(path, false));
    EXPECT_TRUE(again.close());
    EXPECT_EQ(testfiles::readFile(temp / "out"), "");
}

TEST(OutputFile, FailuresAreReported) {
    testfiles::TestFolder temp;
    Zenlo::OutputFile out;
    EXPECT_FALSE(out.open(temp.folder() + u"missing/out", false));
    EXPECT_NE(out.error(), 0);
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << testfiles::noFullDevice;
    ASSERT_TRUE(out.open(u"/dev/full", false));
    out.fill('x', 5 * Zenlo::OutputFile::bufferSize);
    EXPECT_TRUE(out.failed());
    EXPECT_FALSE(out.close());
    EXPECT_EQ(out.error(), ENOSPC);
    ASSERT_TRUE(out.open(u"/dev/full", false));
    out.write("small");
    EXPECT_FALSE(out.failed()); // still buffered
    EXPECT_FALSE(out.close());
}

TEST(OutputFile, RewindAndOverwriteReachTextWhereverItIs) {
    // Cut points inside the buffer, at a handed-over boundary, and far back in written text.
    const std::size_t big = 3 * Zenlo::OutputFile::bufferSize + 5;
    const std::size_t cuts[] = {0, 7, Zenlo::OutputFile::bufferSize,
                                2 * Zenlo::OutputFile::bufferSize + 1, big};
    const std::string text = testfiles::patternBytes(big);
    for (std::size_t cut : cuts) {
        SCOPED_TRACE(cut);
        testfiles::TestFolder temp;
        Zenlo::OutputFile out;
        ASSERT_TRUE(out.create(temp.folder() + u"out"));
        EXPECT_FALSE(Zenlo::OutputFile().create(temp.folder() + u"out")); // it exists now
        out.write(text);
        EXPECT_EQ(out.position(), big);
        ASSERT_TRUE(out.rewindTo(cut));
        EXPECT_EQ(out.position(), cut);
        out.write("tail");
        // Overwritten near the start (on disk once written) and across the cut (disk and buffer).
        std::string want = text.substr(0, cut) + "tail";
        for (const std::size_t at : {std::size_t{1}, cut ? cut - 1 : 0}) {
            EXPECT_TRUE(out.overwrite(at, "<>"));
            want.replace(at, 2, "<>");
        }
        EXPECT_FALSE(out.overwrite(cut + 3, "<>")); // beyond the end
        EXPECT_TRUE(out.close());
        EXPECT_EQ(testfiles::readFile(temp / "out"), want);
    }
}
