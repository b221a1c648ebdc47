// The path arithmetic behind the FileSystemObject's name functions (BuildPath,
// GetFileName, GetParentFolderName, ...) and its wildcards. Paths are Linux paths: "/" is
// the only separator and a backslash is an ordinary character of a name. Nothing here
// touches the file system. Free of the engine's values.
#pragma once

#include <string>
#include <string_view>

namespace vbs::lib {

// BuildPath: `name` appended to `path` with one "/" between them ("a" + "b" is "a/b",
// "a/" + "/b" is "a/b"); an empty path gives the name alone.
std::u16string buildPath(std::u16string_view path, std::u16string_view name);

// GetFileName: the last part of the path, trailing separators ignored ("/a/b/" gives
// "b"); "" for "/" and "".
std::u16string fileName(std::u16string_view path);

// GetBaseName / GetExtensionName: the file name before / after its last dot ("a.tar.gz"
// gives "a.tar" and "gz"; without a dot the base is the whole name and the extension "").
std::u16string baseName(std::u16string_view path);
std::u16string extensionName(std::u16string_view path);

// GetParentFolderName: the path without its last part and the separators before it
// ("/a/b/c.txt" gives "/a/b", "/a" gives "/", "c.txt" and "/" give "").
std::u16string parentFolderName(std::u16string_view path);

// GetAbsolutePathName: `path` made absolute against `currentFolder` (itself absolute)
// and tidied: "." and empty parts dropped, ".." taking away the part before it (never
// above "/"), no trailing separator except for "/" itself. "" gives the current folder.
std::u16string absolutePath(std::u16string_view path, std::u16string_view currentFolder);

// Whether a name holds the wildcards "*" or "?".
bool hasWildcards(std::u16string_view name);

// Whether `name` matches the wildcard pattern: "*" any run of characters, "?" any one
// character, anything else itself (letter case counts, as in Linux file names); "*.*"
// matches every name, dotted or not. A name starting with "." is matched only by a
// pattern that starts with "." too, so "*" leaves hidden files alone.
bool wildcardMatch(std::u16string_view pattern, std::u16string_view name);

} // namespace vbs::lib
