// The TextStream of a file opened by the FileSystemObject: a file read or written as
// text, one way only. Files are UTF-8 without a byte-order mark (one at the start of a
// file being read is skipped), or UTF-16 little-endian with one when opened as Unicode.
// Lines are written with CR LF and read up to an LF, a CR before it dropped; a lone CR
// is part of the line. Reading goes through a buffer filled a block at a time, so a
// script can read a file of any size line by line; every Write goes to the file at
// once, so what a script wrote is there even if it stops without closing the stream.
//
// Errors are the language's: a read member of a stream open for writing (and the
// reverse) is 54 "Bad file mode", reading at the end is 62 "Input past end of file",
// any member but Close after Close is 52 "Bad file name or number", a full disk 61.
#pragma once

#include "vbscript/host_object.h"

#include <cstdint>
#include <string>

namespace vbs {

class FileTextStream : public TableHostObject {
public:
    enum class Mode { Read, Write };
    enum class Encoding { Utf8, Utf16 };

    // Takes ownership of the open file descriptor. A stream for writing to a file that is
    // still empty starts it with the encoding's byte-order mark (UTF-16 only).
    FileTextStream(int fd, Mode mode, Encoding encoding);
    ~FileTextStream() override;
    std::u16string typeName() const override { return u"TextStream"; }

private:
    void addMembers();
    void close();
    void require(Mode mode) const;

    // Reading: the text from pos_ on is in buffer_; fill() decodes one more block.
    bool fill();
    // Whether at least `count` characters lie ahead, reading as far as needed.
    bool ahead(std::size_t count);
    // The position of the next LF at or after pos_, reading as far as needed; npos at
    // the end of the file.
    std::size_t nextLineFeed();
    // Passes over `count` characters ahead, counting lines and columns.
    void advance(std::size_t count);
    std::u16string readLine();
    std::u16string read(std::size_t count);
    std::u16string readAll();
    void skip(std::size_t count);
    bool atEndOfLine();

    // Writing.
    void write(std::u16string_view text);
    void writeBytes(const std::string& bytes);

    int fd_;
    Mode mode_;
    Encoding encoding_;
    std::u16string buffer_;
    std::size_t pos_ = 0;
    std::string pendingBytes_; // the start of a character whose rest is in the next block
    bool endOfFile_ = false;
    bool atStart_ = true;
    std::int64_t line_ = 1;
    std::int64_t column_ = 1;
};

} // namespace vbs
