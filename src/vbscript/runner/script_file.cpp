// Reading a script file whole, reporting its errors, and its exit status.
#include "vbscript/runner/script_file.h"

#include "vbscript/lib/text_ops.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vbs::runner {
namespace {

// Closes the file on every way out.
class OpenFile {
public:
    explicit OpenFile(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
        if (fd_ < 0)
            throw ScriptFileError(std::strerror(errno));
    }
    ~OpenFile() { ::close(fd_); }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

} // namespace

std::u16string readScriptFile(const std::string& path) {
    const OpenFile file(path);
    struct stat info {};
    if (::fstat(file.fd(), &info) == 0 && S_ISDIR(info.st_mode))
        throw ScriptFileError("it is a directory");
    std::string bytes;
    if (S_ISREG(info.st_mode))
        bytes.reserve(std::min(static_cast<std::size_t>(info.st_size), maxScriptBytes));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(file.fd(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw ScriptFileError(std::strerror(errno));
        if (n == 0)
            break;
        if (bytes.size() + static_cast<std::size_t>(n) > maxScriptBytes)
            throw ScriptFileError("it is larger than 256 MiB");
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return lib::decodeScriptFile(bytes);
}

Ref<WScript> wscriptFor(const std::string& file, const std::vector<std::string>& arguments,
                        std::u16string hostName) {
    std::vector<std::u16string> texts;
    for (const std::string& argument : arguments)
        texts.push_back(lib::utf8ToUtf16(argument));
    char* full = ::realpath(file.c_str(), nullptr);
    std::u16string fullPath = lib::utf8ToUtf16(full ? full : file);
    std::free(full);
    return makeRef<WScript>(std::move(fullPath), std::move(texts), std::move(hostName));
}

// The description as the error holds it in UTF-8: reporting "Out of memory" must not
// need memory.
void reportScriptError(const std::string& file, const ScriptError& error) {
    std::fflush(stdout);
    std::fprintf(stderr, "%s(%d, %d) %s error %d: %s\n", file.c_str(), error.line(), error.column(),
                 error.kind() == ErrorKind::Compile ? "compilation" : "runtime", error.number(),
                 error.what());
}

} // namespace vbs::runner
