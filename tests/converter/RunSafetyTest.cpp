// A run never half-writes an output: stops, abandons, inputs that change or are not regular files.
#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/TestSupport.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif
#include "converter/FileConverter.h"
#include "toolkit/TextEncoding.h"

using Zenlo::ZnFileConverter;
using Zenlo::ZnInputFailure;

using testfiles::readFile;
using testfiles::TestFolder;
using testfiles::writeFile;
using Zenlo::WideString;
namespace fs = std::filesystem;

namespace {

class RunSafety : public testing::Test {
protected:
    RunSafety() {
        converter.clock = [] { return Zenlo::DateTime{7, 12, 2026, 9, 5, 3}; };
        converter.inputFailed.connect([this](const ZnInputFailure& f) {
            failures.push_back(fs::path(Zenlo::toPath(f.path)).filename().string() + ": " +
                               f.reason());
        });
        converter.fileFinished.connect([this](const WideString& name) {
            finished.push_back(Zenlo::utf16ToUtf8(name.view()));
        });
        converter.outputCommitted.connect([this](const WideString& path, bool changed) {
            committed.push_back(fs::path(Zenlo::toPath(path)).filename().string() +
                                (changed ? "" : " (unchanged)"));
        });
        fs::create_directory(temp / "out");
    }
    // The request of the inputs below the test folder into the folder out (or another).
    Zenlo::ZnRunRequest request(const std::vector<std::string>& names, bool separate, bool header,
                                const char16_t* folder = u"out/") const {
        Zenlo::ZnRunRequest asked{.outputFolder = temp.folder() + testfiles::nativePath(folder),
                                  .outputFileName = u"arrays.cpp",
                                  .separateFiles = separate,
                                  .writeHeader = header};
        for (const std::string& name : names)
            asked.inputs.push_back({temp.folder() + Zenlo::fromUtf8(name.c_str())});
        return asked;
    }
    void run(const std::vector<std::string>& names, int separate = 0, int header = 1) {
        converter.run(request(names, separate, header));
    }
    // A run of the inputs alone into a folder of its own, for comparison.
    std::string alone(const std::vector<std::string>& names, const char* file, int separate = 0) {
        ZnFileConverter other;
        other.clock = converter.clock;
        fs::create_directory(temp / "alone");
        other.run(request(names, separate, true, u"alone/"));
        const std::string text = readFile(temp / "alone" / file);
        fs::remove_all(temp / "alone");
        return text;
    }
    std::string output(const char* name) const { return readFile(temp / "out" / name); }
    std::vector<std::string> temporaries() const { return testfiles::temporariesIn(temp / "out"); }

    TestFolder temp;
    ZnFileConverter converter;
    std::vector<std::string> failures, finished, committed;
};

} // namespace

TEST_F(RunSafety, StopsAndAbandonsLeaveWholeFilesOrThePreviousOnes) {
    struct Case {
        const char* name;
        int separate;
        int stopAtBlock; // the progress notification that asks for the stop
        bool abandon;
        std::vector<std::string> converted;
    };
    const Case cases[] = {
        {"one output, stop inside the first input", 0, 1, false, {}},
        {"one output, stop inside the second input", 0, 3, false, {"a"}},
        {"one output, stop inside the last input", 0, 5, false, {"a", "b"}},
        {"one output, abandon inside the second input", 0, 3, true, {"a"}},
        {"one output, abandon inside the last input", 0, 5, true, {"a", "b"}},
        {"separate files, stop inside the second input", 1, 3, false, {"a"}},
        {"separate files, abandon inside the last input", 1, 5, true, {"a", "b"}},
    };
    writeFile(temp / "a", "A");
    writeFile(temp / "b", std::string(5000, 'b'));
    writeFile(temp / "c", std::string(5000, 'c'));
    int blocks = 0, stopAt = 0;
    bool abandon = false;
    converter.progress.connect([&](std::uint64_t) {
        if (++blocks != stopAt) return;
        if (abandon) converter.abandonRequested = 1;
        converter.stopRequested = 1;
    });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<std::string> previous = {"arrays.cpp", "arrays.h", "a.cpp", "a.h",
                                                   "b.cpp",      "b.h",      "c.cpp", "c.h"};
        for (const std::string& name : previous)
            writeFile(temp / "out" / name, "previous " + name);
        blocks = 0;
        stopAt = c.stopAtBlock;
        abandon = c.abandon;
        converter.stopRequested = converter.abandonRequested = 0;
        finished.clear();
        committed.clear();
        run({"a", "b", "c"}, c.separate);
        EXPECT_EQ(finished, c.converted);
        EXPECT_TRUE(failures.empty());
        EXPECT_EQ(temporaries(), std::vector<std::string>{});
        std::vector<std::string> written;
        if (!c.abandon && !c.converted.empty()) {
            if (c.separate) {
                for (const std::string& input : c.converted) {
                    written.push_back(input + ".cpp");
                    written.push_back(input + ".h");
                    EXPECT_EQ(output((input + ".cpp").c_str()),
                              alone({input}, (input + ".cpp").c_str(), 1));
                }
            } else {
                written = {"arrays.cpp", "arrays.h"};
                EXPECT_EQ(output("arrays.cpp"), alone(c.converted, "arrays.cpp"));
                EXPECT_EQ(output("arrays.h"), alone(c.converted, "arrays.h"));
            }
        }
        EXPECT_EQ(committed, written);
        for (const std::string& name : previous) {
            if (std::find(written.begin(), written.end(), name) == written.end()) {
                EXPECT_EQ(output(name.c_str()), "previous " + name) << name;
            }
        }
    }
}

