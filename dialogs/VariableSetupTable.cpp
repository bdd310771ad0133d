// The variable setup dialog's controls: id, kind, caption key, rectangle (x, y, width, height in
// dialog units), extra style. Edits take Enter themselves and press the default button. Keyboard
// order is the order of this table.
#include "dialogs/VariableSetupTable.h"

#include <iterator>

#include <wx/textctrl.h>

#include "dialogs/VariableSetupIds.h"

namespace Zenlo {
using K = ZnControlKind;

const ZnControlSpec variableSetupControls[] = {
    {SetupId::lowerCaseName, K::checkBox, u"301", 7, 7, 171, 10, 0},
    {SetupId::capitalizeName, K::checkBox, u"302", 7, 20, 171, 10, 0},
    {wxID_ANY, K::label, u"303", 7, 34, 83, 8, 0},
    {SetupId::elementType, K::edit, nullptr, 7, 45, 83, 14, wxTE_PROCESS_ENTER},
    {SetupId::arrayStatic, K::checkBox, u"static", 102, 47, 33, 10, 0},
    {SetupId::arrayConst, K::checkBox, u"const", 144, 47, 33, 10, 0},
    {wxID_ANY, K::label, u"304", 7, 63, 83, 8, 0},
    {wxID_ANY, K::label, u"305", 94, 63, 83, 8, 0},
    {SetupId::namePrefix, K::edit, nullptr, 7, 74, 83, 14, wxTE_PROCESS_ENTER},
    {SetupId::nameSuffix, K::edit, nullptr, 94, 74, 83, 14, wxTE_PROCESS_ENTER},
    {SetupId::writeSizeVariable, K::checkBox, u"306", 7, 96, 170, 10, 0},
    {wxID_ANY, K::label, u"303", 7, 109, 83, 8, 0},
    {SetupId::sizeType, K::edit, nullptr, 7, 121, 83, 14, wxTE_PROCESS_ENTER},
    {SetupId::sizeStatic, K::checkBox, u"static", 102, 123, 33, 10, 0},
    {SetupId::sizeConst, K::checkBox, u"const", 144, 123, 33, 10, 0},
    {wxID_ANY, K::label, u"311", 184, 7, 170, 8, 0},
    {SetupId::includeList, K::listBox, nullptr, 184, 17, 118, 74, wxWANTS_CHARS},
    {SetupId::addHeader, K::button, u"202", 304, 17, 50, 14, 0},
    {SetupId::removeHeader, K::button, u"203", 304, 32, 50, 14, 0},
    {SetupId::removeAllHeaders, K::button, u"204", 304, 47, 50, 14, 0},
    {SetupId::moveUp, K::bitmapButton, nullptr, 304, 62, 21, 14, 0},
    {SetupId::moveDown, K::bitmapButton, nullptr, 304, 77, 21, 14, 0},
    {SetupId::upperCaseHex, K::checkBox, u"307", 184, 95, 170, 10, 0},
    {SetupId::bytesPerLine, K::edit, nullptr, 183, 108, 33, 14, wxTE_RIGHT | wxTE_PROCESS_ENTER},
    {wxID_ANY, K::label, u"308", 220, 111, 134, 8, 0},
    {SetupId::printableComment, K::checkBox, u"309", 184, 125, 170, 10, 0},
    {wxID_ANY, K::separator, nullptr, -3, 144, 365, 1, 0},
    {SetupId::defaults, K::button, u"310", 7, 154, 55, 14, 0},
    {SetupId::ok, K::defaultButton, u"OK", 250, 154, 50, 14, 0},
    {SetupId::cancel, K::button, u"600", 304, 154, 50, 14, 0},
};

const std::size_t variableSetupControlCount = std::size(variableSetupControls);
} // namespace Zenlo
