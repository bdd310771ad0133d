// The command line of hexmoor-cli: forms of options, overrides in order, usage errors.
#include "cli/CliOptions.h"

#include <gtest/gtest.h>

#include "cli/CliRun.h"
#include "support/TestSupport.h"
#include "toolkit/FileSystem.h"
#include "toolkit/TextEncoding.h"

using testfiles::narrow;
using Zenlo::parseCommandLine;
using Zenlo::ZnCliCommand;
using Zenlo::ZnCliOptions;

namespace {

bool parse(const std::vector<std::string>& arguments, ZnCliCommand& command, std::string& error,
           const char* epoch = nullptr) {
    return parseCommandLine(arguments, epoch, command, error);
}

} // namespace

TEST(CliOptions, EveryOptionReachesItsField) {
    ZnCliCommand command;
    std::string error;
    ASSERT_TRUE(parse({"-o",
                       "gen",
                       "--output-name=x.c",
                       "--separate-files",
                       "--no-header",
                       "--empty-arrays",
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
                       "7",
                       "--uppercase-hex",
                       "--no-size-variable",
                       "--capitalize",
                       "--keep-case",
                       "--comment",
                       "--array-qualifiers",
                       "1",
                       "--size-qualifiers=0",
                       "--style",
                       "embed",
                       "--align=64",
                       "--null-terminate",
                       "--object",
                       "coff-arm64",
                       "--size-suffix=_len",
                       "--section",
                       "__DATA,__assets",
                       "--attribute",
                       "__attribute__((section(\"x\")))",
                       "--timestamp",
                       "--stdout",
                       "-q",
                       "--name",
                       "first",
                       "--name=second",
                       "in",
                       "two"},
                      command, error))
        << error;
    const ZnCliOptions o = command.options();
    EXPECT_EQ(narrow(o.outputDir), "gen");
    EXPECT_EQ(narrow(o.outputName), "x.c");
    EXPECT_TRUE(o.separateFiles);
    EXPECT_FALSE(o.writeHeader);
    EXPECT_TRUE(o.emptyArrays);
    EXPECT_TRUE(o.quiet);
    EXPECT_EQ(narrow(o.conversion.namePrefix), "p_");
    EXPECT_EQ(narrow(o.conversion.nameSuffix), "");
    EXPECT_EQ(narrow(o.conversion.elementType), "unsigned char");
    EXPECT_EQ(narrow(o.conversion.sizeType), "size_t");
    EXPECT_EQ(narrow(o.conversion.includeList), "");
    EXPECT_EQ(o.conversion.bytesPerLine, 7);
    EXPECT_EQ(o.conversion.upperCaseHex, 1);
    EXPECT_EQ(o.conversion.writeSizeVariable, 0);
    EXPECT_EQ(o.conversion.capitalizeName, 1);
    EXPECT_EQ(o.conversion.lowerCaseName, 0);
    EXPECT_EQ(o.conversion.printableComment, 1);
    EXPECT_EQ(o.conversion.arrayQualifiers, 1);
    EXPECT_EQ(o.conversion.sizeQualifiers, 0);
    EXPECT_EQ(o.objectFormat, Zenlo::ObjectFormat::CoffArm64);
    EXPECT_EQ(o.byteStyle.style, Zenlo::ByteStyle::Embed);
    EXPECT_EQ(o.byteStyle.align, 64u);
    EXPECT_TRUE(o.byteStyle.nullTerminate);
    EXPECT_EQ(narrow(o.conversion.choices.sizeSuffix), "_len");
    EXPECT_EQ(narrow(o.conversion.choices.section), "__DATA,__assets");
    EXPECT_EQ(narrow(o.conversion.choices.attribute), "__attribute__((section(\"x\")))");
    EXPECT_TRUE(o.timestamp);
    EXPECT_TRUE(o.toStdout);
    ASSERT_EQ(command.inputNames.size(), 2u);
    EXPECT_EQ(narrow(command.inputNames[1]), "second");
    EXPECT_FALSE(command.hasSourceDate);
}