TEST_F(RunSafety, AnInputThatChangesWhileItIsReadFailsAndTheRunGoesOn) {
    struct Case {
        const char* name;
        std::size_t newSize; // what another program leaves of the 3 MiB input
    };
    const Case cases[] = {
        {"shortened to 20 bytes", 20},
        {"shortened to nothing", 0},
        {"grown", (3u << 20) + 1},
        {"rewritten, same size", 3u << 20},
    };
    writeFile(temp / "a", "A");
    writeFile(temp / "c", "C");
    int blocks = 0;
    const Case* current = nullptr;
    converter.progress.connect([&](std::uint64_t) {
        // The second block of b: by then the first piece of b has been read.
        if (++blocks == 3) writeFile(temp / "b", std::string(current->newSize, 'x'));
    });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(temp / "b", testfiles::patternBytes(3u << 20));
        testfiles::makeOld(temp / "b");
        blocks = 0;
        current = &c;
        failures.clear();
        finished.clear();
        run({"a", "b", "c"});
        EXPECT_EQ(failures, std::vector<std::string>{"b: changed while it was read"});
        EXPECT_EQ(finished, (std::vector<std::string>{"a", "c"}));
        EXPECT_EQ(output("arrays.cpp"), alone({"a", "c"}, "arrays.cpp"));
        EXPECT_EQ(output("arrays.h"), alone({"a", "c"}, "arrays.h"));
        EXPECT_EQ(temporaries(), std::vector<std::string>{});
    }
}

TEST_F(RunSafety, InputsThatAreNotRegularFilesAreRefusedWithoutWaiting) {
#ifdef _WIN32
    // The devices a Windows user can name are the reserved names, in any folder.
    writeFile(temp / "a", "A");
    run({"NUL", "a", "con.txt"});
    EXPECT_EQ(failures,
              (std::vector<std::string>{"NUL: not a regular file", "con.txt: not a regular file"}));
    EXPECT_EQ(finished, std::vector<std::string>{"a"});
#else
    ASSERT_EQ(::mkfifo((temp / "fifo").c_str(), 0600), 0);
    fs::create_symlink(temp / "fifo", temp / "link-to-fifo");
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = (temp / "socket").string();
    ASSERT_LT(socketPath.size(), sizeof(address.sun_path));
    socketPath.copy(address.sun_path, socketPath.size());
    ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    fs::create_symlink("/dev/urandom", temp / "urandom");
    writeFile(temp / "a", "A");
    // A FIFO that blocked the run would hang this test; nobody ever writes to it.
    run({"fifo", "a", "link-to-fifo", "socket", "urandom"});
    ::close(sock);
    EXPECT_EQ(failures, (std::vector<std::string>{
                            "fifo: not a regular file", "link-to-fifo: not a regular file",
                            "socket: not a regular file", "urandom: not a regular file"}));
    EXPECT_EQ(finished, std::vector<std::string>{"a"});
    EXPECT_EQ(output("arrays.cpp"), alone({"a"}, "arrays.cpp"));
#endif
}

