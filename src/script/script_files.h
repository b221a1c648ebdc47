// The console's script files on disk: where a name a script gives points, how a file's
// lines are read, and how the code log is written. Files are UTF-8 text; a file that is
// not valid UTF-8 as a whole is an older one in Windows-1252 and is read as such. A line
// may end in CR LF or LF. Failures raise the language's file errors (53 "File not
// found", 70 "Permission denied", 61 "Disk full" …) with the file's path, so that the
// calling script can trap them and the console can show them.
#pragma once

#include <QString>
#include <filesystem>
#include <vector>

namespace script::files {

// Where relative names start: $FLTAMP_SCRIPT_DIR when set, else the program's folder
// (platform/program_folder.h: the working directory for an installed program).
std::filesystem::path scriptFolder();

// A name as a script gives it: an absolute name as it stands; any other in the script
// folder, a backslash standing for the folder separator (scripts written for the
// original program keep working). An empty name is the folder itself.
std::filesystem::path located(const QString& name);

// The file's lines without their line endings; a leading byte-order mark is skipped.
std::vector<QString> readLines(const std::filesystem::path& file);

// Replaces the file with the text in UTF-8, all or nothing: the text goes to a new file
// beside it, which takes the old one's place only when every byte is on the disk. On
// any failure the old file is left as it was.
void replaceFile(const std::filesystem::path& file, const QString& text);

} // namespace script::files
