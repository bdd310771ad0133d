// The run: which inputs go into which output files, in what order, with which notifications,
// and the lookup table at its end.
#include "converter/FileConverter.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "converter/ByteLines.h"
#include "converter/ByteStyles.h"
#include "converter/InputNames.h"
#include "converter/RunPlan.h"
#include "converter/VariableName.h"
#include "toolkit/FileSystem.h"
#include "toolkit/PathText.h"
#include "toolkit/TextEncoding.h"

using Zenlo::WideString;

std::string ZnInputFailure::reason() const {
    std::string detail;
    if (systemError) detail = ": " + Zenlo::systemErrorText(systemError);
    const std::string output = Zenlo::utf16ToUtf8(outputPath.view());
    const std::string other = Zenlo::utf16ToUtf8(otherPath.view());
    const std::string clash = Zenlo::utf16ToUtf8(clashName.view());
    switch (kind) {
    case ZnFailureKind::InputUnreadable:
        return "cannot read the input" + detail;
    case ZnFailureKind::InputEmpty:
        return "the input is empty, no array written";
    case ZnFailureKind::InputIsOutput:
        return "the input is an output file of this conversion (" + output + "), nothing written";
    case ZnFailureKind::OutputUnopenable:
        return "cannot open " + output + detail;
    case ZnFailureKind::HeaderUnopenable:
        return "cannot open the header " + output + detail;
    case ZnFailureKind::WriteFailed:
        return "cannot write " + output + detail;
    case ZnFailureKind::InputNotRegular:
        return "not a regular file";
    case ZnFailureKind::InputChanged:
        return "changed while it was read";
    case ZnFailureKind::NameClash:
        return "gives the variable name " + clash + " in " + output + ", as does " + other +
               "; nothing written";
    case ZnFailureKind::OutputClash:
        return "gives the output file " + output + ", as does " + other + "; nothing written";
    case ZnFailureKind::IndexKeyClash:
        return "is found by the path " + clash + " in the lookup table, as is " + other +
               "; nothing written";
    case ZnFailureKind::IndexOutputClash:
        return "gives the output file " + output +
               ", which holds the lookup table; nothing written";
    case ZnFailureKind::InvalidName:
        if (clash.empty()) return "gives an empty variable name; nothing written";
        return "gives the variable name " + clash +
               (clash[0] >= '0' && clash[0] <= '9' ? ", which starts with a digit"
                                                   : ", which cannot start an identifier") +
               " (set a name prefix); nothing written";
    }
    return "conversion failed";
}

bool ZnFileConverter::convertFile(const WideString& inputPath, int append,
                                  const WideString& outputFolder, const WideString& outputFileName,
                                  int writeHeader) {
    Zenlo::StringList inputs;
    inputs.add(inputPath);
    if (refusedByPlan(inputs, outputFolder, outputFileName, false, writeHeader != 0)) return false;
    PendingOutput output(outputFolder, outputFileName);
    output.appending = output.sourceStarted = output.headerStarted = append != 0;
    if (convertInto(inputPath, {}, writeHeader != 0, output) != Outcome::Converted) return false;
    Zenlo::StagedFiles staged;
    for (Zenlo::AtomicOutput* file : {&output.source, &output.header}) {
        if (!file->isOpen()) continue;
        Zenlo::StagedFile done;
        if (!file->finish(done)) {
            fail(inputPath, ZnFailureKind::WriteFailed, file->error(), output.sourcePath);
            return false;
        }
        staged.add(std::move(done));
    }
    commitStaged(staged);
    return true;
}

bool ZnFileConverter::closeHeader(const WideString& outputFolder,
                                  const WideString& outputFileName) {
    const WideString name = Zenlo::headerFileName(Zenlo::stripLongPathPrefix(outputFileName));
    Zenlo::AtomicOutput header;
    if (!header.begin(outputFolder + name, true)) return false;
    header.file().write(Zenlo::headerClosing(name));
    Zenlo::StagedFile done;
    Zenlo::StagedFiles staged;
    if (header.finish(done)) {
        staged.add(std::move(done));
        commitStaged(staged);
        return true;
    }
    fail(outputFolder + name, ZnFailureKind::WriteFailed, header.error(), outputFolder + name);
    return false;
}

void ZnFileConverter::convertAll(const WideString& inputList, const WideString& outputFolder,
                                 const WideString& outputFileName, const int& separateFiles,
                                 const int& writeHeader) {
    Zenlo::StringList inputs;
    inputList.splitString(u';', inputs);
    convertAll(inputs, outputFolder, outputFileName, separateFiles, writeHeader);
}

