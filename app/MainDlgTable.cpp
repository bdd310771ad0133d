// The main dialog's controls: id, kind, caption key, rectangle (x, y, width, height in dialog
// units), extra style. Keyboard order is the order of this table.
#include "app/MainDlgTable.h"

#include <iterator>

#include <wx/defs.h>
#include <wx/gauge.h>
#include <wx/stattext.h>

#include "app/MainDlgIds.h"

namespace Zenlo {
using K = ZnControlKind;

// clang-format off
const ZnControlSpec mainDialogControls[] = {
    {wxID_ANY, K::label, u"201", 7, 7, 245, 8, 0},
    {MainId::fileList, K::listBox, nullptr, 7, 17, 245, 80, wxWANTS_CHARS},
    {MainId::addFiles, K::button, u"202", 255, 17, 55, 14, 0},
    {MainId::removeFile, K::button, u"203", 255, 33, 55, 14, 0},
    {MainId::clearList, K::button, u"204", 255, 49, 55, 14, 0},
    {MainId::moveUp, K::bitmapButton, nullptr, 255, 67, 21, 14, 0},
    {MainId::moveDown, K::bitmapButton, nullptr, 255, 83, 21, 14, 0},
    {MainId::separateFiles, K::checkBox, u"205", 7, 101, 245, 10, 0},
    {MainId::writeHeader, K::checkBox, u"206", 7, 114, 245, 10, 0},
    {MainId::variableSetup, K::multiLineButton, u"300", 255, 101, 55, 23, 0},
    {wxID_ANY, K::label, u"207", 7, 127, 245, 8, 0},
    {MainId::outputFile, K::edit, nullptr, 7, 138, 245, 14, 0},
    {MainId::browseFile, K::button, u"208", 255, 138, 55, 14, 0},
    {wxID_ANY, K::label, u"209", 7, 155, 245, 8, 0},
    {MainId::outputFolder, K::edit, nullptr, 7, 166, 245, 14, 0},
    {MainId::browseFolder, K::button, u"208", 255, 166, 55, 14, 0},
    {MainId::fileLabel, K::label, u"...", 7, 185, 245, 10, wxST_ELLIPSIZE_END},
    {MainId::convert, K::defaultButton, u"210", 255, 185, 55, 14, 0},
    {MainId::stop, K::button, u"211", 255, 200, 55, 14, 0},
    {MainId::fileBar, K::progressBar, nullptr, 7, 195, 245, 8, 0},
    {MainId::totalBar, K::progressBar, nullptr, 7, 206, 245, 8, 0},
    {wxID_ANY, K::separator, nullptr, -4, 222, 321, 1, 0},
    {MainId::about, K::button, u"?", 7, 231, 17, 14, 0},
    {MainId::language, K::choice, nullptr, 52, 231, 98, 30, 0},
    {MainId::close, K::button, u"212", 255, 231, 55, 14, 0},
};
// clang-format on

const std::size_t mainDialogControlCount = std::size(mainDialogControls);
} // namespace Zenlo
