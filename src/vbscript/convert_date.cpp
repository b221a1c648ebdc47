// Dates as text: reading #date# literals and date text, and the default text of a date.
#include "vbscript/convert.h"

#include "vbscript/lib/number_format.h"

namespace vbs {

std::optional<double> dateLiteral(std::u16string_view) {
    return std::nullopt;
}
std::optional<double> dateFromText(std::u16string_view) {
    return std::nullopt;
}
std::u16string dateText(double serial) {
    return lib::doubleText(serial);
}

} // namespace vbs
