// Where a run writes: the output folder's two rules, and the window's output made ready.
#include "converter/OutputTarget.h"

#include <cassert>

#include "converter/OutputNames.h"
#include "toolkit/FileSystem.h"
#include "toolkit/WindowsNames.h"

namespace Zenlo {

WideString defaultOutputFolder(char16_t separator) {
    return WideString(u"out") + separator;
}

WideString normaliseOutputFolder(const WideString& folder, const WideString& startFolder,
                                 char16_t separator) {
    assert(startFolder.isEmpty() || startFolder[startFolder.length() - 1] == separator);
    const bool windowsRules = separator == u'\\';
    WideString result(folder);
    // With Windows rules either separator ends a folder (below "/" becomes "\\"); elsewhere a
    // backslash is a character of a name, as it is to the command line and the system.
    const auto endsFolder = [&](char16_t c) { return c == u'/' || (windowsRules && c == u'\\'); };
    if (!result.isEmpty() && !endsFolder(result[result.length() - 1])) result.append(separator);
    result = stripLongPathPrefix(result, windowsRules);
    if (windowsRules) {
        result.replaceAll(u'/', u'\\');
        if (result.find(u':') == WideString::npos) result = startFolder + result;
    } else if (result.isEmpty() || result[0] != u'/') {
        result = startFolder + result;
    }
    return folderPart(result, separator);
}

WideString resolveOutputFolder(const WideString& folder) {
    WideString result = folder;
#ifdef _WIN32
    result.replaceAll(u'/', u'\\');
#endif
    if (result.isEmpty()) return currentFolder();
    return folderWithSeparator(absolutePath(result));
}

bool makeOutputFolder(const WideString& folder, std::string& reason) {
    int error = 0;
    if (isFolder(folder) || createFolders(folder, &error)) return true;
    reason = systemErrorText(error);
    return false;
}

ZnPreparedOutput prepareOutput(const WideString& fileName, const WideString& folder,
                               const WideString& startFolder) {
    ZnPreparedOutput result;
    // The parts as typed: the name, else the folder, may name a device.
    result.device = devicePart(fileName);
    result.nameAccepted = isPlainFileName(fileName) && result.device.isEmpty();
    if (result.nameAccepted) result.device = devicePart(folder);
    result.fileName = correctedOutputName(fileName);
    result.folder = normaliseOutputFolder(folder, startFolder);
    if (result.nameAccepted && result.device.isEmpty())
        result.folderReady = makeOutputFolder(result.folder, result.folderError);
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

} // namespace Zenlo
