// Scripting.FileSystemObject (see file_system.h).
#include "vbscript/library/file_system.h"

#include "vbscript/builtins/args.h"
#include "vbscript/convert.h"
#include "vbscript/errors.h"
#include "vbscript/lib/path_ops.h"
#include "vbscript/lib/text_ops.h"
#include "vbscript/library/file_errors.h"
#include "vbscript/library/text_stream.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <random>
#include <type_traits>

namespace vbs {

namespace {

using K = MemberInfo::Kind;

// OpenTextFile's iomode values (the script declares them as ForReading and so on).
constexpr int kForReading = 1;
constexpr int kForWriting = 2;
constexpr int kForAppending = 8;
// The format values of OpenTextFile: TristateUseDefault, TristateTrue, TristateFalse.
constexpr int kFormatDefault = -2;
constexpr int kFormatUnicode = -1;
constexpr int kFormatAscii = 0;
// Bytes copied at a time by CopyFile.
constexpr std::size_t kCopyBlock = 64 * 1024;

enum class Kind { Missing, File, Folder };

Kind kindOf(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0)
        return Kind::Missing;
    return S_ISDIR(st.st_mode) ? Kind::Folder : Kind::File;
}

bool sameFile(const std::string& a, const std::string& b) {
    struct stat sa, sb;
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

std::u16string currentFolder() {
    std::unique_ptr<char, decltype(&std::free)> cwd(::getcwd(nullptr, 0), &std::free);
    if (!cwd)
        raiseFileError(errno, ".");
    return lib::utf8ToUtf16(cwd.get());
}

// Opens a text file for a TextStream; a folder cannot be opened as one (70).
Value openStream(const std::string& path, int flags, FileTextStream::Mode mode,
                 FileTextStream::Encoding encoding) {
    int fd;
    do {
        fd = ::open(path.c_str(), flags | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        raiseFileError(errno, path);
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        raise(err::PermissionDenied);
    }
    return Value::object(makeRef<FileTextStream>(fd, mode, encoding));
}

Value openTextFile(const Args& a) {
    std::string path = systemPath(a.text(0));
    int ioMode = a.whole(1, kForReading);
    bool create = a.given(2) && toBool(a.raw(2));
    int format = a.whole(3, kFormatAscii);
    if (format != kFormatDefault && format != kFormatUnicode && format != kFormatAscii)
        invalidArgument();
    auto encoding =
        format == kFormatUnicode ? FileTextStream::Encoding::Utf16 : FileTextStream::Encoding::Utf8;
    int createFlag = create ? O_CREAT : 0;
    switch (ioMode) {
    case kForReading:
        return openStream(path, O_RDONLY | createFlag, FileTextStream::Mode::Read, encoding);
    case kForWriting:
        return openStream(path, O_WRONLY | O_TRUNC | createFlag, FileTextStream::Mode::Write,
                          encoding);
    case kForAppending:
        return openStream(path, O_WRONLY | O_APPEND | createFlag, FileTextStream::Mode::Write,
                          encoding);
    default:
        invalidArgument();
    }
}

// CreateTextFile: an existing file is replaced only when overwrite is True (58 otherwise).
Value createTextFile(const Args& a) {
    std::string path = systemPath(a.text(0));
    bool overwrite = a.given(1) && toBool(a.raw(1));
    bool unicode = a.given(2) && toBool(a.raw(2));
    return openStream(path, O_WRONLY | O_CREAT | (overwrite ? O_TRUNC : O_EXCL),
                      FileTextStream::Mode::Write,
                      unicode ? FileTextStream::Encoding::Utf16 : FileTextStream::Encoding::Utf8);
}

// The files a source names: itself, or with wildcards in its last part every file of its
// folder that matches, in name order. None is 53; a missing folder 76.
std::vector<std::string> sourceFiles(std::u16string_view source) {
    std::string path = systemPath(source);
    std::u16string pattern = lib::fileName(source);
    if (!lib::hasWildcards(pattern)) {
        if (kindOf(path) != Kind::File) {
            if (kindOf(path) == Kind::Folder)
                raise(err::FileNotFound);
            raiseFileError(ENOENT, path);
        }
        return {path};
    }
    std::u16string folder = lib::parentFolderName(source);
    std::string folderPath = folder.empty() ? "." : lib::utf16ToUtf8(folder);
    struct CloseDir {
        void operator()(DIR* d) const { ::closedir(d); }
    };
    std::unique_ptr<DIR, CloseDir> dir(::opendir(folderPath.c_str()));
    if (!dir)
        raise(errno == ENOENT || errno == ENOTDIR ? err::PathNotFound : err::PermissionDenied);
    std::vector<std::string> files;
    while (dirent* entry = ::readdir(dir.get())) {
        std::string name = entry->d_name;
        std::string file = folder.empty() ? name : folderPath + "/" + name;
        if (lib::wildcardMatch(pattern, lib::utf8ToUtf16(name)) && kindOf(file) == Kind::File)
            files.push_back(file);
    }
    if (files.empty())
        raise(err::FileNotFound);
    std::sort(files.begin(), files.end());
    return files;
}

// Where each source file goes: into the folder `destination` when it ends with "/" or
// the source has wildcards (the folder must exist: 76), else to the name `destination`.
std::string targetOf(const std::string& file, std::u16string_view source,
                     std::u16string_view destination) {
    std::string target = systemPath(destination);
    bool intoFolder = destination.back() == u'/' || lib::hasWildcards(lib::fileName(source));
    if (!intoFolder)
        return target;
    if (kindOf(target) != Kind::Folder)
        raise(err::PathNotFound);
    return lib::utf16ToUtf8(lib::buildPath(destination, lib::fileName(lib::utf8ToUtf16(file))));
}

// A target that exists may be replaced only when `overwrite` allows it and it is a file
// other than the source itself; a name that is taken otherwise is 58, and a folder or the
// source itself in the way of an overwrite is 70.
void checkTarget(const std::string& file, const std::string& target, bool overwrite) {
    Kind kind = kindOf(target);
    if (kind == Kind::Missing)
        return;
    if (!overwrite)
        raise(err::FileExists);
    if (kind == Kind::Folder || sameFile(file, target))
        raise(err::PermissionDenied);
}

void copyContents(const std::string& from, const std::string& to) {
    int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        raiseFileError(errno, from);
    struct stat st;
    mode_t mode = ::fstat(in, &st) == 0 ? (st.st_mode & 0777) : 0666;
    int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (out < 0) {
        int e = errno;
        ::close(in);
        raiseFileError(e, to);
    }
    std::string block(kCopyBlock, '\0');
    int failure = 0;
    for (;;) {
        ssize_t got = ::read(in, block.data(), block.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            failure = got < 0 ? errno : 0;
            break;
        }
        for (ssize_t done = 0; done < got && failure == 0;) {
            ssize_t put = ::write(out, block.data() + done, static_cast<std::size_t>(got - done));
            if (put < 0 && errno != EINTR)
                failure = errno;
            else if (put > 0)
                done += put;
        }
        if (failure)
            break;
    }
    ::close(in);
    if (::close(out) != 0 && failure == 0 && errno != EINTR)
        failure = errno;
    if (failure)
        raiseFileError(failure, to);
}

void copyFile(const Args& a) {
    std::u16string source = a.text(0), destination = a.text(1);
    bool overwrite = a.given(2) ? toBool(a.raw(2)) : true;
    if (destination.empty())
        invalidArgument();
    for (const std::string& file : sourceFiles(source)) {
        std::string target = targetOf(file, source, destination);
        checkTarget(file, target, overwrite);
        copyContents(file, target);
    }
}

// MoveFile never replaces anything; across file systems the file is copied, then removed.
void moveFile(const Args& a) {
    std::u16string source = a.text(0), destination = a.text(1);
    if (destination.empty())
        invalidArgument();
    for (const std::string& file : sourceFiles(source)) {
        std::string target = targetOf(file, source, destination);
        checkTarget(file, target, false);
        if (::renameat2(AT_FDCWD, file.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
            continue;
        int e = errno;
        if (e == EINVAL && ::rename(file.c_str(), target.c_str()) == 0)
            continue; // a file system without the no-replace flag; the target was checked
        if (e != EXDEV)
            raiseFileError(e, target);
        copyContents(file, target);
        if (::unlink(file.c_str()) != 0) {
            e = errno;
            ::unlink(target.c_str());
            raiseFileError(e, file);
        }
    }
}

// DeleteFile: a file the owner may not write is read-only, deleted only with force (70).
void deleteFile(const Args& a) {
    bool force = a.given(1) && toBool(a.raw(1));
    for (const std::string& file : sourceFiles(a.text(0))) {
        if (!force && ::access(file.c_str(), W_OK) != 0)
            raise(err::PermissionDenied);
        if (::unlink(file.c_str()) != 0)
            raiseFileError(errno, file);
    }
}

Value createFolder(const Args& a) {
    std::string path = systemPath(a.text(0));
    if (::mkdir(path.c_str(), 0777) != 0)
        raiseFileError(errno, path);
    return Value::object(makeRef<FolderObject>(lib::absolutePath(a.text(0), currentFolder())));
}

bool exists(const Args& a, Kind wanted) {
    const std::u16string& path = a.text(0);
    if (path.empty() || path.find(u'\0') != std::u16string::npos)
        return false;
    return kindOf(lib::utf16ToUtf8(path)) == wanted;
}

// "rad" and five hexadecimal digits, ".tmp": a name unlikely to be taken, not a file.
std::u16string tempName() {
    static std::mt19937 generator{std::random_device{}()};
    char name[16];
    std::snprintf(name, sizeof name, "rad%05X.tmp", static_cast<unsigned>(generator() & 0xFFFFF));
    return lib::widen(name);
}

} // namespace

FileSystemObject::FileSystemObject() {
    auto method = [this](const char16_t* name, int minArgs, int maxArgs, auto body) {
        constexpr bool isSub = std::is_void_v<std::invoke_result_t<decltype(body), const Args&>>;
        addMember({name, K::Method, minArgs, maxArgs, !isSub,
                   [body](std::span<Value> v) -> Value {
                       Args a(v);
                       if constexpr (isSub) {
                           body(a);
                           return Value();
                       } else {
                           return body(a);
                       }
                   },
                   nullptr});
    };
    auto text = [](std::u16string s) { return Value::string(std::move(s)); };
    method(u"OpenTextFile", 1, 4, openTextFile);
    method(u"CreateTextFile", 1, 3, createTextFile);
    method(u"FileExists", 1, 1,
           [](const Args& a) { return Value::boolean(exists(a, Kind::File)); });
    method(u"FolderExists", 1, 1,
           [](const Args& a) { return Value::boolean(exists(a, Kind::Folder)); });
    method(u"CreateFolder", 1, 1, createFolder);
    method(u"DeleteFile", 1, 2, deleteFile);
    method(u"CopyFile", 2, 3, copyFile);
    method(u"MoveFile", 2, 2, moveFile);
    method(u"GetAbsolutePathName", 1, 1,
           [text](const Args& a) { return text(lib::absolutePath(a.text(0), currentFolder())); });
    method(u"BuildPath", 2, 2,
           [text](const Args& a) { return text(lib::buildPath(a.text(0), a.text(1))); });
    method(u"GetFileName", 1, 1, [text](const Args& a) { return text(lib::fileName(a.text(0))); });
    method(u"GetBaseName", 1, 1, [text](const Args& a) { return text(lib::baseName(a.text(0))); });
    method(u"GetExtensionName", 1, 1,
           [text](const Args& a) { return text(lib::extensionName(a.text(0))); });
    method(u"GetParentFolderName", 1, 1,
           [text](const Args& a) { return text(lib::parentFolderName(a.text(0))); });
    method(u"GetTempName", 0, 0, [text](const Args&) { return text(tempName()); });
}

FolderObject::FolderObject(std::u16string path) : path_(std::move(path)) {
    auto pathOf = [this](std::span<Value>) { return Value::string(path_); };
    addMember({u"Path", K::Property, 0, 0, true, pathOf, nullptr});
    addMember({u"", K::Property, 0, 0, true, pathOf, nullptr});
    addMember({u"Name", K::Property, 0, 0, true,
               [this](std::span<Value>) { return Value::string(lib::fileName(path_)); }, nullptr});
}

} // namespace vbs
