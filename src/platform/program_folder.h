// Where the operator's files go when nobody names a folder: the console's script files
// and the Save dialog's starting folder both start from the program's own folder.
#pragma once

#include <filesystem>

namespace platform {

// The folder of the running executable, except for an installed program: one under
// /usr lives in a folder nobody may write to (/usr/bin), so its files go to the current
// working directory instead (a shell user's folder; $HOME when the desktop starts it).
std::filesystem::path programFolder();

// The rule behind programFolder, for an executable path and a working directory.
std::filesystem::path programFolderFor(const std::filesystem::path& executable,
                                       const std::filesystem::path& workingDirectory);

} // namespace platform
