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
#include "converter/InputFailure.h"
#include "converter/InputFile.h"
#include "converter/ObjectFile.h"
#include "converter/OutputFile.h"
#include "converter/RunPlan.h"
#include "converter/RunRequest.h"
#include "converter/Signal.h"
#include "toolkit/WideString.h"

namespace Zenlo {

// What a run put on disk, for its summary.
struct ZnRunTally {
    // The inputs of the plan, and those whose arrays are in an output put in place.
    std::uint32_t inputs = 0;
    std::uint32_t converted = 0;
    // The output files that could not be made, written or put in place.
    std::uint32_t failedOutputs = 0;
    // The plan had problems: nothing was tried.
    bool refused = false;
};

// Converts the inputs of a run request into one source file (or one per input) with an optional
// header, the text shaped by its options. The five notifications are emitted on the thread that
// runs the conversion.
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
    // The instant the banners show, asked once per input; local time now unless replaced.
    std::function<DateTime()> clock = localDateTimeNow;

    ZnFileConverter() = default;
    ZnFileConverter(const ZnFileConverter&) = delete;
    ZnFileConverter& operator=(const ZnFileConverter&) = delete;

    // The whole run of the request on the calling thread. The run is planned first (see
    // planRun): each problem of the plan is reported through inputFailed, then finished is
    // emitted and nothing is written. Otherwise totalBytes, each input's notifications and
    // finished; every failed input is reported and skipped.
    void run(const ZnRunRequest& request);
    // The same run of a plan made for the request and these options (planRun): what a dry run
    // lists is what this run writes.
    void run(const ZnRunRequest& request, const RunPlan& plan);
    // Clears stopRequested and abandonRequested and starts run on a new thread with its own copy
    // of the request; the caller owns the thread and joins it (after the finished notification).
    std::thread start(ZnRunRequest request);
    // What the last run (run or start) put on disk; read once it has finished.
    const ZnRunTally& tally() const { return tally_; }

    // A run of the paths in inputList, each followed by ";", with the request's other defaults.
    void convertAll(const WideString& inputList, const WideString& outputFolder,
                    const WideString& outputFileName, bool separateFiles, bool writeHeader);
    // Starts (as above) the run convertAll would make.
    std::thread start(WideString inputList, WideString outputFolder, WideString outputFileName,
                      bool separateFiles, bool writeHeader);
    // Appends one input's array to outputFolder + outputFileName (without append, replaces the
    // file, banner first) and, with writeHeader, its declarations to the header. The files
    // change only when the input was converted whole: a stop or any failure leaves them as they
    // were. Returns true when everything was written; false on a stop, an unreadable, changed or
    // empty input, an input that is one of the outputs or whose name is no identifier (nothing
    // is then written), or an output that cannot be written.
    bool convertFile(const WideString& inputPath, bool append, const WideString& outputFolder,
                     const WideString& outputFileName, bool writeHeader);
    // Appends the guard's closing line to the header of outputFileName (creating it when missing).
    // Returns false when the header cannot be written; it then stays as it was.
    bool closeHeader(const WideString& outputFolder, const WideString& outputFileName);

private:
    // The files of one output name while a run writes them: its source and header, the incbin
    // style's fallback file, or the object in place of the source.
    struct PendingOutput {
        PendingOutput(const WideString& outputFolder, const WideString& outputFileName,
                      ObjectFormat format = ObjectFormat::None);
        WideString sourceName;
        WideString sourcePath;
        WideString headerPath;
        // The incbin style's fallback file (see incbinFallbackName); empty name: none.
        WideString fallbackName;
        WideString fallbackPath;
        AtomicOutput source;
        AtomicOutput header;
        AtomicOutput fallback;
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
        // The inputs converted whole into it.
        std::uint32_t converted = 0;
        // The last input written into the files, named when closing them fails.
        WideString lastInput;
        // An open or write failed: nothing of this output will be committed.
        bool failed = false;
        // The path of one of the four files.
        const WideString& pathOf(const AtomicOutput& file) const {
            if (&file == &object) return objectPath;
            return &file == &source ? sourcePath : &file == &header ? headerPath : fallbackPath;
        }
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

