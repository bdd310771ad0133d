// The base options of a hexmoor-cli run from a settings file, and overrides over them.
#include "cli/CliRunOptions.h"

#include <gtest/gtest.h>

#include "settings/SettingsFile.h"
#include "support/TestSupport.h"
#include "toolkit/TextEncoding.h"

using Zenlo::cliBaseOptions;
using Zenlo::parseCommandLine;
using Zenlo::ZnCliCommand;
using Zenlo::ZnCliOptions;
using Zenlo::ZnConversionOptions;

using testfiles::TestFolder;

namespace {

ZnConversionOptions storedOptions() {
    ZnConversionOptions o;
    o.namePrefix = u"s_";
    o.elementType = u"char";
    o.includeList = u"";
    o.bytesPerLine = 10; // stored as 0D 0A on disk
    o.upperCaseHex = 1;
    o.sizeQualifiers = 0;
    return o;
}

ZnCliCommand parsed(const std::vector<std::string>& arguments) {
    ZnCliCommand command;
    std::string error;
    EXPECT_TRUE(parseCommandLine(arguments, nullptr, command, error)) << error;
    return command;
}

} // namespace

TEST(CliSettings, ParsingTheOption) {
    EXPECT_TRUE(parsed({"a"}).settingsFile.isEmpty());
    EXPECT_TRUE(parsed({"--settings", "s.cfg", "a"}).settingsFile.equals(u"s.cfg"));
    EXPECT_TRUE(
        parsed({"--settings=x/s.cfg", "a"}).settingsFile.equals(testfiles::nativePath(u"x/s.cfg")));
    EXPECT_TRUE(parsed({"--settings=a", "--settings", "b", "a"}).settingsFile.equals(u"b"));
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"a", "--settings"}, {"--settings=", "a"}}) {
        ZnCliCommand command;
        std::string error;
        EXPECT_FALSE(parseCommandLine(bad, nullptr, command, error));
        EXPECT_TRUE(error.find("option --settings needs a value") == 0 ||
                    error.find("invalid value '' for --settings") == 0)
            << error;
    }
}

TEST(CliSettings, StoredOptionsAreTheBaseWhereverOverridesStand) {
    TestFolder temp;
    const std::string file = (temp / "s.cfg").string();
    ASSERT_TRUE(Zenlo::saveSettingsFile(file, storedOptions(), u"Deutsch"));
    for (const std::vector<std::string>& line :
         {std::vector<std::string>{"--prefix", "p_", "--settings", file, "a"},
          {"--settings", file, "--prefix", "p_", "a"}}) {
        const ZnCliCommand command = parsed(line);
        ZnCliOptions base;
        std::string error;
        ASSERT_TRUE(cliBaseOptions(command, base, error)) << error;
        const ZnCliOptions options = command.options(base);
        EXPECT_EQ(Zenlo::utf16ToUtf8(options.conversion.namePrefix.view()), "p_");
        EXPECT_EQ(Zenlo::utf16ToUtf8(options.conversion.elementType.view()), "char");
        EXPECT_TRUE(options.conversion.includeList.isEmpty());
        EXPECT_EQ(options.conversion.bytesPerLine, 10);
        EXPECT_EQ(options.conversion.upperCaseHex, 1);
        EXPECT_EQ(options.conversion.sizeQualifiers, 0);
        EXPECT_EQ(Zenlo::utf16ToUtf8(options.outputName.view()), "arrays.cpp");
    }
}

TEST(CliSettings, UnreadableOrIncompleteFileIsAnError) {
    TestFolder temp;
    const std::string whole = Zenlo::toDiskForm(Zenlo::encodeSettingsRecord(storedOptions(), u"x"));
    testfiles::writeFile(temp / "short.cfg", whole.substr(0, whole.size() - 1));
    testfiles::writeFile(temp / "empty.cfg", "");
    struct Case {
        std::string file, message;
    } cases[] = {
        {(temp / "none.cfg").string(), "cannot read the settings file " +
                                           (temp / "none.cfg").string() +
                                           ": No such file or directory"},
        {temp.path().string(),
         "cannot read the settings file " + temp.path().string() + ": Is a directory"},
        {(temp / "short.cfg").string(), "the settings file " + (temp / "short.cfg").string() +
                                            " is not a settings file (its record ends after 13 of "
                                            "14 fields)"},
        {(temp / "empty.cfg").string(), "the settings file " + (temp / "empty.cfg").string() +
                                            " is not a settings file (its record ends after 0 of "
                                            "14 fields)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        ZnCliOptions base;
        base.conversion.namePrefix = u"kept";
        std::string error;
        EXPECT_FALSE(cliBaseOptions(parsed({"--settings", c.file, "a"}), base, error));
        EXPECT_EQ(error, c.message);
        EXPECT_TRUE(base.conversion.namePrefix.equals(u"kept"));
    }
}

// The texts that reach the generated code are checked alike from a settings file and from the
// command line; the command line's text stands over the file's.
TEST(CliSettings, TextsReachingTheCodeAreCheckedWhicheverWayTheyCome) {
    TestFolder temp;
    const std::string file = (temp / "s.cfg").string();
    ZnConversionOptions stored;
    stored.namePrefix = u"a\n#error injected\n";
    stored.includeList = u"stdint.h;\n#error injected";
    ASSERT_TRUE(Zenlo::saveSettingsFile(file, stored, u"English"));
    const struct {
        std::vector<std::string> line;
        std::string message;
    } cases[] = {
        {{"--settings", file, "a"},
         "--prefix 'a?#error injected?' (from the command line or the "
         "settings file): a name part holds only characters of C "
         "identifiers"},
        {{"--settings", file, "--prefix", "p_", "a"}, "--includes 'stdint.h;?#error injected'"},
        {{"--settings", file, "--prefix", "p_", "--includes", "", "a"}, ""},
        // Typed on the command line, such texts are refused as it is read (its usage-error table).
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        // The command line's own texts are refused as it is read, a settings file's once the
        // options are put together: by the same rules.
        ZnCliCommand command;
        ZnCliOptions options;
        std::string error;
        const bool accepted = parseCommandLine(c.line, nullptr, command, error) &&
                              Zenlo::cliRunOptions(command, options, error);
        EXPECT_EQ(accepted, c.message.empty());
        EXPECT_EQ(error.substr(0, c.message.size()), c.message);
    }
}
