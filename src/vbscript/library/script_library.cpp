// Registers the script library's objects with an engine (see script_library.h).
#include "vbscript/library/script_library.h"

#include "vbscript/interpreter.h"
#include "vbscript/library/file_system.h"
#include "vbscript/library/regexp.h"

namespace vbs {

void addScriptLibrary(Interpreter& interpreter) {
    interpreter.registerProgId(u"Scripting.FileSystemObject",
                               [] { return Ref<HostObject>(makeRef<FileSystemObject>()); });
    auto regExp = [] { return Ref<HostObject>(makeRef<RegExpObject>()); };
    interpreter.registerProgId(u"VBScript.RegExp", regExp);
    interpreter.registerClass(u"RegExp", regExp);
}

} // namespace vbs
