// Report texts from the shipped languages: summaries, reasons per kind, clashes, details.
#include "app/RunReport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <system_error>

#include "i18n/Language.h"
#include "support/TestSupport.h"
#include "toolkit/FileSystem.h"
#include "toolkit/TextEncoding.h"

using namespace Zenlo;

using Zenlo::WideString;

namespace {

void select(const char16_t* name) {
    ZnLanguage& language = ZnLanguage::instance();
    language.setLanguageFolder(Zenlo::fromPath(std::filesystem::path(HEXMOOR_SOURCE_DIR) / "lang"));
    language.scanLanguages();
    ASSERT_TRUE(language.selectLanguage(name));
}

using testfiles::narrow;
// Paths are written with "/" and used with the platform's separator, as the system gives them.
using testfiles::nativePath;
using testfiles::nativeSeparators;

// The system's wording for an error code.
std::string systemText(int code) {
    return Zenlo::systemErrorText(code);
}

ZnInputFailure failure(const char16_t* path, ZnFailureKind kind, int error = 0) {
    ZnInputFailure failed;
    failed.path = nativePath(path);
    failed.kind = kind;
    failed.systemError = error;
    return failed;
}

ZnRunReport ended(std::initializer_list<ZnInputFailure> failures,
                  ZnRunReport::Kind kind = ZnRunReport::Kind::runEnded) {
    ZnRunReport report;
    report.kind = kind;
    report.failures = failures;
    report.failedInputs = static_cast<std::uint32_t>(report.failures.size());
    return report;
}

} // namespace

