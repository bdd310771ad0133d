// The folder walk behind folder inputs: links checked against the folder, loops refused, sorted.
#include "converter/FolderInputs.h"

#include <algorithm>
#include <cassert>
#include <system_error>

#include "toolkit/FileSystem.h"

namespace fs = std::filesystem;

namespace Zenlo {

namespace {

// A path's bytes as the relative names and the messages hold them: UTF-8 on Windows, where the
// narrow form would be in the ANSI code page.
std::string nameBytes(const fs::path& name) {
#ifdef _WIN32
    const std::u8string text = name.u8string();
    return std::string(text.begin(), text.end());
#else
    return name.native();
#endif
}

// Sets error to why the folder or entry cannot be read; returns false.
bool cannotRead(const char* what, const fs::path& path, const std::error_code& code,
                std::string& error) {
    error = what + nameBytes(path) + ": " + systemErrorText(code);
    return false;
}

// True when path (canonical) is root (canonical) or lies below it.
bool isInside(const fs::path& path, const fs::path& root) {
    auto [rootEnd, pathAt] = std::mismatch(root.begin(), root.end(), path.begin(), path.end());
    return rootEnd == root.end();
}

class Walker {
public:
    Walker(bool includeHidden, FolderListing& listing)
        : includeHidden_(includeHidden), listing_(listing) {}

    // Walks folder (the file-system path) whose canonical form is real and whose name below the
    // root is prefix ("" for the root, else ending with "/").
    bool walk(const fs::path& folder, const fs::path& real, const std::string& prefix,
              std::string& error) {
        assert(prefix.empty() || prefix.back() == '/');
        listing_.folders.push_back(folder);
        open_.push_back(real);
        std::error_code code;
        std::vector<fs::path> entries;
        for (fs::directory_iterator it(folder, code), end; !code && it != end; it.increment(code))
            entries.push_back(it->path());
        if (code) return cannotRead("cannot read the folder ", folder, code, error);
        for (const fs::path& entry : entries)
            if (!visit(entry, prefix, error)) return false;
        open_.pop_back();
        return true;
    }

private:
    bool visit(const fs::path& entry, const std::string& prefix, std::string& error) {
        const std::string name = nameBytes(entry.filename());
        if (!includeHidden_ && !name.empty() && name[0] == '.') return true;
        const std::string relative = prefix + name;
        std::error_code code;
        const fs::file_status own = fs::symlink_status(entry, code);
        if (code) return cannotRead("cannot read ", entry, code, error);
        if (fs::is_symlink(own)) return visitLink(entry, relative, error);
        if (fs::is_regular_file(own)) {
            listing_.files.push_back({entry, relative});
            return true;
        }
        if (fs::is_directory(own)) {
            const fs::path real = fs::canonical(entry, code);
            if (code) return cannotRead("cannot read ", entry, code, error);
            return walk(entry, real, relative + "/", error);
        }
        skip(entry, "not a regular file");
        return true;
    }

    bool visitLink(const fs::path& entry, const std::string& relative, std::string& error) {
        std::error_code code;
        const fs::path target = fs::canonical(entry, code);
        if (code) return skip(entry, "a broken link or one leading into a loop"), true;
        if (!isInside(target, open_.front()))
            return skip(entry, "a link leading outside the folder"), true;
        const fs::file_status status = fs::status(target, code);
        if (fs::is_regular_file(status)) {
            listing_.files.push_back({entry, relative});
            return true;
        }
        if (!fs::is_directory(status)) return skip(entry, "not a regular file"), true;
        // A folder that holds the link, or one the walk is already in, would be walked forever.
        if (isInside(open_.back(), target) ||
            std::find(open_.begin(), open_.end(), target) != open_.end())
            return skip(entry, "a link leading into a loop"), true;
        return walk(entry, target, relative + "/", error);
    }

    void skip(const fs::path& entry, const char* reason) {
        listing_.skipped.push_back({entry, reason});
    }

    const bool includeHidden_;
    FolderListing& listing_;
    // Canonical forms of the folders being walked, the root first: a link to one of them loops.
    std::vector<fs::path> open_;
};

} // namespace

WideString relativeNameText(const FolderFile& file) {
#ifdef _WIN32
    return fromUtf8(file.relativeName);
#else
    // Bytes that are not UTF-8 are kept, as in every other path.
    return fromPath(fs::path(file.relativeName));
#endif
}

bool listFolder(const fs::path& folder, bool includeHidden, FolderListing& listing,
                std::string& error) {
    listing = FolderListing();
    std::error_code code;
    const bool isFolder = fs::is_directory(folder, code);
    if (code) return cannotRead("cannot read the folder ", folder, code, error);
    if (!isFolder) return error = nameBytes(folder) + " is not a folder", false;
    const fs::path real = fs::canonical(folder, code);
    if (code) return cannotRead("cannot read the folder ", folder, code, error);
    if (!Walker(includeHidden, listing).walk(folder, real, "", error)) return false;
    std::sort(
        listing.files.begin(), listing.files.end(),
        [](const FolderFile& a, const FolderFile& b) { return a.relativeName < b.relativeName; });
    return true;
}

} // namespace Zenlo
