// The conversion run: golden text, notifications, stop, failures, separate files, safety of inputs.
#include "converter/FileConverter.h"

#include <cerrno>
#include <filesystem>
#include <vector>

#include <gtest/gtest.h>

#include "WorkedExample.h"
#include "converter/OutputFile.h"
#include "support/TestSupport.h"
#include "toolkit/FileSystem.h"
#include "toolkit/TextEncoding.h"

using Zenlo::ZnFailureKind;
using Zenlo::ZnFileConverter;
using Zenlo::ZnInputFailure;

using testfiles::readFile;
using testfiles::TestFolder;
using testfiles::writeFile;
using Zenlo::WideString;

namespace {

const Zenlo::DateTime exampleTime{7, 12, 2026, 9, 5, 3};

// Records every notification as a line of text.
struct Recorder {
    std::vector<std::string> events;
    std::vector<ZnInputFailure> failures;
    explicit Recorder(ZnFileConverter& converter) {
        converter.totalBytes.connect(
            [this](std::uint64_t n) { add("total " + std::to_string(n)); });
        converter.fileStarted.connect([this](const WideString& name, std::uint64_t n) {
            add("start " + Zenlo::utf16ToUtf8(name.view()) + " " + std::to_string(n));
        });
        converter.progress.connect(
            [this](std::uint64_t n) { add("progress " + std::to_string(n)); });
        converter.fileFinished.connect(
            [this](const WideString& name) { add("done " + Zenlo::utf16ToUtf8(name.view())); });
        converter.finished.connect([this] { add("finished"); });
        converter.inputFailed.connect([this](const ZnInputFailure& f) { failures.push_back(f); });
    }
    void add(const std::string& event) { events.push_back(event); }
};

} // namespace

class FileConverterTest : public testing::Test {
protected:
    FileConverterTest() {
        converter.clock = [] { return exampleTime; };
    }
    WideString in(const char* name) const {
        return temp.folder() + testfiles::nativePath(Zenlo::fromUtf8(name));
    }
    void run(const std::vector<std::string>& names, int separate = 0, int header = 1,
             const char16_t* output = u"arrays.cpp") {
        WideString list;
        for (const std::string& name : names)
            list += in(name.c_str()) + u";";
        converter.convertAll(list, out, output, separate, header);
    }
    std::string output(const char* name) const { return readFile(temp / "out" / name); }
    // A path below the test folder as messages show it.
    std::string readable(const char* name) const {
        return testfiles::nativeSeparators(testfiles::shown(temp / name));
    }

    TestFolder temp;
    ZnFileConverter converter;
    WideString out = temp.folder() + testfiles::nativePath(u"out/");
    Recorder recorder{converter};
    void SetUp() override { std::filesystem::create_directory(temp / "out"); }
};

TEST_F(FileConverterTest, WorkedExampleByteForByte) {
    writeFile(temp / "a.bin", "ABC");
    writeFile(temp / "b.txt", "Hi!\n");
    run({"a.bin", "b.txt"});
    EXPECT_EQ(output("arrays.cpp"), WorkedExample::source());
    EXPECT_EQ(output("arrays.h"), WorkedExample::header());
    EXPECT_EQ(recorder.events,
              (std::vector<std::string>{"total 7", "start a.bin 3", "progress 3", "done a.bin",
                                        "start b.txt 4", "progress 4", "done b.txt", "finished"}));
    EXPECT_TRUE(recorder.failures.empty());
}

TEST_F(FileConverterTest, NotificationCountsAndSums) {
    writeFile(temp / "big", testfiles::patternBytes(10000));
    run({"big"}, 0, 0);
    EXPECT_EQ(recorder.events,
              (std::vector<std::string>{"total 10000", "start big 10000", "progress 4096",
                                        "progress 4096", "progress 1808", "done big", "finished"}));
    EXPECT_FALSE(std::filesystem::exists(temp / "out" / "arrays.h"));
}

