// Names of an input found below a folder come from its relative path, the others from the file.
#include "converter/InputNames.h"

#include "converter/OutputNames.h"
#include "converter/VariableName.h"
#include "toolkit/PathText.h"
#include "toolkit/TextEncoding.h"

namespace Zenlo {

namespace {

// The name below the folder as one file name: its separators become "_".
WideString flattened(const WideString& folderName) {
    WideString flat(folderName);
    flat.replaceAll(u'/', u'_');
    return flat;
}

} // namespace

WideString inputName(const WideString& path, const WideString& folderName) {
    return folderName.isEmpty() ? fileNamePart(path) : folderName;
}

WideString inputVariableName(const WideString& path, const WideString& folderName,
                             const ZnConversionOptions& options) {
    if (folderName.isEmpty()) return variableName(path, options);
    return variableName(flattened(folderName), options, u'/');
}

WideString inputOutputName(const WideString& path, const WideString& folderName) {
    if (folderName.isEmpty()) return separateOutputName(path);
    return separateOutputName(flattened(folderName), u'/');
}

WideString indexKeyText(const WideString& path, const WideString& folderName) {
    WideString key = folderName.isEmpty() ? path : folderName;
    if (nativeSeparator != u'/') key.replaceAll(nativeSeparator, u'/');
    return key;
}

std::string indexKey(const WideString& path, const WideString& folderName) {
    return pathBytes(indexKeyText(path, folderName).view());
}

} // namespace Zenlo