TEST_F(RunSafety, AFileThatWouldNotChangeIsLeftUntouched) {
    writeFile(temp / "a", "A");
    writeFile(temp / "b", "B");
    run({"a", "b"}, 0);
    run({"a", "b"}, 1);
    EXPECT_EQ(committed,
              (std::vector<std::string>{"arrays.cpp", "arrays.h", "a.cpp", "a.h", "b.cpp", "b.h"}));
    const std::vector<std::string> names = {"arrays.cpp", "arrays.h", "a.cpp",
                                            "a.h",        "b.cpp",    "b.h"};
    for (const std::string& name : names)
        testfiles::makeOld(temp / "out" / name);
    std::vector<fs::file_time_type> times;
    for (const std::string& name : names)
        times.push_back(fs::last_write_time(temp / "out" / name));
    // The same inputs at the same instant give the same bytes: nothing is touched.
    committed.clear();
    run({"a", "b"}, 0);
    run({"a", "b"}, 1);
    EXPECT_EQ(committed, (std::vector<std::string>{"arrays.cpp (unchanged)", "arrays.h (unchanged)",
                                                   "a.cpp (unchanged)", "a.h (unchanged)",
                                                   "b.cpp (unchanged)", "b.h (unchanged)"}));
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(fs::last_write_time(temp / "out" / names[i]), times[i]) << names[i];
    // A changed input changes the files that hold it, and only those.
    writeFile(temp / "b", "X");
    committed.clear();
    run({"b"}, 1);
    EXPECT_EQ(committed, (std::vector<std::string>{"b.cpp", "b.h (unchanged)"}));
    EXPECT_NE(output("b.cpp").find("0x58"), std::string::npos);
    EXPECT_EQ(temporaries(), std::vector<std::string>{});
}

// When one output cannot be put in place (another program holds it open on Windows), the others
// of the run go back to what they were: a header never declares what its source lacks.
TEST_F(RunSafety, TheOutputsOfARunGoInTogetherOrNotAtAll) {
    const int refused = testfiles::hasPosixFileKinds ? EBUSY : 32; // ERROR_SHARING_VIOLATION
    struct Case {
        const char* name;
        int separate;
        int failingMove;
    };
    // One output: arrays.cpp and arrays.h are set aside (moves 1, 2), then go in (3, 4). Separate
    // files: a.cpp, b.cpp and b.h are set aside (1 to 3), then a.cpp, a.h, b.cpp and b.h go in.
    const Case cases[] = {
        {"one output, another program holds the source open", 0, 1},
        {"one output, the header cannot go in after the source", 0, 4},
        {"separate files, a new file went in before", 1, 7},
        {"separate files, the second cannot go in", 1, 5},
    };
    writeFile(temp / "a", "A");
    writeFile(temp / "b", "B");
    const std::vector<std::string> previous = {"arrays.cpp", "arrays.h", "a.cpp", "b.cpp", "b.h"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const std::string& name : previous)
            writeFile(temp / "out" / name, "previous " + name);
        failures.clear();
        committed.clear();
#ifdef _WIN32
        // Windows refuses to move a file held open without FILE_SHARE_DELETE: no hook needed.
        const HANDLE held = c.failingMove != 1
                                ? INVALID_HANDLE_VALUE
                                : CreateFileW((temp / "out" / "arrays.cpp").c_str(), GENERIC_READ,
                                              FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        Zenlo::failFileMoveForTests(held == INVALID_HANDLE_VALUE ? c.failingMove : 0, refused);
#else
        Zenlo::failFileMoveForTests(c.failingMove, refused);
#endif
        run({"a", "b"}, c.separate);
        Zenlo::failFileMoveForTests(0, 0);
#ifdef _WIN32
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
#endif
        EXPECT_EQ(committed, std::vector<std::string>{});
        EXPECT_EQ(failures.size(), c.separate ? 4u : 2u);
        const std::string why = testfiles::systemMessage(EBUSY, refused);
        EXPECT_EQ(std::count_if(failures.begin(), failures.end(),
                                [&](const std::string& f) { return f.ends_with(why); }),
                  1);
        for (const std::string& name : previous)
            EXPECT_EQ(output(name.c_str()), "previous " + name) << name;
        EXPECT_FALSE(fs::exists(temp / "out" / "a.h"));
        EXPECT_EQ(temporaries(), std::vector<std::string>{});
    }
}
