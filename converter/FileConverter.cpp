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

namespace Zenlo {

std::string ZnInputFailure::reason() const {
    std::string detail;
    if (systemError) detail = ": " + systemErrorText(systemError);
    const std::string output = shownText(outputPath.view());
    const std::string other = shownText(otherPath.view());
    const std::string clash = shownText(clashName.view());
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

bool ZnFileConverter::convertFile(const WideString& inputPath, bool append,
                                  const WideString& outputFolder, const WideString& outputFileName,
                                  bool writeHeader) {
    StringList inputs;
    inputs.add(inputPath);
    if (refusedByPlan(inputs, outputFolder, outputFileName, false, writeHeader)) return false;
    PendingOutput output(outputFolder, outputFileName);
    output.appending = output.sourceStarted = output.headerStarted = append;
    if (convertInto(inputPath, {}, writeHeader, output) != Outcome::Converted) return false;
    StagedFiles staged;
    for (AtomicOutput* file : {&output.source, &output.header}) {
        if (!file->isOpen()) continue;
        StagedFile done;
        if (!file->finish(done)) {
            const WideString& path = file == &output.source ? output.sourcePath : output.headerPath;
            fail(inputPath, ZnFailureKind::WriteFailed, file->error(), path);
            return false;
        }
        staged.add(std::move(done));
    }
    commitStaged(staged);
    return true;
}

bool ZnFileConverter::closeHeader(const WideString& outputFolder,
                                  const WideString& outputFileName) {
    const WideString name = headerFileName(stripLongPathPrefix(outputFileName));
    AtomicOutput header;
    if (!header.begin(outputFolder + name, true)) return false;
    header.file().write(headerClosing(name));
    StagedFile done;
    StagedFiles staged;
    if (header.finish(done)) {
        staged.add(std::move(done));
        commitStaged(staged);
        return true;
    }
    fail(outputFolder + name, ZnFailureKind::WriteFailed, header.error(), outputFolder + name);
    return false;
}

void ZnFileConverter::convertAll(const WideString& inputList, const WideString& outputFolder,
                                 const WideString& outputFileName, bool separateFiles,
                                 bool writeHeader) {
    StringList inputs;
    inputList.splitString(u';', inputs);
    convertAll(inputs, outputFolder, outputFileName, separateFiles, writeHeader);
}

void ZnFileConverter::convertAll(const StringList& inputs, const WideString& outputFolder,
                                 const WideString& outputFileName, bool separateFiles,
                                 bool writeHeader) {
    if (refusedByPlan(inputs, outputFolder, outputFileName, separateFiles, writeHeader)) {
        finished();
        return;
    }
    std::uint64_t total = 0;
    for (const WideString& input : inputs) {
        std::uint64_t size = fileSize(input);
        if (size != noSize) total += size;
    }
    totalBytes(total);
    // Every finished file waits under its temporary name until the run ends, so an abandoned run
    // changes nothing on disk.
    StagedFiles staged;
    indexEntries_.clear();
    const bool withIndex = !indexName.empty();
    if (separateFiles) {
        for (StringList::Size i = 0; i < inputs.count(); ++i) {
            if (stopped()) break;
            PendingOutput output(outputFolder, inputOutputName(inputs[i], folderNameAt(i)));
            if (convertInto(inputs[i], folderNameAt(i), writeHeader, output) == Outcome::Converted)
                stageOutput(output, writeHeader, staged);
        }
        if (withIndex && !stopped()) {
            PendingOutput output(outputFolder, outputFileName);
            writeIndex(writeHeader, true, output);
            stageOutput(output, writeHeader, staged);
        }
    } else {
        PendingOutput output(outputFolder, outputFileName);
        for (StringList::Size i = 0; i < inputs.count() && !output.failed; ++i) {
            if (i > 0 && stopped()) break;
            convertInto(inputs[i], folderNameAt(i), writeHeader, output);
        }
        // An empty table for no inputs (an empty folder); none where every input failed, so the
        // previous output stays.
        if (withIndex && (output.sourceStarted || inputs.isEmpty()) && !stopped())
            writeIndex(writeHeader, false, output);
        stageOutput(output, writeHeader, staged);
    }
    commitStaged(staged);
    finished();
}

std::thread ZnFileConverter::start(WideString inputList, WideString outputFolder,
                                   WideString outputFileName, bool separateFiles,
                                   bool writeHeader) {
    stopRequested.store(false, std::memory_order_relaxed);
    abandonRequested.store(false, std::memory_order_relaxed);
    return std::thread([this, inputList = std::move(inputList),
                        outputFolder = std::move(outputFolder),
                        outputFileName = std::move(outputFileName), separateFiles, writeHeader] {
        convertAll(inputList, outputFolder, outputFileName, separateFiles, writeHeader);
    });
}

ZnFileConverter::PendingOutput::PendingOutput(const WideString& outputFolder,
                                              const WideString& outputFileName)
    : sourceName(outputFileName), sourcePath(outputFolder + outputFileName),
      headerPath(outputFolder + headerFileName(stripLongPathPrefix(outputFileName))) {}

WideString ZnFileConverter::folderNameAt(StringList::Size position) const {
    return position < inputNames.count() ? inputNames[position] : WideString();
}

ZnFileConverter::Outcome ZnFileConverter::convertInto(const WideString& inputPath,
                                                      const WideString& folderName,
                                                      bool writeHeader, PendingOutput& output) {
    InputFile input;
    if (!openInput(inputPath, input)) return Outcome::Skipped;
    if (!ensureOpen(output.source, output.sourcePath, output.appending, inputPath,
                    ZnFailureKind::OutputUnopenable, output))
        return Outcome::Skipped;
    const WideString name = inputName(inputPath, folderName);
    const WideString variable = inputVariableName(inputPath, folderName, options);
    const Banners banners = bannersOwed(output, writeHeader);
    fileStarted(name, input.size());

    // An input cut short leaves nothing behind: the file goes back to this length.
    OutputFile& source = output.source.file();
    const std::uint64_t mark = source.position();
    if (banners.source)
        source.write(Zenlo::sourceBanner(output.sourceName, banners.when, options, writeHeader));
    source.write(sourceHeading(name, variable, input.size(), options));
    const StyledArray array(
        options, byteStyle,
        {variable, input.size(), inputPath, folderPart(output.sourcePath), output.sourceName});
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
             error == changedWhileReadError ? ZnFailureKind::InputChanged
                                            : ZnFailureKind::InputUnreadable,
             error == changedWhileReadError ? 0 : error);
        return Outcome::Skipped;
    }
    if (writeHeader && !appendToHeader(inputPath, banners.header ? &banners.when : nullptr,
                                       headerDeclarations(name, variable, options), output))
        return Outcome::Skipped;
    output.sourceStarted = true;
    output.lastInput = inputPath;
    indexEntries_.push_back({indexKey(inputPath, folderName), variable, input.size()});
    fileFinished(name);
    return Outcome::Converted;
}