void ZnFileConverter::convertAll(const Zenlo::StringList& inputs, const WideString& outputFolder,
                                 const WideString& outputFileName, int separateFiles,
                                 int writeHeader) {
    if (refusedByPlan(inputs, outputFolder, outputFileName, separateFiles != 0, writeHeader != 0)) {
        finished();
        return;
    }
    std::uint64_t total = 0;
    for (const WideString& input : inputs) {
        std::uint64_t size = Zenlo::fileSize(input);
        if (size != Zenlo::noSize) total += size;
    }
    totalBytes(total);
    const bool withHeader = writeHeader != 0;
    // Every finished file waits under its temporary name until the run ends, so an abandoned run
    // changes nothing on disk.
    Zenlo::StagedFiles staged;
    indexEntries_.clear();
    const bool withIndex = !indexName.empty();
    if (separateFiles) {
        for (Zenlo::StringList::Size i = 0; i < inputs.count(); ++i) {
            if (stopped()) break;
            PendingOutput output(outputFolder, Zenlo::inputOutputName(inputs[i], folderNameAt(i)));
            if (convertInto(inputs[i], folderNameAt(i), withHeader, output) == Outcome::Converted)
                stageOutput(output, withHeader, staged);
        }
        if (withIndex && !stopped()) {
            PendingOutput output(outputFolder, outputFileName);
            writeIndex(withHeader, true, output);
            stageOutput(output, withHeader, staged);
        }
    } else {
        PendingOutput output(outputFolder, outputFileName);
        for (Zenlo::StringList::Size i = 0; i < inputs.count() && !output.failed; ++i) {
            if (i > 0 && stopped()) break;
            convertInto(inputs[i], folderNameAt(i), withHeader, output);
        }
        // An empty table for no inputs (an empty folder); none where every input failed, so the
        // previous output stays.
        if (withIndex && (output.sourceStarted || inputs.isEmpty()) && !stopped())
            writeIndex(withHeader, false, output);
        stageOutput(output, withHeader, staged);
    }
    commitStaged(staged);
    finished();
}

std::thread ZnFileConverter::start(WideString inputList, WideString outputFolder,
                                   WideString outputFileName, int separateFiles, int writeHeader) {
    stopRequested.store(0, std::memory_order_relaxed);
    abandonRequested.store(0, std::memory_order_relaxed);
    return std::thread([this, inputList = std::move(inputList),
                        outputFolder = std::move(outputFolder),
                        outputFileName = std::move(outputFileName), separateFiles, writeHeader] {
        convertAll(inputList, outputFolder, outputFileName, separateFiles, writeHeader);
    });
}

ZnFileConverter::PendingOutput::PendingOutput(const WideString& outputFolder,
                                              const WideString& outputFileName)
    : sourceName(outputFileName), sourcePath(outputFolder + outputFileName),
      headerPath(outputFolder + Zenlo::headerFileName(Zenlo::stripLongPathPrefix(outputFileName))) {
}

WideString ZnFileConverter::folderNameAt(Zenlo::StringList::Size position) const {
    return position < inputNames.count() ? inputNames[position] : WideString();
}

ZnFileConverter::Outcome ZnFileConverter::convertInto(const WideString& inputPath,
                                                      const WideString& folderName,
                                                      bool writeHeader, PendingOutput& output) {
    Zenlo::InputFile input;
    if (!openInput(inputPath, input)) return Outcome::Skipped;
    if (!ensureOpen(output.source, output.sourcePath, output.appending, inputPath,
                    ZnFailureKind::OutputUnopenable, output))
        return Outcome::Skipped;
    const WideString name = Zenlo::inputName(inputPath, folderName);
    const WideString variable = Zenlo::inputVariableName(inputPath, folderName, options);
    const bool sourceBanner = !output.sourceStarted;
    const bool headerBanner = writeHeader && !output.headerStarted;
    Zenlo::DateTime when;
    if (sourceBanner || headerBanner) when = clock ? clock() : Zenlo::localDateTimeNow();
    fileStarted(name, input.size());

    // An input cut short leaves nothing behind: the file goes back to this length.
    Zenlo::OutputFile& source = output.source.file();
    const std::uint64_t mark = source.position();
    if (sourceBanner)
        source.write(Zenlo::sourceBanner(output.sourceName, when, options, writeHeader));
    source.write(Zenlo::sourceHeading(name, variable, input.size(), options));
    const Zenlo::StyledArray array(options, byteStyle,
                                   {variable, input.size(), inputPath,
                                    Zenlo::folderPart(output.sourcePath), output.sourceName});
    const BytesResult bytes = writeArray(array, input, source);
    if (source.failed() || bytes == BytesResult::WriteFailed) {
        fail(inputPath, ZnFailureKind::WriteFailed, source.error(), output.sourcePath);
        output.failed = true;
        return Outcome::Skipped;
    }
    if (bytes != BytesResult::Written) {
        source.rewindTo(mark);
        if (bytes == BytesResult::Stopped) return Outcome::Stopped;
        const int error = input.error();
        fail(inputPath,
             error == Zenlo::changedWhileReadError ? ZnFailureKind::InputChanged
                                                   : ZnFailureKind::InputUnreadable,
             error == Zenlo::changedWhileReadError ? 0 : error);
        return Outcome::Skipped;
    }
    if (writeHeader &&
        !appendDeclarations(inputPath, headerBanner ? &when : nullptr, name, variable, output))
        return Outcome::Skipped;
    output.sourceStarted = true;
    output.lastInput = inputPath;
    indexEntries_.push_back({Zenlo::indexKey(inputPath, folderName), variable, input.size()});
    fileFinished(name);
    return Outcome::Converted;
}