TEST_F(FileConverterTest, EmptyAndMissingInputsAreSkippedAndTold) {
    writeFile(temp / "a", "A");
    writeFile(temp / "empty", "");
    writeFile(temp / "b", "B");
    run({"a", "empty", "missing", "b"});
    EXPECT_EQ(recorder.events,
              (std::vector<std::string>{"total 2", "start a 1", "progress 1", "done a", "start b 1",
                                        "progress 1", "done b", "finished"}));
    ASSERT_EQ(recorder.failures.size(), 2u);
    EXPECT_EQ(recorder.failures[0].kind, ZnFailureKind::InputEmpty);
    EXPECT_EQ(recorder.failures[0].path, in("empty"));
    EXPECT_EQ(recorder.failures[1].kind, ZnFailureKind::InputUnreadable);
    EXPECT_EQ(recorder.failures[1].reason(),
              "cannot read the input: " + testfiles::systemMessage(ENOENT, 2));
    const std::string source = output("arrays.cpp");
    EXPECT_NE(source.find("g_a_array[] = {\r\n    0x41\r\n};\r\n"), std::string::npos);
    EXPECT_NE(source.find("g_b_array[] = {\r\n    0x42\r\n};\r\n"), std::string::npos);
    EXPECT_EQ(source.find("empty"), std::string::npos);
}

TEST_F(FileConverterTest, StopDuringTheSecondOfThreeInputs) {
    writeFile(temp / "a", "A");
    writeFile(temp / "b", std::string(5000, 'b'));
    writeFile(temp / "c", "C");
    int blocks = 0;
    // The second block of b asks to stop: the stop is seen before its first byte.
    converter.progress.connect([&](std::uint64_t) {
        if (++blocks == 3) converter.stopRequested = 1;
    });
    run({"a", "b", "c"});
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"total 5002", "start a 1", "progress 1",
                                                         "done a", "start b 5000", "progress 4096",
                                                         "progress 904", "finished"}));
    // The source ends after the last whole array; the header holds that array's declarations.
    const std::string source = output("arrays.cpp");
    const std::string header = output("arrays.h");
    EXPECT_EQ(source.find("g_b_array"), std::string::npos);
    EXPECT_EQ(source.find("g_c_array"), std::string::npos);
    EXPECT_EQ(header.find("g_b_array"), std::string::npos);
    EXPECT_NE(header.find("extern const uint8_t g_a_array[];"), std::string::npos);
    EXPECT_TRUE(header.ends_with(";\r\n\r\n\r\n#endif /* __ARRAYS_H__ */\r\n\r\n"));
    // Just as a run of the first input alone writes them.
    converter.stopRequested = 0;
    run({"a"});
    EXPECT_EQ(output("arrays.cpp"), source);
    EXPECT_EQ(output("arrays.h"), header);
    EXPECT_TRUE(recorder.failures.empty()); // a stop is not a failure
}

TEST_F(FileConverterTest, SeparateFiles) {
    writeFile(temp / "a.bin", "A");
    writeFile(temp / "logo.png", "L");
    run({"a.bin", "logo.png"}, 1, 1, u"ignored.cpp");
    EXPECT_FALSE(std::filesystem::exists(temp / "out" / "ignored.cpp"));
    EXPECT_EQ(
        output("a_bin.cpp").rfind(WorkedExample::banner("a_bin.cpp") + "#include <stdint.h>", 0),
        0u);
    EXPECT_EQ(output("logo_png.cpp").rfind(WorkedExample::banner("logo_png.cpp"), 0), 0u);
    const std::string header = output("logo_png.h");
    EXPECT_EQ(header.rfind(WorkedExample::banner("logo_png.h") + "#ifndef __LOGO_PNG_H__\r\n", 0),
              0u);
    EXPECT_NE(header.find("extern const uint8_t g_logo_png_array[];"), std::string::npos);
    EXPECT_EQ(header.find("g_a_bin"), std::string::npos);
    EXPECT_TRUE(header.ends_with("[];\r\n\r\n\r\n#endif /* __LOGO_PNG_H__ */\r\n\r\n"));
    EXPECT_NE(output("a_bin.h").find("#endif /* __A_BIN_H__ */"), std::string::npos);
}

