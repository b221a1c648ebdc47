// What the command-line script hosts (vbsrun, fltamp --script) share around the WScript
// object: reading the script file, the WScript object for it, and the line that reports
// a script error.
#pragma once

#include "vbscript/errors.h"
#include "vbscript/runner/wscript.h"

#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

namespace vbs::runner {

// A script larger than this is refused: reading it whole (and a device such as /dev/zero
// never ends) would take the machine's memory before anything could be said.
inline constexpr std::size_t maxScriptBytes = std::size_t{256} << 20;

// Why a script file cannot be run, in a few words ("No such file or directory").
class ScriptFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The whole file as text (decodeScriptFile's rules); a file that cannot be read, a
// folder, or one larger than maxScriptBytes throws ScriptFileError.
std::u16string readScriptFile(const std::string& path);

// The WScript object of the script file given on the command line (as typed) with its
// arguments: ScriptFullName is the file's absolute path.
Ref<WScript> wscriptFor(const std::string& file, const std::vector<std::string>& arguments,
                        std::u16string hostName);

// FILE(LINE, COLUMN) compilation|runtime error NUMBER: DESCRIPTION on stderr, after what
// the script printed on stdout.
void reportScriptError(const std::string& file, const ScriptError& error);

} // namespace vbs::runner
