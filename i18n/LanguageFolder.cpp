// Where the language files are: below the start folder, beside the program, or installed.
#include "i18n/LanguageFolder.h"

#include <filesystem>
#include <system_error>

#include "toolkit/FileSystem.h"
#include "toolkit/PathText.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace Zenlo {

namespace {

WideString langBelow(const WideString& folder) {
    return folderWithSeparator(folder) + u"lang" + nativeSeparator;
}

} // namespace

WideString executableFolder() {
#ifdef _WIN32
    std::u16string buffer(32768, u'\0');
    DWORD length = GetModuleFileNameW(nullptr, reinterpret_cast<wchar_t*>(buffer.data()),
                                      static_cast<DWORD>(buffer.size()));
    if (length == 0 || length >= buffer.size()) return WideString();
    return folderPart(WideString(buffer.data(), static_cast<WideString::Size>(length)));
#else
    std::error_code error;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || program.empty()) return WideString();
    return folderPart(fromPath(program));
#endif
}

WideString chooseLanguageFolder(const WideString& startFolder, const WideString& programFolder,
                                const WideString& dataFolder) {
    for (const WideString* base : {&startFolder, &programFolder, &dataFolder}) {
        if (base->isEmpty()) continue;
        WideString folder = langBelow(*base);
        if (isFolder(folder)) return folder;
    }
    return langBelow(startFolder);
}

WideString installedDataFolder(const WideString& programFolder, const WideString& relativeData,
                               const WideString& fixedData) {
    if (!programFolder.isEmpty() && !relativeData.isEmpty()) {
        WideString moved = folderWithSeparator(folderWithSeparator(programFolder) + relativeData);
        if (isFolder(langBelow(moved))) return moved;
    }
    return folderWithSeparator(fixedData);
}

WideString findLanguageFolder(const WideString& startFolder) {
    const WideString program = executableFolder();
    return chooseLanguageFolder(startFolder, program,
                                installedDataFolder(program, fromUtf8(HEXMOOR_DATADIR_FROM_BINDIR),
                                                    fromUtf8(HEXMOOR_INSTALL_DATADIR)));
}

} // namespace Zenlo
