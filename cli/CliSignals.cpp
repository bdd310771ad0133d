// Signal handlers that only store into lock-free atomics, which is all a handler may safely do.
#include "cli/CliSignals.h"

#include <atomic>
#include <csignal>
#include <iterator>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace Zenlo {

namespace {

static_assert(std::atomic<int>::is_always_lock_free && std::atomic<bool>::is_always_lock_free &&
                  std::atomic<std::atomic<bool>*>::is_always_lock_free,
              "a signal handler uses these");

std::atomic<std::atomic<bool>*> stopFlag{nullptr};
std::atomic<std::atomic<bool>*> abandonFlag{nullptr};
std::atomic<int> caughtSignal{0};

void ask(int signal) {
    caughtSignal.store(signal, std::memory_order_relaxed);
    // Abandon first: the run must never see the stop without it and commit what it has.
    if (std::atomic<bool>* abandon = abandonFlag.load()) abandon->store(true);
    if (std::atomic<bool>* stop = stopFlag.load()) stop->store(true);
}

#ifdef _WIN32

constexpr DWORD closeWaitMilliseconds = 2000;

BOOL WINAPI onConsoleEvent(DWORD event) {
    ask(event == CTRL_C_EVENT ? SIGINT : SIGTERM);
    // The run is abandoned by the converter's own thread; a closing console waits a little for
    // it before the system ends the process.
    if (event == CTRL_CLOSE_EVENT) Sleep(closeWaitMilliseconds);
    return TRUE;
}

#else

// Every signal whose default action ends the process and that may be caught; faults (SIGSEGV,
// SIGBUS, ...) are left alone, since returning from their handler would repeat them.
constexpr int terminatingSignals[] = {
    SIGINT,    SIGTERM, SIGHUP,    SIGQUIT, SIGUSR1, SIGUSR2,
    SIGPIPE,   SIGALRM, SIGVTALRM, SIGPROF, SIGXCPU, SIGPOLL,
#ifdef SIGPWR
    SIGPWR,
#endif
#ifdef SIGSTKFLT
    SIGSTKFLT,
#endif
};

// The signals above and the real-time ones (which also end a process by default).
std::vector<int> caughtSignals() {
    std::vector<int> signals(std::begin(terminatingSignals), std::end(terminatingSignals));
#ifdef SIGRTMIN
    for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal)
        signals.push_back(signal);
#endif
    return signals;
}

extern "C" void onSignal(int signal) {
    ask(signal);
}

#endif

} // namespace

ZnCliSignals::ZnCliSignals(ZnFileConverter& converter) {
    caughtSignal.store(0, std::memory_order_relaxed);
    stopFlag.store(&converter.stopRequested);
    abandonFlag.store(&converter.abandonRequested);
#ifdef _WIN32
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
#else
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    // The first signal asks for the end; a second one finds the default action again.
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    for (int signal : caughtSignals()) {
        struct sigaction previous {};
        // A signal the caller ignores (nohup, a background job) stays ignored.
        if (sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN) continue;
        sigaction(signal, &action, nullptr);
    }
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

ZnCliSignals::~ZnCliSignals() {
#ifdef _WIN32
    SetConsoleCtrlHandler(onConsoleEvent, FALSE);
#else
    for (int signal : caughtSignals()) {
        struct sigaction current {};
        if (sigaction(signal, nullptr, &current) == 0 && current.sa_handler == onSignal)
            std::signal(signal, SIG_DFL);
    }
    std::signal(SIGXFSZ, SIG_DFL);
#endif
    stopFlag.store(nullptr);
    abandonFlag.store(nullptr);
}

int ZnCliSignals::caught() {
    return caughtSignal.load(std::memory_order_relaxed);
}

} // namespace Zenlo
