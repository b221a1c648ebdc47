// Script files: names to paths, reading with the encoding rules, all-or-nothing writes.
#include "script/script_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QStringDecoder>
#include <cerrno>
#include <string>

#include "platform/program_folder.h"
#include "vbscript/errors.h"
#include "vbscript/value.h"

namespace script::files {
namespace {

// The language's file errors.
constexpr int badFileName = 52;
constexpr int fileNotFound = 53;
constexpr int deviceIoError = 57;
constexpr int diskFull = 61;
constexpr int tooManyFiles = 67;
constexpr int permissionDenied = 70;
constexpr int pathFileAccessError = 75;
constexpr int pathNotFound = 76;

int fileErrorOf(int error, const std::filesystem::path& file) {
    switch (error) {
    case ENOENT: {
        std::error_code ignored;
        return std::filesystem::is_directory(file.parent_path(), ignored) ? fileNotFound
                                                                          : pathNotFound;
    }
    case ENOTDIR:
        return pathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
        return permissionDenied;
    case ENAMETOOLONG:
        return badFileName;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return diskFull;
    case EMFILE:
    case ENFILE:
        return tooManyFiles;
    case EIO:
        return deviceIoError;
    default:
        return pathFileAccessError;
    }
}

[[noreturn]] void fail(int number, const std::filesystem::path& file) {
    vbs::raise(number, vbs::errorDescription(number) + u": " +
                           QString::fromStdString(file.string()).toStdU16String());
}

[[noreturn]] void failWithErrno(int error, const std::filesystem::path& file) {
    fail(fileErrorOf(error, file), file);
}

// Closes the descriptor when it goes.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Closes now and says whether the data reached the file.
    bool close() { return ::close(std::exchange(fd_, -1)) == 0; }

private:
    int fd_;
};

// Only plain files are script files: a folder, a device or a pipe is refused, so that
// no load waits on a terminal or reads an endless device.
void requirePlainFile(const struct stat& status, const std::filesystem::path& file) {
    if (!S_ISREG(status.st_mode))
        fail(pathFileAccessError, file);
}

std::string readAll(const std::filesystem::path& file) {
    // Not blocking: opening a pipe nobody writes to would wait for ever.
    Descriptor in(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (in.get() < 0)
        failWithErrno(errno, file);
    struct stat status {};
    if (::fstat(in.get(), &status) != 0)
        failWithErrno(errno, file);
    requirePlainFile(status, file);
    // Its text goes into the engine and the code log as one string.
    if (static_cast<std::uint64_t>(status.st_size) > vbs::kMaxStringLength)
        vbs::raise(vbs::err::OutOfStringSpace);
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t count = ::read(in.get(), buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            failWithErrno(errno, file);
        if (count == 0)
            return bytes;
        bytes.append(buffer, static_cast<std::size_t>(count));
        if (bytes.size() > vbs::kMaxStringLength)
            vbs::raise(vbs::err::OutOfStringSpace);
    }
}

// Windows-1252's characters for the bytes 0x80 to 0x9F; the five it leaves unassigned
// stand for themselves, as Windows reads them.
constexpr char16_t windows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString fromWindows1252(const std::string& bytes) {
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        text[static_cast<qsizetype>(i)] =
            QChar(byte >= 0x80 && byte < 0xA0 ? windows1252High[byte - 0x80] : char16_t{byte});
    }
    return text;
}

QString decoded(const std::string& bytes) {
    // Qt's UTF-8 decoder drops a leading byte-order mark and reports any invalid sequence,
    // statelessly also one cut short at the end.
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (utf8.hasError())
        return fromWindows1252(bytes);
    return text;
}

// A new file's permissions: read and write for all, less the process's umask.
mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

void writeAll(int fd, const QByteArray& bytes, const std::filesystem::path& file) {
    const char* next = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, next, static_cast<std::size_t>(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            failWithErrno(errno, file);
        next += written;
        left -= written;
    }
}

} // namespace

std::filesystem::path scriptFolder() {
    const QString chosen = qEnvironmentVariable("FLTAMP_SCRIPT_DIR");
    return chosen.isEmpty() ? platform::programFolder()
                            : std::filesystem::path(chosen.toStdString());
}

std::filesystem::path located(const QString& name) {
    if (name.startsWith(QLatin1Char('/')))
        return std::filesystem::path(name.toStdString());
    QString relative = name;
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (relative.startsWith(QLatin1Char('/')))
        relative.remove(0, 1);
    return scriptFolder() / relative.toStdString();
}

std::vector<QString> readLines(const std::filesystem::path& file) {
    const QString text = decoded(readAll(file));
    std::vector<QString> lines;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = text.size();
        qsizetype lineEnd = end;
        if (lineEnd > start && text[lineEnd - 1] == QLatin1Char('\r'))
            --lineEnd;
        lines.push_back(text.mid(start, lineEnd - start));
        start = end + 1;
    }
    return lines;
}

void replaceFile(const std::filesystem::path& file, const QString& text) {
    std::error_code error;
    // A link is followed, so the file it points to is replaced, not the link.
    std::filesystem::path target = std::filesystem::is_symlink(file, error)
                                       ? std::filesystem::weakly_canonical(file, error)
                                       : file;
    if (error)
        target = file;
    struct stat status {};
    const bool exists = ::stat(target.c_str(), &status) == 0;
    // Never a device or a folder replaced by a file.
    if (exists)
        requirePlainFile(status, target);

    std::string temporaryName =
        (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    Descriptor out(::mkostemp(temporaryName.data(), O_CLOEXEC));
    if (out.get() < 0)
        failWithErrno(errno, target);
    const std::filesystem::path temporary(temporaryName);
    try {
        if (::fchmod(out.get(), exists ? status.st_mode & 07777 : newFileMode()) != 0)
            failWithErrno(errno, target);
        writeAll(out.get(), text.toUtf8(), target);
        if (::fsync(out.get()) != 0)
            failWithErrno(errno, target);
        if (!out.close())
            failWithErrno(errno, target);
        if (::rename(temporary.c_str(), target.c_str()) != 0)
            failWithErrno(errno, target);
    } catch (...) {
        ::unlink(temporary.c_str());
        throw;
    }
}

} // namespace script::files
