// The conversion engine: options, notifications, and the run that writes the generated files.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "converter/AtomicOutput.h"
#include "converter/ByteStyles.h"
#include "converter/ConversionOptions.h"
#include "converter/GeneratedText.h"
#include "converter/IndexText.h"
#include "converter/InputFile.h"
#include "converter/ObjectFile.h"
#include "converter/OutputFile.h"
#include "converter/Signal.h"
#include "toolkit/WideString.h"

namespace Zenlo {

// Why an input was not converted completely.
enum class ZnFailureKind {
    InputUnreadable, // missing, locked, not a regular file, or not mappable
    InputEmpty,      // a file of length 0 has no bytes to map
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
};

// One input (or output) that failed, with the system's error code where there is one.
struct ZnInputFailure {
    WideString path;
    // The output concerned, for the output and write failures; empty otherwise.
    WideString outputPath;
    // For clashes: the other input concerned and the clashing variable or file name.
    WideString otherPath;
    WideString clashName;
    ZnFailureKind kind = ZnFailureKind::InputUnreadable;
    int systemError = 0;
    // An English one-line reason, e.g. "cannot read the input: No such file or directory".
    std::string reason() const;
};

// Converts inputs into one source file (or one per input) with an optional header, as its options
// say. The five notifications are emitted on the thread that runs the conversion.
class ZnFileConverter {
public:
    // What shapes the generated text; read by a run, so not changed while one is going.
    ZnConversionOptions options;
    Signal<std::uint64_t> totalBytes;
    Signal<const WideString&, std::uint64_t> fileStarted;
    Signal<std::uint64_t> progress;
    Signal<const WideString&> fileFinished;
    Signal<> finished;
    // Asks a running conversion to stop before its next byte or input. What was complete by
    // then is committed: every input converted whole, none of the one cut short.
    std::atomic<bool> stopRequested{false};
    // Together with stopRequested, ends the run without committing anything: every
    // output keeps what it held before the run and no temporary file stays. Stores to both are
    // lock-free, so a signal handler may make them.
    std::atomic<bool> abandonRequested{false};
    // Beyond the five: every input (or header) that could not be converted, with the reason.
    Signal<const ZnInputFailure&> inputFailed;
    // Every output file put in place at the end of a run (changed true), or found to hold the
    // same bytes already and left untouched, times included (changed false).
    Signal<const WideString&, bool> outputCommitted;
    // When set, an input of length 0 becomes a size of 0 and an array holding one placeholder
    // element (C has no empty arrays) instead of being skipped as unreadable.
    bool emptyInputsAsArrays = false;
    // How the bytes are written: array, string or #embed text, alignment and terminator.
    ByteStyleOptions byteStyle;
    // Names of the run's inputs by their position in the list, for inputs found below a folder
    // ("textures/stone.png"): they give the variable, the heading and the lookup key. An input
    // with an empty name (or beyond the list) is named by its file name and found by its path.
    StringList inputNames;
    // When not empty, the run also writes the lookup table of this name (an identifier) over
    // every converted input: after the last array in one-output mode, alone in outputFileName
    // (and its header) in separate-files mode.
    std::string indexName;
    // When it names a format, each output's arrays go into an object file (the output name
    // with .obj or .o) instead of its source; the header stays, its declarations with C linkage,
    // and the lookup table is the output's source (it refers to the objects' symbols). The
    // options must pass objectOptionsProblem. Only whole runs (convertAll) write objects.
    ObjectOptions object;
    // The instant the banners show, asked once per input; local time now unless replaced.
    std::function<DateTime()> clock = localDateTimeNow;

    ZnFileConverter() = default;
    ZnFileConverter(const ZnFileConverter&) = delete;
    ZnFileConverter& operator=(const ZnFileConverter&) = delete;

    // Appends one input's array to outputFolder + outputFileName (replaced unless append, which
    // also writes the banner) and, with writeHeader, its declarations to the header. The files
    // change only when the input was converted whole: a stop or any failure leaves them as they
    // were. Returns true when everything was written; false on a stop, an unreadable, changed or
    // empty input, an input that is one of the outputs or whose name is no identifier (nothing
    // is then written), or an output that cannot be written.
    // Empty inputs: see emptyInputsAsArrays.
    bool convertFile(const WideString& inputPath, bool append, const WideString& outputFolder,
                     const WideString& outputFileName, bool writeHeader);
    // Appends the guard's closing line to the header of outputFileName (creating it when missing).
    // Returns false when the header cannot be written; it then stays as it was.
    bool closeHeader(const WideString& outputFolder, const WideString& outputFileName);

