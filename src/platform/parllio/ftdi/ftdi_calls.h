// The few libftdi1 calls the FTDI backend makes, as a table that tests replace with a
// fake bridge. Each entry does what the library call it names does; the real table owns
// one libftdi context for the backend's lifetime.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace parllio {

// One FTDI device on the bus, as listed before opening.
struct FtdiDevice {
    int bus = 0;
    int address = 0;
    int vendor = 0;
    int product = 0;
    std::string description; // product string; empty when the device could not be asked
    std::string serial;      // empty when the device has none or could not be asked

    // How FLTAMP_FTDI names exactly this device: "d:BUS/ADDRESS".
    std::string node() const;
};

// What libusb says when it repeats libftdi's opening steps on one device (libftdi keeps
// only a code of its own). Zero: that step went through, or was not tried.
struct UsbProbe {
    int openError = 0;  // libusb_open
    int claimError = 0; // libusb_claim_interface, tried only when no kernel driver is bound
    std::string text;   // libusb's words for the error
};

// libusb error codes the backend explains in the user's terms (the library's values).
namespace usb {
inline constexpr int ioError = -1;
inline constexpr int accessDenied = -3;
inline constexpr int noDevice = -4;
inline constexpr int busy = -6;
} // namespace usb

// BITMODE_SYNCBB: each byte written is put on the pins and answered by one sample.
inline constexpr std::uint8_t syncBitbangMode = 0x04;

struct FtdiCalls {
    // ftdi_usb_find_all over vendor:product (0, 0: FTDI's usual ids), in the bus's order,
    // with each device's strings where it lets itself be asked. The count, or a negative
    // libftdi code when the bus cannot be listed.
    std::function<int(int vendor, int product, std::vector<FtdiDevice>& found)> findAll;
    // ftdi_set_interface(INTERFACE_A), then ftdi_usb_open_string. 0 or a libftdi code.
    std::function<int(const std::string& description)> open;
    // libusb_open and libusb_claim_interface on the device at bus/address, released again.
    std::function<UsbProbe(int bus, int address)> probe;
    // The context's USB read and write time-outs, in milliseconds.
    std::function<void(int readMs, int writeMs)> setTimeouts;
    std::function<int(std::uint8_t milliseconds)> setLatencyTimer; // ftdi_set_latency_timer
    std::function<int(std::uint8_t outputs, std::uint8_t mode)> setBitmode; // ftdi_set_bitmode
    std::function<int(int value)> setBaudrate;                              // ftdi_set_baudrate
    std::function<int()> flush;                                             // ftdi_tcioflush
    std::function<int(const std::uint8_t* bytes, int size)> write;          // ftdi_write_data
    std::function<int(std::uint8_t* bytes, int size)> read;                 // ftdi_read_data
    std::function<void()> close;                                            // ftdi_usb_close
    std::function<std::string()> errorString;                               // ftdi_get_error_string

    static FtdiCalls real();
};

} // namespace parllio
