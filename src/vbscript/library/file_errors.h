// How a failed call to the operating system on a file becomes the language's error: the
// errno of the call mapped to the numbers a script tests (53 "File not found", 76 "Path
// not found", 70 "Permission denied", 58 "File already exists", 61 "Disk full", ...).
#pragma once

#include <string>
#include <string_view>

namespace vbs {

// Raises the error for `errnum` from an operation on `path` (UTF-8). A missing file is
// 53 when its folder exists and 76 when the folder does not.
[[noreturn]] void raiseFileError(int errnum, const std::string& path);

// The path as the operating system takes it (UTF-8); a path with a NUL character, which
// would name another file than the script wrote, is error 52 "Bad file name or number",
// an empty one error 5.
std::string systemPath(std::u16string_view path);

} // namespace vbs
