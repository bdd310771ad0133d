// The language keys the program asks for by name. The captions of the dialog tables carry their
// keys at the start of their text, where the window translation reads them.
#pragma once

#include <cstdint>

namespace Zenlo::TextKey {
enum : std::int32_t {
    // The file-name label's report of a run.
    runSummary = 213,
    runStopped = 214,
    firstFailure = 215,
    moreFailures = 216,
    folderRefused = 217,
    nameRefused = 218,
    // A part of the output path that Windows takes for a device.
    deviceRefused = 240,
    // The message at the end when the settings could not be kept.
    settingsNotSaved = 219,
    // The reasons of failed inputs: this key plus the failure's kind.
    failureReasons = 220,
    // The report's count of output files not written, after the inputs'.
    failedOutputs = 250,
    // The file dialogs: titles and filter texts.
    addFilesTitle = 400,
    outputFileTitle = 401,
    allFiles = 402,
    allSources = 403,
    cSources = 404,
    cppSources = 405,
    // The input box that asks for a header name.
    addHeaderTitle = 500,
    headerPrompt = 501,
    cancel = 600,
};
} // namespace Zenlo::TextKey
