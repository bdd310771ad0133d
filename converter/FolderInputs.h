// Folder inputs: every regular file below a folder, in a stable order, with names relative to it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "toolkit/WideString.h"

namespace Zenlo {

// One file found below the folder.
struct FolderFile {
    // The file as the file system knows it: the folder joined with the relative name.
    std::filesystem::path path;
    // The path below the folder with "/" between its parts, in the file system's own bytes
    // (UTF-8 on Windows), e.g. "textures/stone.png".
    std::string relativeName;
};

// The relative name as text, read as the walk wrote it (UTF-8 on Windows, not the ANSI code page).
WideString relativeNameText(const FolderFile& file);

// An entry below the folder that was left out, and why ("a link leading outside the folder").
struct SkippedEntry {
    std::filesystem::path path;
    std::string reason;
};

struct FolderListing {
    // Sorted by relativeName in byte order, so the result does not depend on the file system.
    std::vector<FolderFile> files;
    // The folder itself and every folder below it that was walked: a file added to or removed
    // from any of them changes that folder, which is what build systems watch.
    std::vector<std::filesystem::path> folders;
    std::vector<SkippedEntry> skipped;
};

// Lists every regular file below folder. Names starting with "." (files and folders) are left
// out unless includeHidden. A symbolic link is followed only when its target lies inside the
// folder and, for a folder, is not one of the folders it stands in (a loop); other links, broken
// links and entries that are not regular files or folders are listed in skipped. Returns false
// with the system's reason in error when the folder or a folder below it cannot be read.
bool listFolder(const std::filesystem::path& folder, bool includeHidden, FolderListing& listing,
                std::string& error);

} // namespace Zenlo
