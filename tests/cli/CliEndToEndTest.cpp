// hexmoor-cli as users run it: bytes of the generated files, messages and exit statuses.
#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/TestSupport.h"
#include "../converter/WorkedExample.h"
#include "HexmoorVersion.h"
#include "settings/SettingsFile.h"
#include "toolkit/FileSystem.h"

using Zenlo::ZnConversionOptions;

using testfiles::readFile;
using testfiles::shown;
using testfiles::TestFolder;
using testfiles::writeFile;
using Result = testfiles::RunResult;
using testfiles::runCli;

TEST(CliEndToEnd, WorkedExampleWithSourceDateEpoch) {
    TestFolder temp;
    writeFile(temp / "a.bin", "ABC");
    writeFile(temp / "b.txt", "Hi!\n");
    const Result result = runCli(temp, {"-o", "out", "a.bin", "b.txt"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, "hexmoor-cli: converted 2 of 2 inputs into " +
                              testfiles::shown(temp / "out" / "arrays.cpp") + " and arrays.h\n");
    EXPECT_EQ(readFile(temp / "out" / "arrays.cpp"), WorkedExample::source());
    EXPECT_EQ(readFile(temp / "out" / "arrays.h"), WorkedExample::header());
    // The same run again gives the same bytes; quiet prints nothing.
    const std::string first = readFile(temp / "out" / "arrays.cpp");
    EXPECT_EQ(runCli(temp, {"-q", "-o", "out/", "a.bin", "b.txt"}).out, "");
    EXPECT_EQ(readFile(temp / "out" / "arrays.cpp"), first);
}

TEST(CliEndToEnd, NamesOutsideAsciiAndWithSpaces) {
    // Each name reaches the program whole (no code page in between) and comes back in the
    // messages as UTF-8; the output folder may be relative or absolute.
    TestFolder temp;
    const std::string names[] = {"Grüße.txt", "my data (2).bin", "Русский.lng", "日本.dat"};
    for (const std::string& name : names)
        writeFile(temp / name, name);
    // A folder walked (-r) names its files as they are, not in a code page.
    writeFile(temp / "τόμος/δύο.bin", "2");
    const std::filesystem::path absolute = temp / "абс olut";
    struct Case {
        std::string outputDir;
        std::filesystem::path folder;
    };
    const Case cases[] = {{"relative out", temp / "relative out"}, {shown(absolute), absolute}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.outputDir);
        std::vector<std::string> arguments{"-r", "-o", c.outputDir, "τόμος"};
        arguments.insert(arguments.end(), std::begin(names), std::end(names));
        arguments.push_back("missing ü");
        const Result result = runCli(temp, arguments);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err, "hexmoor-cli: missing ü: cannot read the input: " +
                                  testfiles::systemMessage(ENOENT, 2) + "\n");
        EXPECT_EQ(result.out, "hexmoor-cli: converted 5 of 6 inputs into " +
                                  shown(c.folder / "arrays.cpp") + " and arrays.h\n");
        const std::string source = readFile(c.folder / "arrays.cpp");
        EXPECT_NE(source.find(" *      Grüße.txt file byte array\r\n"), std::string::npos);
        EXPECT_NE(source.find("g_my_data__2__bin_array_size = 15;"), std::string::npos);
        EXPECT_NE(source.find("g_Русский_lng_array[] = {\r\n"), std::string::npos);
        EXPECT_NE(source.find("g_δύο_bin_array[] = {\r\n"), std::string::npos);
        EXPECT_NE(readFile(c.folder / "arrays.h").find("extern const uint8_t g_日本_dat_array[];"),
                  std::string::npos);
    }
}

