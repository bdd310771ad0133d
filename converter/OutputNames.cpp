// Output file names: one rule each, for the run, its plan and both front ends.
#include "converter/OutputNames.h"

#include "converter/ObjectFile.h"
#include "converter/VariableName.h"
#include "toolkit/WindowsNames.h"

namespace Zenlo {

WideString correctSourceExtension(const WideString& name) {
    WideString result(name);
    WideString::Size dot = result.findLastOf(u'.');
    if (dot != WideString::npos) {
        WideString extension = result.substr(dot, WideString::npos);
        if (WideString(sourceExtensions).find(extension) != WideString::npos) return result;
        result.erase(dot, WideString::npos);
    }
    return result.append(u".cpp");
}

WideString correctedOutputName(const WideString& name, char16_t separator) {
    return correctSourceExtension(storedName(name, separator));
}

bool isPlainFileName(const WideString& name, char16_t separator) {
    if (name.find(u'/') != WideString::npos) return false;
    return separator != u'\\' || name.findFirstOf(u"\\:") == WideString::npos;
}

WideString headerFileName(const WideString& outputFileName, char16_t separator) {
    const WideString plain = stripLongPathPrefix(outputFileName);
    return fileNamePart(replaceExtension(plain, u".h", separator), separator);
}

WideString objectFileName(const WideString& sourceName, ObjectFormat format) {
    return replaceExtension(sourceName, isCoffFormat(format) ? u".obj" : u".o");
}

WideString guardName(const WideString& headerFileName) {
    WideString guard = replaceNameCharacters(headerFileName);
    guard.toUpper();
    return guard;
}

WideString separateOutputName(const WideString& inputPath, char16_t separator) {
    WideString name = fileNamePart(stripLongPathPrefix(inputPath), separator);
    name.replaceAll(u'.', u'_');
    return name + u".cpp";
}

} // namespace Zenlo
