// Output file names: one rule each, for the run, its plan and both front ends.
#include "converter/OutputNames.h"

#include "converter/EmbedText.h"
#include "converter/ObjectFile.h"
#include "converter/VariableName.h"
#include "toolkit/Composition.h"
#include "toolkit/TextEncoding.h"
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

bool isIncludeFileName(const WideString& name) {
    for (const char16_t* extension : {u".h", u".hh", u".hpp", u".hxx", u".inc", u".ipp"})
        if (name.view().ends_with(extension)) return true;
    return false;
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

WideString incbinFallbackName(const WideString& sourceName, char16_t separator) {
    const WideString name = fileNamePart(stripLongPathPrefix(sourceName), separator) + u".inc";
    return isEmbeddablePath(utf16ToUtf8(name.view())) ? name : WideString();
}

WideString guardName(const WideString& headerFileName) {
    // Composed, as the variable names: compilers expect identifiers in NFC.
    WideString guard = replaceNameCharacters(composedText(headerFileName));
    guard.toUpper();
    return guard;
}

WideString separateOutputName(const WideString& inputPath, char16_t separator) {
    WideString name = fileNamePart(stripLongPathPrefix(inputPath), separator);
    name.replaceAll(u'.', u'_');
    return name + u".cpp";
}

} // namespace Zenlo
