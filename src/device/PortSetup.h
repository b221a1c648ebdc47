// Finding out which system runs the panel and claiming the parallel port, with the
// operator deciding what happens when the claim fails.
#pragma once

#include <string>

#include "device/Variables.h"

namespace device {

// Operating-system codes of getOSVersion.
inline constexpr Integer osUnknown = -1;
inline constexpr Integer osNotSupported = 0;
inline constexpr Integer osWindows95 = 95;
inline constexpr Integer osWindows98 = 98;
inline constexpr Integer osNt351 = 351;
inline constexpr Integer osNt4 = 400;
inline constexpr Integer osNt2000 = 2000;

Integer getOSVersion();
// True when the code is one on which the port is set up at start-up.
bool osNeedsPortSetup(Integer osCode);

// One claim through the port library; any error counts as a refused claim.
bool claimPort();
// One claim with the operator's decision on failure. True: setup is finished (see
// portAvailable); false: call again. Abort and No end the program.
bool setupPort();

// The start-up part of the load handler: standard addresses, the OS check with its
// message, and setupPort until it finishes.
void setUpPortAtStartUp();

// Why the panel runs without the port after start-up, in the operator's terms: the
// last claim's refusal, or why no claim was made. Empty when the port was claimed.
const std::string& whyNoPort();

} // namespace device
