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
    // Output files that could not be made, written or put in place.
    std::uint32_t failedOutputs = 0;
    // Every failure the run reported, in order.
    std::vector<Zenlo::ZnInputFailure> failures;
    std::string folderError;
    WideString device;
};

// The language key of the reason text for a kind of failure.
int failureKey(ZnFailureKind kind);
// The failure's reason in the current language, with the system's reason appended where there
// is one; with a pathLength, every path in it shortened to that length (shortenedPath). Falls back
// to the engine's English reason when the language lacks the key or its text takes other values
// than the kind's (see ZnLanguage::findTemplate).
WideString failureReason(const ZnInputFailure& failure, WideString::Size pathLength = 0);
// The label text for the report: "..." for none; otherwise the translated summary, for failures
// led by the first failure's reason (its paths shortened to shownPathLength), so that a label cut
// at its end still shows why, then that input's name (without its folder).
WideString reportLabel(const ZnRunReport& report);
// Every failure, one per line as "path: reason", after the label text; empty when the report
// lists no failure. Long lists end with a line saying how many were left out.
WideString reportDetails(const ZnRunReport& report);

// How many failures reportDetails lists before it counts the rest.
constexpr std::size_t detailedFailures = 20;
// How long a path in the label's reason may be (shortenedPath).
constexpr WideString::Size shownPathLength = 32;

// What a run told about its inputs and outputs.
struct ZnRunCounts {
    std::uint32_t inputs = 0;
    std::uint32_t converted = 0; // inputs converted whole
    std::uint32_t committed = 0; // inputs whose arrays are in an output put in place
    std::uint32_t failed = 0;    // inputs reported as failed
    bool stopped = false;
};
// How many of the run's inputs were not converted: never fewer than were reported as failed.
// Inputs converted into outputs that were never put in place count too: every input of a run
// that ended by itself whose output was not put in place (a refused plan tells one clash of two
// inputs once, yet both count); after a stop those it failed on or converted in vain, not those
// it never reached.
std::uint32_t inputsNotConverted(const ZnRunCounts& counts);
} // namespace Zenlo
