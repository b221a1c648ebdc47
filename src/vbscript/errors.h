// Script errors: the one exception type through which every failure of the engine reaches
// its caller, carrying the language's error number, its description and where it
// happened. Runtime error numbers and compile error numbers are the language's own, so a
// script that tests Err.Number behaves as it would anywhere else.
#pragma once

#include <exception>
#include <string>

namespace vbs {

enum class ErrorKind { Compile, Runtime };

// Runtime error numbers the engine raises itself.
namespace err {
constexpr int InvalidCall = 5;
constexpr int Overflow = 6;
constexpr int OutOfMemory = 7;
constexpr int SubscriptOutOfRange = 9;
constexpr int ArrayFixed = 10;
constexpr int DivisionByZero = 11;
constexpr int OutOfStringSpace = 14;
constexpr int TypeMismatch = 13;
constexpr int OutOfStack = 28;
constexpr int SubNotDefined = 35;
constexpr int PermissionDenied = 70;
constexpr int ObjectNotSet = 91;
constexpr int ForNotInitialized = 92;
constexpr int InvalidNull = 94;
constexpr int ObjectRequired = 424;
constexpr int CannotCreateObject = 429;
constexpr int NoSuchMember = 438;
constexpr int ArgumentNotOptional = 449;
constexpr int WrongArgCount = 450;
constexpr int NotACollection = 451;
constexpr int KeyExists = 457;
constexpr int Undefined = 500;
constexpr int IllegalAssignment = 501;
constexpr int ClassNotDefined = 506;
constexpr int NameRedefinedRuntime = 1041;
constexpr int ElementNotFound = 32811;
// The file and text library's (FileSystemObject, TextStream, RegExp).
constexpr int BadFileName = 52;
constexpr int FileNotFound = 53;
constexpr int BadFileMode = 54;
constexpr int DeviceIo = 57;
constexpr int FileExists = 58;
constexpr int DiskFull = 61;
constexpr int InputPastEnd = 62;
constexpr int TooManyFiles = 67;
constexpr int PathFileAccess = 75;
constexpr int PathNotFound = 76;
constexpr int RegexSyntax = 5017;
// Not one of the language's numbers: raised when the host stops a running script.
constexpr int Stopped = 0x7FFF0001;
} // namespace err

// Compile error numbers (the language's 1000 range).
namespace cerr {
constexpr int OutOfMemory = 1001;
constexpr int Syntax = 1002;
constexpr int ExpectedColon = 1003;
constexpr int ExpectedLParen = 1005;
constexpr int ExpectedRParen = 1006;
constexpr int ExpectedRBracket = 1007;
constexpr int ExpectedIdentifier = 1010;
constexpr int ExpectedEquals = 1011;
constexpr int ExpectedIf = 1012;
constexpr int ExpectedTo = 1013;
constexpr int ExpectedEnd = 1014;
constexpr int ExpectedFunction = 1015;
constexpr int ExpectedSub = 1016;
constexpr int ExpectedThen = 1017;
constexpr int ExpectedWend = 1018;
constexpr int ExpectedLoop = 1019;
constexpr int ExpectedNext = 1020;
constexpr int ExpectedCase = 1021;
constexpr int ExpectedSelect = 1022;
constexpr int ExpectedExpression = 1023;
constexpr int ExpectedStatement = 1024;
constexpr int ExpectedEndOfStatement = 1025;
constexpr int ExpectedInteger = 1026;
constexpr int ExpectedWhileUntil = 1027;
constexpr int ExpectedWhileUntilEos = 1028;
constexpr int ExpectedWith = 1029;
constexpr int IdentifierTooLong = 1030;
constexpr int InvalidNumber = 1031;
constexpr int InvalidCharacter = 1032;
constexpr int UnterminatedString = 1033;
constexpr int InvalidMe = 1037;
constexpr int LoopWithoutDo = 1038;
constexpr int InvalidExit = 1039;
constexpr int InvalidForVariable = 1040;
constexpr int NameRedefined = 1041;
constexpr int MustBeFirst = 1042;
constexpr int ParensOnSub = 1044;
constexpr int ExpectedLiteral = 1045;
constexpr int ExpectedIn = 1046;
constexpr int ExpectedClass = 1047;
constexpr int MustBeInClass = 1048;
constexpr int ExpectedLetSetGet = 1049;
constexpr int ExpectedProperty = 1050;
constexpr int InconsistentPropertyArgs = 1051;
constexpr int MultipleDefault = 1052;
constexpr int InitTerminateArgs = 1053;
constexpr int PropertyNeedsArg = 1054;
constexpr int UnexpectedNext = 1055;
constexpr int DefaultOnlyOnProcedure = 1056;
constexpr int DefaultMustBePublic = 1057;
constexpr int DefaultOnlyOnGet = 1058;
constexpr int OutOfStack = 1060;
} // namespace cerr

// The language's description for an error number; "Unknown runtime error" for numbers
// it does not know.
std::u16string errorDescription(int number);

class ScriptError : public std::exception {
public:
    // An error with the language's description of its number. Making one allocates
    // nothing, so running out of memory can be reported as error 7.
    explicit ScriptError(ErrorKind kind, int number, int line = 0, int column = 0);
    ScriptError(ErrorKind kind, int number, std::u16string description, int line = 0,
                int column = 0);
    ScriptError(const ScriptError& other);
    ScriptError& operator=(const ScriptError& other);

    ErrorKind kind() const { return kind_; }
    int number() const { return number_; }
    const std::u16string& description() const { return *description_; }
    const std::u16string& source() const { return source_; }
    int line() const { return line_; }
    int column() const { return column_; }
    // A stop requested by the host cannot be caught by On Error Resume Next.
    bool catchable() const { return number_ != err::Stopped; }

    void setSource(std::u16string source) { source_ = std::move(source); }
    // The first statement that sees the error records where it happened.
    void setPositionIfUnknown(int line, int column);
    // Code run by Execute or Eval has lines of its own; outside it, the statement that
    // ran it is where the error happened.
    void forgetPosition() { line_ = column_ = 0; }
    // The same error as a runtime error of the statement at line and column: how a
    // compile error of code compiled while a script runs reaches that script.
    ScriptError asRuntimeAt(int line, int column) const;
    // The description in UTF-8.
    const char* what() const noexcept override { return what_; }

private:
    bool ownsText() const { return description_ == &ownDescription_; }

    ErrorKind kind_;
    int number_;
    int line_;
    int column_;
    // The language's own descriptions are shared, not copied.
    const std::u16string* description_;
    const char* what_;
    std::u16string ownDescription_;
    std::string ownWhat_;
    std::u16string source_;
};

// Runtime error `number` with the language's description.
ScriptError runtimeError(int number);
// Raises runtime error `number` with the language's description.
[[noreturn]] void raise(int number);
[[noreturn]] void raise(int number, std::u16string description);

} // namespace vbs
