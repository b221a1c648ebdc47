// pad and chars with Basic's 16-bit arithmetic, and the greeting box.
#include "script/Routines.h"

#include <cstdint>
#include <limits>

#include "platform/dialogs.h"
#include "vbscript/errors.h"
#include "vbscript/value.h"

namespace script::routines {
namespace {

constexpr int integerMax = std::numeric_limits<std::int16_t>::max();
constexpr int integerMin = std::numeric_limits<std::int16_t>::min();

int checkedInteger(std::int64_t value) {
    if (value < integerMin || value > integerMax)
        vbs::raise(vbs::err::Overflow);
    return static_cast<int>(value);
}

} // namespace

QString pad(const QString& txt, short padTo) {
    const int length = checkedInteger(txt.size());
    const int shortfall = checkedInteger(std::int64_t{padTo} - length);
    if (shortfall < 0)
        return txt;
    // The blank count, shortfall + 1, is counted in 16 bits too.
    const int blanks = checkedInteger(std::int64_t{shortfall} + 1);
    return txt + QString(blanks, QLatin1Char(' '));
}

QString chars(short number, const QString& character) {
    // Appending runs out of string space before the counter could pass 32767.
    if (number > 0 &&
        static_cast<std::size_t>(number) * static_cast<std::size_t>(character.size()) >
            vbs::kMaxStringLength)
        vbs::raise(vbs::err::OutOfStringSpace);
    // The repetition counter steps past the last count: from 32767 that overflows,
    // whatever the text.
    checkedInteger(std::int64_t{number} + 1);
    if (number <= 0)
        return {};
    return character.repeated(number);
}

void useRoutines() {
    platform::messageBox({"I got a procedure from a routine to run!"});
}

} // namespace script::routines
