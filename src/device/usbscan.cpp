#include "usbscan.h"

#include <libusb.h>

UsbProducts ListDevices(const char *name, int all)
{
    UsbProducts found;
    if (libusb_init(nullptr) != 0)
        return found;

    libusb_device **devices = nullptr;
    const ssize_t count = libusb_get_device_list(nullptr, &devices);
    for (ssize_t i = 0; i < count; ++i) {
        libusb_device_descriptor descriptor;
        if (libusb_get_device_descriptor(devices[i], &descriptor) != 0)
            continue;
        libusb_device_handle *handle = nullptr;
        if (libusb_open(devices[i], &handle) != 0)
            continue;
        unsigned char text[256] = {};
        const int length = libusb_get_string_descriptor_ascii(handle, descriptor.iProduct, text, sizeof text);
        libusb_close(handle);
        if (length < 0)
            continue;
        const QByteArray product(reinterpret_cast<const char *>(text), length);
        if (!all && !product.contains(name))
            continue;
        found.insert({descriptor.idProduct, descriptor.idVendor}, QString::fromUtf8(product));
    }
    if (count >= 0)
        libusb_free_device_list(devices, 1);
    libusb_exit(nullptr);
    return found;
}
