// What "fltamp --help" and "fltamp --version" print.
#pragma once

#include <string>

namespace app {

std::string usageText();
std::string versionText();

} // namespace app