    // The request of convertAll's arguments: each path in inputList, followed by ";", given by
    // itself; the other choices at their defaults.
    static ZnRunRequest listRequest(const WideString& inputList, const WideString& outputFolder,
                                    const WideString& outputFileName, bool separateFiles,
                                    bool writeHeader);
    // The inputs each into its own output, then the lookup table into its own.
    void convertSeparately(const ZnRunRequest& request, const RunPlan& plan, StagedFiles& staged);
    // Every input into the one output, the lookup table after the last.
    void convertTogether(const ZnRunRequest& request, const RunPlan& plan, StagedFiles& staged);
    // Writes one planned input's array (and declarations) into the output; reports a failure.
    Outcome convertInto(const PlannedInput& input, const ZnRunRequest& request,
                        PendingOutput& output);
    // Writes the request's lookup table of the inputs converted so far into the output.
    void writeIndex(const ZnRunRequest& request, PendingOutput& output);
    // Opens the source and, in the incbin style, its fallback file, unless they are open; reports
    // a failure.
    bool openSource(const WideString& inputPath, const ZnRunRequest& request,
                    PendingOutput& output);
    // Opens the input; reports and returns false when it cannot be converted.
    bool openInput(const WideString& inputPath, bool emptyAsArray, InputFile& input);
    // Starts a file of the output when it is not open yet; reports a failure.
    bool ensureOpen(AtomicOutput& file, const WideString& path, bool keepText,
                    const WideString& inputPath, ZnFailureKind kind, PendingOutput& output);
    // Appends text to the header, after its banner when one is given; failures name inputPath.
    bool appendToHeader(const WideString& inputPath, const DateTime* banner,
                        const std::string& text, PendingOutput& output);
    // Closes the header and stages the files of a complete output; drops an incomplete one.
    void stageOutput(PendingOutput& output, bool writeHeader, StagedFiles& staged);
    // Adds the plan's dependency file to the finished outputs. One that cannot be written drops
    // them all: the build would not know what they need.
    void stageDependencyFile(const RunPlan& plan, StagedFiles& staged);
    // Puts every staged file in place, or drops them all after an abandon.
    void commitStaged(StagedFiles& staged);
    // How writing an array's bytes ended: all written, stopped, or a write or a read failed.
    enum class BytesResult { Written, Stopped, WriteFailed, ReadFailed };
    // Writes the array's text and its passes over the input's bytes, in order, each piece into
    // the source or the fallback file.
    BytesResult writeArray(const StyledArray& array, InputFile& input, PendingOutput& output);
    // Writes the input's banner, heading and array in the request's style into the source (and
    // its fallback file).
    BytesResult writeSourceArray(const PlannedInput& planned, const WideString& name,
                                 const Banners& banners, const ZnRunRequest& request,
                                 InputFile& input, PendingOutput& output);
    // Opens the object (its header's room first) and refuses an input it has no room for.
    bool objectTakes(const WideString& inputPath, const WideString& variable, std::uint64_t size,
                     const ZnRunRequest& request, PendingOutput& output);
    // Writes the input's bytes into the object, aligned and terminated.
    BytesResult writeObjectArray(InputFile& input, const WideString& variable, OutputFile& out,
                                 ObjectWriter& writer);
    // Writes the input's bytes through one pass (number pass of passes), a block at a time.
    BytesResult writeBytes(InputFile& input, OutputFile& out, const BytePass& lines, int pass,
                           int passes);
    bool stopped() const { return stopRequested.load(std::memory_order_relaxed); }
    // Reports each problem of the plan. Returns true when it has any: the run must not start.
    bool refused(const RunPlan& plan);
    void fail(const WideString& path, ZnFailureKind kind, int systemError,
              const WideString& outputPath = {});

    // The entries of the lookup table, one per converted input of the current run.
    std::vector<IndexEntry> indexEntries_;
    ZnRunTally tally_;
    // The inputs each staged file carries, in the order staged: an output's first file carries
    // its inputs, the others none.
    std::vector<std::uint32_t> stagedInputs_;
};

} // namespace Zenlo