void ZnFileConverter::writeIndex(bool writeHeader, bool separate, PendingOutput& output) {
    if (output.failed) return;
    std::vector<IndexEntry> entries = indexEntries_;
    std::string sharedKey;
    // Keys that two inputs share are refused before a run starts; the order is what matters here.
    sortIndexEntries(entries, sharedKey);
    const Banners banners = bannersOwed(output, writeHeader);

    if (!ensureOpen(output.source, output.sourcePath, output.appending, output.sourcePath,
                    ZnFailureKind::OutputUnopenable, output))
        return;
    OutputFile& source = output.source.file();
    if (banners.source) source.write(Zenlo::sourceBanner(output.sourceName, banners.when, options));
    source.write(indexDefinitions(indexName, entries, options, separate));
    output.sourceStarted = true;
    if (output.lastInput.isEmpty()) output.lastInput = output.sourcePath;
    if (source.failed()) {
        fail(output.sourcePath, ZnFailureKind::WriteFailed, source.error(), output.sourcePath);
        output.failed = true;
        return;
    }
    if (writeHeader)
        appendToHeader(output.sourcePath, banners.header ? &banners.when : nullptr,
                       indexDeclarations(indexName, options), output);
}

ZnFileConverter::Banners ZnFileConverter::bannersOwed(const PendingOutput& output,
                                                      bool writeHeader) const {
    Banners banners;
    banners.source = !output.sourceStarted;
    banners.header = writeHeader && !output.headerStarted;
    if (banners.source || banners.header) banners.when = clock ? clock() : localDateTimeNow();
    return banners;
}

