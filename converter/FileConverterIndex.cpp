// The run's last step when a lookup table is asked for: the table into the source, its
// declarations into the header.
#include "converter/FileConverter.h"

#include "toolkit/PathText.h"

using Zenlo::WideString;

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
