// Writing and reading settings files.
#include "panel/settings_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <string_view>
#include <system_error>

#include "vbscript/basic_number.h"

namespace panel {
namespace {

bool isBlank(int c) {
    return c == ' ' || c == '\t';
}

bool isLineEnd(int c) {
    return c == '\r' || c == '\n';
}

// No 16-bit number needs more characters than this; a longer field fails the read at
// once (a file of one endless line is not read to its end).
constexpr std::size_t longestField = 256;

// Some editors put one at the start of a file they save as UTF-8.
constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

// The characters of a stream as the fields see them: a byte-order mark at the start is
// left out, and after settingsWindow characters (unless the file ends there), or after a
// read error, comes cutOff. Unlike the end of the file, which ends a field, cutOff fails
// the field it meets.
class FieldReader {
public:
    static constexpr int cutOff = -2;

    explicit FieldReader(std::istream& in) : in_(in) {
        for (std::size_t i = 0; i < byteOrderMark.size() && in_.peek() != EOF; ++i)
            lookahead_.push_back(static_cast<char>(in_.get()));
        if (lookahead_ == byteOrderMark) {
            taken_ = lookahead_.size();
            lookahead_.clear();
        }
    }

    int peek() {
        const int c =
            lookahead_.empty() ? in_.peek() : static_cast<unsigned char>(lookahead_.front());
        if (c == EOF)
            return in_.bad() ? cutOff : EOF;
        return taken_ < settingsWindow ? c : cutOff;
    }

    void take() {
        if (!lookahead_.empty())
            lookahead_.erase(0, 1);
        else
            in_.get();
        ++taken_;
    }

private:
    std::istream& in_;
    std::string lookahead_; // read while looking for a byte-order mark
    std::size_t taken_ = 0;
};

// One field: skips blanks and line ends before it, then takes characters up to a blank,
// a comma, a line end or the end of the file. Nothing when no field is there.
std::optional<std::string> nextField(FieldReader& in) {
    int c = in.peek();
    while (isBlank(c) || isLineEnd(c)) {
        in.take();
        c = in.peek();
    }
    if (c == EOF || c == FieldReader::cutOff)
        return std::nullopt;
    std::string field;
    while (c != EOF && !isBlank(c) && !isLineEnd(c) && c != ',') {
        if (c == FieldReader::cutOff || field.size() == longestField)
            return std::nullopt;
        field.push_back(static_cast<char>(c));
        in.take();
        c = in.peek();
    }
    return field;
}

// After a field: blanks and at most one comma belong to it ("5 , 7" is two fields, "5,,7"
// three), so that the next field starts clean.
void skipDelimiter(FieldReader& in) {
    while (isBlank(in.peek()))
        in.take();
    if (in.peek() == ',')
        in.take();
}

// A decimal number whose exponent takes it beyond a double (1e400): the number rules
// turn it away like text, but it is a number, and far outside the 16-bit range.
bool overflowsDouble(std::string_view field) {
    const std::size_t mark = field.find_first_of("eEdD");
    if (mark == std::string_view::npos || field.front() == '&')
        return false;
    std::string_view exponent = field.substr(mark + 1);
    if (!exponent.empty() && (exponent.front() == '+' || exponent.front() == '-'))
        exponent.remove_prefix(1);
    return !exponent.empty() &&
           exponent.find_first_not_of("0123456789") == std::string_view::npos &&
           basic::parseNumber(field.substr(0, mark)).has_value();
}

std::optional<Integer> nextValue(FieldReader& in) {
    const std::optional<std::string> field = nextField(in);
    if (!field)
        return std::nullopt;
    if (const std::optional<double> number = basic::parseNumber(*field))
        return basic::toInteger(*number);
    if (overflowsDouble(*field))
        return std::nullopt;
    return 0;
}

// Reads the file in pages, so that reading stops soon after the second value. A read
// error becomes the stream's bad state, which the fields see as cutOff.
class FileBuffer : public std::streambuf {
public:
    explicit FileBuffer(int fd) : fd_(fd) {}
    ~FileBuffer() override { ::close(fd_); }
    FileBuffer(const FileBuffer&) = delete;
    FileBuffer& operator=(const FileBuffer&) = delete;

protected:
    int_type underflow() override {
        ssize_t got;
        do {
            got = ::read(fd_, page_, sizeof page_);
        } while (got < 0 && errno == EINTR);
        if (got < 0)
            throw std::system_error(errno, std::generic_category(), "settings file");
        if (got == 0)
            return traits_type::eof();
        setg(page_, page_, page_ + got);
        return traits_type::to_int_type(page_[0]);
    }

private:
    int fd_;
    char page_[4096];
};

} // namespace

std::string settingsLine(Integer value) {
    const std::string digits = basic::decimalText(value);
    return (value < 0 ? digits : " " + digits) + " \r\n";
}

std::string settingsText(Integer current, Integer selected) {
    return settingsLine(current) + settingsLine(selected);
}

bool writeSettingsFile(const std::string& path, Integer current, Integer selected) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out << settingsText(current, selected);
    out.close();
    return static_cast<bool>(out);
}

SettingsValues readSettings(std::istream& in) {
    FieldReader fields(in);
    SettingsValues values;
    values.current = nextValue(fields);
    if (values.current) {
        skipDelimiter(fields);
        values.selected = nextValue(fields);
    }
    return values;
}

std::optional<SettingsValues> readSettingsFile(const std::string& path) {
    // Without O_NONBLOCK, opening a FIFO would wait for a writer that may never come.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    FileBuffer file(fd);
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    std::istream in(&file);
    return readSettings(in);
}

} // namespace panel