TEST(RunReport, LabelsInTwoLanguages) {
    ZnInputFailure clash = failure(u"/in/a.b", ZnFailureKind::NameClash);
    clash.otherPath = nativePath(u"/in/a_b");
    clash.name = u"g_a_b_array";
    ZnInputFailure output =
        failure(u"/in/x.bin", ZnFailureKind::WriteFailed, testfiles::diskFullError);
    // A long path loses its middle levels, so the label still shows its end.
    output.outputPath = nativePath(u"/very/long/folder/below/the/project/out/arrays.cpp");
    const std::string missing = systemText(testfiles::missingFileError);
    const std::string full = systemText(testfiles::diskFullError);
    ZnRunReport lost = ended({output});
    lost.failedInputs = 2;
    lost.failedOutputs = 1;
    ZnRunReport folder;
    folder.kind = ZnRunReport::Kind::folderRefused;
    folder.folderError = "Not a directory";
    ZnRunReport name;
    name.kind = ZnRunReport::Kind::nameRefused;
    ZnRunReport device;
    device.kind = ZnRunReport::Kind::deviceRefused;
    device.device = u"CON";

    struct Case {
        const char* what;
        ZnRunReport report;
        std::string english;
        std::string german;
    };
    const Case cases[] = {
        {"nothing", ZnRunReport(), "...", "..."},
        {"clean run", ended({}), "...", "..."},
        {"unreadable",
         ended({failure(u"/in/gone.bin", ZnFailureKind::InputUnreadable,
                        testfiles::missingFileError)}),
         "cannot read the input: " + missing +
             " (gone.bin). Could not convert 1 of the input files",
         "die Eingabe ist nicht lesbar: " + missing + " (gone.bin). Nicht konvertierte Dateien: 1"},
        {"clash", ended({clash}),
         nativeSeparators("the variable name g_a_b_array is also made from /in/a_b (a.b). Could "
                          "not convert 1 of the input files"),
         nativeSeparators("der Variablenname g_a_b_array entsteht auch aus /in/a_b (a.b). Nicht "
                          "konvertierte Dateien: 1")},
        {"write", ended({output}),
         nativeSeparators("cannot write /very/\xe2\x80\xa6/project/out/arrays.cpp: ") + full +
             " (x.bin). Could not convert 1 of the input files",
         nativeSeparators("/very/\xe2\x80\xa6/project/out/arrays.cpp l\xc3\xa4sst sich nicht "
                          "schreiben: ") +
             full + " (x.bin). Nicht konvertierte Dateien: 1"},
        {"an output not written", lost,
         nativeSeparators("cannot write /very/\xe2\x80\xa6/project/out/arrays.cpp: ") + full +
             " (x.bin). Could not convert 2 of the input files; could not write 1 of the output "
             "files",
         nativeSeparators("/very/\xe2\x80\xa6/project/out/arrays.cpp l\xc3\xa4sst sich nicht "
                          "schreiben: ") +
             full +
             " (x.bin). Nicht konvertierte Dateien: 2; nicht geschriebene Ausgabedateien: 1"},
        {"stopped", ended({}, ZnRunReport::Kind::stopped), "Stopped", "Angehalten"},
        {"stopped with a failure",
         ended({failure(u"/e.bin", ZnFailureKind::InputEmpty)}, ZnRunReport::Kind::stopped),
         "Stopped. the input is empty, no array written (e.bin). Could not convert 1 of the input "
         "files",
         "Angehalten. die Eingabe ist leer, kein Array geschrieben (e.bin). Nicht konvertierte "
         "Dateien: 1"},
        {"folder", folder, "Cannot create the output folder: Not a directory",
         "Der Ausgabeordner l\xc3\xa4sst sich nicht anlegen: Not a directory"},
        {"name", name, "The output file name must not contain a folder",
         "Der Name der Ausgabedatei darf keinen Ordner enthalten"},
        {"device", device, "CON is a name Windows keeps for a device",
         "CON ist ein Name, den Windows f\xc3\xbcr ein Ger\xc3\xa4t reserviert"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        select(u"English");
        EXPECT_EQ(narrow(Zenlo::reportLabel(c.report)), c.english);
        select(u"Deutsch");
        EXPECT_EQ(narrow(Zenlo::reportLabel(c.report)), c.german);
    }
}

// Every kind has its own text in every shipped language, with the name it concerns.
TEST(RunReport, EveryKindHasAReasonThatNamesWhatItConcerns) {
    const ZnFailureKind kinds[] = {
        ZnFailureKind::InputUnreadable,  ZnFailureKind::InputEmpty,
        ZnFailureKind::InputIsOutput,    ZnFailureKind::OutputUnopenable,
        ZnFailureKind::HeaderUnopenable, ZnFailureKind::WriteFailed,
        ZnFailureKind::InputNotRegular,  ZnFailureKind::InputChanged,
        ZnFailureKind::NameClash,        ZnFailureKind::OutputClash,
        ZnFailureKind::InvalidName,
    };
    for (const char16_t* language :
         {u"English", u"Deutsch", u"\u0420\u0443\u0441\u0441\u043a\u0438\u0439"}) {
        select(language);
        std::set<std::string> seen;
        for (ZnFailureKind kind : kinds) {
            SCOPED_TRACE(std::to_string(static_cast<int>(kind)) + " " +
                         narrow(ZnLanguage::instance().currentLanguage()));
            ZnInputFailure failed = failure(u"/in/x", kind);
            failed.outputPath = u"OUTPUT";
            failed.otherPath = u"OTHER";
            failed.name = u"NAME";
            const std::string reason = narrow(Zenlo::failureReason(failed));
            EXPECT_TRUE(seen.insert(reason).second) << "each kind says something else";
            const bool clash =
                kind == ZnFailureKind::NameClash || kind == ZnFailureKind::OutputClash;
            if (clash) {
                EXPECT_NE(reason.find("OTHER"), std::string::npos) << reason;
                EXPECT_NE(reason.find("NAME"), std::string::npos) << reason;
            }
            if (kind == ZnFailureKind::InvalidName) {
                EXPECT_NE(reason.find("NAME"), std::string::npos) << reason;
            }
            const bool aboutOutput =
                kind == ZnFailureKind::InputIsOutput || kind == ZnFailureKind::OutputUnopenable ||
                kind == ZnFailureKind::HeaderUnopenable || kind == ZnFailureKind::WriteFailed;
            EXPECT_EQ(reason.find("OUTPUT") != std::string::npos, aboutOutput) << reason;
        }
    }
}

TEST(RunReport, DetailsListEveryFailureUpToALimit) {
    select(u"English");
    ZnRunReport report = ended({failure(u"/in/a", ZnFailureKind::InputEmpty),
                                failure(u"/in/b", ZnFailureKind::InputNotRegular)});
    EXPECT_EQ(narrow(Zenlo::reportDetails(report)),
              nativeSeparators("the input is empty, no array written (a). Could not convert 2 of "
                               "the input files\n/in/a: the input is empty, no array "
                               "written\n/in/b: the input is not a regular file"));
    EXPECT_EQ(narrow(Zenlo::reportDetails(ended({}))), "");
    for (int i = 0; i < 25; ++i)
        report.failures.push_back(report.failures.front());
    const std::string many = narrow(Zenlo::reportDetails(report));
    std::size_t lines = 0;
    for (char c : many)
        lines += c == '\n';
    EXPECT_EQ(lines, Zenlo::detailedFailures + 1);
    EXPECT_NE(many.find("... and 7 more"), std::string::npos) << many;
}

// A language file without the new keys still reports, in the engine's words.
TEST(RunReport, MissingKeysFallBackToTheEnginesReason) {
    ZnLanguage::instance().loadLanguageFile(u"no-such-language.lng");
    ZnRunReport report =
        ended({failure(u"/in/gone", ZnFailureKind::InputUnreadable, testfiles::missingFileError)});
    EXPECT_EQ(narrow(Zenlo::reportLabel(report)),
              "cannot read the input: " + systemText(testfiles::missingFileError) +
                  " (gone). Could not convert 1 of the input files");
    report.kind = ZnRunReport::Kind::stopped;
    EXPECT_EQ(narrow(Zenlo::reportLabel(report)).rfind("Stopped. ", 0), 0u);
    // Texts that want other values, or pad without end, are not used.
    testfiles::TestFolder temp;
    testfiles::writeFile(temp / "x.lng", "<utf-8 encoding>\nLangID X\n213 %s\n214 Halt %d\n"
                                         "215 %999999s%999999s%999999s\n220 %d\n");
    ZnLanguage::instance().setLanguageFolder(Zenlo::fromPath(temp.path()));
    ASSERT_TRUE(ZnLanguage::instance().loadLanguageFile(u"x.lng"));
    EXPECT_EQ(narrow(Zenlo::reportLabel(report)),
              "Stopped. cannot read the input: " + systemText(testfiles::missingFileError) +
                  " (gone). Could not convert 1 of the input files");
}

TEST(RunReport, InputsNotConvertedCountEveryInputWithoutItsOutput) {
    struct Case {
        const char* what;
        ZnRunCounts counts;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {"all written", {.inputs = 3, .converted = 3, .committed = 3}, 0},
        {"a refused clash of two", {.inputs = 2, .failed = 1}, 2},
        {"an output failed at its end",
         {.inputs = 4, .converted = 4, .committed = 1, .failed = 1},
         3},
        {"a failure reported on a written input",
         {.inputs = 1, .converted = 1, .committed = 1, .failed = 1},
         1},
        {"stopped before any", {.inputs = 5, .stopped = true}, 0},
        {"stopped, one written, one lost",
         {.inputs = 5, .converted = 2, .committed = 1, .failed = 1, .stopped = true},
         2},
        {"stopped, nothing put in place", {.inputs = 5, .converted = 2, .stopped = true}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Zenlo::inputsNotConverted(c.counts), c.expected);
    }
}