TEST_F(FileConverterTest, UnreadableFirstInputLeavesNoOrphanText) {
    writeFile(temp / "b", "B");
    writeFile(temp / "empty", "");
    // The first input actually converted writes the banners.
    run({"missing", "b"});
    EXPECT_EQ(output("arrays.cpp").rfind(WorkedExample::banner("arrays.cpp"), 0), 0u);
    EXPECT_EQ(output("arrays.h").rfind(WorkedExample::banner("arrays.h") + "#ifndef", 0), 0u);
    // Nothing readable: an existing output stays as it was, no header appears.
    writeFile(temp / "out" / "keep.cpp", "keep");
    run({"missing", "empty"}, 0, 1, u"keep.cpp");
    EXPECT_EQ(output("keep.cpp"), "keep");
    EXPECT_FALSE(std::filesystem::exists(temp / "out" / "keep.h"));
    run({"empty"}, 1, 1);
    EXPECT_FALSE(std::filesystem::exists(temp / "out" / "empty.cpp"));
    EXPECT_FALSE(std::filesystem::exists(temp / "out" / "empty.h"));
}

TEST_F(FileConverterTest, APlanProblemRefusesTheRunBeforeAnythingIsWritten) {
    writeFile(temp / "a", "A");
    writeFile(temp / "a_", "B");
    std::filesystem::create_directories(temp / "d");
    writeFile(temp / "d" / "a", "C");
    writeFile(temp / "out" / "arrays.cpp", "precious");
    writeFile(temp / "out" / "arrays.h", "header");
    writeFile(temp / "out" / "a.cpp", "old a");
    struct Case {
        const char* what;
        std::vector<std::string> inputs;
        int separate;
        std::vector<ZnFailureKind> kinds;
    };
    const Case cases[] = {
        {"the source and the header among the inputs",
         {"out/arrays.cpp", "out/arrays.h", "a"},
         0,
         {ZnFailureKind::InputIsOutput, ZnFailureKind::InputIsOutput}},
        {"the same input twice", {"a", "a"}, 0, {ZnFailureKind::NameClash}},
        {"one output from two folders", {"a", "d/a"}, 1, {ZnFailureKind::OutputClash}},
        {"an output of another input", {"a", "out/a.cpp"}, 1, {ZnFailureKind::InputIsOutput}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        recorder.failures.clear();
        recorder.events.clear();
        run(c.inputs, c.separate);
        std::vector<ZnFailureKind> kinds;
        for (const ZnInputFailure& failure : recorder.failures)
            kinds.push_back(failure.kind);
        EXPECT_EQ(kinds, c.kinds);
        // Told, then finished: no total, no file started, no byte written anywhere.
        EXPECT_EQ(recorder.events, std::vector<std::string>{"finished"});
        EXPECT_EQ(output("arrays.cpp"), "precious");
        EXPECT_EQ(output("arrays.h"), "header");
        EXPECT_EQ(output("a.cpp"), "old a");
        EXPECT_FALSE(std::filesystem::exists(temp / "out" / "a.h"));
    }
    // A single input goes through the same check.
    recorder.failures.clear();
    EXPECT_FALSE(converter.convertFile(in("out/arrays.cpp"), 1, out, u"arrays.cpp", 0));
    ASSERT_EQ(recorder.failures.size(), 1u);
    EXPECT_EQ(recorder.failures[0].reason(), "the input is an output file of this conversion (" +
                                                 readable("out/arrays.cpp") + "), nothing written");
    EXPECT_EQ(output("arrays.cpp"), "precious");
    // Without a header, the old header is an ordinary input.
    recorder.failures.clear();
    run({"a", "out/arrays.h"}, 0, 0);
    EXPECT_TRUE(recorder.failures.empty());
    EXPECT_NE(output("arrays.cpp").find("g_arrays_h_array_size = 6;"), std::string::npos);
}

TEST_F(FileConverterTest, ClashReasonsNameBothInputsAndTheName) {
    writeFile(temp / "a.b", "1");
    writeFile(temp / "a_b", "2");
    writeFile(temp / "1.bin", "3");
    run({"a.b", "a_b"});
    ASSERT_EQ(recorder.failures.size(), 1u);
    EXPECT_EQ(Zenlo::utf16ToUtf8(recorder.failures[0].path.view()), readable("a_b"));
    EXPECT_EQ(recorder.failures[0].reason(), "gives the variable name g_a_b_array in " +
                                                 readable("out/arrays.cpp") + ", as does " +
                                                 readable("a.b") + "; nothing written");
    recorder.failures.clear();
    run({"a.b", "a_b"}, 1);
    ASSERT_EQ(recorder.failures.size(), 1u);
    EXPECT_EQ(recorder.failures[0].reason(), "gives the output file " + readable("out/a_b.cpp") +
                                                 ", as does " + readable("a.b") +
                                                 "; nothing written");
    recorder.failures.clear();
    converter.options.namePrefix = u"";
    run({"1.bin"});
    ASSERT_EQ(recorder.failures.size(), 1u);
    EXPECT_EQ(recorder.failures[0].reason(),
              "gives the variable name 1_bin_array, which starts with a digit (set a name "
              "prefix); nothing written");
    EXPECT_FALSE(std::filesystem::exists(temp / "out" / "arrays.cpp"));
}

TEST_F(FileConverterTest, WriteErrorIsAFailureAndKeepsThePreviousOutput) {
    SKIP_WITHOUT_POSIX_FILE_KINDS();
    writeFile(temp / "a", testfiles::patternBytes(3 << 20));
    writeFile(temp / "b", "B");
    writeFile(temp / "out" / "arrays.cpp", "previous");
    {
        const testfiles::FileSizeLimit limit(1 << 20);
        run({"a", "b"}, 0, 0);
    }
    ASSERT_EQ(recorder.failures.size(), 1u);
    EXPECT_EQ(recorder.failures[0].kind, ZnFailureKind::WriteFailed);
    EXPECT_EQ(recorder.failures[0].reason(),
              "cannot write " + (temp / "out" / "arrays.cpp").string() + ": File too large");
    EXPECT_EQ(std::count(recorder.events.begin(), recorder.events.end(), "done a"), 0);
    // The run ends there: b would only go into an output that is not written.
    EXPECT_EQ(std::count(recorder.events.begin(), recorder.events.end(), "start b 1"), 0);
    EXPECT_EQ(output("arrays.cpp"), "previous");
    EXPECT_EQ(testfiles::temporariesIn(temp / "out"), std::vector<std::string>{});
}

TEST_F(FileConverterTest, AHeaderThatCannotBeFinishedIsNamedInItsFailure) {
    SKIP_WITHOUT_POSIX_FILE_KINDS();
    writeFile(temp / "a", "A");
    // The kept header text fills the limit but for a few bytes: only the new declarations
    // cross it, while the whole source stays below.
    const std::string kept(4090, ' ');
    writeFile(temp / "out" / "one.h", kept);
    {
        const testfiles::FileSizeLimit limit(4096);
        EXPECT_FALSE(converter.convertFile(in("a"), 1, out, u"one.cpp", 1));
    }
    ASSERT_EQ(recorder.failures.size(), 1u);
    EXPECT_EQ(recorder.failures[0].kind, ZnFailureKind::WriteFailed);
    EXPECT_EQ(recorder.failures[0].outputPath, out + u"one.h");
    EXPECT_EQ(output("one.h"), kept);
    EXPECT_FALSE(std::filesystem::exists(temp / "out" / "one.cpp"));
}

TEST_F(FileConverterTest, TargetsThatAreNotRegularFilesAreLeftAlone) {
    writeFile(temp / "a", "A");
    std::filesystem::create_directory(temp / "out" / "dir.cpp");
    EXPECT_FALSE(converter.convertFile(in("a"), 0, out, u"dir.cpp", 0));
    ASSERT_EQ(recorder.failures.size(), 1u);
    EXPECT_EQ(recorder.failures[0].kind, ZnFailureKind::OutputUnopenable);
    EXPECT_EQ(recorder.failures[0].reason(), "cannot open " +
                                                 testfiles::shown(temp / "out" / "dir.cpp") + ": " +
                                                 Zenlo::systemErrorText(testfiles::isFolderError));
#ifdef _WIN32
    // The devices a Windows user can name: reserved names, with any extension, in any folder.
    for (const char16_t* device : {u"con.cpp", u"NUL"}) {
        EXPECT_FALSE(converter.convertFile(in("a"), 0, out, device, 0));
        EXPECT_EQ(recorder.failures.back().kind, ZnFailureKind::OutputUnopenable);
        EXPECT_NE(recorder.failures.back().reason().find(": not a regular file"), std::string::npos)
            << recorder.failures.back().reason();
    }
    EXPECT_EQ(testfiles::temporariesIn(temp.path()), std::vector<std::string>{});
#endif
    // Even with the right to do so, a device is never replaced by a regular file.
    SKIP_WITHOUT_POSIX_FILE_KINDS();
    testfiles::makeSpecialFile(temp / "device");
    std::filesystem::create_symlink(temp / "device", temp / "out" / "link.cpp");
    EXPECT_FALSE(converter.convertFile(in("a"), 0, out, u"link.cpp", 0));
    EXPECT_EQ(recorder.failures.back().reason(),
              "cannot open " + (temp / "out" / "link.cpp").string() + ": not a regular file");
    EXPECT_FALSE(converter.convertFile(in("a"), 0, temp.folder(), u"device", 0));
    EXPECT_FALSE(std::filesystem::is_regular_file(temp / "device"));
    EXPECT_TRUE(std::filesystem::is_symlink(temp / "out" / "link.cpp"));
    EXPECT_EQ(testfiles::temporariesIn(temp.path()), std::vector<std::string>{});
}

TEST_F(FileConverterTest, HeaderThatCannotBeOpenedIsToldOnceAndNothingIsWritten) {
    writeFile(temp / "a", "A");
    writeFile(temp / "b", "B");
    std::filesystem::create_directory(temp / "out" / "hdr.h");
    EXPECT_FALSE(converter.convertFile(in("b"), 0, out, u"hdr.cpp", 1));
    ASSERT_EQ(recorder.failures.size(), 1u);
    EXPECT_EQ(recorder.failures[0].kind, ZnFailureKind::HeaderUnopenable);
    EXPECT_EQ(recorder.events.back(), "progress 1"); // no fileFinished
    // A source without its header would not match the header the program still includes.
    EXPECT_FALSE(std::filesystem::exists(temp / "out" / "hdr.cpp"));
    recorder.failures.clear();
    run({"a", "b"}, 0, 1, u"hdr.cpp");
    ASSERT_EQ(recorder.failures.size(), 1u);
    EXPECT_EQ(recorder.failures[0].reason(), "cannot open the header " +
                                                 testfiles::shown(temp / "out" / "hdr.h") + ": " +
                                                 Zenlo::systemErrorText(testfiles::isFolderError));
    EXPECT_FALSE(std::filesystem::exists(temp / "out" / "hdr.cpp"));
    EXPECT_EQ(testfiles::temporariesIn(temp / "out"), std::vector<std::string>{});
}

TEST_F(FileConverterTest, ConvertFileAndCloseHeaderDirectly) {
    writeFile(temp / "a", "A");
    EXPECT_TRUE(converter.convertFile(in("a"), 0, out, u"one.c", 1));
    EXPECT_TRUE(converter.convertFile(in("a"), 1, out, u"one.c", 1));
    EXPECT_TRUE(converter.closeHeader(out, u"one.c"));
    const std::string source = output("one.c");
    EXPECT_EQ(source.find("/**\r\n *      one.c"), 0u);
    EXPECT_NE(source.find("g_a_array[]", source.find("g_a_array[]") + 1), std::string::npos);
    EXPECT_EQ(output("one.h").find("#ifndef __ONE_H__"), WorkedExample::banner("one.h").size());
    // closeHeader creates a missing header holding only the closing line.
    EXPECT_TRUE(converter.closeHeader(out, u"two.cpp"));
    EXPECT_EQ(output("two.h"), "\r\n\r\n#endif /* __TWO_H__ */\r\n\r\n");
    EXPECT_FALSE(
        converter.closeHeader(temp.folder() + testfiles::nativePath(u"nowhere/"), u"two.cpp"));
    // An output folder that does not exist: false, nothing told but the failure.
    EXPECT_FALSE(converter.convertFile(
        in("a"), 0, temp.folder() + testfiles::nativePath(u"nowhere/"), u"x.cpp", 0));
    EXPECT_EQ(recorder.failures.back().kind, ZnFailureKind::OutputUnopenable);
}

TEST_F(FileConverterTest, OptionsReachTheText) {
    writeFile(temp / "\xc3\x84rger $1.bin", "\\\\");
    converter.options.includeList = u"";
    converter.options.bytesPerLine = 0; // counts as 1
    converter.options.printableComment = 1;
    converter.options.upperCaseHex = 1;
    converter.options.lowerCaseName = 0;
    converter.options.capitalizeName = 1;
    converter.options.arrayQualifiers = 2;
    converter.options.sizeQualifiers = 0;
    run({"\xc3\x84rger $1.bin"}, 0, 0);
    EXPECT_EQ(output("arrays.cpp"),
              WorkedExample::banner("arrays.cpp") +
                  "\r\n/**\r\n *      \xc3\x84rger $1.bin file byte array\r\n */\r\n"
                  "uintmax_t g_\xc3\x84rger_$1_bin_array_size = 2;\r\n"
                  "const uint8_t g_\xc3\x84rger_$1_bin_array[] = {\r\n"
                  "    0x5C, //. \r\n    0x5C  //. \r\n};\r\n");
}

TEST_F(FileConverterTest, ThreadedRunsClearAnEarlierStop) {
    writeFile(temp / "a", "A");
    converter.stopRequested = 1;
    std::thread worker = converter.start(in("a") + u";", out, u"t.cpp", 0, 1);
    worker.join();
    EXPECT_EQ(recorder.events.back(), "finished");
    EXPECT_NE(output("t.cpp").find("g_a_array[] = {\r\n    0x41\r\n};"), std::string::npos);
    EXPECT_NE(output("t.h").find("#endif /* __T_H__ */"), std::string::npos);
}

TEST_F(FileConverterTest, RelativeInputsAreSizedAndRead) {
    // Relative names as a user types them: the sizes must be known before the first byte, or
    // the progress starts at its end.
    std::filesystem::create_directory(temp / "sub");
    writeFile(temp / "a.bin", "ABC");
    writeFile(temp / "sub" / "b.txt", "Hi!\n");
    writeFile(temp / "c.dat", "xyz");
    testfiles::CurrentFolderChange here(temp.path());
    Zenlo::ZnRunRequest request{
        .outputFolder = out, .outputFileName = u"arrays.cpp", .writeHeader = false};
    for (const char16_t* name : {u"a.bin", u"sub/../sub/b.txt", u"./c.dat"})
        request.inputs.push_back({testfiles::nativePath(name)});
    converter.run(request);
    EXPECT_TRUE(recorder.failures.empty());
    ASSERT_FALSE(recorder.events.empty());
    EXPECT_EQ(recorder.events.front(), "total 10");
    EXPECT_EQ(recorder.events.back(), "finished");
    EXPECT_NE(output("arrays.cpp").find("g_b_txt_array[] = {\r\n    0x48,"), std::string::npos);
}

TEST_F(FileConverterTest, PathsBeyondTheOldLengthLimit) {
    // Folders nested past 260 characters, which Windows reaches only through long-path names.
    WideString deep = temp.folder();
    while (deep.length() < 300)
        deep += WideString(u"folder-with-a-long-name") + Zenlo::nativeSeparator;
    ASSERT_TRUE(Zenlo::createFolders(deep));
    const WideString input = deep + u"input.bin";
    {
        Zenlo::OutputFile file;
        ASSERT_TRUE(file.open(input, false));
        file.write("xyz");
        ASSERT_TRUE(file.close());
    }
    EXPECT_EQ(Zenlo::fileSize(input), 3u);
    converter.run({.inputs = {{input}}, .outputFolder = deep, .outputFileName = u"deep.cpp"});
    EXPECT_TRUE(recorder.failures.empty());
    EXPECT_EQ(recorder.events.front(), "total 3");
    EXPECT_TRUE(
        testfiles::sameFile(deep + u"deep.h", deep + u"." + Zenlo::nativeSeparator + u"deep.h"));
    EXPECT_TRUE(Zenlo::isFolder(deep));
    EXPECT_NE(Zenlo::fileSize(deep + u"deep.cpp"), Zenlo::noSize);
}

TEST_F(FileConverterTest, EmptyInputsAsPlaceholderArraysWhenAsked) {
    writeFile(temp / "empty", "");
    converter.run({.inputs = {{in("empty")}},
                   .outputFolder = out,
                   .outputFileName = u"arrays.cpp",
                   .emptyInputsAsArrays = true});
    EXPECT_TRUE(recorder.failures.empty());
    EXPECT_EQ(recorder.events,
              (std::vector<std::string>{"total 0", "start empty 0", "done empty", "finished"}));
    EXPECT_TRUE(output("arrays.cpp")
                    .ends_with("static const uintmax_t g_empty_array_size = 0;\r\n"
                               "static const uint8_t g_empty_array[] = {\r\n"
                               "    0x00 /* placeholder: the input is empty */\r\n};\r\n"));
    EXPECT_NE(output("arrays.h").find("extern const uint8_t g_empty_array[];"), std::string::npos);
}
