// File errors and system paths (see file_errors.h).
#include "vbscript/library/file_errors.h"

#include "vbscript/errors.h"
#include "vbscript/lib/path_ops.h"
#include "vbscript/lib/text_ops.h"

#include <sys/stat.h>

#include <cerrno>

namespace vbs {

namespace {

bool folderExists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

void raiseFileError(int errnum, const std::string& path) {
    switch (errnum) {
    case ENOENT: {
        std::string parent = lib::utf16ToUtf8(lib::parentFolderName(lib::utf8ToUtf16(path)));
        raise(parent.empty() || folderExists(parent) ? err::FileNotFound : err::PathNotFound);
    }
    case ENOTDIR:
    case ELOOP:
        raise(err::PathNotFound);
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
    case EBUSY:
        raise(err::PermissionDenied);
    case EEXIST:
    case ENOTEMPTY:
        raise(err::FileExists);
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        raise(err::DiskFull);
    case EMFILE:
    case ENFILE:
        raise(err::TooManyFiles);
    case ENAMETOOLONG:
        raise(err::BadFileName);
    case EIO:
        raise(err::DeviceIo);
    default:
        raise(err::PathFileAccess);
    }
}

std::string systemPath(std::u16string_view path) {
    if (path.empty())
        raise(err::InvalidCall);
    if (path.find(u'\0') != std::u16string_view::npos)
        raise(err::BadFileName);
    return lib::utf16ToUtf8(path);
}

} // namespace vbs
