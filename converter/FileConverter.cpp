// The run: which inputs go into which output files, in what order, with which notifications.
#include "converter/FileConverter.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include "converter/ByteLines.h"
#include "toolkit/FileSystem.h"
#include "toolkit/PathText.h"
#include "converter/VariableName.h"
#include "toolkit/TextEncoding.h"

using Zenlo::WideString;

std::string ZnInputFailure::reason() const {
    std::string detail;
    if (systemError) detail = ": " + std::system_category().message(systemError);
    const std::string output = Zenlo::utf16ToUtf8(outputPath.view());
    switch (kind) {
    case ZnFailureKind::InputUnreadable:
        return "cannot read the input" + detail;
    case ZnFailureKind::InputEmpty:
        return "the input is empty, no array written";
    case ZnFailureKind::InputIsOutput:
        return "the input is an output file of this conversion (" + output + "), skipped";
    case ZnFailureKind::OutputUnopenable:
        return "cannot open " + output + detail;
    case ZnFailureKind::HeaderUnopenable:
        return "cannot open the header " + output + detail;
    case ZnFailureKind::WriteFailed:
        return "cannot write " + output + detail;
    }
    return "conversion failed";
}

bool ZnFileConverter::convertFile(const WideString& inputPath, int append,
                                  const WideString& outputFolder, const WideString& outputFileName,
                                  int writeHeader) {
    OutputState state{append != 0, append != 0};
    return convertInto(inputPath, outputFolder, outputFileName, writeHeader != 0, state) ==
           Outcome::Converted;
}

bool ZnFileConverter::closeHeader(const WideString& outputFolder,
                                  const WideString& outputFileName) {
    const WideString name = Zenlo::headerFileName(Zenlo::stripLongPathPrefix(outputFileName));
    Zenlo::OutputFile header;
    if (!header.open(outputFolder + name, true)) return false;
    header.write(Zenlo::headerClosing(name));
    if (header.close()) return true;
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
    std::uint64_t total = 0;
    for (const WideString& input : inputs) {
        std::uint64_t size = Zenlo::fileSize(input);
        if (size != Zenlo::noSize) total += size;
    }
    totalBytes(total);
    const bool withHeader = writeHeader != 0;
    if (separateFiles) {
        for (const WideString& input : inputs) {
            if (stopRequested.load(std::memory_order_relaxed)) break;
            const WideString name = Zenlo::separateOutputName(input);
            OutputState state;
            convertInto(input, outputFolder, name, withHeader, state);
            if (withHeader && state.headerStarted) closeHeader(outputFolder, name);
        }
    } else {
        OutputState state;
        for (Zenlo::StringList::Size i = 0; i < inputs.count(); ++i) {
            if (i > 0 && stopRequested.load(std::memory_order_relaxed)) break;
            convertInto(inputs[i], outputFolder, outputFileName, withHeader, state);
        }
        // A header none of whose inputs could be read was never created: nothing to close.
        if (withHeader && state.headerStarted) closeHeader(outputFolder, outputFileName);
    }
    finished();
}

std::thread ZnFileConverter::start(WideString inputList, WideString outputFolder,
                                   WideString outputFileName, int separateFiles, int writeHeader) {
    stopRequested.store(0, std::memory_order_relaxed);
    return std::thread([this, inputList = std::move(inputList),
                        outputFolder = std::move(outputFolder),
                        outputFileName = std::move(outputFileName), separateFiles, writeHeader] {
        convertAll(inputList, outputFolder, outputFileName, separateFiles, writeHeader);
    });
}

