// The script library every engine offers besides the built-in functions: the objects a
// script creates by name. CreateObject("Scripting.FileSystemObject") for files and
// folders, New RegExp (also CreateObject("VBScript.RegExp")) for regular expressions.
// (Scripting.Dictionary is the interpreter's own.)
#pragma once

namespace vbs {

class Interpreter;

void addScriptLibrary(Interpreter& interpreter);

} // namespace vbs
