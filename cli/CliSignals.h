// Signals that would end a command-line run: it is abandoned instead, and nothing is written.
#pragma once

#include "converter/FileConverter.h"

namespace Zenlo {

// While it lives, any signal that would end the process and can be caught (interrupt, terminate,
// hang-up, quit, SIGUSR1, SIGPIPE, SIGALRM, real-time signals, ...; Ctrl-C or a closed console
// window under _WIN32) asks the converter to abandon its run: every output keeps what it held and
// the temporary files go. A signal the caller ignores stays ignored. A second signal of the kind
// ends the process at once, as by default. A file too large for the process's limit becomes a
// write error instead of ending the process.
class ZnCliSignals {
public:
    explicit ZnCliSignals(ZnFileConverter& converter);
    ~ZnCliSignals();
    ZnCliSignals(const ZnCliSignals&) = delete;
    ZnCliSignals& operator=(const ZnCliSignals&) = delete;

    // The number of the signal that arrived, or 0.
    static int caught();
    // The exit status for a run ended by the signal: 128 + its number (130 for SIGINT, 143 for
    // SIGTERM, 138 for SIGUSR1).
    static int exitStatus(int signal) { return 128 + signal; }
};

} // namespace Zenlo
