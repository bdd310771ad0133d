// The run: which inputs go into which output files, in what order, with which notifications,
// and the lookup table at its end.
#include "converter/FileConverter.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "converter/ByteLines.h"
#include "converter/ByteStyles.h"
#include "converter/InputNames.h"
#include "converter/OutputNames.h"
#include "converter/RunPlan.h"
#include "converter/VariableName.h"
#include "toolkit/FileSystem.h"
#include "toolkit/PathText.h"
#include "toolkit/TextEncoding.h"

namespace Zenlo {

namespace {

// How the header declares an array: the symbols of objects and the assembler's are C names.
CLinkage arrayLinkage(const ZnRunRequest& request) {
    if (request.object.format != ObjectFormat::None) return CLinkage::All;
    return styleGivesCLinkage(request.byteStyle.style) ? CLinkage::Array : CLinkage::None;
}

} // namespace

bool ZnFileConverter::convertFile(const WideString& inputPath, bool append,
                                  const WideString& outputFolder, const WideString& outputFileName,
                                  bool writeHeader) {
    const ZnRunRequest request{.inputs = {{inputPath}},
                               .outputFolder = outputFolder,
                               .outputFileName = outputFileName,
                               .writeHeader = writeHeader};
    const RunPlan plan = planRun(request, options);
    if (refused(plan)) return false;
    PendingOutput output(outputFolder, outputFileName);
    output.appending = output.sourceStarted = output.headerStarted = append;
    if (convertInto(plan.inputs.front(), request, output) != Outcome::Converted) return false;
    StagedFiles staged;
    for (AtomicOutput* file : {&output.source, &output.header, &output.fallback}) {
        if (!file->isOpen()) continue;
        StagedFile done;
        if (!file->finish(done)) {
            fail(inputPath, ZnFailureKind::WriteFailed, file->error(), output.pathOf(*file));
            return false;
        }
        staged.add(std::move(done));
    }
    commitStaged(staged);
    return true;
}

bool ZnFileConverter::closeHeader(const WideString& outputFolder,
                                  const WideString& outputFileName) {
    const WideString name = headerFileName(outputFileName);
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
    run(listRequest(inputList, outputFolder, outputFileName, separateFiles, writeHeader));
}

std::thread ZnFileConverter::start(WideString inputList, WideString outputFolder,
                                   WideString outputFileName, bool separateFiles,
                                   bool writeHeader) {
    return start(listRequest(inputList, outputFolder, outputFileName, separateFiles, writeHeader));
}

ZnRunRequest ZnFileConverter::listRequest(const WideString& inputList,
                                          const WideString& outputFolder,
                                          const WideString& outputFileName, bool separateFiles,
                                          bool writeHeader) {
    StringList paths;
    inputList.splitString(u';', paths);
    return {.inputs = inputsOf(paths),
            .outputFolder = outputFolder,
            .outputFileName = outputFileName,
            .separateFiles = separateFiles,
            .writeHeader = writeHeader};
}

void ZnFileConverter::run(const ZnRunRequest& request) {
    run(request, planRun(request, options));
}

void ZnFileConverter::run(const ZnRunRequest& request, const RunPlan& plan) {
    tally_ = {static_cast<std::uint32_t>(plan.inputs.size()), 0, 0, !plan.problems.empty()};
    if (refused(plan)) {
        finished();
        return;
    }
    std::uint64_t total = 0;
    for (const PlannedInput& input : plan.inputs) {
        std::uint64_t size = fileSize(input.path);
        if (size != noSize) total += size;
    }
    totalBytes(total);
    // Every finished file waits under its temporary name until the run ends, so an abandoned run
    // changes nothing on disk.
    StagedFiles staged;
    indexEntries_.clear();
    if (request.separateFiles)
        convertSeparately(request, plan, staged);
    else
        convertTogether(request, plan, staged);
    if (!plan.dependencyFile.isEmpty() && !staged.isEmpty()) stageDependencyFile(plan, staged);
    commitStaged(staged);
    finished();
}

void ZnFileConverter::stageDependencyFile(const RunPlan& plan, StagedFiles& staged) {
    AtomicOutput file;
    StagedFile done;
    if (file.begin(plan.dependencyFile)) {
        file.file().write(plan.dependencyText);
        if (file.finish(done)) {
            stagedInputs_.push_back(0);
            return staged.add(std::move(done));
        }
    }
    fail(plan.dependencyFile, ZnFailureKind::WriteFailed, file.error(), plan.dependencyFile);
    staged.discardAll();
    stagedInputs_.clear();
}

void ZnFileConverter::convertSeparately(const ZnRunRequest& request, const RunPlan& plan,
                                        StagedFiles& staged) {
    for (const PlannedInput& input : plan.inputs) {
        if (stopped()) break;
        PendingOutput output(request.outputFolder, input.outputName, request.object.format);
        if (convertInto(input, request, output) == Outcome::Converted)
            stageOutput(output, request.writeHeader, staged);
    }
    if (request.indexName.empty() || stopped()) return;
    PendingOutput output(request.outputFolder, request.outputFileName);
    writeIndex(request, output);
    stageOutput(output, request.writeHeader, staged);
}

void ZnFileConverter::convertTogether(const ZnRunRequest& request, const RunPlan& plan,
                                      StagedFiles& staged) {
    PendingOutput output(request.outputFolder, request.outputFileName, request.object.format);
    for (std::size_t i = 0; i < plan.inputs.size() && !output.failed; ++i) {
        if (i > 0 && stopped()) break;
        convertInto(plan.inputs[i], request, output);
    }
    // An empty table for no inputs (an empty folder); none where every input failed, so the
    // previous output stays.
    if (!request.indexName.empty() &&
        (output.sourceStarted || output.objectStarted || plan.inputs.empty()) && !stopped())
        writeIndex(request, output);
    stageOutput(output, request.writeHeader, staged);
}

std::thread ZnFileConverter::start(ZnRunRequest request) {
    stopRequested.store(false, std::memory_order_relaxed);
    abandonRequested.store(false, std::memory_order_relaxed);
    return std::thread([this, request = std::move(request)] { run(request); });
}

ZnFileConverter::PendingOutput::PendingOutput(const WideString& outputFolder,
                                              const WideString& outputFileName, ObjectFormat format)
    : sourceName(outputFileName), sourcePath(outputFolder + outputFileName),
      headerPath(outputFolder + headerFileName(outputFileName)),
      fallbackName(incbinFallbackName(outputFileName)), fallbackPath(outputFolder + fallbackName),
      objectFormat(format) {
    if (format != ObjectFormat::None)
        objectPath = outputFolder + objectFileName(outputFileName, format);
}

ZnFileConverter::Outcome ZnFileConverter::convertInto(const PlannedInput& planned,
                                                      const ZnRunRequest& request,
                                                      PendingOutput& output) {
    const WideString& inputPath = planned.path;
    const bool writeHeader = request.writeHeader;
    InputFile input;
    if (!openInput(inputPath, request.emptyInputsAsArrays, input)) return Outcome::Skipped;
    const bool toObject = output.objectFormat != ObjectFormat::None;
    const WideString name = inputName(inputPath, planned.folderName);
    const WideString& variable = planned.variable;
    if (toObject ? !objectTakes(inputPath, variable, input.size(), request, output)
                 : !openSource(inputPath, request, output))
        return Outcome::Skipped;
    const Banners banners = bannersOwed(output, writeHeader);
    fileStarted(name, input.size());

    // An input cut short leaves nothing behind: each file goes back to its length before it.
    AtomicOutput* const files[] = {&output.object, &output.source, &output.fallback};
    std::uint64_t marks[std::size(files)] = {};
    for (std::size_t i = 0; i < std::size(files); ++i)
        if (files[i]->isOpen()) marks[i] = files[i]->file().position();
    const BytesResult bytes =
        toObject ? writeObjectArray(input, variable, output.object.file(), *output.objectWriter)
                 : writeSourceArray(planned, name, banners, request, input, output);
    for (AtomicOutput* file : files)
        if (file->isOpen() && file->file().failed()) {
            fail(inputPath, ZnFailureKind::WriteFailed, file->file().error(), output.pathOf(*file));
            output.failed = true;
            return Outcome::Skipped;
        }
    if (bytes != BytesResult::Written) {
        for (std::size_t i = 0; i < std::size(files); ++i)
            if (files[i]->isOpen()) files[i]->file().rewindTo(marks[i]);
        if (bytes == BytesResult::Stopped) return Outcome::Stopped;
        const int error = input.error();
        fail(inputPath,
             error == changedWhileReadError ? ZnFailureKind::InputChanged
                                            : ZnFailureKind::InputUnreadable,
             error == changedWhileReadError ? 0 : error);
        return Outcome::Skipped;
    }
    if (writeHeader &&
        !appendToHeader(inputPath, banners.header ? &banners.when : nullptr,
                        headerDeclarations(name, variable, options, arrayLinkage(request)), output))
        return Outcome::Skipped;
    (toObject ? output.objectStarted : output.sourceStarted) = true;
    output.lastInput = inputPath;
    indexEntries_.push_back({indexKey(inputPath, planned.folderName), variable, input.size()});
    ++output.converted;
    fileFinished(name);
    return Outcome::Converted;
}

void ZnFileConverter::writeIndex(const ZnRunRequest& request, PendingOutput& output) {
    if (output.failed) return;
    std::vector<IndexEntry> entries = indexEntries_;
    std::string sharedKey;
    // Keys that two inputs share are refused before a run starts; the order is what matters here.
    sortIndexEntries(entries, sharedKey);
    const Banners banners = bannersOwed(output, request.writeHeader);

    if (!openSource(output.sourcePath, request, output)) return;
    // The table's source and header go with an object, even one that holds no array.
    if (output.objectFormat != ObjectFormat::None && !output.objectWriter &&
        !objectTakes(output.sourcePath, {}, 0, request, output))
        return;
    OutputFile& source = output.source.file();
    // In separate-files mode the arrays live in other sources; arrays in objects have C names,
    // which the table reaches through C declarations, as it reaches the assembler's symbols (and
    // its source through no header).
    const bool objects = request.object.format != ObjectFormat::None;
    const bool withHeader = request.writeHeader && !objects;
    if (banners.source)
        source.write(Zenlo::sourceBanner(output.sourceName, banners.when, options, withHeader));
    source.write(indexDefinitions(request.indexName, entries, options,
                                  request.separateFiles || objects,
                                  objects || styleGivesCLinkage(request.byteStyle.style),
                                  includesOwnHeader(output.sourceName, withHeader, options)));
    output.sourceStarted = true;
    if (output.lastInput.isEmpty()) output.lastInput = output.sourcePath;
    if (source.failed()) {
        fail(output.sourcePath, ZnFailureKind::WriteFailed, source.error(), output.sourcePath);
        output.failed = true;
        return;
    }
    if (request.writeHeader)
        appendToHeader(output.sourcePath, banners.header ? &banners.when : nullptr,
                       indexDeclarations(request.indexName, options), output);
}

ZnFileConverter::Banners ZnFileConverter::bannersOwed(const PendingOutput& output,
                                                      bool writeHeader) const {
    Banners banners;
    banners.source = !output.sourceStarted;
    banners.header = writeHeader && !output.headerStarted;
    if (banners.source || banners.header) banners.when = clock ? clock() : localDateTimeNow();
    return banners;
}

bool ZnFileConverter::openSource(const WideString& inputPath, const ZnRunRequest& request,
                                 PendingOutput& output) {
    if (!ensureOpen(output.source, output.sourcePath, output.appending, inputPath,
                    ZnFailureKind::OutputUnopenable, output))
        return false;
    if (!writesIncbinSources(request) || output.fallbackName.isEmpty()) return true;
    return ensureOpen(output.fallback, output.fallbackPath, output.appending, inputPath,
                      ZnFailureKind::OutputUnopenable, output);
}

bool ZnFileConverter::openInput(const WideString& inputPath, bool emptyAsArray, InputFile& input) {
    if (!input.open(inputPath)) {
        const int error = input.error();
        if (error == notRegularFileError)
            fail(inputPath, ZnFailureKind::InputNotRegular, 0);
        else
            fail(inputPath, ZnFailureKind::InputUnreadable, error);
        return false;
    }
    if (input.size() == 0 && !emptyAsArray) {
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
    if (output.failed || !(output.sourceStarted || output.objectStarted)) return;
    if (writeHeader && output.header.isOpen())
        output.header.file().write(headerClosing(fileNamePart(output.headerPath)));
    if (options.choices.includeFile && output.source.isOpen())
        output.source.file().write(includeFileClosing(output.sourceName));
    if (output.objectWriter && !output.objectWriter->finish(output.object.file())) {
        fail(output.lastInput, ZnFailureKind::WriteFailed, output.object.file().error(),
             output.objectPath);
        return;
    }
    StagedFile done[4];
    int count = 0;
    for (AtomicOutput* file : {&output.object, &output.source, &output.fallback, &output.header}) {
        if (!file->isOpen()) continue;
        if (!file->finish(done[count++])) {
            fail(output.lastInput, ZnFailureKind::WriteFailed, file->error(), output.pathOf(*file));
            return;
        }
    }
    std::uint32_t converted = output.converted;
    for (StagedFile& file : done)
        if (file.isStaged()) {
            staged.add(std::move(file));
            stagedInputs_.push_back(std::exchange(converted, 0));
        }
}

void ZnFileConverter::commitStaged(StagedFiles& staged) {
    const std::vector<std::uint32_t> inputs = std::exchange(stagedInputs_, {});
    if (abandonRequested.load(std::memory_order_relaxed)) return staged.discardAll();
    std::size_t index = 0;
    staged.commitAll([&](const StagedFile& file, CommitResult result) {
        const WideString path = fromPath(file.target());
        if (result == CommitResult::Failed) {
            fail(path, ZnFailureKind::WriteFailed, file.error(), path);
        } else {
            if (index < inputs.size()) tally_.converted += inputs[index];
            outputCommitted(path, result == CommitResult::Replaced);
        }
        ++index;
    });
}

ZnFileConverter::BytesResult ZnFileConverter::writeArray(const StyledArray& array, InputFile& input,
                                                         PendingOutput& output) {
    const int passes = array.passCount();
    int pass = 0;
    for (const StyledArray::Piece& piece : array.pieces()) {
        OutputFile& out = (piece.fallback ? output.fallback : output.source).file();
        if (!piece.pass) {
            out.write(piece.text);
            continue;
        }
        const BytesResult result = writeBytes(input, out, *piece.pass, pass++, passes);
        if (result != BytesResult::Written) return result;
    }
    return BytesResult::Written;
}

ZnFileConverter::BytesResult
ZnFileConverter::writeSourceArray(const PlannedInput& planned, const WideString& name,
                                  const Banners& banners, const ZnRunRequest& request,
                                  InputFile& input, PendingOutput& output) {
    OutputFile& source = output.source.file();
    if (banners.source)
        source.write(
            Zenlo::sourceBanner(output.sourceName, banners.when, options, request.writeHeader));
    source.write(sourceHeading(name, planned.variable, input.size(), options));
    // Without a fallback file every array of the source opens with the incbin macros (guarded).
    const bool fallback = output.fallback.isOpen();
    const StyledArray array(options, request.byteStyle,
                            {planned.variable, input.size(), planned.path,
                             folderPart(output.sourcePath), output.sourceName,
                             fallback ? output.fallbackName : WideString(),
                             !fallback || output.fallback.file().position() == 0});
    return writeArray(array, input, output);
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

bool ZnFileConverter::objectTakes(const WideString& inputPath, const WideString& variable,
                                  std::uint64_t size, const ZnRunRequest& request,
                                  PendingOutput& output) {
    if (!ensureOpen(output.object, output.objectPath, false, inputPath,
                    ZnFailureKind::OutputUnopenable, output))
        return false;
    if (!output.objectWriter) {
        output.objectWriter = std::make_unique<ObjectWriter>(
            ObjectOptions{output.objectFormat, request.object.timeStamp}, options,
            request.byteStyle);
        output.objectWriter->begin(output.object.file());
    }
    const ObjectWriter::Room room = output.objectWriter->room(output.object.file(), variable, size);
    if (room == ObjectWriter::Room::Fits) return true;
    fail(inputPath,
         room == ObjectWriter::Room::SizeTooWide ? ZnFailureKind::SizeTooWide
                                                 : ZnFailureKind::ObjectTooLarge,
         0, output.objectPath);
    return false;
}

ZnFileConverter::BytesResult ZnFileConverter::writeObjectArray(InputFile& input,
                                                               const WideString& variable,
                                                               OutputFile& out,
                                                               ObjectWriter& writer) {
    writer.startArray(out);
    const BytesResult result = writeBytes(input, out, rawBytePass(), 0, 1);
    if (result == BytesResult::Written) writer.finishArray(out, variable, input.size());
    return result;
}

bool ZnFileConverter::refused(const RunPlan& plan) {
    for (const ZnInputFailure& problem : plan.problems)
        inputFailed(problem);
    return !plan.problems.empty();
}

void ZnFileConverter::fail(const WideString& path, ZnFailureKind kind, int systemError,
                           const WideString& outputPath) {
    if (kind == ZnFailureKind::OutputUnopenable || kind == ZnFailureKind::HeaderUnopenable ||
        kind == ZnFailureKind::WriteFailed)
        ++tally_.failedOutputs;
    ZnInputFailure failure;
    failure.path = path;
    failure.outputPath = outputPath;
    failure.kind = kind;
    failure.systemError = systemError;
    inputFailed(failure);
}

} // namespace Zenlo
