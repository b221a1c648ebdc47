// Which FTDI device a claim means, and why it could not be opened. libftdi answers a
// failed open with one code of its own; the reason (permission, busy, gone) is asked of
// libusb on the very devices libftdi tried, in the order it tried them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/parllio/ftdi/ftdi_calls.h"

namespace parllio {

// FLTAMP_FTDI in libftdi's description forms: d:BUS/ADDRESS, i:VID:PID, i:VID:PID:INDEX,
// s:VID:PID:SERIAL (numbers in C notation, so 0x0403 or 1027).
struct DeviceDescription {
    enum class Form { node, index, serial };
    Form form = Form::node;
    int bus = 0;
    int address = 0;
    int vendor = 0;
    int product = 0;
    int index = 0;
    std::string serial;

    static std::optional<DeviceDescription> parse(const std::string& text);
};

inline constexpr const char* descriptionForms =
    "d:BUS/ADDRESS, i:VID:PID, i:VID:PID:INDEX or s:VID:PID:SERIAL";

// The devices, one per line after a colon: "d:1/5 0403:6001 "FT232R USB UART" serial A1".
std::string deviceListing(const std::vector<FtdiDevice>& devices);

// Why libftdi could not open the device that `text` describes, asking the bus again.
// libftdiError is the library's own message for the failure.
std::string whyNotOpened(FtdiCalls& calls, const std::string& text,
                         const DeviceDescription& described, const std::string& libftdiError);

} // namespace parllio
