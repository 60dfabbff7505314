// Program directory and resolution of the data files' Windows-style names.
#pragma once

#include <string>

namespace tw::sys {

// Folder of the running executable, with a trailing '/'.
std::string ExecutableDirectory();

// Maps '\' to '/' and matches every component that does not exist as spelled
// against its folder's entries without regard to case. Components that match
// nothing keep the given spelling, so a new file is created as the caller
// names it. A relative name stays relative.
std::string NativePath(const std::string& spelled);

// The folder part of a path, with its trailing '/' ("" when there is none).
std::string DirectoryOf(const std::string& path);

}  // namespace tw::sys