TEST(CliOptions, DefaultsShortFormsAndOrder) {
    ZnCliCommand command;
    std::string error;
    ASSERT_TRUE(parse({"a", "-ogen/", "-qn", "b.cpp", "--prefix", "x", "--prefix", "y", "--",
                       "-dash", "--comment"},
                      command, error))
        << error;
    const ZnCliOptions o = command.options();
    // On Windows "/" is taken as the separator it stands for.
    EXPECT_EQ(o.outputDir, testfiles::nativePath(u"gen/"));
    EXPECT_EQ(narrow(o.outputName), "b.cpp");
    EXPECT_TRUE(o.quiet);
    EXPECT_EQ(narrow(o.conversion.namePrefix), "y"); // the later one wins
    EXPECT_EQ(o.conversion.printableComment, 0);     // after "--" it is an input
    ASSERT_EQ(command.inputs.count(), 3u);
    EXPECT_EQ(narrow(command.inputs[1]), "-dash");
    // Overrides apply over any base record.
    ZnCliOptions base;
    base.conversion.elementType = u"char";
    base.conversion.namePrefix = u"z";
    const ZnCliOptions over = command.options(base);
    EXPECT_EQ(narrow(over.conversion.elementType), "char");
    EXPECT_EQ(narrow(over.conversion.namePrefix), "y");
    // Nothing given: the defaults of the options record.
    ASSERT_TRUE(parse({"in"}, command, error));
    const ZnCliOptions d = command.options();
    EXPECT_EQ(narrow(d.outputName), "arrays.cpp");
    EXPECT_TRUE(d.outputDir.isEmpty());
    EXPECT_TRUE(d.writeHeader);
    EXPECT_EQ(d.conversion.bytesPerLine, 16);
    // Definitions that the header reaches, where the window's are static.
    EXPECT_EQ(d.conversion.arrayQualifiers, Zenlo::qualifierConst);
    EXPECT_EQ(d.conversion.sizeQualifiers, Zenlo::qualifierConst);
    EXPECT_EQ(narrow(d.conversion.includeList), "stdint.h;");
}