TEST(CliEndToEnd, OptionsShapeTheText) {
    TestFolder temp;
    writeFile(temp / "Ab.Bin", "ABCDEFG");
    const Result result = runCli(temp, {"-q",
                                        "-n",
                                        "data.txt",
                                        "--prefix",
                                        "p_",
                                        "--suffix=",
                                        "--element-type",
                                        "unsigned char",
                                        "--size-type",
                                        "size_t",
                                        "--includes",
                                        "",
                                        "--bytes-per-line",
                                        "4",
                                        "--uppercase-hex",
                                        "--capitalize",
                                        "--keep-case",
                                        "--comment",
                                        "--array-qualifiers",
                                        "1",
                                        "--size-qualifiers",
                                        "2",
                                        "Ab.Bin"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(readFile(temp / "data.cpp"),
              WorkedExample::banner("data.cpp") +
                  "\r\n/**\r\n *      Ab.Bin file byte array\r\n */\r\n"
                  "const size_t p_Ab_Bin_size = 7;\r\n"
                  "static unsigned char p_Ab_Bin[] = {\r\n"
                  "    0x41, 0x42, 0x43, 0x44, //ABCD \r\n"
                  "    0x45, 0x46, 0x47        //EFG \r\n};\r\n");
    EXPECT_NE(readFile(temp / "data.h")
                  .find("extern const size_t p_Ab_Bin_size;\r\n"
                        "extern unsigned char p_Ab_Bin[];\r\n"),
              std::string::npos);
    EXPECT_EQ(runCli(temp, {"-q", "--no-size-variable", "-n", "x.c", "Ab.Bin"}).status, 0);
    EXPECT_EQ(readFile(temp / "x.c").find("_size"), std::string::npos);
}

TEST(CliEndToEnd, SeparateFilesWithoutHeaderInNewNestedFolder) {
    TestFolder temp;
    writeFile(temp / "a.bin", "A");
    writeFile(temp / "logo.png", "L");
    const Result result =
        runCli(temp, {"--separate-files", "--no-header", "-o", "deep/er/out", "a.bin", "logo.png"});
    EXPECT_EQ(result.status, 0) << result.err;
    const auto out = temp / "deep" / "er" / "out";
    EXPECT_EQ(readFile(out / "a_bin.cpp").find("/**\r\n *      a_bin.cpp\r\n"), 0u);
    EXPECT_EQ(readFile(out / "logo_png.cpp").find("/**\r\n *      logo_png.cpp\r\n"), 0u);
    EXPECT_FALSE(std::filesystem::exists(out / "a_bin.h"));
    EXPECT_FALSE(std::filesystem::exists(out / "arrays.cpp"));
}

TEST(CliEndToEnd, FailuresAreToldAndExitOne) {
    TestFolder temp;
    writeFile(temp / "a.bin", "A");
    writeFile(temp / "empty", "");
    std::filesystem::create_directory(temp / "out");
    writeFile(temp / "out" / "arrays.cpp", "old");
    Result result = runCli(temp, {"-o", "out", "missing", "a.bin", "empty"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(
        result.err,
        "hexmoor-cli: missing: cannot read the input: " + testfiles::systemMessage(ENOENT, 2) +
            "\n"
            "hexmoor-cli: empty: the input is empty, no array written (--empty-arrays writes "
            "one)\n");
    EXPECT_NE(result.out.find("converted 1 of 3 inputs"), std::string::npos);
    EXPECT_NE(readFile(temp / "out" / "arrays.cpp").find("g_a_bin_array[]"), std::string::npos);
    // An object's size variable too narrow for an input's size.
    writeFile(temp / "wide.bin", testfiles::patternBytes(256));
    result = runCli(temp, {"-q", "-o", "obj", "--object", "elf-x86-64", "--size-type", "uint8_t",
                           "wide.bin", "a.bin"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err,
              "hexmoor-cli: wide.bin: its size does not fit the size variable's type in " +
                  (temp / "obj" / "arrays.o").string() + " (see --size-type); nothing written\n");
    // An output that cannot be made.
    writeFile(temp / "file", "x");
    result = runCli(temp, {"-o", "file/sub", "a.bin"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "hexmoor-cli: cannot create the output folder " +
                              testfiles::shown(temp / "file" / "sub") +
                              testfiles::nativeSeparators("/: ") +
                              testfiles::systemMessage(ENOTDIR, 3) + "\n");
    // An output that cannot be opened, and one that cannot be written (a full disk).
    std::filesystem::create_directories(temp / "dir" / "arrays.cpp");
    result = runCli(temp, {"-o", "dir", "a.bin"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("a.bin: cannot open " +
                              testfiles::shown(temp / "dir" / "arrays.cpp") + ": " +
                              Zenlo::systemErrorText(testfiles::isFolderError) + "\n"),
              std::string::npos)
        << result.err;
    // Nothing was written there: no summary claims otherwise.
    EXPECT_EQ(result.out, "");
    // A full disk (here: the file size limit) leaves the previous file whole.
    SKIP_WITHOUT_POSIX_FILE_KINDS();
    writeFile(temp / "big.bin", testfiles::patternBytes(200000));
    writeFile(temp / "out" / "arrays.cpp", "previous");
    result = runCli(temp, {"-o", "out", "--no-header", "big.bin"},
                    "ulimit -f 64; SOURCE_DATE_EPOCH=1796634303");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "hexmoor-cli: big.bin: cannot write " +
                              (temp / "out" / "arrays.cpp").string() + ": File too large\n");
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(readFile(temp / "out" / "arrays.cpp"), "previous");
    EXPECT_EQ(testfiles::temporariesIn(temp / "out"), std::vector<std::string>{});
    // A device behind the output's name stays a device.
    testfiles::makeSpecialFile(temp / "device");
    std::filesystem::create_directory(temp / "full");
    std::filesystem::create_symlink(temp / "device", temp / "full" / "arrays.cpp");
    result = runCli(temp, {"-o", "full", "--no-header", "a.bin"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "hexmoor-cli: a.bin: cannot open " +
                              (temp / "full" / "arrays.cpp").string() + ": not a regular file\n");
    EXPECT_FALSE(std::filesystem::is_regular_file(temp / "device"));
    // Inputs that are not regular files are told so, and the rest is converted.
    result = runCli(temp, {"-o", "dev", "/dev/urandom", "a.bin"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "hexmoor-cli: /dev/urandom: not a regular file\n");
    EXPECT_NE(readFile(temp / "dev" / "arrays.cpp").find("g_a_bin_array[]"), std::string::npos);
#ifndef _WIN32
    // A file anyone may write, in a folder this user may not: the new file has nowhere to go.
    if (geteuid() != 0) GTEST_SKIP() << "only root can run the tool as another user";
    std::filesystem::create_directory(temp / "locked");
    writeFile(temp / "locked" / "arrays.cpp", "old");
    std::filesystem::permissions(temp / "locked" / "arrays.cpp", std::filesystem::perms(0666));
    std::filesystem::permissions(temp / "locked", std::filesystem::perms(0555));
    std::filesystem::permissions(temp.path(), std::filesystem::perms(0755));
    result = testfiles::runIn(temp.path(), "setpriv --reuid=65534 --regid=65534 --clear-groups " +
                                               std::string(HEXMOOR_CLI_PATH) +
                                               " -o locked --no-header a.bin");
    EXPECT_EQ(result.err, "hexmoor-cli: a.bin: cannot open " +
                              shown(temp / "locked" / "arrays.cpp") +
                              ": Permission denied: the folder must be writable to replace the "
                              "file safely\n");
    EXPECT_EQ(readFile(temp / "locked" / "arrays.cpp"), "old");
#endif
}

TEST(CliEndToEnd, AnUnsafePlanWritesNothingAndExitsOne) {
    TestFolder temp;
    writeFile(temp / "a.bin", "A");
    writeFile(temp / "res.cpp", "precious");
    writeFile(temp / "data.bin", "D");
    writeFile(temp / "data_bin.cpp", "also precious");
    std::filesystem::create_directories(temp / "d1");
    std::filesystem::create_directories(temp / "d2");
    writeFile(temp / "d1" / "x.bin", "1");
    writeFile(temp / "d2" / "x.bin", "2");
    struct Case {
        std::vector<std::string> arguments;
        std::string message;
    };
    const std::string base = testfiles::shown(temp.path()) + "/";
    std::vector<Case> cases = {
        {{"-n", "res.cpp", "a.bin", "res.cpp"},
         "res.cpp: the input is an output file of this conversion (" + base +
             "res.cpp), nothing written\n"},
        {{"--separate-files", "data.bin", "data_bin.cpp"},
         "data_bin.cpp: the input is an output file of this conversion (" + base +
             "data_bin.cpp), nothing written\n"},
        {{"--separate-files", "d1/x.bin", "d2/x.bin"},
         "d2/x.bin: gives the output file " + base +
             "x_bin.cpp, as does d1/x.bin; nothing written\n"},
        {{"a.bin", "a.bin"},
         "a.bin: gives the variable name g_a_bin_array in " + base +
             "arrays.cpp, as does a.bin; nothing written\n"},
        {{"--prefix", "", "-n", "n.cpp", "a.bin", "1.bin"},
         "1.bin: gives the variable name 1_bin_array, which starts with a digit (set a name "
         "prefix); nothing written\n"},
    };
    // Names that differ by case alone are one file where the system ignores case.
    if (Zenlo::namesIgnoreCase)
        cases.push_back({{"--separate-files", "d1/x.bin", "d2/X.bin"},
                         "d2/X.bin: gives the output file " + base +
                             "X_bin.cpp, as does d1/x.bin; nothing written\n"});
    writeFile(temp / "1.bin", "1");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.back());
        const Result result = runCli(temp, c.arguments);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err, "hexmoor-cli: " + testfiles::nativeSeparators(c.message));
        EXPECT_EQ(readFile(temp / "res.cpp"), "precious");
        EXPECT_EQ(readFile(temp / "data_bin.cpp"), "also precious");
        EXPECT_FALSE(std::filesystem::exists(temp / "arrays.cpp"));
        EXPECT_FALSE(std::filesystem::exists(temp / "x_bin.cpp"));
        EXPECT_FALSE(std::filesystem::exists(temp / "data_bin.h"));
    }
    EXPECT_FALSE(std::filesystem::exists(temp / "n.cpp"));
}

TEST(CliEndToEnd, EmptyInputsWithEmptyArrays) {
    TestFolder temp;
    writeFile(temp / "empty", "");
    const Result result = runCli(temp, {"-q", "--empty-arrays", "empty"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, ""); // not a terminal: no progress bar either
    EXPECT_NE(readFile(temp / "arrays.cpp").find("g_empty_array_size = 0;"), std::string::npos);
}

TEST(CliEndToEnd, StylesNeedAByteElementType) {
    TestFolder temp;
    writeFile(temp / "a.bin", "abc");
    struct Case {
        std::vector<std::string> arguments;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {{"--style", "string", "--element-type", "uint16_t"}, 2, "--style string needs a byte"},
        // The check sees the options together, whichever comes first.
        {{"--element-type", "char", "--style=embed"}, 2, "--style embed needs a byte"},
        {{"--style", "string", "--element-type", "unsigned char"}, 0, ""},
        {{"--style", "embed", "--align", "16", "--null-terminate"}, 0, ""},
        {{"--style", "array", "--element-type", "uint16_t"}, 0, ""},
        {{"--object", "coff-x86-64", "--element-type", "uint16_t"}, 2, "--object: an object holds"},
        // long is 4 bytes on Windows, 8 on 64-bit Linux; int has no width it is known by here.
        {{"--object", "elf-i386", "--size-type", "int"}, 2, "--object: the width of the size"},
        {{"--object", "elf-i386", "--size-type", "int", "--no-size-variable"}, 0, ""},
        {{"--object", "coff-arm64", "--size-type", "unsigned long int"}, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        std::vector<std::string> arguments = {"-q", "-o", "out"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        arguments.push_back("a.bin");
        const Result result = runCli(temp, arguments);
        EXPECT_EQ(result.status, c.status);
        if (c.status == 2) {
            EXPECT_EQ(result.err.find(std::string("hexmoor-cli: ") + c.message), 0u) << result.err;
            EXPECT_FALSE(std::filesystem::exists(temp / "out")) << "nothing is written";
        } else {
            EXPECT_EQ(result.err, "");
        }
        std::filesystem::remove_all(temp / "out");
    }
    // The array style is the default's text byte for byte.
    ASSERT_EQ(runCli(temp, {"-q", "-o", "plain", "a.bin"}).status, 0);
    ASSERT_EQ(runCli(temp, {"-q", "-o", "styled", "--style", "array", "a.bin"}).status, 0);
    EXPECT_EQ(readFile(temp / "styled" / "arrays.cpp"), readFile(temp / "plain" / "arrays.cpp"));
}

TEST(CliEndToEnd, UsageAndInformation) {
    TestFolder temp;
    Result result = runCli(temp, {"--frobnicate", "x"});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err.find("hexmoor-cli: unknown option '--frobnicate'\nUsage: hexmoor-cli"),
              0u);
    EXPECT_EQ(result.out, "");
    result = runCli(temp, {});
    EXPECT_EQ(result.status, 2);
    result = runCli(temp, {"x"}, "SOURCE_DATE_EPOCH=yesterday");
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err.find("hexmoor-cli: SOURCE_DATE_EPOCH must be"), 0u);
    EXPECT_FALSE(std::filesystem::exists(temp / "arrays.cpp"));
    result = runCli(temp, {"--help"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out.find("Usage: hexmoor-cli [OPTIONS] INPUT..."), 0u);
    result = runCli(temp, {"-V"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, std::string("hexmoor-cli ") + HEXMOOR_VERSION + "\n");
}

TEST(CliEndToEnd, SettingsFileGivesTheBaseOptions) {
    TestFolder temp;
    writeFile(temp / "a.bin", std::string("\xAB\x01"
                                          "ABCDEFGHIJKLMNOP",
                                          18));
    // As the window program stores them: bytesPerLine 10 is 0D 0A on disk.
    ZnConversionOptions stored;
    stored.namePrefix = u"s_";
    stored.elementType = u"char";
    stored.includeList = u"";
    stored.bytesPerLine = 10;
    stored.upperCaseHex = 1;
    stored.sizeQualifiers = 0;
    stored.printableComment = 1;
    ASSERT_TRUE(Zenlo::saveSettingsFile(temp / "s.cfg", stored, u"English"));

    const Result fromFile =
        runCli(temp, {"-q", "--prefix", "p_", "--settings", "s.cfg", "-n", "one.cpp", "a.bin"});
    EXPECT_EQ(fromFile.status, 0) << fromFile.err;
    const Result spelledOut =
        runCli(temp, {"-q", "--prefix", "p_", "--element-type", "char", "--includes", "",
                      "--bytes-per-line", "10", "--uppercase-hex", "--size-qualifiers", "0",
                      "--comment", "-n", "two.cpp", "a.bin"});
    EXPECT_EQ(spelledOut.status, 0) << spelledOut.err;
    std::string one = readFile(temp / "one.cpp"), two = readFile(temp / "two.cpp");
    ASSERT_NE(one.find("one.cpp"), std::string::npos);
    one.replace(one.find("one.cpp"), 7, "two.cpp");
    EXPECT_EQ(one, two);
    EXPECT_NE(two.find("static const char p_a_bin_array[] = {\r\n    0xAB, 0x01, 0x41,"),
              std::string::npos)
        << two;

    // An option given after the file overrides it just the same.
    const Result after =
        runCli(temp, {"-q", "--settings=s.cfg", "--bytes-per-line", "16", "a.bin"});
    EXPECT_EQ(after.status, 0) << after.err;
    EXPECT_NE(readFile(temp / "arrays.cpp").find("s_a_bin"), std::string::npos);
    EXPECT_NE(readFile(temp / "arrays.cpp").find("0x4E, //"), std::string::npos)
        << "sixteen elements on the first line";
}

TEST(CliEndToEnd, UnreadableSettingsFileExitsTwo) {
    TestFolder temp;
    writeFile(temp / "a.bin", "A");
    writeFile(temp / "bad.cfg", "not settings");
    std::filesystem::create_directory(temp / "folder.cfg");
    struct Case {
        std::string file, reason;
    };
    // The settings reader tells the C library's reason, the same words on every platform.
    std::vector<Case> cases = {
        {"missing.cfg", "No such file or directory"},
        {"folder.cfg", "Is a directory"},
    };
#ifndef _WIN32
    // Links, devices and permission bits as POSIX systems have them.
    std::filesystem::create_symlink("loop.cfg", temp / "loop.cfg");
    cases.push_back({"a.bin/settings.cfg", "Not a directory"});
    cases.push_back({"loop.cfg", "Too many levels of symbolic links"});
    cases.push_back({"/dev/null", "not a regular file"});
    if (geteuid() != 0) { // the superuser reads whatever the permission bits say
        writeFile(temp / "locked.cfg", "x");
        std::filesystem::permissions(temp / "locked.cfg", std::filesystem::perms::none);
        cases.push_back({"locked.cfg", "Permission denied"});
    }
#endif
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Result result = runCli(temp, {"--settings", c.file, "a.bin"});
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.err,
                  "hexmoor-cli: cannot read the settings file " + c.file + ": " + c.reason + "\n");
        EXPECT_EQ(result.out, "");
    }
    Result result = runCli(temp, {"--settings", "bad.cfg", "a.bin"});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err.find("hexmoor-cli: the settings file bad.cfg is not a settings file"), 0u)
        << result.err;
    EXPECT_FALSE(std::filesystem::exists(temp / "arrays.cpp"));
    result = runCli(temp, {"a.bin", "--settings"});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err.find("hexmoor-cli: option --settings needs a value\nUsage:"), 0u);
}
