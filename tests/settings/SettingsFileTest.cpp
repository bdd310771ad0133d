// Tests of the stored settings record: exact bytes, line ends, short and damaged files, saving.
#include "settings/SettingsFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <random>

#include "support/TestSupport.h"

using Zenlo::ZnConversionOptions;

namespace fs = std::filesystem;
using testfiles::readFile;
using testfiles::TestFolder;
using testfiles::writeFile;
using Zenlo::WideString;

namespace {

// The UTF-16 little-endian record form of a string field: length, then the code units.
std::string field(std::u16string_view text) {
    std::string out;
    std::uint32_t n = static_cast<std::uint32_t>(text.size());
    for (int s = 0; s < 32; s += 8)
        out.push_back(static_cast<char>((n >> s) & 0xFF));
    for (char16_t c : text) {
        out.push_back(static_cast<char>(c & 0xFF));
        out.push_back(static_cast<char>(c >> 8));
    }
    return out;
}

std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values)
        out.push_back(static_cast<char>(v));
    return out;
}

// Options that differ from the defaults in every field.
ZnConversionOptions changedOptions() {
    ZnConversionOptions o;
    o.namePrefix = u"p;x";
    o.nameSuffix = u"_data";
    o.elementType = u"unsigned char";
    o.sizeType = u"size_t";
    o.includeList = u"a.h;b.h;";
    o.bytesPerLine = 32;
    o.arrayQualifiers = 1;
    o.sizeQualifiers = 2;
    o.upperCaseHex = 1;
    o.writeSizeVariable = 0;
    o.capitalizeName = 7;
    o.lowerCaseName = 0;
    o.printableComment = -1;
    return o;
}

// The fields in record order as text, for comparing one field at a time.
std::vector<std::string> fieldsOf(const ZnConversionOptions& o, const WideString& language) {
    auto s = [](const WideString& w) { return std::string(w.toUtf8().c_str()); };
    return {s(o.namePrefix),
            s(o.nameSuffix),
            s(o.elementType),
            s(o.sizeType),
            s(language),
            s(o.includeList),
            std::to_string(o.bytesPerLine),
            std::to_string(o.arrayQualifiers),
            std::to_string(o.sizeQualifiers),
            std::to_string(o.upperCaseHex),
            std::to_string(o.writeSizeVariable),
            std::to_string(o.capitalizeName),
            std::to_string(o.lowerCaseName),
            std::to_string(o.printableComment)};
}

std::size_t entryCount(const testfiles::TestFolder& folder) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()));
}

} // namespace

TEST(SettingsFile, DefaultsAreTheKnown130Bytes) {
    std::string expected = field(u"g_") + field(u"_array") + field(u"uint8_t") +
                           field(u"uintmax_t") + field(u"English") + field(u"stdint.h;") +
                           bytes({0x10, 0, 0, 0, 3, 3}) +
                           bytes({0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0});
    ASSERT_EQ(expected.size(), 130u);
    EXPECT_EQ(Zenlo::encodeSettingsRecord(ZnConversionOptions(), u"English"), expected);

    TestFolder folder;
    fs::path file = folder.path() / "settings.cfg";
    ASSERT_TRUE(Zenlo::saveSettingsFile(file, ZnConversionOptions(), u"English"));
    EXPECT_EQ(readFile(file), expected);
    EXPECT_EQ(entryCount(folder), 1u) << "no temporary file is left behind";

    ZnConversionOptions read = changedOptions();
    WideString language = u"Other";
    ASSERT_TRUE(Zenlo::loadSettingsFile(file, read, language));
    EXPECT_EQ(fieldsOf(read, language), fieldsOf(ZnConversionOptions(), u"English"));
}

TEST(SettingsFile, ChangedValuesRoundTrip) {
    TestFolder folder;
    fs::path file = folder.path() / "settings.cfg";
    ZnConversionOptions saved = changedOptions();
    saved.arrayQualifiers = 0xFF; // stored as held, not reduced to the two bits in use
    ASSERT_TRUE(Zenlo::saveSettingsFile(file, saved, u"Deutsch"));
    ZnConversionOptions read;
    WideString language;
    ASSERT_TRUE(Zenlo::loadSettingsFile(file, read, language));
    EXPECT_EQ(fieldsOf(read, language), fieldsOf(saved, u"Deutsch"));
}

