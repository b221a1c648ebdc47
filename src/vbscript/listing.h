// The compiled form of a piece of code as text, for reading what the compiler made of
// it (vbsrun --dump): each unit — the global code, then each procedure, then each
// class's procedures — with its instructions one a line, each with the source line of
// the statement it belongs to.
#pragma once

#include "vbscript/ast.h"

#include <string>

namespace vbs {

std::string listing(const Unit& unit);

} // namespace vbs