    // The whole run on the calling thread: inputList holds paths each followed by ";". The run is
    // planned first: an input that is one of its outputs, a name that is no identifier, or two
    // inputs sharing a variable name (one output) or an output file (separate files) are each
    // reported through inputFailed, then finished is emitted and nothing is written.
    void convertAll(const WideString& inputList, const WideString& outputFolder,
                    const WideString& outputFileName, bool separateFiles, bool writeHeader);
    // The same run over a list of paths (paths may then hold ";").
    void convertAll(const StringList& inputs, const WideString& outputFolder,
                    const WideString& outputFileName, bool separateFiles, bool writeHeader);
    // Clears stopRequested and starts convertAll on a new thread with its own copies of the
    // arguments; the caller owns the thread and joins it (after the finished notification).
    std::thread start(WideString inputList, WideString outputFolder, WideString outputFileName,
                      bool separateFiles, bool writeHeader);

private:
    // The source file and header of one output name while a run writes them.
    struct PendingOutput {
        PendingOutput(const WideString& outputFolder, const WideString& outputFileName,
                      ObjectFormat format = ObjectFormat::None);
        WideString sourceName;
        WideString sourcePath;
        WideString headerPath;
        AtomicOutput source;
        AtomicOutput header;
        // Set once the banner and a whole input are in the file.
        bool sourceStarted = false;
        bool headerStarted = false;
        // The text of the files the output replaces is kept in front (convertFile's append).
        bool appending = false;
        // With an object format, the arrays go into this file instead of the source.
        ObjectFormat objectFormat;
        WideString objectPath;
        AtomicOutput object;
        std::unique_ptr<ObjectWriter> objectWriter;
        // Set once a whole input is in the object.
        bool objectStarted = false;
        // The last input written into the files, named when closing them fails.
        WideString lastInput;
        // An open or write failed: nothing of this output will be committed.
        bool failed = false;
    };
    enum class Outcome { Converted, Skipped, Stopped };
    // The banners a piece written into the output still owes: the source's until it has one, the
    // header's likewise when a header is written, and the instant they show (the clock is asked
    // only when one is owed).
    struct Banners {
        bool source = false;
        bool header = false;
        DateTime when;
    };
    Banners bannersOwed(const PendingOutput& output, bool writeHeader) const;

    // folderName: the input's name below a folder, empty for an input given by itself.
    Outcome convertInto(const WideString& inputPath, const WideString& folderName, bool writeHeader,
                        PendingOutput& output);
    // The name below a folder of the input at this position of the run's list.
    WideString folderNameAt(StringList::Size position) const;
    // Writes the lookup table of the inputs converted so far (see indexName) into the output;
    // separate says the arrays live in other sources.
    void writeIndex(bool writeHeader, bool separate, PendingOutput& output);
    // Opens the input; reports and returns false when it cannot be converted.
    bool openInput(const WideString& inputPath, InputFile& input);
    // Starts a file of the output when it is not open yet; reports a failure.
    bool ensureOpen(AtomicOutput& file, const WideString& path, bool keepText,
                    const WideString& inputPath, ZnFailureKind kind, PendingOutput& output);
    // Appends text to the header, after its banner when one is given; failures name inputPath.
    bool appendToHeader(const WideString& inputPath, const DateTime* banner,
                        const std::string& text, PendingOutput& output);
    // Closes the header and stages both files of a complete output; drops an incomplete one.
    void stageOutput(PendingOutput& output, bool writeHeader, StagedFiles& staged);
    // Puts every staged file in place, or drops them all after an abandon.
    void commitStaged(StagedFiles& staged);
    // Writes the input's bytes as element lines, one block at a time.
    enum class BytesResult { Written, Stopped, WriteFailed, ReadFailed };
    // Writes the array's text and its passes over the input's bytes, in order.
    BytesResult writeArray(const StyledArray& array, InputFile& input, OutputFile& out);
    // Opens the object (its header's room first) and refuses an input it has no room for.
    bool objectTakes(const WideString& inputPath, const WideString& variable, std::uint64_t size,
                     PendingOutput& output);
    // Writes the input's bytes into the object, aligned and terminated.
    BytesResult writeObjectArray(InputFile& input, const WideString& variable, OutputFile& out,
                                 ObjectWriter& writer);
    // Writes the input's bytes through one pass (number pass of passes), a block at a time.
    BytesResult writeBytes(InputFile& input, OutputFile& out, const BytePass& lines, int pass,
                           int passes);
    bool stopped() const { return stopRequested.load(std::memory_order_relaxed); }
    // Plans the run and reports each of its problems. Returns true when the run must not start.
    bool refusedByPlan(const StringList& inputs, const WideString& outputFolder,
                       const WideString& outputFileName, bool separateFiles, bool writeHeader);
    void fail(const WideString& path, ZnFailureKind kind, int systemError,
              const WideString& outputPath = {});

    // The entries of the lookup table, one per converted input of the current run.
    std::vector<IndexEntry> indexEntries_;
};

} // namespace Zenlo
