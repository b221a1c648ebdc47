// The routines scripts call on the main window, the routines window and the routines
// class: pad, chars and useRoutines, one implementation behind all three. Lengths and
// counts are Basic's signed 16-bit integers, and their overflows are kept: a text longer
// than 32767 characters, a padding width out of range, or a count reaching 32767 is the
// script error Overflow (6). The console pads its object log with the same rule.
#pragma once

#include <QString>

namespace script::routines {

// txt followed by padTo - Len(txt) + 1 blanks when that is not negative, else txt as it is.
QString pad(const QString& txt, short padTo);
// character repeated number times (nothing for 0 or less). A result longer than the
// engine's strings is "Out of string space" (14) before anything is built.
QString chars(short number, const QString& character);
// The greeting: "I got a procedure from a routine to run!" in a modal box.
void useRoutines();

} // namespace script::routines