void ZnFileConverter::writeIndex(bool writeHeader, bool separate, PendingOutput& output) {
    if (output.failed) return;
    std::vector<Zenlo::IndexEntry> entries = indexEntries_;
    std::string sharedKey;
    // Keys that two inputs share are refused before a run starts; the order is what matters here.
    Zenlo::sortIndexEntries(entries, sharedKey);
    const bool sourceBanner = !output.sourceStarted;
    const bool headerBanner = writeHeader && !output.headerStarted;
    Zenlo::DateTime when;
    if (sourceBanner || headerBanner) when = clock ? clock() : Zenlo::localDateTimeNow();

    if (!ensureOpen(output.source, output.sourcePath, output.appending, output.sourcePath,
                    ZnFailureKind::OutputUnopenable, output))
        return;
    Zenlo::OutputFile& source = output.source.file();
    if (sourceBanner) source.write(Zenlo::sourceBanner(output.sourceName, when, options));
    source.write(Zenlo::indexDefinitions(indexName, entries, options, separate));
    output.sourceStarted = true;
    if (output.lastInput.isEmpty()) output.lastInput = output.sourcePath;
    if (source.failed()) {
        fail(output.sourcePath, ZnFailureKind::WriteFailed, source.error(), output.sourcePath);
        output.failed = true;
        return;
    }
    if (!writeHeader ||
        !ensureOpen(output.header, output.headerPath, output.appending, output.sourcePath,
                    ZnFailureKind::HeaderUnopenable, output))
        return;
    Zenlo::OutputFile& header = output.header.file();
    if (headerBanner)
        header.write(Zenlo::headerBanner(Zenlo::fileNamePart(output.headerPath), when, options));
    header.write(Zenlo::indexDeclarations(indexName, options));
    output.headerStarted = true;
    if (!header.failed()) return;
    fail(output.sourcePath, ZnFailureKind::WriteFailed, header.error(), output.headerPath);
    output.failed = true;
}

bool ZnFileConverter::openInput(const WideString& inputPath, Zenlo::InputFile& input) {
    if (!input.open(inputPath)) {
        const int error = input.error();
        if (error == Zenlo::notRegularFileError)
            fail(inputPath, ZnFailureKind::InputNotRegular, 0);
        else
            fail(inputPath, ZnFailureKind::InputUnreadable, error);
        return false;
    }
    if (input.size() == 0 && !emptyInputsAsArrays) {
        fail(inputPath, ZnFailureKind::InputEmpty, 0);
        return false;
    }
    return true;
}

bool ZnFileConverter::ensureOpen(Zenlo::AtomicOutput& file, const WideString& path, bool keepText,
                                 const WideString& inputPath, ZnFailureKind kind,
                                 PendingOutput& output) {
    if (file.isOpen()) return true;
    if (file.begin(path, keepText)) return true;
    fail(inputPath, kind, file.error(), path);
    output.failed = true;
    return false;
}

bool ZnFileConverter::appendDeclarations(const WideString& inputPath, const Zenlo::DateTime* banner,
                                         const WideString& name, const WideString& variable,
                                         PendingOutput& output) {
    if (!ensureOpen(output.header, output.headerPath, output.appending, inputPath,
                    ZnFailureKind::HeaderUnopenable, output))
        return false;
    Zenlo::OutputFile& header = output.header.file();
    if (banner)
        header.write(Zenlo::headerBanner(Zenlo::fileNamePart(output.headerPath), *banner, options));
    header.write(Zenlo::headerDeclarations(name, variable, options));
    output.headerStarted = true;
    if (!header.failed()) return true;
    fail(inputPath, ZnFailureKind::WriteFailed, header.error(), output.headerPath);
    output.failed = true;
    return false;
}

