// The language's conversion rules between Variant subtypes: what a value means as a
// number, a Boolean, a whole number and text, and how an object stands for its default
// value. Every built-in and operator converts through these, so the same value converts
// the same way everywhere.
#pragma once

#include "vbscript/value.h"

#include <optional>
#include <string>

namespace vbs {

// An object's default value (its default member read with no arguments); any other value
// unchanged. Nothing raises 91; an object without a default member raises 438.
Value scalar(const Value& v);

// A numeric Value for arithmetic: Empty is Integer 0, a String is read as a Double (13
// when it is not a number); numbers, Booleans and dates stay as they are; Null stays
// Null. Arrays raise 13.
Value numeric(const Value& v);

double toDouble(const Value& v);         // Null raises 94
std::int32_t toLong(const Value& v);     // halves to even; 6 when out of range
std::int16_t toInteger(const Value& v);  // halves to even; 6 when out of range
std::uint8_t toByte(const Value& v);     // 6 when out of range
std::int64_t toCurrency(const Value& v); // ten-thousandths; 6 when out of range
double toDate(const Value& v);           // 13 for text that is no date
bool toBool(const Value& v);             // "True"/"False", "#TRUE#"/"#FALSE#", numbers
std::u16string toText(const Value& v);   // CStr; Null raises 94

// Text for "&" and display: Null is "".
std::u16string concatText(const Value& v);

// Whether the value reads as a number (IsNumeric).
bool looksNumeric(const Value& v);

// A #...# literal or date text as a date serial.
std::optional<double> dateLiteral(std::u16string_view text);
std::optional<double> dateFromText(std::u16string_view text);

// The default text of a date serial (CStr of a Date).
std::u16string dateText(double serial);

// TypeName's answer.
std::u16string typeName(const Value& v);

// The Double result of arithmetic: 6 when it is not finite.
Value checkedDouble(double d);

} // namespace vbs
