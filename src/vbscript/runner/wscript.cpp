// The runner's WScript object and console answers (see wscript.h).
#include "vbscript/runner/wscript.h"

#include "vbscript/convert.h"
#include "vbscript/errors.h"
#include "vbscript/lib/text_ops.h"

#include <chrono>
#include <limits>
#include <thread>

namespace vbs::runner {

namespace {

using K = MemberInfo::Kind;
// Echo takes any number of arguments.
constexpr int kAnyCount = std::numeric_limits<int>::max();

void write(std::FILE* out, const std::u16string& text) {
    std::string bytes = lib::utf16ToUtf8(text);
    std::fwrite(bytes.data(), 1, bytes.size(), out);
}

// How Echo shows a value: as CStr, with Null shown as "Null".
std::u16string shown(const Value& v) {
    return v.isNull() ? u"Null" : toText(v);
}

std::u16string baseName(const std::u16string& path) {
    auto slash = path.find_last_of(u'/');
    return slash == std::u16string::npos ? path : path.substr(slash + 1);
}

class Arguments : public TableHostObject {
public:
    explicit Arguments(std::vector<std::u16string> args) : args_(std::move(args)) {
        auto item = [this](std::span<Value> a) {
            std::int32_t i = toLong(a[0]);
            if (i < 0 || static_cast<std::size_t>(i) >= args_.size())
                raise(err::SubscriptOutOfRange);
            return Value::string(args_[static_cast<std::size_t>(i)]);
        };
        auto count = [this](std::span<Value>) {
            return Value::longValue(static_cast<std::int32_t>(args_.size()));
        };
        addMember({u"Item", K::Property, 1, 1, true, item, nullptr});
        addMember({u"", K::Property, 1, 1, true, item, nullptr});
        addMember({u"Count", K::Method, 0, 0, true, count, nullptr});
        addMember({u"Length", K::Property, 0, 0, true, count, nullptr});
    }
    std::u16string typeName() const override { return u"Object"; }
    std::optional<std::vector<Value>> items() override {
        std::vector<Value> out;
        for (const auto& a : args_)
            out.push_back(Value::string(a));
        return out;
    }

private:
    std::vector<std::u16string> args_;
};

} // namespace

TextStream::TextStream(std::FILE* out) {
    addMember({u"Write", K::Method, 1, 1, false,
               [out](std::span<Value> a) {
                   write(out, toText(a[0]));
                   return Value();
               },
               nullptr});
    addMember({u"WriteLine", K::Method, 0, 1, false,
               [out](std::span<Value> a) {
                   write(out, (a.empty() ? u"" : toText(a[0])) + u"\n");
                   return Value();
               },
               nullptr});
    addMember({u"WriteBlankLines", K::Method, 1, 1, false,
               [out](std::span<Value> a) {
                   std::int32_t n = toLong(a[0]);
                   for (std::int32_t i = 0; i < n; ++i)
                       write(out, u"\n");
                   return Value();
               },
               nullptr});
}

WScript::WScript(std::u16string scriptPath, std::vector<std::u16string> arguments,
                 std::u16string hostName)
    : arguments_(makeRef<Arguments>(std::move(arguments))), stdOut_(makeRef<TextStream>(stdout)),
      stdErr_(makeRef<TextStream>(stderr)) {
    addMember({u"Echo", K::Method, 0, kAnyCount, false,
               [](std::span<Value> a) {
                   std::u16string line;
                   for (std::size_t i = 0; i < a.size(); ++i)
                       line += (i ? u" " : u"") + shown(a[i]);
                   write(stdout, line + u"\n");
                   return Value();
               },
               nullptr});
    addMember({u"Quit", K::Method, 0, 1, false,
               [this](std::span<Value> a) -> Value {
                   std::int32_t code = a.empty() ? 0 : toLong(a[0]);
                   if (!quitCode_)
                       quitCode_ = code;
                   std::fflush(stdout);
                   throw QuitRequest{code};
               },
               nullptr});
    addMember({u"Sleep", K::Method, 1, 1, false,
               [](std::span<Value> a) {
                   std::int32_t ms = toLong(a[0]);
                   if (ms > 0)
                       std::this_thread::sleep_for(std::chrono::milliseconds(ms));
                   return Value();
               },
               nullptr});
    auto constant = [this](const char16_t* name, Value v) {
        addMember({name, K::Property, 0, 0, true, [v](std::span<Value>) { return v; }, nullptr});
    };
    constant(u"Arguments", Value::object(arguments_));
    constant(u"StdOut", Value::object(stdOut_));
    constant(u"StdErr", Value::object(stdErr_));
    constant(u"ScriptFullName", Value::string(scriptPath));
    constant(u"ScriptName", Value::string(baseName(scriptPath)));
    constant(u"Name", Value::string(hostName));
    constant(u"Version", Value::string(u"5.8"));
}

int exitStatusOf(std::int32_t quitCode) {
    return quitCode >= 0 && quitCode <= 255 ? quitCode : 255;
}

int defaultButton(int buttons) {
    static const int kButtons[][3] = {
        {1, 1, 1}, // vbOKOnly
        {1, 2, 2}, // vbOKCancel
        {3, 4, 5}, // vbAbortRetryIgnore
        {6, 7, 2}, // vbYesNoCancel
        {6, 7, 7}, // vbYesNo
        {4, 2, 2}, // vbRetryCancel
    };
    int set = buttons & 0xF;
    int which = (buttons >> 8) & 0x3;
    if (set > 5)
        set = 0;
    return kButtons[set][std::min(which, 2)];
}

int ConsoleUi::msgBox(const std::u16string& prompt, int buttons, const std::u16string&) {
    write(stdout, prompt + u"\n");
    return defaultButton(buttons);
}

std::optional<std::u16string> ConsoleUi::inputBox(const std::u16string& prompt,
                                                  const std::u16string&,
                                                  const std::u16string& defaultText) {
    write(stdout, prompt + u"\n");
    return defaultText;
}

} // namespace vbs::runner
