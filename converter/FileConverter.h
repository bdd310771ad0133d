// The conversion engine: options, notifications, and the run that writes the generated files.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

#include "converter/GeneratedText.h"
#include "converter/MappedFile.h"
#include "converter/OutputFile.h"
#include "converter/Signal.h"
#include "settings/ConversionOptions.h"
#include "toolkit/WideString.h"

// Why an input was not converted completely.
enum class ZnFailureKind {
    InputUnreadable, // missing, locked, not a regular file, or not mappable
    InputEmpty,      // a file of length 0 has no bytes to map
    InputIsOutput,   // the input is the very file this conversion writes
    OutputUnopenable,
    HeaderUnopenable,
    WriteFailed, // full disk or I/O error while writing or closing an output
};

// One input (or output) that failed, with the system's error code where there is one.
struct ZnInputFailure {
    Zenlo::WideString path;
    // The output concerned, for the output and write failures; empty otherwise.
    Zenlo::WideString outputPath;
    ZnFailureKind kind = ZnFailureKind::InputUnreadable;
    int systemError = 0;
    // An English one-line reason, e.g. "cannot read the input: No such file or directory".
    std::string reason() const;
};

// Holds the conversion options and converts inputs into one source file (or one per input) with
// an optional header. The five notifications are emitted on the thread that runs the conversion.
class ZnFileConverter : public ZnConversionOptions {
public:
    Zenlo::Signal<std::uint64_t> totalBytes;
    Zenlo::Signal<const Zenlo::WideString&, std::uint64_t> fileStarted;
    Zenlo::Signal<std::uint64_t> progress;
    Zenlo::Signal<const Zenlo::WideString&> fileFinished;
    Zenlo::Signal<> finished;
    // Nonzero asks a running conversion to stop before its next byte or input.
    std::atomic<int> stopRequested{0};
    // Beyond the five: every input (or header) that could not be converted, with the reason.
    Zenlo::Signal<const ZnInputFailure&> inputFailed;
    // When set, an input of length 0 becomes a size of 0 and an array holding one placeholder
    // element (C has no empty arrays) instead of being skipped as unreadable.
    bool emptyInputsAsArrays = false;
    // The instant the banners show, asked once per input; local time now unless replaced.
    std::function<Zenlo::DateTime()> clock = Zenlo::localDateTimeNow;

    ZnFileConverter() = default;
    ZnFileConverter(const ZnFileConverter&) = delete;
    ZnFileConverter& operator=(const ZnFileConverter&) = delete;

    // Appends one input's array to outputFolder + outputFileName (emptied first when append is
    // 0, which also writes the banner) and, with writeHeader, its declarations to the header.
    // Returns true when everything was written; false on a stop, an unreadable or empty input, an
    // input that is one of the outputs, or an output that cannot be opened or written. An input
    // that cannot be read leaves the outputs untouched. Empty inputs: see emptyInputsAsArrays.
    bool convertFile(const Zenlo::WideString& inputPath, int append,
                     const Zenlo::WideString& outputFolder, const Zenlo::WideString& outputFileName,
                     int writeHeader);
    // Appends the guard's closing line to the header of outputFileName (creating it when missing).
    // Returns false when the header cannot be opened or written.
    bool closeHeader(const Zenlo::WideString& outputFolder,
                     const Zenlo::WideString& outputFileName);

    // The whole run on the calling thread: inputList holds paths each followed by ";".
    void convertAll(const Zenlo::WideString& inputList, const Zenlo::WideString& outputFolder,
                    const Zenlo::WideString& outputFileName, const int& separateFiles,
                    const int& writeHeader);
    // The same run over a list of paths (paths may then hold ";").
    void convertAll(const Zenlo::StringList& inputs, const Zenlo::WideString& outputFolder,
                    const Zenlo::WideString& outputFileName, int separateFiles, int writeHeader);
    // Clears stopRequested and starts convertAll on a new thread with its own copies of the
    // arguments; the caller owns the thread and joins it (after the finished notification).
    std::thread start(Zenlo::WideString inputList, Zenlo::WideString outputFolder,
                      Zenlo::WideString outputFileName, int separateFiles, int writeHeader);

private:
    // What an output file has received so far within one run.
    struct OutputState {
        bool sourceStarted = false;
        bool headerStarted = false;
    };
    enum class Outcome { Converted, Untouched, Partial };

    Outcome convertInto(const Zenlo::WideString& inputPath, const Zenlo::WideString& outputFolder,
                        const Zenlo::WideString& outputFileName, bool writeHeader,
                        OutputState& state);
    // Appends one input's declarations to the header, after its banner when one is given.
    bool appendDeclarations(const Zenlo::WideString& inputPath, const Zenlo::WideString& headerPath,
                            const Zenlo::DateTime* banner, const Zenlo::WideString& name,
                            const Zenlo::WideString& variable, OutputState& state);
    // Writes the input's bytes as element lines, one block at a time.
    enum class BytesResult { Written, Stopped, WriteFailed };
    BytesResult writeBytes(Zenlo::MappedFile& input, Zenlo::OutputFile& out);
    void fail(const Zenlo::WideString& path, ZnFailureKind kind, int systemError,
              const Zenlo::WideString& outputPath = {});
};