TEST(SettingsFile, LineFeedBytesAreStoredAsCarriageReturnLineFeed) {
    ZnConversionOptions saved;
    saved.bytesPerLine = 10;
    saved.namePrefix = WideString(u"\u010A"); // its low byte is 0x0A
    std::string record = Zenlo::encodeSettingsRecord(saved, u"English");
    std::string disk = Zenlo::toDiskForm(record);
    ASSERT_EQ(disk.size(), record.size() + 2);
    EXPECT_EQ(disk.substr(0, 7), bytes({1, 0, 0, 0, 0x0D, 0x0A, 0x01}));
    std::size_t bytesPerLineAt = record.size() - 26 + 1; // one extra byte from the prefix
    EXPECT_EQ(disk.substr(bytesPerLineAt, 5), bytes({0x0D, 0x0A, 0, 0, 0}));

    TestFolder folder;
    fs::path file = folder.path() / "settings.cfg";
    ASSERT_TRUE(Zenlo::saveSettingsFile(file, saved, u"English"));
    EXPECT_EQ(readFile(file), disk);
    ZnConversionOptions read;
    WideString language;
    ASSERT_TRUE(Zenlo::loadSettingsFile(file, read, language));
    EXPECT_EQ(read.bytesPerLine, 10);
    EXPECT_TRUE(read.namePrefix.equals(u"\u010A"));
}

TEST(SettingsFile, DiskFormTranslationRules) {
    struct Case {
        const char* name;
        std::string disk, record;
    } cases[] = {
        {"pair becomes line feed", bytes({1, 0x0D, 0x0A, 2}), bytes({1, 0x0A, 2})},
        {"lone carriage return stays", bytes({0x0D, 5}), bytes({0x0D, 5})},
        {"carriage return at the end stays", bytes({5, 0x0D}), bytes({5, 0x0D})},
        {"double carriage return", bytes({0x0D, 0x0D, 0x0A}), bytes({0x0D, 0x0A})},
        {"lone line feed stays", bytes({0x0A}), bytes({0x0A})},
        {"0x1A is data", bytes({1, 2, 0x1A, 3, 4}), bytes({1, 2, 0x1A, 3, 4})},
        {"0x1A after a carriage return", bytes({0x0D, 0x1A, 0x0A}), bytes({0x0D, 0x1A, 0x0A})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Zenlo::fromDiskForm(c.disk), c.record);
    }
    EXPECT_EQ(Zenlo::toDiskForm(bytes({0x0A, 0x0D, 0x0A})), bytes({0x0D, 0x0A, 0x0D, 0x0D, 0x0A}));
}

TEST(SettingsFile, EmptyStringsAndEmptyLanguageName) {
    ZnConversionOptions saved;
    saved.includeList = u"";
    std::string record = Zenlo::encodeSettingsRecord(saved, u"");
    EXPECT_EQ(record.substr(0, 8 + 16 + 18 + 22 + 8), field(u"g_") + field(u"_array") +
                                                          field(u"uint8_t") + field(u"uintmax_t") +
                                                          bytes({0, 0, 0, 0, 0, 0, 0, 0}));
    TestFolder folder;
    fs::path file = folder.path() / "settings.cfg";
    ASSERT_TRUE(Zenlo::saveSettingsFile(file, saved, u""));
    ZnConversionOptions read;
    WideString language = u"Deutsch";
    ASSERT_TRUE(Zenlo::loadSettingsFile(file, read, language));
    EXPECT_TRUE(read.includeList.isEmpty());
    EXPECT_TRUE(language.equals(u"English"));
}