bool ZnFileConverter::openInput(const WideString& inputPath, InputFile& input) {
    if (!input.open(inputPath)) {
        const int error = input.error();
        if (error == notRegularFileError)
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

bool ZnFileConverter::ensureOpen(AtomicOutput& file, const WideString& path, bool keepText,
                                 const WideString& inputPath, ZnFailureKind kind,
                                 PendingOutput& output) {
    if (file.isOpen()) return true;
    if (file.begin(path, keepText)) return true;
    fail(inputPath, kind, file.error(), path);
    output.failed = true;
    return false;
}

bool ZnFileConverter::appendToHeader(const WideString& inputPath, const DateTime* banner,
                                     const std::string& text, PendingOutput& output) {
    if (!ensureOpen(output.header, output.headerPath, output.appending, inputPath,
                    ZnFailureKind::HeaderUnopenable, output))
        return false;
    OutputFile& header = output.header.file();
    if (banner)
        header.write(Zenlo::headerBanner(fileNamePart(output.headerPath), *banner, options));
    header.write(text);
    output.headerStarted = true;
    if (!header.failed()) return true;
    fail(inputPath, ZnFailureKind::WriteFailed, header.error(), output.headerPath);
    output.failed = true;
    return false;
}

void ZnFileConverter::stageOutput(PendingOutput& output, bool writeHeader, StagedFiles& staged) {
    // An output none of whose inputs was converted whole is not written at all.
    if (output.failed || !output.sourceStarted) return;
    if (writeHeader && output.header.isOpen())
        output.header.file().write(headerClosing(fileNamePart(output.headerPath)));
    StagedFile source, header;
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

void ZnFileConverter::commitStaged(StagedFiles& staged) {
    if (abandonRequested.load(std::memory_order_relaxed)) return staged.discardAll();
    staged.commitAll([this](const StagedFile& file, CommitResult result) {
        const WideString path = fromPath(file.target());
        if (result == CommitResult::Failed)
            fail(path, ZnFailureKind::WriteFailed, file.error(), path);
        else
            outputCommitted(path, result == CommitResult::Replaced);
    });
}

ZnFileConverter::BytesResult ZnFileConverter::writeArray(const StyledArray& array, InputFile& input,
                                                         OutputFile& out) {
    const int passes = array.passCount();
    int pass = 0;
    for (const StyledArray::Piece& piece : array.pieces()) {
        if (!piece.pass) {
            out.write(piece.text);
            continue;
        }
        const BytesResult result = writeBytes(input, out, *piece.pass, pass++, passes);
        if (result != BytesResult::Written) return result;
    }
    return out.failed() ? BytesResult::WriteFailed : BytesResult::Written;
}

ZnFileConverter::BytesResult ZnFileConverter::writeBytes(InputFile& input, OutputFile& out,
                                                         const BytePass& lines, int pass,
                                                         int passes) {
    if (input.size() == 0) {
        lines.writeEmpty(out);
        return out.failed() ? BytesResult::WriteFailed : BytesResult::Written;
    }
    // Bytes are read a good many blocks at a time: one system call per 64 blocks.
    constexpr std::size_t readSize = 64 * byteBlockSize;
    const std::size_t bufferSize =
        static_cast<std::size_t>(std::min<std::uint64_t>(input.size(), readSize));
    std::unique_ptr<std::uint8_t[]> buffer(new std::uint8_t[bufferSize]);
    std::uint64_t done = 0;
    while (done < input.size()) {
        const std::size_t chunk =
            static_cast<std::size_t>(std::min<std::uint64_t>(input.size() - done, bufferSize));
        if (!input.read(done, buffer.get(), chunk)) return BytesResult::ReadFailed;
        for (std::size_t offset = 0; offset < chunk; offset += byteBlockSize) {
            const std::size_t count = std::min(chunk - offset, byteBlockSize);
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

bool ZnFileConverter::refusedByPlan(const StringList& inputs, const WideString& outputFolder,
                                    const WideString& outputFileName, bool separateFiles,
                                    bool writeHeader) {
    const RunPlan plan = planRun(inputs, outputFolder, outputFileName, separateFiles, writeHeader,
                                 options, inputNames, !indexName.empty());
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

} // namespace Zenlo
