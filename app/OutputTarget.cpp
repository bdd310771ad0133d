// Output target rules: the checks convert makes on the typed name and folder before a run.
#include "app/OutputTarget.h"

#include "toolkit/FileSystem.h"

namespace Zenlo {

WideString correctOutputExtension(const WideString& name) {
    WideString result(name);
    WideString::Size dot = result.findLastOf(u'.');
    if (dot != WideString::npos) {
        WideString extension = result.substr(dot, WideString::npos);
        if (WideString(sourceExtensions).find(extension) != WideString::npos) return result;
        result.erase(dot, WideString::npos);
    }
    return result.append(u".cpp");
}

WideString defaultOutputFolder(char16_t separator) { return WideString(u"out") + separator; }

WideString normaliseOutputFolder(const WideString& folder, const WideString& startFolder,
                                 char16_t separator) {
    const bool windowsRules = separator == u'\\';
    WideString result(folder);
    // Either separator ends a folder: the other one becomes this one below.
    if (!result.isEmpty() && result[result.length() - 1] != u'/' &&
        result[result.length() - 1] != u'\\')
        result.append(separator);
    result = stripLongPathPrefix(result, windowsRules);
    if (windowsRules) {
        result.replaceAll(u'/', u'\\');
        if (result.find(u':') == WideString::npos) result = startFolder + result;
    } else {
        result.replaceAll(u'\\', u'/');
        if (result.isEmpty() || result[0] != u'/') result = startFolder + result;
    }
    return folderPart(result, separator);
}

bool isPlainFileName(const WideString& name, char16_t separator) {
    if (name.find(u'/') != WideString::npos) return false;
    return separator != u'\\' || name.find(u'\\') == WideString::npos;
}

ZnPreparedOutput prepareOutput(const WideString& fileName, const WideString& folder,
                               const WideString& startFolder) {
    ZnPreparedOutput result;
    result.nameAccepted = isPlainFileName(fileName);
    result.fileName = correctOutputExtension(fileName);
    result.folder = normaliseOutputFolder(folder, startFolder);
    if (!result.nameAccepted) return result;
    int error = 0;
    result.folderReady = isFolder(result.folder) || createFolders(result.folder, &error);
    if (!result.folderReady) result.folderError = systemErrorText(error);
    return result;
}

ZnOutputChoice splitOutputChoice(const WideString& path, char16_t separator) {
    return {fileNamePart(path, separator), folderPart(path, separator)};
}

WideString outputFileFilter(const WideString& allSources, const WideString& cSources,
                            const WideString& cppSources) {
    return allSources + u" (*.c; *.cpp; *.cc; *.c++)|*.c;*.cpp;*.cc;*.c++|" + cSources +
           u" (*.c)|*.c|" + cppSources + u" (*.cpp; *.cc; *.c++)|*.cpp;*.cc;*.c++";
}

WideString folderWithSeparator(const WideString& folder, char16_t separator) {
    if (!folder.isEmpty() && folder[folder.length() - 1] == separator) return folder;
    return folder + separator;
}

} // namespace Zenlo