void ZnFileConverter::stageOutput(PendingOutput& output, bool writeHeader,
                                  Zenlo::StagedFiles& staged) {
    // An output none of whose inputs was converted whole is not written at all.
    if (output.failed || !output.sourceStarted) return;
    if (writeHeader && output.header.isOpen())
        output.header.file().write(Zenlo::headerClosing(Zenlo::fileNamePart(output.headerPath)));
    Zenlo::StagedFile source, header;
    if (!output.source.finish(source)) {
        fail(output.lastInput, ZnFailureKind::WriteFailed, output.source.error(),
             output.sourcePath);
        return;
    }
    if (writeHeader && !output.header.finish(header)) {
        fail(output.lastInput, ZnFailureKind::WriteFailed, output.header.error(),
             output.headerPath);
        return;
    }
    staged.add(std::move(source));
    if (header.isStaged()) staged.add(std::move(header));
}

void ZnFileConverter::commitStaged(Zenlo::StagedFiles& staged) {
    if (abandonRequested.load(std::memory_order_relaxed)) return staged.discardAll();
    staged.commitAll([this](const Zenlo::StagedFile& file, Zenlo::CommitResult result) {
        const WideString path = Zenlo::fromPath(file.target());
        if (result == Zenlo::CommitResult::Failed)
            fail(path, ZnFailureKind::WriteFailed, file.error(), path);
        else
            outputCommitted(path, result == Zenlo::CommitResult::Replaced);
    });
}

ZnFileConverter::BytesResult ZnFileConverter::writeArray(const Zenlo::StyledArray& array,
                                                         Zenlo::InputFile& input,
                                                         Zenlo::OutputFile& out) {
    const int passes = array.passCount();
    int pass = 0;
    for (const Zenlo::StyledArray::Piece& piece : array.pieces()) {
        if (!piece.pass) {
            out.write(piece.text);
            continue;
        }
        const BytesResult result = writeBytes(input, out, *piece.pass, pass++, passes);
        if (result != BytesResult::Written) return result;
    }
    return out.failed() ? BytesResult::WriteFailed : BytesResult::Written;
}

ZnFileConverter::BytesResult ZnFileConverter::writeBytes(Zenlo::InputFile& input,
                                                         Zenlo::OutputFile& out,
                                                         const Zenlo::BytePass& lines, int pass,
                                                         int passes) {
    if (input.size() == 0) {
        lines.writeEmpty(out);
        return out.failed() ? BytesResult::WriteFailed : BytesResult::Written;
    }
    // Bytes are read a good many blocks at a time: one system call per 64 blocks.
    constexpr std::size_t readSize = 64 * Zenlo::byteBlockSize;
    const std::size_t bufferSize =
        static_cast<std::size_t>(std::min<std::uint64_t>(input.size(), readSize));
    std::unique_ptr<std::uint8_t[]> buffer(new std::uint8_t[bufferSize]);
    std::uint64_t done = 0;
    while (done < input.size()) {
        const std::size_t chunk =
            static_cast<std::size_t>(std::min<std::uint64_t>(input.size() - done, bufferSize));
        if (!input.read(done, buffer.get(), chunk)) return BytesResult::ReadFailed;
        for (std::size_t offset = 0; offset < chunk; offset += Zenlo::byteBlockSize) {
            const std::size_t count = std::min(chunk - offset, Zenlo::byteBlockSize);
            const bool last = done + offset + count == input.size();
            // Each pass tells its share of the block, so the passes together tell it once.
            progress(count * (pass + 1) / passes - count * pass / passes);
            if (!lines.writeBlock(buffer.get() + offset, count, last, out, stopRequested))
                return BytesResult::Stopped;
            if (out.failed()) return BytesResult::WriteFailed;
        }
        done += chunk;
    }
    // Bytes that another program rewrote while they were read would make a wrong array.
    return input.unchanged() ? BytesResult::Written : BytesResult::ReadFailed;
}

bool ZnFileConverter::refusedByPlan(const Zenlo::StringList& inputs, const WideString& outputFolder,
                                    const WideString& outputFileName, bool separateFiles,
                                    bool writeHeader) {
    const Zenlo::RunPlan plan =
        Zenlo::planRun(inputs, outputFolder, outputFileName, separateFiles, writeHeader, options,
                       inputNames, !indexName.empty());
    for (const ZnInputFailure& problem : plan.problems)
        inputFailed(problem);
    return !plan.problems.empty();
}

void ZnFileConverter::fail(const WideString& path, ZnFailureKind kind, int systemError,
                           const WideString& outputPath) {
    ZnInputFailure failure;
    failure.path = path;
    failure.outputPath = outputPath;
    failure.kind = kind;
    failure.systemError = systemError;
    inputFailed(failure);
}