TEST(CliOptions, UsageErrors) {
    struct Case {
        std::vector<std::string> arguments;
        const char* epoch;
        const char* message;
    };
    std::vector<Case> cases = {
        {{}, nullptr, "no input file given"},
        {{"--bogus", "a"}, nullptr, "unknown option '--bogus'"},
        {{"-x", "a"}, nullptr, "unknown option '-x'"},
        {{"a", "--prefix"}, nullptr, "option --prefix needs a value"},
        {{"a", "-o"}, nullptr, "option -o needs a value"},
        {{"a", "--quiet=1"}, nullptr, "option --quiet takes no value"},
        {{"a", "--bytes-per-line", "0"}, nullptr, "invalid value '0' for --bytes-per-line"},
        {{"a", "--bytes-per-line", "-3"}, nullptr, "invalid value '-3' for --bytes-per-line"},
        {{"a", "--bytes-per-line=12x"}, nullptr, "invalid value '12x' for --bytes-per-line"},
        {{"a", "--bytes-per-line=99999999999"}, nullptr, "invalid value '99999999999'"},
        {{"a", "--array-qualifiers", "4"}, nullptr, "invalid value '4' for --array-qualifiers"},
        {{"a", "--size-qualifiers", ""}, nullptr, "invalid value '' for --size-qualifiers"},
        {{"a", "-n", "sub/x.cpp"}, nullptr, "invalid value 'sub/x.cpp' for -n"},
        {{"a", "-n", ""}, nullptr, "invalid value '' for -n: the output name is empty"},
        {{"a", "--output-name="}, nullptr, "invalid value '' for --output-name"},
        // Texts written into generated code are what their place takes, nothing that ends it.
        {{"a", "--prefix", "g\n#define x"},
         nullptr,
         "invalid value 'g?#define x' for --prefix: a name part holds only characters"},
        {{"a", "--suffix=_a\r"}, nullptr, "invalid value '_a?' for --suffix"},
        {{"a", "--suffix=a-b"}, nullptr, "invalid value 'a-b' for --suffix"},
        {{"a", "--size-suffix="}, nullptr, "invalid value '' for --size-suffix: the size suffix"},
        {{"a", "--element-type", "uint8_t\t"}, nullptr, "invalid value 'uint8_t?' for --element"},
        {{"a", "--element-type", "uint8_t; system(\"x\")"}, nullptr, "invalid value 'uint8_t; "},
        {{"a", "--element-type", "  "}, nullptr, "invalid value '  ' for --element-type: the type"},
        {{"a", "--size-type", "\x7fsize_t"}, nullptr, "invalid value '?size_t' for --size-type"},
        {{"a", "--size-type", "int/*"}, nullptr, "invalid value 'int/*' for --size-type"},
        {{"a", "--includes", "a.h;\nb.h;"}, nullptr, "invalid value 'a.h;?b.h;' for --includes"},
        {{"a", "--includes", "a.h\xe2\x80\xa8;"}, nullptr, "invalid value 'a.h\xe2\x80\xa8;'"},
        {{"a", "--includes", "a.h> x"}, nullptr, "invalid value 'a.h> x' for --includes"},
        {{"a", "--prefix", "\xc2\x85"}, nullptr, "invalid value '\xc2\x85' for --prefix"},
        {{"a", "--attribute", "PROGMEM;"}, nullptr, "invalid value 'PROGMEM;' for --attribute"},
        {{"a", "--attribute", "f((x)"}, nullptr, "invalid value 'f((x)' for --attribute"},
        {{"a", "--attribute", "x)(y"}, nullptr, "invalid value 'x)(y' for --attribute"},
        {{"a", "--attribute", "a //"}, nullptr, "invalid value 'a //' for --attribute"},
        {{"a", "--section", "a b"}, nullptr, "invalid value 'a b' for --section"},
        {{"--name", "", "a"}, nullptr, "invalid value '' for --name: the name is a C identifier"},
        {{"--name", "1x", "a"}, nullptr, "invalid value '1x' for --name"},
        {{"a", "--name", "x"}, nullptr, "--name x has no input after it"},
        {{"a", "--style", "hex"}, nullptr, "invalid value 'hex' for --style"},
        {{"a", "--style="}, nullptr, "invalid value '' for --style"},
        {{"a", "--align", "0"}, nullptr, "invalid value '0' for --align"},
        {{"a", "--align", "48"}, nullptr, "invalid value '48' for --align"},
        {{"a", "--align", "8192"}, nullptr, "invalid value '8192' for --align"},
        {{"a", "--align", "+16"}, nullptr, "invalid value '+16' for --align"},
        {{"a", "--null-terminate=1"}, nullptr, "option --null-terminate takes no value"},
        {{"a", "--object", "pe-x86-64"}, nullptr, "invalid value 'pe-x86-64' for --object"},
        {{"a"}, "", "SOURCE_DATE_EPOCH must be a non-negative whole number"},
        {{"a"}, "-1", "SOURCE_DATE_EPOCH"},
        {{"a"}, "12.5", "SOURCE_DATE_EPOCH"},
        {{"a"}, "99999999999999999999", "SOURCE_DATE_EPOCH"},
    };
#ifdef _WIN32
    // Names Windows takes for devices, at any level of the output path.
    cases.push_back({{"a", "-o", "nul/x"}, nullptr, "invalid value 'nul/x' for -o: nul is a name"});
    cases.push_back({{"a", "-o", "out\\aux\\"}, nullptr, "invalid value 'out\\aux\\' for -o: aux"});
    cases.push_back(
        {{"a", "-n", "con.cpp"}, nullptr, "invalid value 'con.cpp' for -n: con.cpp is"});
    cases.push_back(
        {{"a", "-n", "out:x.cpp"}, nullptr, "invalid value 'out:x.cpp' for -n: a \":\""});
#endif
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        ZnCliCommand command;
        std::string error;
        EXPECT_FALSE(parse(c.arguments, command, error, c.epoch));
        EXPECT_EQ(error.find(c.message), 0u) << error;
        EXPECT_EQ(error.find('\n'), std::string::npos);
    }
}

TEST(CliOptions, HelpVersionAndSourceDate) {
    ZnCliCommand command;
    std::string error;
    EXPECT_TRUE(parse({"-h"}, command, error));
    EXPECT_TRUE(command.help);
    EXPECT_TRUE(parse({"--version"}, command, error));
    EXPECT_TRUE(command.version);
    EXPECT_TRUE(parse({"a"}, command, error, "1796634303"));
    EXPECT_TRUE(command.hasSourceDate);
    EXPECT_EQ(command.sourceDate, 1796634303);
    EXPECT_TRUE(parse({"a"}, command, error, "0"));
    EXPECT_EQ(command.sourceDate, 0);
}
