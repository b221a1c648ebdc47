// Dates as text: reading #date# literals and date text, and the default text of a date,
// through the library's date algorithms.
#include "vbscript/convert.h"

#include "vbscript/lib/date_ops.h"

namespace vbs {

std::optional<double> dateLiteral(std::u16string_view text) {
    return lib::parseDateText(text);
}
std::optional<double> dateFromText(std::u16string_view text) {
    return lib::parseDateText(text);
}
std::u16string dateText(double serial) {
    return lib::dateText(serial);
}

} // namespace vbs
