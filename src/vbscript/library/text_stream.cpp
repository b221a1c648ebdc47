// The FileSystemObject's TextStream (see text_stream.h).
#include "vbscript/library/text_stream.h"

#include "vbscript/builtins/args.h"
#include "vbscript/convert.h"
#include "vbscript/errors.h"
#include "vbscript/lib/text_ops.h"
#include "vbscript/library/file_errors.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <limits>

namespace vbs {

namespace {

using K = MemberInfo::Kind;

// Bytes read from the file at a time.
constexpr std::size_t kBlockSize = 64 * 1024;
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16Mark = "\xFF\xFE";

// How many bytes at the start of `bytes` end on a whole UTF-8 character: a character
// cut off by the end of the block waits for the next block.
std::size_t wholeUtf8Prefix(std::string_view bytes) {
    std::size_t back = std::min<std::size_t>(bytes.size(), 3);
    for (std::size_t i = 1; i <= back; ++i) {
        auto c = static_cast<unsigned char>(bytes[bytes.size() - i]);
        if ((c & 0xC0) == 0x80)
            continue; // a continuation byte: its lead is further back
        std::size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        return length > i ? bytes.size() - i : bytes.size();
    }
    return bytes.size();
}

} // namespace

FileTextStream::FileTextStream(int fd, Mode mode, Encoding encoding)
    : fd_(fd), mode_(mode), encoding_(encoding) {
    addMembers();
    struct stat st;
    if (mode_ == Mode::Write && encoding_ == Encoding::Utf16 && ::fstat(fd_, &st) == 0 &&
        st.st_size == 0)
        writeBytes(std::string(kUtf16Mark));
}

FileTextStream::~FileTextStream() {
    if (fd_ >= 0)
        ::close(fd_);
}

void FileTextStream::require(Mode mode) const {
    if (fd_ < 0)
        raise(err::BadFileName);
    if (mode_ != mode)
        raise(err::BadFileMode);
}

void FileTextStream::close() {
    if (fd_ < 0)
        return;
    int fd = fd_;
    fd_ = -1;
    buffer_.clear();
    if (::close(fd) != 0 && errno != EINTR)
        raiseFileError(errno, "");
}

bool FileTextStream::fill() {
    if (endOfFile_)
        return false;
    if (pos_ > kBlockSize) { // what was read before goes, so the buffer stays small
        buffer_.erase(0, pos_);
        pos_ = 0;
    }
    std::string bytes = std::move(pendingBytes_);
    pendingBytes_.clear();
    std::size_t had = bytes.size();
    bytes.resize(had + kBlockSize);
    ssize_t got;
    do {
        got = ::read(fd_, bytes.data() + had, kBlockSize);
    } while (got < 0 && errno == EINTR);
    if (got < 0)
        raiseFileError(errno, "");
    bytes.resize(had + static_cast<std::size_t>(got));
    endOfFile_ = got == 0;
    std::string_view view = bytes;
    if (atStart_ && (view.size() >= 3 || endOfFile_)) {
        atStart_ = false;
        std::string_view mark = encoding_ == Encoding::Utf8 ? kUtf8Mark : kUtf16Mark;
        if (view.starts_with(mark))
            view.remove_prefix(mark.size());
    } else if (atStart_) {
        pendingBytes_ = std::move(bytes); // too little to tell whether a mark starts it
        return true;
    }
    // Whole characters now; a character cut by the block's end waits for the next.
    std::size_t whole = endOfFile_                    ? view.size()
                        : encoding_ == Encoding::Utf8 ? wholeUtf8Prefix(view)
                                                      : view.size() & ~std::size_t{1};
    if (buffer_.size() - pos_ + whole > kMaxStringLength)
        raise(err::OutOfStringSpace);
    if (encoding_ == Encoding::Utf8) {
        buffer_ += lib::utf8ToUtf16(view.substr(0, whole));
    } else {
        buffer_ += lib::littleEndianToUtf16(view.substr(0, whole));
        if (whole % 2 != 0)
            buffer_.push_back(u'\uFFFD'); // a last odd byte
    }
    pendingBytes_.assign(view.substr(whole));
    return true;
}

bool FileTextStream::ahead(std::size_t count) {
    while (buffer_.size() - pos_ < count)
        if (!fill())
            return false;
    return true;
}

std::size_t FileTextStream::nextLineFeed() {
    std::size_t from = pos_;
    for (;;) {
        std::size_t at = buffer_.find(u'\n', from);
        if (at != std::u16string::npos)
            return at;
        std::size_t searched = buffer_.size() - pos_;
        if (!fill())
            return std::u16string::npos;
        from = pos_ + searched; // fill may have moved the text to the buffer's start
    }
}

void FileTextStream::advance(std::size_t count) {
    for (std::size_t i = pos_; i < pos_ + count; ++i) {
        if (buffer_[i] == u'\n') {
            ++line_;
            column_ = 1;
        } else {
            ++column_;
        }
    }
    pos_ += count;
}

std::u16string FileTextStream::readLine() {
    if (!ahead(1))
        raise(err::InputPastEnd);
    std::size_t lineFeed = nextLineFeed();
    std::size_t end = lineFeed == std::u16string::npos ? buffer_.size() : lineFeed;
    std::size_t textEnd =
        end > pos_ && buffer_[end - 1] == u'\r' && lineFeed != std::u16string::npos ? end - 1 : end;
    std::u16string text = buffer_.substr(pos_, textEnd - pos_);
    advance(lineFeed == std::u16string::npos ? end - pos_ : end + 1 - pos_);
    return text;
}

std::u16string FileTextStream::read(std::size_t count) {
    if (count == 0)
        return u"";
    if (!ahead(1))
        raise(err::InputPastEnd);
    ahead(std::min(count, kMaxStringLength));
    std::size_t taken = std::min(count, buffer_.size() - pos_);
    std::u16string text = buffer_.substr(pos_, taken);
    advance(taken);
    return text;
}

std::u16string FileTextStream::readAll() {
    if (!ahead(1))
        raise(err::InputPastEnd);
    while (fill()) {
    }
    std::u16string text = buffer_.substr(pos_);
    advance(text.size());
    return text;
}

void FileTextStream::skip(std::size_t count) {
    if (count == 0)
        return;
    if (!ahead(1))
        raise(err::InputPastEnd);
    while (count > 0 && ahead(1)) {
        std::size_t step = std::min(count, buffer_.size() - pos_);
        advance(step);
        count -= step;
    }
}

bool FileTextStream::atEndOfLine() {
    if (!ahead(1))
        return true;
    char16_t c = buffer_[pos_];
    return c == u'\n' || (c == u'\r' && ahead(2) && buffer_[pos_ + 1] == u'\n');
}

void FileTextStream::writeBytes(const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t put = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put < 0)
            raiseFileError(errno, "");
        done += static_cast<std::size_t>(put);
    }
}

