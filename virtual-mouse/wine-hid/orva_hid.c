// orvahid.sys: the HID minidriver on the test bus's child device (see orva_bus.c). It only
// registers with the HID class driver and passes every request down to the child, which
// answers them.

#include <ntddk.h>

#include "MiniportDefs.h"

static NTSTATUS NTAPI DispatchPnp(DEVICE_OBJECT* device, IRP* irp) {
    ORVA_HID_DEVICE_EXTENSION* ext = device->DeviceExtension;
    IO_STACK_LOCATION* stack = IoGetCurrentIrpStackLocation(irp);
    switch (stack->MinorFunction) {
        case IRP_MN_START_DEVICE:
        case IRP_MN_STOP_DEVICE:
        case IRP_MN_SURPRISE_REMOVAL:
        case IRP_MN_QUERY_REMOVE_DEVICE:
        case IRP_MN_CANCEL_REMOVE_DEVICE:
        case IRP_MN_REMOVE_DEVICE:
            irp->IoStatus.Status = STATUS_SUCCESS;
            break;
        default:
            break;
    }
    IoSkipCurrentIrpStackLocation(irp);
    return IoCallDriver(ext->NextDeviceObject, irp);
}

static NTSTATUS NTAPI DispatchInternalIoctl(DEVICE_OBJECT* device, IRP* irp) {
    ORVA_HID_DEVICE_EXTENSION* ext = device->DeviceExtension;
    IoSkipCurrentIrpStackLocation(irp);
    return IoCallDriver(ext->NextDeviceObject, irp);
}

static NTSTATUS NTAPI AddDevice(DRIVER_OBJECT* driver, DEVICE_OBJECT* device) {
    (void)driver;
    device->Flags &= ~DO_DEVICE_INITIALIZING;
    return STATUS_SUCCESS;
}

static void NTAPI Unload(DRIVER_OBJECT* driver) {
    (void)driver;
}

NTSTATUS NTAPI DriverEntry(DRIVER_OBJECT* driver, UNICODE_STRING* registryPath) {
    // Wine's loader first calls a driver's entry point as DllMain(module, reason, reserved):
    // the reason stands where the registry path does. Answer that call as DllMain would.
    if ((ULONG_PTR)registryPath < 0x10000)
        return TRUE;
    driver->DriverExtension->AddDevice = AddDevice;
    driver->DriverUnload = Unload;
    driver->MajorFunction[IRP_MJ_PNP] = DispatchPnp;
    driver->MajorFunction[IRP_MJ_INTERNAL_DEVICE_CONTROL] = DispatchInternalIoctl;
    ORVA_HID_MINIDRIVER_REGISTRATION registration;
    RtlZeroMemory(&registration, sizeof registration);
    registration.Revision = ORVA_HID_REVISION;
    registration.DriverObject = driver;
    registration.RegistryPath = registryPath;
    registration.DeviceExtensionSize = 0;
    registration.DevicesArePolled = FALSE;
    return HidRegisterMinidriver(&registration);
}
