// Tests of the language manager: loading, lookup, probing, discovery, selection, shipped files.
#include "i18n/Language.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "i18n/LanguageFileText.h"
#include "i18n/LanguageFolder.h"
#include "toolkit/PathText.h"

using namespace Zenlo;

namespace fs = std::filesystem;
using Zenlo::WideString;

namespace {

class LanguageFolderFixture : public ::testing::Test {
protected:
    LanguageFolderFixture() {
        static int counter = 0;
        folder_ = fs::temp_directory_path() / ("hexmoor-lang-" + std::to_string(counter++) + "-" +
                                               std::to_string(std::random_device{}()));
        fs::create_directories(folder_);
        language_.setLanguageFolder(Zenlo::fromPath(folder_));
    }
    ~LanguageFolderFixture() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    void write(const std::string& name, std::string_view content) {
        std::ofstream out(folder_ / name, std::ios::binary | std::ios::trunc);
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
    }
    std::string text(ZnLanguage::Key key) const { return language_.text(key).toUtf8().c_str(); }
    std::vector<std::pair<std::string, std::string>> listed() const {
        std::vector<std::pair<std::string, std::string>> result;
        for (const auto& [id, file] : language_.languages())
            result.emplace_back(id.toUtf8().c_str(), file.toUtf8().c_str());
        return result;
    }

