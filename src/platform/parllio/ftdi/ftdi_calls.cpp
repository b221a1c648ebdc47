// The real table: libftdi1 1.5 over libusb-1.0. The context is shared by the entries and
// freed (closing the device) when the last copy of the table goes.
#include "platform/parllio/ftdi/ftdi_calls.h"

#include <ftdi.h>
#include <libusb.h>

#include <memory>

namespace parllio {

static_assert(syncBitbangMode == BITMODE_SYNCBB);
static_assert(usb::ioError == LIBUSB_ERROR_IO && usb::accessDenied == LIBUSB_ERROR_ACCESS &&
              usb::noDevice == LIBUSB_ERROR_NO_DEVICE && usb::busy == LIBUSB_ERROR_BUSY);

namespace {

using Context = std::shared_ptr<ftdi_context>;

// The chip's strings need the device opened; a device we may not open is listed without.
void readStrings(ftdi_context* ftdi, libusb_device* device, FtdiDevice& entry) {
    char description[128] = {};
    char serial[128] = {};
    if (ftdi_usb_get_strings(ftdi, device, nullptr, 0, description, sizeof description, serial,
                             sizeof serial) == 0) {
        entry.description = description;
        entry.serial = serial;
    }
}

int listDevices(ftdi_context* ftdi, int vendor, int product, std::vector<FtdiDevice>& found) {
    ftdi_device_list* list = nullptr;
    const int count = ftdi_usb_find_all(ftdi, &list, vendor, product);
    for (ftdi_device_list* item = list; item; item = item->next) {
        libusb_device_descriptor descriptor{};
        libusb_get_device_descriptor(item->dev, &descriptor);
        FtdiDevice entry;
        entry.bus = libusb_get_bus_number(item->dev);
        entry.address = libusb_get_device_address(item->dev);
        entry.vendor = descriptor.idVendor;
        entry.product = descriptor.idProduct;
        readStrings(ftdi, item->dev, entry);
        found.push_back(entry);
    }
    ftdi_list_free(&list);
    return count;
}

// Interface A is the only one the backend opens; its number is 0.
constexpr int interfaceA = 0;

UsbProbe probeDevice(libusb_context* usb, int bus, int address) {
    UsbProbe result;
    libusb_device** devices = nullptr;
    const ssize_t count = libusb_get_device_list(usb, &devices);
    libusb_device* device = nullptr;
    for (ssize_t i = 0; i < count; ++i)
        if (libusb_get_bus_number(devices[i]) == bus &&
            libusb_get_device_address(devices[i]) == address)
            device = devices[i];
    libusb_device_handle* handle = nullptr;
    if (!device) {
        result.openError = LIBUSB_ERROR_NO_DEVICE;
    } else if (const int error = libusb_open(device, &handle); error < 0) {
        result.openError = error;
    } else {
        if (libusb_kernel_driver_active(handle, interfaceA) != 1) {
            result.claimError = libusb_claim_interface(handle, interfaceA);
            if (result.claimError == 0)
                libusb_release_interface(handle, interfaceA);
        }
        libusb_close(handle);
    }
    if (count >= 0)
        libusb_free_device_list(devices, 1);
    const int error = result.openError ? result.openError : result.claimError;
    if (error)
        result.text = libusb_strerror(error);
    return result;
}

} // namespace

std::string FtdiDevice::node() const {
    return "d:" + std::to_string(bus) + "/" + std::to_string(address);
}

FtdiCalls FtdiCalls::real() {
    const Context ftdi(ftdi_new(), [](ftdi_context* context) {
        if (context)
            ftdi_free(context);
    });
    FtdiCalls calls;
    calls.findAll = [ftdi](int vendor, int product, std::vector<FtdiDevice>& found) {
        return ftdi ? listDevices(ftdi.get(), vendor, product, found) : -1;
    };
    calls.open = [ftdi](const std::string& description) {
        if (!ftdi)
            return -12; // libftdi's "ftdi context invalid"
        ftdi_set_interface(ftdi.get(), INTERFACE_A);
        const int result = ftdi_usb_open_string(ftdi.get(), description.c_str());
        // Some failures leave the device open; a later listing or open must start clean.
        if (result != 0 && ftdi->usb_dev) {
            const char* why = ftdi->error_str;
            ftdi_usb_close(ftdi.get());
            ftdi->error_str = why;
        }
        return result;
    };
    calls.probe = [ftdi](int bus, int address) {
        return ftdi ? probeDevice(ftdi->usb_ctx, bus, address) : UsbProbe{};
    };
    // The remaining entries run only on an opened bridge, so the context exists.
    calls.setTimeouts = [ftdi](int readMs, int writeMs) {
        ftdi->usb_read_timeout = readMs;
        ftdi->usb_write_timeout = writeMs;
    };
    calls.setLatencyTimer = [ftdi](std::uint8_t ms) {
        return ftdi_set_latency_timer(ftdi.get(), ms);
    };
    calls.setBitmode = [ftdi](std::uint8_t outputs, std::uint8_t mode) {
        return ftdi_set_bitmode(ftdi.get(), outputs, mode);
    };
    calls.setBaudrate = [ftdi](int value) { return ftdi_set_baudrate(ftdi.get(), value); };
    calls.flush = [ftdi] { return ftdi_tcioflush(ftdi.get()); };
    calls.write = [ftdi](const std::uint8_t* bytes, int size) {
        return ftdi_write_data(ftdi.get(), bytes, size);
    };
    calls.read = [ftdi](std::uint8_t* bytes, int size) {
        return ftdi_read_data(ftdi.get(), bytes, size);
    };
    calls.close = [ftdi] { ftdi_usb_close(ftdi.get()); };
    calls.errorString = [ftdi]() -> std::string {
        return ftdi ? ftdi_get_error_string(ftdi.get()) : "libusb could not be started";
    };
    return calls;
}

} // namespace parllio