ZnFileConverter::Outcome ZnFileConverter::convertInto(const WideString& inputPath,
                                                      const WideString& outputFolder,
                                                      const WideString& outputFileName,
                                                      bool writeHeader, OutputState& state) {
    const WideString sourcePath = outputFolder + outputFileName;
    const WideString headerName = Zenlo::headerFileName(Zenlo::stripLongPathPrefix(outputFileName));
    const WideString headerPath = outputFolder + headerName;
    // Opening an output empties it: an input that is that very file must not be read from it.
    const bool isSource = Zenlo::isSameFile(inputPath, sourcePath);
    if (isSource || (writeHeader && Zenlo::isSameFile(inputPath, headerPath))) {
        fail(inputPath, ZnFailureKind::InputIsOutput, 0, isSource ? sourcePath : headerPath);
        return Outcome::Untouched;
    }
    // The input is opened before the output, so an unreadable one leaves the output untouched.
    Zenlo::MappedFile input;
    if (!input.open(inputPath) && !(input.wasEmpty() && emptyInputsAsArrays)) {
        fail(inputPath,
             input.wasEmpty() ? ZnFailureKind::InputEmpty : ZnFailureKind::InputUnreadable,
             input.error());
        return Outcome::Untouched;
    }
    Zenlo::OutputFile source;
    if (!source.open(sourcePath, state.sourceStarted)) {
        fail(inputPath, ZnFailureKind::OutputUnopenable, source.error(), sourcePath);
        return Outcome::Untouched;
    }
    const WideString name = Zenlo::fileNamePart(inputPath);
    const WideString variable = Zenlo::variableName(inputPath, *this);
    const bool sourceBanner = !state.sourceStarted;
    const bool headerBanner = writeHeader && !state.headerStarted;
    Zenlo::DateTime when;
    if (sourceBanner || headerBanner) when = clock ? clock() : Zenlo::localDateTimeNow();
    fileStarted(name, input.size());

    if (sourceBanner) source.write(Zenlo::sourceBanner(outputFileName, when, *this));
    state.sourceStarted = true;
    source.write(Zenlo::sourceDefinitions(name, variable, input.size(), *this));
    BytesResult bytes = writeBytes(input, source);
    input.close();
    if (bytes == BytesResult::Written) source.write("};\r\n");
    if (!source.close() || bytes == BytesResult::WriteFailed) {
        fail(inputPath, ZnFailureKind::WriteFailed, source.error(), sourcePath);
        return Outcome::Partial;
    }
    if (bytes == BytesResult::Stopped) return Outcome::Partial;

    if (writeHeader && !appendDeclarations(inputPath, headerPath, headerBanner ? &when : nullptr,
                                           name, variable, state))
        return Outcome::Partial;
    fileFinished(name);
    return Outcome::Converted;
}

bool ZnFileConverter::appendDeclarations(const WideString& inputPath, const WideString& headerPath,
                                         const Zenlo::DateTime* banner, const WideString& name,
                                         const WideString& variable, OutputState& state) {
    Zenlo::OutputFile header;
    if (!header.open(headerPath, state.headerStarted)) {
        fail(inputPath, ZnFailureKind::HeaderUnopenable, header.error(), headerPath);
        return false;
    }
    if (banner) header.write(Zenlo::headerBanner(Zenlo::fileNamePart(headerPath), *banner, *this));
    state.headerStarted = true;
    header.write(Zenlo::headerDeclarations(name, variable, *this));
    if (header.close()) return true;
    fail(inputPath, ZnFailureKind::WriteFailed, header.error(), headerPath);
    return false;
}

ZnFileConverter::BytesResult ZnFileConverter::writeBytes(Zenlo::MappedFile& input,
                                                         Zenlo::OutputFile& out) {
    if (input.size() == 0) {
        out.write(Zenlo::emptyArrayLine());
        return out.failed() ? BytesResult::WriteFailed : BytesResult::Written;
    }
    const Zenlo::ByteLineWriter lines(*this);
    std::uint64_t done = 0;
    while (done < input.size()) {
        const std::uint64_t left = input.size() - done;
        const std::size_t count =
            static_cast<std::size_t>(std::min<std::uint64_t>(left, Zenlo::byteBlockSize));
        progress(count);
        if (!lines.writeBlock(input.begin() + done, count, count == left, out, stopRequested))
            return BytesResult::Stopped;
        if (out.failed()) return BytesResult::WriteFailed;
        done += count;
        input.doneBefore(done);
    }
    return BytesResult::Written;
}

void ZnFileConverter::fail(const WideString& path, ZnFailureKind kind, int systemError,
                           const WideString& outputPath) {
    inputFailed(ZnInputFailure{path, outputPath, kind, systemError});
}