TEST(SettingsFile, StringsHoldAnyCodeUnitsUpToTheFirstNul) {
    struct Case {
        std::u16string stored;
        std::u16string read;
    };
    const Case cases[] = {
        {{u';', u'\r', u'\n', 0x1A, 0xD800, 0xFFFF}, {u';', u'\r', u'\n', 0x1A, 0xD800, 0xFFFF}},
        {{u'_', u'a', 0, u'\r', u'\n', u'#'}, u"_a"},
        {{0, u'x'}, u""},
        {{u'x', 0}, u"x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.read.size());
        ZnConversionOptions saved;
        saved.nameSuffix = WideString();
        saved.nameSuffix.resize(static_cast<WideString::Size>(c.stored.size()));
        for (std::size_t i = 0; i < c.stored.size(); ++i)
            saved.nameSuffix[static_cast<WideString::Size>(i)] = c.stored[i];
        saved.elementType = u"char";
        std::string disk = Zenlo::toDiskForm(Zenlo::encodeSettingsRecord(saved, u"English"));
        ZnConversionOptions read;
        WideString language;
        // The whole field is still consumed: the fields behind it are read as they were stored.
        EXPECT_EQ(Zenlo::decodeSettingsRecord(Zenlo::fromDiskForm(disk), read, language), 14);
        EXPECT_EQ(std::u16string(read.nameSuffix.view()), c.read);
        EXPECT_TRUE(read.elementType.equals(u"char"));
        EXPECT_TRUE(language.equals(u"English"));
    }
}

TEST(SettingsFile, EveryTruncationKeepsDefaultsFromTheCut) {
    ZnConversionOptions saved = changedOptions();
    std::string record = Zenlo::encodeSettingsRecord(saved, u"Deutsch");
    std::vector<std::string> full = fieldsOf(saved, u"Deutsch");
    std::vector<std::string> defaults = fieldsOf(ZnConversionOptions(), u"English");
    // Where each field ends in the record.
    std::vector<std::size_t> ends;
    std::size_t at = 0;
    for (std::size_t n : {3, 5, 13, 6, 7, 8})
        ends.push_back(at += 4 + 2 * n);
    for (std::size_t width : {4, 1, 1, 4, 4, 4, 4, 4})
        ends.push_back(at += width);
    ASSERT_EQ(at, record.size());
    ASSERT_EQ(Zenlo::toDiskForm(record), record) << "the cuts of the record are cuts of the file";

    for (std::size_t cut = 0; cut <= record.size(); ++cut) {
        SCOPED_TRACE("cut at " + std::to_string(cut));
        ZnConversionOptions read;
        WideString language = u"English";
        int fields =
            Zenlo::decodeSettingsRecord(std::string_view(record).substr(0, cut), read, language);
        int complete = static_cast<int>(
            std::count_if(ends.begin(), ends.end(), [&](std::size_t e) { return e <= cut; }));
        EXPECT_EQ(fields, complete);
        std::vector<std::string> got = fieldsOf(read, language);
        for (int i = 0; i < 14; ++i)
            EXPECT_EQ(got[i], i < complete ? full[i] : defaults[i]) << "field " << i;
    }
}

TEST(SettingsFile, EndOfFileByteInsideTheRecordIsData) {
    TestFolder folder;
    fs::path file = folder.path() / "settings.cfg";
    ZnConversionOptions saved = changedOptions();
    saved.bytesPerLine = 0x1A;
    saved.namePrefix = u"\u041A";                      // Cyrillic capital KA: bytes 1A 04
    saved.includeList = u"stdint.h;string.h;array.h;"; // 26 characters: length byte 1A
    ASSERT_TRUE(Zenlo::saveSettingsFile(file, saved, u"Deutsch"));
    EXPECT_NE(readFile(file).find('\x1A'), std::string::npos);
    ZnConversionOptions read;
    WideString language;
    ASSERT_TRUE(Zenlo::loadSettingsFile(file, read, language));
    EXPECT_EQ(fieldsOf(read, language), fieldsOf(saved, u"Deutsch"));
}

TEST(SettingsFile, ShortFileOnDisk) {
    TestFolder folder;
    fs::path file = folder.path() / "settings.cfg";
    std::string disk = Zenlo::toDiskForm(Zenlo::encodeSettingsRecord(changedOptions(), u"Deutsch"));
    writeFile(file, disk.substr(0, disk.size() - 3));
    ZnConversionOptions read;
    WideString language;
    ASSERT_TRUE(Zenlo::loadSettingsFile(file, read, language));
    EXPECT_TRUE(read.includeList.equals(u"a.h;b.h;"));
    EXPECT_EQ(read.lowerCaseName, 0);
    EXPECT_EQ(read.printableComment, 0) << "the cut field keeps its default";

    writeFile(file, field(u"x").substr(0, 3));
    read = ZnConversionOptions();
    ASSERT_TRUE(Zenlo::loadSettingsFile(file, read, language));
    EXPECT_TRUE(read.namePrefix.equals(u"g_"));
}

TEST(SettingsFile, HugeLengthAllocatesNothing) {
    for (std::uint32_t length : {0xFFFFFFFFu, 0x80000000u, 0x7FFFFFFFu, 3u}) {
        SCOPED_TRACE(length);
        std::string record = bytes({int(length & 0xFF), int((length >> 8) & 0xFF),
                                    int((length >> 16) & 0xFF), int(length >> 24), 'a', 0, 'b', 0});
        ZnConversionOptions read;
        WideString language;
        EXPECT_EQ(Zenlo::decodeSettingsRecord(record, read, language), 0);
        EXPECT_TRUE(read.namePrefix.equals(u"g_"));
    }
}

TEST(SettingsFile, MissingFileChangesNothing) {
    TestFolder folder;
    ZnConversionOptions read = changedOptions();
    WideString language = u"Deutsch";
    EXPECT_FALSE(Zenlo::loadSettingsFile(folder.path() / "none.cfg", read, language));
    EXPECT_EQ(fieldsOf(read, language), fieldsOf(changedOptions(), u"Deutsch"));
    EXPECT_FALSE(Zenlo::loadSettingsFile(folder.path(), read, language))
        << "a folder is no settings file";
}

TEST(SettingsFile, SaveReplacesTheWholeFile) {
    TestFolder folder;
    fs::path file = folder.path() / "settings.cfg";
    writeFile(file, std::string(1000, 'x'));
    ASSERT_TRUE(Zenlo::saveSettingsFile(file, ZnConversionOptions(), u"English"));
    EXPECT_EQ(readFile(file).size(), 130u);
    EXPECT_EQ(entryCount(folder), 1u);
}

TEST(SettingsFile, SaveFailsCleanlyAndKeepsTheOldFile) {
    TestFolder folder;
    EXPECT_FALSE(Zenlo::saveSettingsFile(folder.path() / "missing" / "settings.cfg",
                                         ZnConversionOptions(), u"English"));
    EXPECT_EQ(entryCount(folder), 0u);

    fs::path file = folder.path() / "settings.cfg";
    writeFile(file, "old");
    fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec);
    bool saved = Zenlo::saveSettingsFile(file, ZnConversionOptions(), u"English");
    fs::permissions(folder.path(), fs::perms::owner_all, fs::perm_options::add);
    if (!saved) { // root may write anyway
        EXPECT_EQ(readFile(file), "old");
        EXPECT_EQ(entryCount(folder), 1u);
    }
}

