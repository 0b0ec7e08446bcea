#pragma once
// What a HID minidriver and the bus below it share with the HID class driver. MinGW-w64 ships no
// hidport.h, and its ddk/hidclass.h numbers the internal requests wrongly, so the documented
// values are written out here.

#include <ntddk.h>

#define ORVA_HID_CTL_CODE(id) CTL_CODE(FILE_DEVICE_KEYBOARD, (id), METHOD_NEITHER, FILE_ANY_ACCESS)

// Requests the class driver sends down to the minidriver (IRP_MJ_INTERNAL_DEVICE_CONTROL).
#define ORVA_IOCTL_GET_DEVICE_DESCRIPTOR ORVA_HID_CTL_CODE(0)
#define ORVA_IOCTL_GET_REPORT_DESCRIPTOR ORVA_HID_CTL_CODE(1)
#define ORVA_IOCTL_READ_REPORT ORVA_HID_CTL_CODE(2)
#define ORVA_IOCTL_WRITE_REPORT ORVA_HID_CTL_CODE(3)
#define ORVA_IOCTL_GET_STRING ORVA_HID_CTL_CODE(4)
#define ORVA_IOCTL_ACTIVATE_DEVICE ORVA_HID_CTL_CODE(7)
#define ORVA_IOCTL_DEACTIVATE_DEVICE ORVA_HID_CTL_CODE(8)
#define ORVA_IOCTL_GET_DEVICE_ATTRIBUTES ORVA_HID_CTL_CODE(9)
// Feature reports keep the numbers of the program-facing requests.
#define ORVA_IOCTL_GET_FEATURE \
    CTL_CODE(FILE_DEVICE_KEYBOARD, 100, METHOD_OUT_DIRECT, FILE_ANY_ACCESS)
#define ORVA_IOCTL_SET_FEATURE \
    CTL_CODE(FILE_DEVICE_KEYBOARD, 100, METHOD_IN_DIRECT, FILE_ANY_ACCESS)

#define ORVA_HID_STRING_MANUFACTURER 14
#define ORVA_HID_STRING_PRODUCT 15
#define ORVA_HID_STRING_SERIAL 16

#define ORVA_HID_REVISION 1

#include <pshpack1.h>
typedef struct {
    UCHAR bLength;
    UCHAR bDescriptorType;
    USHORT bcdHID;
    UCHAR bCountry;
    UCHAR bNumDescriptors;
    UCHAR bReportType;
    USHORT wReportLength;
} ORVA_HID_DESCRIPTOR;
#include <poppack.h>

typedef struct {
    ULONG Size;
    USHORT VendorID;
    USHORT ProductID;
    USHORT VersionNumber;
    USHORT Reserved[11];
} ORVA_HID_DEVICE_ATTRIBUTES;

typedef struct {
    PUCHAR reportBuffer;
    ULONG reportBufferLen;
    UCHAR reportId;
} ORVA_HID_XFER_PACKET;

typedef struct {
    ULONG Revision;
    PDRIVER_OBJECT DriverObject;
    PUNICODE_STRING RegistryPath;
    ULONG DeviceExtensionSize;
    BOOLEAN DevicesArePolled;
    UCHAR Reserved[3];
} ORVA_HID_MINIDRIVER_REGISTRATION;

typedef struct {
    PDEVICE_OBJECT PhysicalDeviceObject;
    PDEVICE_OBJECT NextDeviceObject;
    PVOID MiniDeviceExtension;
} ORVA_HID_DEVICE_EXTENSION;

NTSTATUS NTAPI HidRegisterMinidriver(ORVA_HID_MINIDRIVER_REGISTRATION* registration);