    fs::path folder_;
    ZnLanguage language_;
};

// The UTF-16 little-endian bytes of the text, after their byte-order mark.
std::string utf16le(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

const char* header = "<utf-8 encoding>\nLangID English\n";

} // namespace

TEST_F(LanguageFolderFixture, LoadsEntriesWithTheLineRules) {
    std::string longLine = "210 " + std::string(250, 'x') + "211 Stop";
    write("en.lng",
          std::string(header) +
              "201 Add\n201 Add files\n205 One\\nfile\n206 A\\\\n\n207 \nno-space-line\n\n"
              " 42 answer\n# comment line\n" +
              longLine + "\n212 Exit\r\n");
    ASSERT_TRUE(language_.loadLanguageFile(u"en.lng"));
    EXPECT_EQ(text(201), "Add files");
    EXPECT_EQ(text(205), "One\nfile");
    EXPECT_EQ(text(206), "A\\\n");
    EXPECT_EQ(language_.strings().count(207), 1u);
    EXPECT_EQ(text(207), "");
    EXPECT_EQ(text(42), "42 answer");
    EXPECT_EQ(text(0), "comment line");
    EXPECT_EQ(text(210), std::string(250, 'x'));
    EXPECT_EQ(text(211), "Stop");
    EXPECT_EQ(text(212), "Exit");
    EXPECT_EQ(text(999), "");
    WideString found = u"kept";
    EXPECT_FALSE(language_.findText(999, found));
    EXPECT_TRUE(found.equals(u"kept"));
    EXPECT_TRUE(language_.currentLanguage().equals(u"English"));
}

// A text is used only as a template for the values the program gives: the same conversions as
// the English pattern, padding bounded.
TEST_F(LanguageFolderFixture, TemplatesTakeOnlyTheProgramsValues) {
    const struct {
        const char* text;
        const char16_t* english;
        bool used;
    } cases[] = {
        {"%u Dateien", u"%d files", true},
        {"%s Dateien", u"%d files", false},
        {"%d von %d", u"%d files", false},
        {"keine Zahl", u"%d files", false},
        {"%80d", u"%d", true},
        {"%81d", u"%d", false},
        {"%.999999d", u"%d", false},
        {"%*d", u"%d", false},
        {"50%% von %s", u"%s", true},
        {"100% sicher: %s", u"%s", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        write("t.lng", std::string(header) + "213 " + c.text + "\n");
        ASSERT_TRUE(language_.loadLanguageFile(u"t.lng"));
        WideString found;
        EXPECT_EQ(language_.findTemplate(213, c.english, found), c.used);
        EXPECT_EQ(found.isEmpty(), !c.used);
    }
}

TEST_F(LanguageFolderFixture, HeaderRules) {
    struct Case {
        const char* name;
        std::string content;
        bool valid;
    } cases[] = {
        {"ends after the LangID line", "<utf-8 encoding>\nLangID English", true},
        {"UTF-8 mark and CR LF", "\xEF\xBB\xBF<utf-8 encoding>\r\nLangID English\r\n", true},
        {"UTF-16LE", utf16le(u"<utf-8 encoding>\r\nLangID E\n"), true},
        {"trailing space on the header", "<utf-8 encoding> \nLangID English\n", false},
        {"leading space on the header", " <utf-8 encoding>\nLangID English\n", false},
        {"header in capitals", "<UTF-8 encoding>\nLangID English\n", false},
        {"no LangID word", "<utf-8 encoding>\nLanguage English\n", false},
        {"LangID without a name", "<utf-8 encoding>\nLangID\n201 Add\n", false},
        {"empty second line", "<utf-8 encoding>\n\nLangID English\n", false},
        {"only the header", "<utf-8 encoding>\n", false},
        {"empty file", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        write("x.lng", c.content);
        language_.loadLanguageFile(u"x.lng");
        write("seed.lng", std::string(header) + "201 Add\n");
        ASSERT_TRUE(language_.loadLanguageFile(u"seed.lng"));
        EXPECT_EQ(language_.loadLanguageFile(u"x.lng"), c.valid);
        EXPECT_TRUE(language_.strings().empty())
            << "a failed load empties the table; a valid one here has no entries";
        EXPECT_EQ(language_.probeLanguageFile(u"x.lng"), c.valid);
    }
}

TEST_F(LanguageFolderFixture, FailedLoadEmptiesTableAndCountsAGeneration) {
    write("en.lng", std::string(header) + "201 Add\n");
    ASSERT_TRUE(language_.loadLanguageFile(u"en.lng"));
    std::uint64_t generation = language_.generation();
    EXPECT_FALSE(language_.loadLanguageFile(u"missing.lng"));
    EXPECT_TRUE(language_.strings().empty());
    EXPECT_TRUE(language_.currentLanguage().isEmpty());
    EXPECT_GT(language_.generation(), generation);
}

TEST_F(LanguageFolderFixture, ProbeRegistersWithoutTouchingTheTable) {
    write("en.lng", std::string(header) + "201 Add\n");
    write("de.lng", "<utf-8 encoding>\nLangID Deutsch\n201 Hinzufügen\n");
    ASSERT_TRUE(language_.loadLanguageFile(u"en.lng"));
    EXPECT_TRUE(language_.probeLanguageFile(u"de.lng"));
    EXPECT_EQ(text(201), "Add");
    EXPECT_EQ(listed(), (std::vector<std::pair<std::string, std::string>>{{"Deutsch", "de.lng"}}));
    EXPECT_FALSE(language_.probeLanguageFile(u"missing.lng"));
}

TEST_F(LanguageFolderFixture, ScanSortsSkipsInvalidAndLaterNameWins) {
    write("a-bad.lng", "not a language file\n");
    write("b.lng", "<utf-8 encoding>\nLangID Deutsch\n");
    write("c.LNG", "<utf-8 encoding>\nLangID English\n");
    write("d.lng", "<utf-8 encoding>\nLangID Deutsch\n201 later\n");
    write("e.txt", "<utf-8 encoding>\nLangID Text\n");
    write(".lng", "<utf-8 encoding>\nLangID Hidden\n");
    fs::create_directory(folder_ / "f.lng");
    language_.scanLanguages();
    EXPECT_EQ(listed(), (std::vector<std::pair<std::string, std::string>>{{"Deutsch", "d.lng"},
                                                                          {"English", "c.LNG"}}));
    ASSERT_TRUE(language_.selectLanguage(u"Deutsch"));
    EXPECT_EQ(text(201), "later");
}

TEST_F(LanguageFolderFixture, SelectionIsExact) {
    write("en.lng", std::string(header) + "201 Add\n");
    language_.scanLanguages();
    ASSERT_TRUE(language_.selectLanguage(u"English"));
    EXPECT_FALSE(language_.selectLanguage(u"Eng"));
    EXPECT_FALSE(language_.selectLanguage(u"english"));
    EXPECT_EQ(text(201), "Add") << "an unknown name keeps the table";

    fs::remove(folder_ / "en.lng");
    EXPECT_FALSE(language_.selectLanguage(u"English"));
    EXPECT_TRUE(language_.strings().empty()) << "a file gone since the scan empties the table";
}

TEST_F(LanguageFolderFixture, MissingFolderListsNothing) {
    language_.setLanguageFolder(Zenlo::fromPath(folder_ / "none"));
    language_.scanLanguages();
    EXPECT_TRUE(language_.languages().empty());
    EXPECT_FALSE(language_.selectLanguage(u"English"));
}

TEST_F(LanguageFolderFixture, RandomAndMutatedFilesNeverBreakTheReaders) {
    std::mt19937 random(4242);
    std::string valid = std::string(header) + "201 Add\\n files\n 42 x\n-7 y\n99999999999 z\n";
    const char specials[] = {'\n',   '\r',   '\\',   ' ',    '\0', '\xFF',
                             '\xFE', '\xEF', '\xBB', '\xBF', 'n',  't'};
    for (int round = 0; round < 1500; ++round) {
        std::string content;
        if (round % 2 == 0) {
            content.resize(random() % 700);
            for (char& c : content)
                c = random() % 3 == 0 ? specials[random() % sizeof specials]
                                      : static_cast<char>(random());
        } else {
            content = valid;
            for (int edits = 1 + random() % 5; edits > 0 && !content.empty(); --edits) {
                std::size_t at = random() % content.size();
                switch (random() % 3) {
                case 0:
                    content[at] = specials[random() % sizeof specials];
                    break;
                case 1:
                    content.erase(at, 1 + random() % 4);
                    break;
                default:
                    content.insert(at,
                                   std::string(1 + random() % 300, static_cast<char>(random())));
                    break;
                }
            }
        }
        write("f.lng", content);
        bool probed = language_.probeLanguageFile(u"f.lng");
        bool loaded = language_.loadLanguageFile(u"f.lng");
        ASSERT_EQ(probed, loaded);
        if (!loaded) {
            ASSERT_TRUE(language_.strings().empty());
        }
    }
}

TEST_F(LanguageFolderFixture, StartUpFindsScansAndSelects) {
    fs::create_directory(folder_ / "lang");
    std::ofstream(folder_ / "lang" / "en.lng") << header << "212 Exit\n";
    WideString name;
    ASSERT_TRUE(language_.startUp(Zenlo::fromPath(folder_), name));
    EXPECT_TRUE(name.equals(u"English"));
    EXPECT_EQ(text(212), "Exit");
    EXPECT_TRUE(language_.languageFolder().equals(Zenlo::fromPath(folder_ / "lang") +
                                                  Zenlo::nativeSeparator));
}

// A stored name that no file provides falls back instead of leaving bare keys everywhere.
TEST_F(LanguageFolderFixture, StartUpFallsBackWhenNoFileProvidesTheStoredName) {
    struct Case {
        const char* stored;
        std::vector<const char*> files; // LangIDs present
        const char* inUse;              // languageName afterwards
        const char* exitText;           // text of key 212, "" for none
    };
    const Case cases[] = {
        {"Klingon", {"Deutsch", "English"}, "English", "Exit English"},
        {"eng", {"Deutsch", "English"}, "English", "Exit English"},
        {"Klingon", {"Deutsch", "Zulu"}, "Deutsch", "Exit Deutsch"},
        {"Zulu", {"Deutsch", "Zulu"}, "Zulu", "Exit Zulu"},
        {"", {"Deutsch"}, "Deutsch", "Exit Deutsch"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        fs::remove_all(folder_ / "lang");
        fs::create_directory(folder_ / "lang");
        for (const char* id : c.files)
            std::ofstream(folder_ / "lang" / (std::string(id) + ".lng"))
                << "<utf-8 encoding>\nLangID " << id << "\n212 Exit " << id << "\n";
        WideString name = Zenlo::fromUtf8(c.stored);
        EXPECT_EQ(language_.startUp(Zenlo::fromPath(folder_), name), *c.exitText != 0);
        EXPECT_EQ(name.toUtf8().c_str(), std::string(c.inUse));
        EXPECT_EQ(text(212), c.exitText);
    }
}

TEST(LanguageFolder, ChoosesStartThenProgramThenInstalled) {
    fs::path root =
        fs::temp_directory_path() / ("hexmoor-where-" + std::to_string(std::random_device{}()));
    for (const char* sub : {"start", "program", "data"})
        fs::create_directories(root / sub);
    auto base = [&](const char* sub) {
        return Zenlo::fromPath(root / sub) + Zenlo::nativeSeparator;
    };
    auto lang = [&](const char* sub) { return base(sub) + u"lang" + Zenlo::nativeSeparator; };
    auto chosen = [&] {
        return Zenlo::chooseLanguageFolder(base("start"), base("program"), base("data"));
    };

    EXPECT_TRUE(chosen().equals(lang("start"))) << "none exists: below the start folder";
    fs::create_directories(root / "data" / "lang");
    EXPECT_TRUE(chosen().equals(lang("data")));
    fs::create_directories(root / "program" / "lang");
    EXPECT_TRUE(chosen().equals(lang("program")));
    fs::create_directories(root / "start" / "lang");
    EXPECT_TRUE(chosen().equals(lang("start")));
    EXPECT_TRUE(Zenlo::chooseLanguageFolder(base("start"), u"", u"").equals(lang("start")));
    fs::remove_all(root);

    WideString program = Zenlo::executableFolder();
    ASSERT_FALSE(program.isEmpty());
    EXPECT_EQ(program[program.length() - 1], Zenlo::nativeSeparator);
}

TEST(LanguageFolder, AMovedInstallFindsItsDataFromTheProgramFolder) {
    fs::path root =
        fs::temp_directory_path() / ("hexmoor-moved-" + std::to_string(std::random_device{}()));
    fs::create_directories(root / "prefix" / "bin");
    const WideString program = Zenlo::fromPath(root / "prefix" / "bin") + Zenlo::nativeSeparator;
    const WideString relative = u"../share/hexmoor";
    const WideString fixed = u"/usr/local/share/hexmoor";
    const WideString moved = program + relative + Zenlo::nativeSeparator;
    const WideString fixedFolder = fixed + Zenlo::nativeSeparator;

    // Nothing installed beside the program: the configured folder.
    EXPECT_TRUE(Zenlo::installedDataFolder(program, relative, fixed).equals(fixedFolder));
    fs::create_directories(root / "prefix" / "share" / "hexmoor" / "lang");
    EXPECT_TRUE(Zenlo::installedDataFolder(program, relative, fixed).equals(moved));
    EXPECT_TRUE(Zenlo::installedDataFolder(u"", relative, fixed).equals(fixedFolder));
    EXPECT_TRUE(Zenlo::installedDataFolder(program, u"", fixed).equals(fixedFolder));

    // The whole lookup from an empty start folder elsewhere reaches the moved install's files.
    fs::create_directories(root / "elsewhere");
    const WideString start = Zenlo::fromPath(root / "elsewhere") + Zenlo::nativeSeparator;
    const WideString found = Zenlo::chooseLanguageFolder(
        start, program, Zenlo::installedDataFolder(program, relative, fixed));
    EXPECT_TRUE(found.equals(moved + u"lang" + Zenlo::nativeSeparator));
    fs::remove_all(root);
}

TEST(ShippedLanguages, EveryFileLoadsWithEveryKey) {
    std::vector<ZnLanguage::Key> keys = {100, 101, 500, 501, 600};
    for (int k = 201; k <= 219; ++k)
        keys.push_back(k);
    for (int k = 220; k <= 230; ++k)
        keys.push_back(k);
    for (int k = 300; k <= 311; ++k)
        keys.push_back(k);
    for (int k = 400; k <= 405; ++k)
        keys.push_back(k);

    ZnLanguage language;
    language.setLanguageFolder(Zenlo::fromUtf8(HEXMOOR_SOURCE_DIR "/lang"));
    language.scanLanguages();
    std::vector<std::string> ids;
    for (const auto& [id, file] : language.languages())
        ids.emplace_back(id.toUtf8().c_str());
    EXPECT_EQ(ids, (std::vector<std::string>{"Deutsch", "English", "Русский"}));

    for (const auto& [id, file] : language.languages()) {
        SCOPED_TRACE(id.toUtf8().c_str());
        ASSERT_TRUE(language.selectLanguage(id));
        for (ZnLanguage::Key key : keys) {
            WideString text;
            EXPECT_TRUE(language.findText(key, text) && !text.isEmpty()) << "key " << key;
        }
        // The run summary is a pattern for exactly one number.
        WideString summary = language.text(213);
        EXPECT_NE(summary.find(WideString(u"%d")), WideString::npos);
        EXPECT_EQ(summary.find(u'%'), summary.findLastOf(u'%'));
        EXPECT_FALSE(WideString::formatted(summary.c_str(), 3).find(u'3') == WideString::npos);
        // Filter names are followed by their patterns, so they carry no "|" themselves.
        for (ZnLanguage::Key key = 402; key <= 405; ++key)
            EXPECT_EQ(language.text(key).find(u'|'), WideString::npos);
    }
}

namespace {

// The printf conversions of a text in order ("%s", "%d"), "%%" left out.
std::string placeholders(const WideString& text) {
    std::string found;
    for (WideString::Size i = 0; i + 1 < text.length(); ++i) {
        if (text[i] != u'%') continue;
        if (text[i + 1] == u'%') {
            ++i;
            continue;
        }
        found += '%';
        found += static_cast<char>(text[i + 1]);
        ++i;
    }
    return found;
}

} // namespace

// A translation with another placeholder would format the wrong argument or none at all.
TEST(ShippedLanguages, EveryKeyHasTheSamePlaceholdersInEveryLanguage) {
    ZnLanguage language;
    language.setLanguageFolder(Zenlo::fromUtf8(HEXMOOR_SOURCE_DIR "/lang"));
    language.scanLanguages();
    ASSERT_TRUE(language.selectLanguage(u"English"));
    const ZnLanguage::StringTable english = language.strings();
    for (const auto& [id, file] : language.languages()) {
        SCOPED_TRACE(id.toUtf8().c_str());
        ASSERT_TRUE(language.selectLanguage(id));
        std::vector<ZnLanguage::Key> own, reference;
        for (const auto& [key, text] : language.strings())
            own.push_back(key);
        for (const auto& [key, text] : english)
            reference.push_back(key);
        EXPECT_EQ(own, reference) << "every language has the keys of English";
        for (const auto& [key, text] : english) {
            SCOPED_TRACE(key);
            EXPECT_EQ(placeholders(language.text(key)), placeholders(text));
        }
    }
}
