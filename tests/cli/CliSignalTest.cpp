// Signals sent to the real hexmoor-cli in the middle of a long run: nothing changes, nothing stays.
#include <gtest/gtest.h>

#ifdef _WIN32
// A Windows program gets Ctrl-C only from the console it shares with the one who presses it, and
// the tests run without a console; POSIX signals do not exist there.
TEST(CliSignals, InterruptedRunsChangeNothing) {
    GTEST_SKIP() << "Windows sends Ctrl-C only through a console, which the tests do not have";
}
#else
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "support/TestSupport.h"

using testfiles::readFile;
using testfiles::TestFolder;
using testfiles::writeFile;
namespace fs = std::filesystem;

namespace {

// Starts hexmoor-cli in the folder with the arguments, its output going to .stdout and .stderr.
pid_t startCli(const fs::path& folder, const std::vector<std::string>& arguments) {
    std::vector<std::string> words = {HEXMOOR_CLI_PATH};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    const std::string out = (folder / ".stdout").string(), err = (folder / ".stderr").string();
    const pid_t child = fork();
    if (child == 0) {
        if (chdir(folder.c_str()) != 0) _exit(126);
        dup2(open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
        dup2(open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
        execv(argv[0], argv.data());
        _exit(127);
    }
    return child;
}

// Waits until the process has written more than the bytes, i.e. the run is well under way
// (its temporary may have no name to watch); false when the process ended first.
bool waitForWrites(pid_t child, std::uintmax_t bytes) {
    const fs::path io = "/proc/" + std::to_string(child) + "/io";
    for (;;) {
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) return false;
        std::ifstream in(io);
        std::string key;
        std::uintmax_t value = 0;
        while (in >> key >> value)
            if (key == "wchar:" && value > bytes) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

int exitStatusOf(pid_t child) {
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

} // namespace

TEST(CliSignals, AnInterruptedRunChangesNothing) {
    struct Case {
        const char* name;
        int signal;
        int status;
        bool separate;
    };
    const Case cases[] = {
        {"Ctrl-C, one output", SIGINT, 130, false},
        {"SIGTERM, one output", SIGTERM, 143, false},
        {"Ctrl-C, separate files after the first input", SIGINT, 130, true},
        {"SIGTERM, separate files after the first input", SIGTERM, 143, true},
        {"SIGUSR1, separate files after the first input", SIGUSR1, 138, true},
        // No handler runs: what the process leaves goes with a later run into the folder.
        {"SIGKILL, one output", SIGKILL, -SIGKILL, false},
        {"SIGKILL, separate files after the first input", SIGKILL, -SIGKILL, true},
    };
    TestFolder temp;
    writeFile(temp / "a.bin", "A");
    writeFile(temp / "c.bin", "C");
    // A sparse input far too big to finish: the signal always comes in the middle.
    { std::ofstream big(temp / "big.bin", std::ios::binary); }
    fs::resize_file(temp / "big.bin", std::uintmax_t{8} << 30);
    fs::create_directory(temp / "out");
    const std::vector<std::string> previous = {"arrays.cpp", "arrays.h", "a_bin.cpp", "a_bin.h",
                                               "big_bin.cpp"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const std::string& name : previous)
            writeFile(temp / "out" / name, "previous " + name);
        std::vector<std::string> arguments = {"-o", "out", "a.bin", "big.bin"};
        if (c.separate) arguments.insert(arguments.begin(), "--separate-files");
        const pid_t child = startCli(temp.path(), arguments);
        ASSERT_GT(child, 0);
        ASSERT_TRUE(waitForWrites(child, 4 << 20)) << readFile(temp / ".stderr");
        // Another run into the folder meanwhile leaves the finished files of the live one.
        const std::vector<std::string> finished = testfiles::temporariesIn(temp / "out");
        EXPECT_TRUE(!c.separate || !finished.empty());
        testfiles::runCli(temp, {"-q", "--separate-files", "-o", "out", "c.bin"});
        EXPECT_EQ(testfiles::temporariesIn(temp / "out"), finished);
        kill(child, c.signal);
        EXPECT_EQ(exitStatusOf(child), c.status);
        if (c.signal != SIGKILL) {
            EXPECT_EQ(readFile(temp / ".stderr"),
                      "hexmoor-cli: interrupted, no output file changed\n");
        }
        EXPECT_EQ(readFile(temp / ".stdout"), "");
        for (const std::string& name : previous)
            EXPECT_EQ(readFile(temp / "out" / name), "previous " + name) << name;
        if (c.signal != SIGKILL) {
            EXPECT_EQ(testfiles::temporariesIn(temp / "out"), std::vector<std::string>{});
        }
        testfiles::runCli(temp, {"-q", "--separate-files", "-o", "out", "c.bin"});
        EXPECT_EQ(testfiles::temporariesIn(temp / "out"), std::vector<std::string>{});
    }
}

#endif
