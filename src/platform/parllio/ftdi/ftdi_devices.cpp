// Reading FLTAMP_FTDI as libftdi reads it, and turning a failed open into a reason.
#include "platform/parllio/ftdi/ftdi_devices.h"

#include <cstdio>
#include <cstdlib>

#include "platform/parllio/setting_number.h"

namespace parllio {
namespace {

// One number in C notation (0x… hex, 0… octal, else decimal) up to `stop` or the end.
std::optional<int> idAt(const std::string& text, std::size_t& at, long high) {
    const char* start = text.c_str() + at;
    char* end = nullptr;
    const unsigned long value = std::strtoul(start, &end, 0);
    if (end == start || *start == '-' || *start == '+' || value > static_cast<unsigned long>(high))
        return std::nullopt;
    at = static_cast<std::size_t>(end - text.c_str());
    return static_cast<int>(value);
}

bool colonAt(const std::string& text, std::size_t& at) {
    if (at >= text.size() || text[at] != ':')
        return false;
    ++at;
    return true;
}

std::string hex4(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04x", static_cast<unsigned>(value) & 0xFFFF);
    return text;
}

std::string ids(int vendor, int product) {
    return hex4(vendor) + ":" + hex4(product);
}

// The udev rule and group that let a user open the bridge without root.
constexpr const char* accessHint =
    "the udev rule 60-fltamp-ftdi.rules (packaging/udev in the sources) must be installed "
    "and you in the plugdev group (sudo usermod -aG plugdev $USER; log in again and "
    "re-plug the adapter)";

std::string usbReason(const std::string& subject, int error, const std::string& text) {
    switch (error) {
    case usb::accessDenied:
        return "permission denied on " + subject + ": " + accessHint;
    case usb::busy:
        return subject + " is in use by another program";
    case usb::noDevice:
        return subject + " is not on the bus (unplugged?)";
    default:
        return "cannot open " + subject + ": " + text;
    }
}

// The devices the description may stand for, in the order libftdi walks them, and the
// one it means when that can be told without opening anything.
struct Fitting {
    std::vector<FtdiDevice> devices;
    std::optional<std::size_t> meant;
};

Fitting fitting(FtdiCalls& calls, const DeviceDescription& described) {
    Fitting found;
    if (described.form == DeviceDescription::Form::node) {
        FtdiDevice node;
        node.bus = described.bus;
        node.address = described.address;
        found.devices.push_back(node);
        found.meant = 0;
        return found;
    }
    calls.findAll(described.vendor, described.product, found.devices);
    if (described.form == DeviceDescription::Form::index) {
        if (static_cast<std::size_t>(described.index) < found.devices.size())
            found.meant = described.index;
        return found;
    }
    for (std::size_t i = 0; i < found.devices.size(); ++i)
        if (found.devices[i].serial == described.serial)
            found.meant = i;
    return found;
}

} // namespace

std::optional<DeviceDescription> DeviceDescription::parse(const std::string& text) {
    if (text.size() < 3 || text[1] != ':')
        return std::nullopt;
    DeviceDescription described;
    if (text[0] == 'd') {
        const std::size_t slash = text.find('/', 2);
        if (slash == std::string::npos)
            return std::nullopt;
        const auto bus = settingNumber(std::string_view(text).substr(2, slash - 2), 0, 255);
        const auto address = settingNumber(std::string_view(text).substr(slash + 1), 0, 255);
        if (!bus || !address)
            return std::nullopt;
        described.bus = static_cast<int>(*bus);
        described.address = static_cast<int>(*address);
        return described;
    }
    if (text[0] != 'i' && text[0] != 's')
        return std::nullopt;
    std::size_t at = 2;
    const auto vendor = idAt(text, at, 0xFFFF);
    if (!vendor || !colonAt(text, at))
        return std::nullopt;
    const auto product = idAt(text, at, 0xFFFF);
    if (!product)
        return std::nullopt;
    described.vendor = *vendor;
    described.product = *product;
    if (text[0] == 's') {
        if (!colonAt(text, at) || at == text.size())
            return std::nullopt;
        described.form = Form::serial;
        described.serial = text.substr(at);
        return described;
    }
    described.form = Form::index;
    if (at == text.size())
        return described;
    const auto index = colonAt(text, at) ? idAt(text, at, 255) : std::nullopt;
    if (!index || at != text.size())
        return std::nullopt;
    described.index = *index;
    return described;
}

std::string deviceListing(const std::vector<FtdiDevice>& devices) {
    std::string listing;
    for (const FtdiDevice& device : devices) {
        listing += "\n  " + device.node() + " " + ids(device.vendor, device.product);
        if (!device.description.empty())
            listing += " \"" + device.description + "\"";
        if (!device.serial.empty())
            listing += " serial " + device.serial;
    }
    return listing;
}

std::string whyNotOpened(FtdiCalls& calls, const std::string& text,
                         const DeviceDescription& described, const std::string& libftdiError) {
    const Fitting found = fitting(calls, described);
    const std::string wanted = "(FLTAMP_FTDI=" + text + ")";
    if (found.devices.empty())
        return "no FTDI device " + ids(described.vendor, described.product) + " is plugged in " +
               wanted;
    // libftdi opens each fitting device in turn up to the one meant: the first that libusb
    // will not open is where it stopped.
    const std::size_t last = found.meant.value_or(found.devices.size() - 1);
    for (std::size_t i = 0; i <= last; ++i) {
        const FtdiDevice& device = found.devices[i];
        const UsbProbe probe = calls.probe(device.bus, device.address);
        const std::string subject = "the FTDI device " + device.node();
        if (probe.openError)
            return usbReason(subject, probe.openError, probe.text);
        if (found.meant == i && probe.claimError)
            return usbReason(subject, probe.claimError, probe.text);
    }
    if (!found.meant && described.form == DeviceDescription::Form::index)
        return "no FTDI device " + ids(described.vendor, described.product) + " number " +
               std::to_string(described.index) + " (counting from 0) is plugged in " + wanted;
    if (!found.meant)
        return "no FTDI device " + ids(described.vendor, described.product) + " has the serial " +
               described.serial + " " + wanted;
    return "cannot open the FTDI adapter " + found.devices[*found.meant].node() + ": " +
           libftdiError;
}

} // namespace parllio
