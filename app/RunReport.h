// What the file-name label says once nothing runs: how a run ended, or why convert refused.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "converter/InputFailure.h"
#include "toolkit/WideString.h"

namespace Zenlo {
// The last report; composed from language keys whenever it is shown, so a language switch can
// show it again in the new language. The input names and the system's reasons stay as given.
struct ZnRunReport {
    enum class Kind {
        none,          // "..."
        runEnded,      // a run ended by itself; failures may be listed
        stopped,       // a run the user stopped; failures may be listed
        folderRefused, // the output folder could not be made (folderError says why)
        nameRefused,   // the output file name holds a folder
        deviceRefused, // a part of the output name or folder names a device (device)
    };
    Kind kind = Kind::none;
    // Inputs that could not be converted (reports about one input in a row count once).
    std::uint32_t failedInputs = 0;
    // Every failure the run reported, in order.
    std::vector<Zenlo::ZnInputFailure> failures;
    std::string folderError;
    WideString device;
};

// The language key of the reason text for a kind of failure.
int failureKey(ZnFailureKind kind);
// The failure's reason in the current language, with the system's reason appended where there
// is one. Falls back to the engine's English reason when the language lacks the key or its text
// takes other values than the kind's (see ZnLanguage::findTemplate).
WideString failureReason(const ZnInputFailure& failure);
// The label text for the report: "..." for none; otherwise the translated summary, for failures
// with the first failed input's name (without its folder) and its reason.
WideString reportLabel(const ZnRunReport& report);
// Every failure, one per line as "path: reason", after the label text; empty when the report
// lists no failure. Long lists end with a line saying how many were left out.
WideString reportDetails(const ZnRunReport& report);

// How many failures reportDetails lists before it counts the rest.
constexpr std::size_t detailedFailures = 20;
} // namespace Zenlo
