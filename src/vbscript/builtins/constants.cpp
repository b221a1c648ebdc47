// The language's named constants.
#include "vbscript/builtins/builtin.h"

#include <array>

namespace vbs {

namespace {

Value i(std::int16_t v) {
    return Value::integer(v);
}
Value l(std::int32_t v) {
    return Value::longValue(v);
}
Value s(const char16_t* v) {
    return Value::string(v);
}

} // namespace

std::span<const BuiltinConstant> builtinConstants() {
    static const BuiltinConstant table[] = {
        // strings
        {u"vbCr", s(u"\r")},
        {u"vbLf", s(u"\n")},
        {u"vbCrLf", s(u"\r\n")},
        {u"vbNewLine", s(u"\r\n")},
        {u"vbTab", s(u"\t")},
        {u"vbNullString", s(u"")},
        {u"vbNullChar", Value::string(std::u16string(1, u'\0'))},
        {u"vbFormFeed", s(u"\f")},
        {u"vbVerticalTab", s(u"\v")},
        {u"vbBack", s(u"\b")},
        // message boxes
        {u"vbOKOnly", i(0)},
        {u"vbOKCancel", i(1)},
        {u"vbAbortRetryIgnore", i(2)},
        {u"vbYesNoCancel", i(3)},
        {u"vbYesNo", i(4)},
        {u"vbRetryCancel", i(5)},
        {u"vbCritical", i(16)},
        {u"vbQuestion", i(32)},
        {u"vbExclamation", i(48)},
        {u"vbInformation", i(64)},
        {u"vbDefaultButton1", i(0)},
        {u"vbDefaultButton2", i(256)},
        {u"vbDefaultButton3", i(512)},
        {u"vbDefaultButton4", i(768)},
        {u"vbApplicationModal", i(0)},
        {u"vbSystemModal", i(4096)},
        {u"vbOK", i(1)},
        {u"vbCancel", i(2)},
        {u"vbAbort", i(3)},
        {u"vbRetry", i(4)},
        {u"vbIgnore", i(5)},
        {u"vbYes", i(6)},
        {u"vbNo", i(7)},
        // variant types
        {u"vbEmpty", i(0)},
        {u"vbNull", i(1)},
        {u"vbInteger", i(2)},
        {u"vbLong", i(3)},
        {u"vbSingle", i(4)},
        {u"vbDouble", i(5)},
        {u"vbCurrency", i(6)},
        {u"vbDate", i(7)},
        {u"vbString", i(8)},
        {u"vbObject", i(9)},
        {u"vbError", i(10)},
        {u"vbBoolean", i(11)},
        {u"vbVariant", i(12)},
        {u"vbDataObject", i(13)},
        {u"vbDecimal", i(14)},
        {u"vbByte", i(17)},
        {u"vbArray", i(8192)},
        // tristate and comparison
        {u"vbTrue", i(-1)},
        {u"vbFalse", i(0)},
        {u"vbUseDefault", i(-2)},
        {u"vbBinaryCompare", i(0)},
        {u"vbTextCompare", i(1)},
        {u"vbDatabaseCompare", i(2)},
        // dates
        {u"vbUseSystemDayOfWeek", i(0)},
        {u"vbSunday", i(1)},
        {u"vbMonday", i(2)},
        {u"vbTuesday", i(3)},
        {u"vbWednesday", i(4)},
        {u"vbThursday", i(5)},
        {u"vbFriday", i(6)},
        {u"vbSaturday", i(7)},
        {u"vbUseSystem", i(0)},
        {u"vbFirstJan1", i(1)},
        {u"vbFirstFourDays", i(2)},
        {u"vbFirstFullWeek", i(3)},
        {u"vbGeneralDate", i(0)},
        {u"vbLongDate", i(1)},
        {u"vbShortDate", i(2)},
        {u"vbLongTime", i(3)},
        {u"vbShortTime", i(4)},
        // colours
        {u"vbBlack", l(0x000000)},
        {u"vbRed", l(0x0000FF)},
        {u"vbGreen", l(0x00FF00)},
        {u"vbYellow", l(0x00FFFF)},
        {u"vbBlue", l(0xFF0000)},
        {u"vbMagenta", l(0xFF00FF)},
        {u"vbCyan", l(0xFFFF00)},
        {u"vbWhite", l(0xFFFFFF)},
        // errors
        {u"vbObjectError", l(static_cast<std::int32_t>(0x80040000))},
    };
    return table;
}

} // namespace vbs
