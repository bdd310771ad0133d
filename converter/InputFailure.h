// Why an input, an output or the run as a whole could not be converted, as the engine tells it.
#pragma once

#include <string>

#include "toolkit/WideString.h"

namespace Zenlo {

// Why an input was not converted completely.
enum class ZnFailureKind {
    InputUnreadable, // missing, locked, a folder, or a read that failed
    InputEmpty,      // a file of length 0, which gives no array unless placeholders are asked for
    InputIsOutput,   // the input is the very file this conversion writes
    OutputUnopenable,
    HeaderUnopenable,
    WriteFailed,      // full disk or I/O error while writing or closing an output
    InputNotRegular,  // a FIFO, device or socket: refused before it is opened for reading
    InputChanged,     // shortened, grown or rewritten by another program while it was read
    NameClash,        // two inputs give the same variable name in one output
    OutputClash,      // two inputs give the same output file
    InvalidName,      // the variable name is not a valid C identifier
    IndexKeyClash,    // two inputs would be found by the same path in the lookup table
    IndexOutputClash, // an input's own output is the file that holds the lookup table
    SizeTooWide,      // an object's size variable cannot hold the input's size
    ObjectTooLarge,   // the input would take an object past its format's 4 GiB
    OutputAlias,      // two outputs of the run are one file (a link, a hard link, another name)
    // The dependency file would name a path (name) make or ninja cannot read back.
    DependencyName,
    OutputInInputFolder, // an output inside a folder walked for inputs (otherPath)
};

// One input (or output) that failed, with the system's error code where there is one.
struct ZnInputFailure {
    WideString path;
    // The output concerned: the one that failed, the one the input is, or the one two inputs
    // clash in; empty otherwise.
    WideString outputPath;
    // For clashes: the other input concerned.
    WideString otherPath;
    // The name at fault: the variable or file name two inputs share, the name that is no
    // identifier, or the path two inputs are found by in the lookup table.
    WideString name;
    ZnFailureKind kind = ZnFailureKind::InputUnreadable;
    int systemError = 0;
    // Returns an English one-line reason, e.g. "cannot read the input: No such file or
    // directory".
    std::string reason() const;
};

} // namespace Zenlo