void FileTextStream::write(std::u16string_view text) {
    writeBytes(encoding_ == Encoding::Utf8 ? lib::utf16ToUtf8(text)
                                           : lib::utf16ToLittleEndian(text));
    std::size_t lastLineFeed = text.rfind(u'\n');
    if (lastLineFeed == std::u16string_view::npos) {
        column_ += static_cast<std::int64_t>(text.size());
        return;
    }
    line_ += std::count(text.begin(), text.end(), u'\n');
    column_ = static_cast<std::int64_t>(text.size() - lastLineFeed);
}

void FileTextStream::addMembers() {
    auto reader = [this](auto body) {
        return [this, body](std::span<Value> a) -> Value {
            require(Mode::Read);
            return body(Args(a));
        };
    };
    auto writer = [this](auto body) {
        return [this, body](std::span<Value> a) -> Value {
            require(Mode::Write);
            body(Args(a));
            return Value();
        };
    };
    auto count = [](const Args& a) { return static_cast<std::size_t>(a.atLeast(0, 0)); };

    addMember({u"ReadLine", K::Method, 0, 0, true,
               reader([this](const Args&) { return Value::string(readLine()); }), nullptr});
    addMember({u"Read", K::Method, 1, 1, true,
               reader([this, count](const Args& a) { return Value::string(read(count(a))); }),
               nullptr});
    addMember({u"ReadAll", K::Method, 0, 0, true,
               reader([this](const Args&) { return Value::string(readAll()); }), nullptr});
    addMember({u"Skip", K::Method, 1, 1, false, reader([this, count](const Args& a) {
                   skip(count(a));
                   return Value();
               }),
               nullptr});
    addMember({u"SkipLine", K::Method, 0, 0, false, reader([this](const Args&) {
                   readLine();
                   return Value();
               }),
               nullptr});
    addMember({u"AtEndOfStream", K::Property, 0, 0, true,
               reader([this](const Args&) { return Value::boolean(!ahead(1)); }), nullptr});
    addMember({u"AtEndOfLine", K::Property, 0, 0, true,
               reader([this](const Args&) { return Value::boolean(atEndOfLine()); }), nullptr});
    addMember({u"Write", K::Method, 1, 1, false,
               writer([this](const Args& a) { write(a.text(0)); }), nullptr});
    addMember({u"WriteLine", K::Method, 0, 1, false,
               writer([this](const Args& a) { write(a.given(0) ? a.text(0) + u"\r\n" : u"\r\n"); }),
               nullptr});
    addMember({u"WriteBlankLines", K::Method, 1, 1, false, writer([this, count](const Args& a) {
                   // Written a block of lines at a time, however many are asked for.
                   constexpr std::size_t kLinesPerWrite = 4096;
                   std::u16string block;
                   for (std::size_t left = count(a); left > 0;) {
                       std::size_t lines = std::min(left, kLinesPerWrite);
                       block.clear();
                       for (std::size_t i = 0; i < lines; ++i)
                           block += u"\r\n";
                       write(block);
                       left -= lines;
                   }
               }),
               nullptr});
    auto position = [this](const std::int64_t& field) {
        return [this, &field](std::span<Value>) {
            if (fd_ < 0)
                raise(err::BadFileName);
            if (field > std::numeric_limits<std::int32_t>::max())
                return Value::dbl(static_cast<double>(field)); // past a Long, as a number
            return Value::longValue(static_cast<std::int32_t>(field));
        };
    };
    addMember({u"Line", K::Property, 0, 0, true, position(line_), nullptr});
    addMember({u"Column", K::Property, 0, 0, true, position(column_), nullptr});
    addMember({u"Close", K::Method, 0, 0, false,
               [this](std::span<Value>) {
                   close();
                   return Value();
               },
               nullptr});
}

} // namespace vbs