TEST(SettingsFile, SaveThroughALinkKeepsTheLink) {
    TestFolder folder;
    fs::path real = folder.path() / "real.cfg";
    fs::path link = folder.path() / "settings.cfg";
    writeFile(real, "old");
    std::error_code error;
    fs::create_symlink(real, link, error);
    // Windows lets only administrators and developer mode make links; without one there is
    // nothing to keep.
    if (error) GTEST_SKIP() << "this system does not let us create a symbolic link";
    ASSERT_TRUE(Zenlo::saveSettingsFile(link, ZnConversionOptions(), u"English"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readFile(real).size(), 130u);
}

TEST(SettingsFile, SaveReplacesOnlyARegularFile) {
    struct Case {
        const char* name;
        bool
            device; // a link to a device (or FIFO) in the folder, else a folder in the file's place
    };
    const Case cases[] = {
        {"link to a device", true},
        {"folder", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.device && !testfiles::hasPosixFileKinds) continue;
        TestFolder folder;
        const fs::path file = folder.path() / "settings.cfg";
        const fs::path device = folder.path() / "device";
        if (c.device) {
            testfiles::makeSpecialFile(device);
            fs::create_symlink(device, file);
        } else {
            fs::create_directory(file);
        }
        EXPECT_FALSE(Zenlo::saveSettingsFile(file, ZnConversionOptions(), u"English"));
        if (c.device) {
            EXPECT_FALSE(fs::is_regular_file(device)) << "the device must stay a device";
            EXPECT_TRUE(fs::is_symlink(file));
        } else {
            EXPECT_TRUE(fs::is_directory(file));
        }
        EXPECT_EQ(entryCount(folder), c.device ? 2u : 1u) << "no temporary file stays";
    }
    // A link that points nowhere yet creates the file it names.
    SKIP_WITHOUT_POSIX_FILE_KINDS();
    TestFolder folder;
    fs::create_symlink("stored.cfg", folder.path() / "settings.cfg");
    ASSERT_TRUE(
        Zenlo::saveSettingsFile(folder.path() / "settings.cfg", ZnConversionOptions(), u"English"));
    EXPECT_EQ(readFile(folder.path() / "stored.cfg").size(), 130u);
}

TEST(SettingsFile, RandomAndMutatedFilesNeverBreakTheReader) {
    std::mt19937 random(20261208);
    std::string valid =
        Zenlo::toDiskForm(Zenlo::encodeSettingsRecord(changedOptions(), u"Deutsch"));
    for (int round = 0; round < 3000; ++round) {
        std::string disk;
        if (round % 2 == 0) {
            disk.resize(random() % 300);
            for (char& c : disk)
                c = static_cast<char>(random() % 4 == 0 ? "\x0A\x0D\x1A\xFF"[random() % 4]
                                                        : random());
        } else {
            disk = valid;
            for (int flips = 1 + random() % 6; flips > 0; --flips) {
                std::size_t at = random() % disk.size();
                switch (random() % 3) {
                case 0:
                    disk[at] = static_cast<char>(random());
                    break;
                case 1:
                    disk.erase(at, 1 + random() % 8);
                    break;
                default:
                    disk.insert(at, 1, static_cast<char>(random()));
                    break;
                }
                if (disk.empty()) break;
            }
        }
        ZnConversionOptions read;
        WideString language;
        std::string record = Zenlo::fromDiskForm(disk);
        int fields = Zenlo::decodeSettingsRecord(record, read, language);
        ASSERT_GE(fields, 0);
        ASSERT_LE(fields, 14);
        ASSERT_LE(read.namePrefix.length() + read.nameSuffix.length() + read.elementType.length() +
                      read.sizeType.length() + language.length() + read.includeList.length(),
                  record.size() / 2 + 40); // 40: the default strings
    }
}
