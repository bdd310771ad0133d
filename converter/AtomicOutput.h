// Files written under a temporary name beside their target and put in place only when complete.
#pragma once

#include <filesystem>
#include <vector>

#include "converter/OutputFile.h"
#include "toolkit/WideString.h"

namespace Zenlo {

// What putting a finished file in place did.
enum class CommitResult { Replaced, Unchanged, Failed };

// The file a path finally names, following symbolic links (also one that points nowhere yet), so
// that a link is written through and stays a link. Returns false (error set) on a link loop
// (ELOOP), and with sharedFolderLinkError for a link that another user owns in a sticky folder
// that everyone may write to (not the folder's owner, not this process's user): the kernel does
// not follow those either when fs.protected_symlinks is on.
bool finalTarget(const std::filesystem::path& path, std::filesystem::path& target, int& error);

// A finished temporary file waiting to replace its target. It holds only names, so many can
// wait at once; one that is destroyed before its commit is removed.
class StagedFile {
public:
    StagedFile() = default;
    StagedFile(StagedFile&& other) noexcept;
    StagedFile& operator=(StagedFile&& other) noexcept;
    ~StagedFile() { discard(); }

    // Puts the temporary in place of the target. When the target already holds the same bytes
    // it is left untouched (its times too) and the temporary removed: Unchanged. An existing
    // target keeps its permission bits. Returns Failed (error() set, temporary removed) when the
    // target has become something other than a regular file or the rename fails.
    CommitResult commit();
    // Removes the temporary; the target stays as it was.
    void discard();

    bool isStaged() const { return !temporary_.empty(); }
    // The file that is (or was to be) replaced, links followed.
    const std::filesystem::path& target() const { return target_; }
    // The name the new text waits under; empty once it is in place or dropped.
    const std::filesystem::path& temporary() const { return temporary_; }
    int error() const { return error_; }

private:
    friend class AtomicOutput;
    friend class StagedFiles;
    // Puts the files in place together (see StagedFiles::commitAll): one result per file.
    static std::vector<CommitResult> commitTogether(const std::vector<StagedFile*>& files);

    std::filesystem::path temporary_;
    std::filesystem::path target_;
    int error_ = 0;
};

// A file under construction: its text goes to a new temporary file in the target's folder (one
// without a name while it is written, where the system has them), and the target changes only
// when the whole text is there. A target that exists but is not a regular
// file (a device, a FIFO, a folder) is never replaced.
class AtomicOutput {
public:
    AtomicOutput() = default;
    AtomicOutput(const AtomicOutput&) = delete;
    AtomicOutput& operator=(const AtomicOutput&) = delete;
    // An output that was not finished is discarded.
    ~AtomicOutput() { discard(); }

    // Creates the temporary for the target; with keepText, the target's present bytes are copied
    // into it first, so that the new text is appended. Returns false when the target exists and
    // is not a regular file (error() is notRegularFileError), names a link loop, or the temporary
    // cannot be created or filled (error() is the system's code).
    bool begin(const WideString& target, bool keepText = false);
    // The temporary's stream; only while isOpen().
    OutputFile& file() { return file_; }
    bool isOpen() const { return file_.isOpen(); }

    // Closes the temporary and hands it to staged, to be committed later; with durable, its bytes
    // are on the disk first. Returns false when any write failed: the temporary is then removed
    // and error() tells why.
    bool finish(StagedFile& staged, bool durable = false);
    // finish() followed by the commit. Returns Failed when either fails.
    CommitResult commit(bool durable = false);
    // Closes and removes the temporary; the target stays as it was.
    void discard();

    const std::filesystem::path& target() const { return staged_.target_; }
    int error() const { return error_; }

private:
    bool createTemporary(const std::filesystem::path& target);
    // Gives the unnamed temporary its name beside the target.
    bool nameTemporary();

    OutputFile file_;
    StagedFile staged_;
    int error_ = 0;
    // Where the system allows, the temporary has no name until it is finished, so that not even
    // a process killed outright leaves a temporary file behind.
    bool unnamed_ = false;
};

// Finished outputs of a run, put in place together at its end or all dropped.
class StagedFiles {
public:
    void add(StagedFile&& file) { files_.push_back(std::move(file)); }
    bool isEmpty() const { return files_.empty(); }
    // Puts every file in place as StagedFile::commit does, or none of them: when one cannot be
    // put in place (its target has become a folder, the system refuses the rename, another
    // program holds it open), every target gets back the file it had (one that was missing goes
    // again) and every file is Failed, the others with keptWithGroupError. Each previous file
    // waits under a second name until all new ones are in place. Calls report for each file in
    // the order added. Leaves the list empty.
    template <class Report> void commitAll(Report report) {
        const std::vector<CommitResult> results = commitTogether();
        for (std::size_t i = 0; i < files_.size(); ++i)
            report(files_[i], results[i]);
        files_.clear();
    }
    // Removes every temporary.
    void discardAll() { files_.clear(); }

private:
    std::vector<CommitResult> commitTogether();
    std::vector<StagedFile> files_;
};

// For tests: the n-th move (1: the next) that putting a group of files in place makes from now
// on fails with the error, as a rename does on Windows while another program holds the file
// open. 0 lets every move be made.
void failFileMoveForTests(int n, int error);

} // namespace Zenlo
