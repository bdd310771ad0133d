// The language manager: the string table of the loaded language file and the languages found.
#include "i18n/Language.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "i18n/LanguageFileText.h"
#include "i18n/LanguageFolder.h"
#include "toolkit/PathText.h"

namespace Zenlo {

namespace {

// Enough bytes for the two first lines in any encoding: two pieces of at most 254 code units,
// up to three bytes each, with their line ends and a byte-order mark.
constexpr std::size_t probeBytes = 4096;

// The file's bytes (up to limit); false when it is not a readable plain file.
bool readFileBytes(const WideString& path, std::string& bytes, std::size_t limit) {
    std::filesystem::path native = Zenlo::toPath(path);
    std::error_code error;
    // Pipes and devices could block or never end; language files are plain files.
    if (!std::filesystem::is_regular_file(native, error)) return false;
    std::ifstream in(native, std::ios::binary);
    if (!in) return false;
    bytes.clear();
    char block[4096];
    while (bytes.size() < limit && in.read(block, sizeof block).gcount() > 0) {
        bytes.append(block, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) return false;
    if (bytes.size() > limit) bytes.resize(limit);
    return true;
}

// Checks the header line and reads the LangID from the second line.
bool readFileHead(Zenlo::LanguageLineReader& reader, WideString& langId) {
    WideString line;
    reader.readLine(line);
    if (!line.equals(Zenlo::languageHeaderLine)) return false;
    reader.readLine(line);
    return Zenlo::parseLangIdLine(line, langId);
}

// Whether the name matches the pattern "*.ext", with the letters of the extension in any case.
bool matchesExtension(const std::u16string& name, std::u16string_view extension) {
    if (name.size() <= extension.size()) return false;
    auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; };
    return std::equal(extension.begin(), extension.end(), name.end() - extension.size(),
                      [&](char16_t a, char16_t b) { return lower(a) == lower(b); });
}

} // namespace

ZnLanguage::ZnLanguage() : languageFolder_(WideString(u".") + Zenlo::nativeSeparator) {}

ZnLanguage& ZnLanguage::instance() {
    static ZnLanguage language;
    return language;
}

void ZnLanguage::setLanguageFolder(const WideString& folder) {
    languageFolder_ = folderWithSeparator(folder);
}

WideString ZnLanguage::pathOf(const WideString& fileName) const {
    return languageFolder_ + fileName;
}

bool ZnLanguage::loadLanguageFile(const WideString& fileName) {
    strings_.clear();
    currentLanguage_ = WideString();
    ++generation_;
    std::string bytes;
    if (!readFileBytes(pathOf(fileName), bytes, std::string::npos)) return false;
    std::u16string text = Zenlo::decodeLanguageText(bytes);
    Zenlo::LanguageLineReader reader(text);
    WideString langId;
    if (!readFileHead(reader, langId)) return false;
    WideString line;
    while (reader.readLine(line)) {
        Key key = 0;
        WideString entry;
        if (Zenlo::parseEntryLine(line, key, entry)) strings_[key] = std::move(entry);
    }
    currentLanguage_ = langId;
    return true;
}

WideString ZnLanguage::text(Key key) const {
    WideString result;
    findText(key, result);
    return result;
}

bool ZnLanguage::findText(Key key, WideString& text) const {
    auto found = strings_.find(key);
    if (found == strings_.end()) return false;
    text = found->second;
    return true;
}

bool ZnLanguage::findTemplate(Key key, const char16_t* englishPattern, WideString& text) const {
    WideString found;
    std::u16string own, english;
    if (!findText(key, found) || !conversionKinds(found.c_str(), maxTemplateWidth, own))
        return false;
    conversionKinds(englishPattern, maxTemplateWidth, english);
    if (own != english) return false;
    text = std::move(found);
    return true;
}

WideString ZnLanguage::templateText(Key key, const char16_t* englishPattern) const {
    WideString text;
    return findTemplate(key, englishPattern, text) ? text : WideString(englishPattern);
}

bool ZnLanguage::probeLanguageFile(const WideString& fileName) {
    std::string bytes;
    if (!readFileBytes(pathOf(fileName), bytes, probeBytes)) return false;
    std::u16string text = Zenlo::decodeLanguageText(bytes);
    Zenlo::LanguageLineReader reader(text);
    WideString langId;
    if (!readFileHead(reader, langId)) return false;
    languages_[langId] = fileName;
    return true;
}

void ZnLanguage::scanLanguages() {
    languages_.clear();
    std::u16string extension(filePattern_.view().substr(1));
    std::vector<WideString> names;
    std::error_code error;
    std::filesystem::directory_iterator entries(Zenlo::toPath(languageFolder_), error);
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        WideString name = Zenlo::fromPath(entries->path().filename());
        if (matchesExtension(std::u16string(name.view()), extension)) names.push_back(name);
    }
    // A fixed order, so that which file wins for a shared LangID never depends on the disk.
    std::sort(names.begin(), names.end());
    for (const WideString& name : names)
        probeLanguageFile(name);
}

bool ZnLanguage::selectLanguage(const WideString& name) {
    auto found = languages_.find(name);
    if (found == languages_.end()) return false;
    return loadLanguageFile(found->second);
}

bool ZnLanguage::startUp(const WideString& startFolder, WideString& languageName) {
    setLanguageFolder(Zenlo::findLanguageFolder(startFolder));
    scanLanguages();
    if (languageName.isEmpty()) languageName = u"English";
    if (languages_.count(languageName) != 0 || languages_.empty())
        return selectLanguage(languageName);
    // A stored language that no file provides would leave bare keys everywhere: use English
    // when it is there, else the first language found, and say so through languageName.
    languageName = languages_.count(WideString(u"English")) != 0 ? WideString(u"English")
                                                                 : languages_.begin()->first;
    return selectLanguage(languageName);
}
} // namespace Zenlo
