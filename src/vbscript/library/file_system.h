// Scripting.FileSystemObject: the files and folders a logging or data script needs, on
// Linux paths ("/" separates folders; a relative path starts at the current folder).
// Text files open as FileTextStream objects (text_stream.h). The name functions are the
// path arithmetic of lib/path_ops.h; DeleteFile, CopyFile and MoveFile take the
// wildcards "*" and "?" in the last part of the source. Failures raise the language's
// errors (file_errors.h).
#pragma once

#include "vbscript/host_object.h"

namespace vbs {

class FileSystemObject : public TableHostObject {
public:
    FileSystemObject();
    std::u16string typeName() const override { return u"FileSystemObject"; }
};

// The Folder CreateFolder returns: its Path (the default member) and Name.
class FolderObject : public TableHostObject {
public:
    explicit FolderObject(std::u16string path);
    std::u16string typeName() const override { return u"Folder"; }

private:
    std::u16string path_;
};

} // namespace vbs
