// The language manager: the string table of the loaded language file and the languages found.
#pragma once

#include <cstdint>
#include <map>

#include "toolkit/WideString.h"

namespace Zenlo {
// One table of interface texts by key, loaded from a language file of the language folder,
// and the list of the folder's languages by LangID. The process uses one: ZnLanguage::instance().
class ZnLanguage {
public:
    using Key = std::int32_t;
    using StringTable = std::map<Key, Zenlo::WideString>;
    // LangID to file name (without folder), in code-unit order of the LangIDs.
    using LanguageMap = std::map<Zenlo::WideString, Zenlo::WideString>;

    ZnLanguage();

    // The one language manager of the program.
    static ZnLanguage& instance();

    // The folder searched for language files, ending with a separator ("./" at first).
    const Zenlo::WideString& languageFolder() const { return languageFolder_; }
    // Sets the folder; a separator is appended when it lacks one.
    void setLanguageFolder(const Zenlo::WideString& folder);

    // Loads the file of the language folder into the string table, which is emptied first, so
    // a failed load leaves it empty. Returns false when the file cannot be read or its first
    // two lines are not a language file's.
    bool loadLanguageFile(const Zenlo::WideString& fileName);
    // The key's text, or an empty string when the table lacks the key.
    Zenlo::WideString text(Key key) const;
    // The key's text in text; false (text unchanged) when the table lacks the key.
    bool findText(Key key, Zenlo::WideString& text) const;
    // The key's text when it is a template for the program's own values: its printf conversions
    // are exactly those of the English pattern (by kind and order; see conversionKinds) and pad
    // to at most maxTemplateWidth. Returns false (text unchanged) when the key is missing or its
    // text does not fit; the caller then uses its English pattern.
    bool findTemplate(Key key, const char16_t* englishPattern, Zenlo::WideString& text) const;
    static constexpr int maxTemplateWidth = 80;
    // The key's text as findTemplate finds it, else the English pattern.
    Zenlo::WideString templateText(Key key, const char16_t* englishPattern) const;

    // Whether the file's first two lines are valid; when they are, its LangID is listed with it.
    // The string table is not touched.
    bool probeLanguageFile(const Zenlo::WideString& fileName);
    // Rebuilds the language list from the "*.lng" files of the language folder, taken in name
    // order; a file that is not a valid language file is left out. Of two files with one
    // LangID, the later name wins.
    void scanLanguages();
    // Loads the file listed for the LangID (exact comparison). Returns false when the LangID is
    // not listed (the table is kept) or its file fails to load (the table is left empty).
    bool selectLanguage(const Zenlo::WideString& name);

    // The main window's start-up steps: the language folder found from the start folder (see
    // findLanguageFolder), the scan, an empty languageName made "English", that language
    // selected. A languageName that no file provides becomes "English" when it is listed, else
    // the first LangID listed. Returns selectLanguage's result.
    bool startUp(const Zenlo::WideString& startFolder, Zenlo::WideString& languageName);

    const StringTable& strings() const { return strings_; }
    const LanguageMap& languages() const { return languages_; }
    // The LangID of the file loaded last; empty when the last load failed or none was made.
    const Zenlo::WideString& currentLanguage() const { return currentLanguage_; }
    // Grows by one at every load, so windows can tell that their texts may have changed.
    std::uint64_t generation() const { return generation_; }

private:
    Zenlo::WideString pathOf(const Zenlo::WideString& fileName) const;

    StringTable strings_;
    LanguageMap languages_;
    Zenlo::WideString languageFolder_;
    Zenlo::WideString filePattern_ = u"*.lng";
    Zenlo::WideString currentLanguage_;
    std::uint64_t generation_ = 0;
};
} // namespace Zenlo
