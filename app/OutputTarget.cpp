// The window's own output target helpers: the default folder, browse results, the file filter.
#include "app/OutputTarget.h"

namespace Zenlo {

WideString defaultOutputFolder(char16_t separator) { return WideString(u"out") + separator; }

ZnOutputChoice splitOutputChoice(const WideString& path, char16_t separator) {
    return {fileNamePart(path, separator), folderPart(path, separator)};
}

WideString outputFileFilter(const WideString& allSources, const WideString& cSources,
                            const WideString& cppSources) {
    return allSources + u" (*.c; *.cpp; *.cc; *.c++)|*.c;*.cpp;*.cc;*.c++|" + cSources +
           u" (*.c)|*.c|" + cppSources + u" (*.cpp; *.cc; *.c++)|*.cpp;*.cc;*.c++";
}

} // namespace Zenlo
