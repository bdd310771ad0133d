// Report texts: every part comes from a language key, so the report can be composed again.
#include "app/RunReport.h"

#include <algorithm>

#include "i18n/Language.h"
#include "i18n/TextKeys.h"
#include "toolkit/FileSystem.h"
#include "toolkit/PathText.h"

namespace Zenlo {
namespace {

WideString textOr(int key, const char16_t* english) {
    return ZnLanguage::instance().templateText(key, english);
}

// What a kind's reason text shows, in order, and the template that takes it.
struct ReasonValues {
    const char16_t* conversions;
    WideString first, second;
};

ReasonValues reasonValues(const ZnInputFailure& failure, WideString::Size pathLength) {
    const auto shown = [pathLength](const WideString& path) {
        return pathLength ? shortenedPath(path, pathLength) : path;
    };
    switch (failure.kind) {
    case ZnFailureKind::InputUnreadable:
    case ZnFailureKind::InputEmpty:
    case ZnFailureKind::InputNotRegular:
    case ZnFailureKind::InputChanged:
        return {u"", {}, {}};
    case ZnFailureKind::NameClash:
    case ZnFailureKind::OutputClash:
    case ZnFailureKind::IndexKeyClash:
        return {u"%s%s", failure.name, shown(failure.otherPath)};
    case ZnFailureKind::OutputAlias:
        return {u"%s%s", shown(failure.outputPath), shown(failure.otherPath)};
    case ZnFailureKind::InvalidName:
        return {u"%s", failure.name, {}};
    default:
        return {u"%s", shown(failure.outputPath), {}};
    }
}

WideString failureSummary(const ZnRunReport& report) {
    WideString summary = WideString::formatted(
        textOr(TextKey::runSummary, u"Could not convert %d of the input files").c_str(),
        report.failedInputs);
    if (report.failedOutputs > 0)
        summary +=
            WideString(u"; ") +
            WideString::formatted(
                textOr(TextKey::failedOutputs, u"could not write %d of the output files").c_str(),
                report.failedOutputs);
    if (report.failures.empty()) return summary;
    const ZnInputFailure& first = report.failures.front();
    return WideString::formatted(textOr(TextKey::firstFailure, u"%s (%s). %s").c_str(),
                                 failureReason(first, shownPathLength), fileNamePart(first.path),
                                 summary);
}

} // namespace

int failureKey(ZnFailureKind kind) {
    return TextKey::failureReasons + static_cast<int>(kind);
}

WideString failureReason(const ZnInputFailure& failure, WideString::Size pathLength) {
    WideString pattern;
    const ReasonValues values = reasonValues(failure, pathLength);
    if (!ZnLanguage::instance().findTemplate(failureKey(failure.kind), values.conversions, pattern))
        return fromUtf8(failure.reason());
    WideString reason = WideString::formatted(pattern.c_str(), values.first, values.second);
    if (failure.systemError != 0)
        reason += WideString(u": ") + fromUtf8(systemErrorText(failure.systemError));
    return reason;
}

WideString reportLabel(const ZnRunReport& report) {
    using Kind = ZnRunReport::Kind;
    const bool failed =
        report.failedInputs > 0 || report.failedOutputs > 0 || !report.failures.empty();
    switch (report.kind) {
    case Kind::none:
        break;
    case Kind::runEnded:
        if (failed) return failureSummary(report);
        break;
    case Kind::stopped: {
        WideString stopped = textOr(TextKey::runStopped, u"Stopped");
        return failed ? stopped + u". " + failureSummary(report) : stopped;
    }
    case Kind::folderRefused:
        return WideString::formatted(
            textOr(TextKey::folderRefused, u"Cannot create the output folder: %s").c_str(),
            fromUtf8(report.folderError));
    case Kind::nameRefused:
        return textOr(TextKey::nameRefused, u"The output file name must not contain a folder");
    case Kind::deviceRefused:
        return WideString::formatted(
            textOr(TextKey::deviceRefused, u"%s is a name Windows keeps for a device").c_str(),
            report.device);
    }
    return u"...";
}

std::uint32_t inputsNotConverted(const ZnRunCounts& counts) {
    const std::uint32_t failed = std::min(counts.inputs, counts.failed);
    const std::uint32_t committed = std::min(counts.inputs, counts.committed);
    const std::uint32_t lost =
        counts.stopped ? failed + (counts.converted - std::min(counts.converted, committed))
                       : counts.inputs - committed;
    return std::min(counts.inputs, std::max(failed, lost));
}

WideString reportDetails(const ZnRunReport& report) {
    if (report.failures.empty()) return WideString();
    WideString details = reportLabel(report);
    std::size_t listed = 0;
    for (const ZnInputFailure& failure : report.failures) {
        if (listed == detailedFailures) break;
        details += WideString(u"\n") + failure.path + u": " + failureReason(failure);
        ++listed;
    }
    if (listed < report.failures.size())
        details += WideString(u"\n") +
                   WideString::formatted(textOr(TextKey::moreFailures, u"... and %d more").c_str(),
                                         report.failures.size() - listed);
    return details;
}
} // namespace Zenlo
